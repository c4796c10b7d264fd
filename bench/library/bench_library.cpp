#include "../graph/testrecords.h"
#include "graph/testfile.h"
#include "library/entryfilter.h"
#include "library/entryorder.h"
#include "library/entrytablemodel.h"
#include "library/fileentry.h"
#include "library/libraryform.h"
#include "library/libraryqueue.h"
#include "library/librarystore.h"
#include "library/trend.h"
#include "library/trendchart.h"

#include <QChart>
#include <QChartView>
#include <QCryptographicHash>
#include <QDateTimeAxis>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QLineSeries>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>
#include <QValueAxis>

#include <array>
#include <numeric>

// The test library at the size of a busy lab's years: 100,000 tests in a SQLite library in a
// temporary folder on disk. Filtering them by a fragment of the title, as the window does while the
// operator types; what adding a row costs a save, against writing the test file itself; and the
// trend of 10,000 tests against the chart library's floor, a bare line series given as many points.
class LibraryBenchmark : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(folder_.isValid());
        LibrarySettings settings;
        settings.database = folder_.filePath("library.db");
        store_ = std::make_unique<LibraryStore>(settings, "bench");
        QList<QJsonObject> rows;
        for (int test = 0; test < Tests; ++test)
            rows.append(EntryRow(Entry(test)));
        QElapsedTimer timer;
        timer.start();
        store_->Insert(rows);
        qInfo("storing %d rows in one transaction: %lld ms", Tests, timer.elapsed());
        entries_ = store_->CurrentEntries();
        QCOMPARE(entries_.size(), Tests);
        const QList<int> newestFirst =
            SortedOrder(entries_, EntryField::Finished, Qt::DescendingOrder);
        for (int older : {0, 1})
            trendTests_[older] = newestFirst.mid(older * TrendTests, TrendTests);
    }

    void loadCurrentEntries()
    {
        QBENCHMARK
        {
            entries_ = store_->CurrentEntries();
        }
    }

    void filterByTitleFragment()
    {
        QList<int> order(entries_.size());
        std::iota(order.begin(), order.end(), 0);
        QList<int> listed;
        QBENCHMARK
        {
            listed = FilterEntries(entries_, order, {.title = "#4242"});
        }
        QCOMPARE(listed.size(), 11); // 4242, 42420 to 42429
    }

    // The window's list refiltered and redrawn for each letter typed.
    void typeInTheWindowsTitleFilter()
    {
        TLibraryForm form({[this](qint64) { return entries_; }, [](QWidget*) {}});
        form.Reload();
        form.resize(1000, 520);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        int typed = 0;
        QBENCHMARK
        {
            form.TitleFilterEdit->setText(++typed % 2 ? "#4242" : "#424");
            form.EntryTable->viewport()->repaint();
        }
    }

    void writeTestFile() // the floor: the save itself
    {
        const QStringList lines = MachineTest(1000);
        QBENCHMARK
        {
            StoreTestFile(folder_.filePath("saved.dat"), lines);
        }
    }

    void addRowAfterSave() // on the operator's thread
    {
        const QStringList lines = MachineTest(1000);
        StoreTestFile(folder_.filePath("saved.dat"), lines);
        LibraryQueue queue(folder_.filePath("library.queue"));
        QBENCHMARK
        {
            queue.Append({EntryRow(EntryForTestFile(folder_.filePath("saved.dat"), lines, {},
                                                    QDateTime::currentDateTime()))});
        }
    }

    void deliverRow() // on the delivering thread
    {
        LibraryQueue queue(folder_.filePath("library.queue"));
        QBENCHMARK
        {
            queue.Append({EntryRow(Entry(0))});
            DeliverQueue(queue, *store_);
        }
    }

    // The floor: the tests' line alone, given to a chart like the trend's, shown the same way: as
    // large, with a time axis and a value axis that hold every point, the same pen, antialiased.
    void bareSeriesReplace()
    {
        const QList<QPointF> points = NewestTrend(0).points;
        QChartView view;
        view.setRenderHint(QPainter::Antialiasing);
        auto* time = new QDateTimeAxis;
        time->setFormat("yyyy-MM-dd hh:mm");
        time->setLabelsAngle(-90);
        time->setRange(QDateTime::fromMSecsSinceEpoch(points.constFirst().x()),
                       QDateTime::fromMSecsSinceEpoch(points.constLast().x()));
        auto* values = new QValueAxis;
        const auto [lowest, highest] = std::ranges::minmax(points, {}, &QPointF::y);
        values->setRange(lowest.y(), highest.y());
        auto* series = new QLineSeries;
        series->setPen(QPen(Qt::blue, 2));
        view.chart()->addSeries(series);
        view.chart()->addAxis(time, Qt::AlignBottom);
        view.chart()->addAxis(values, Qt::AlignLeft);
        series->attachAxis(time);
        series->attachAxis(values);
        view.resize(700, 460);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QBENCHMARK
        {
            series->replace(points);
        }
    }

    void trendLinesOfTenThousandTests() // the trend's figures alone, without the chart
    {
        Trend trend;
        QBENCHMARK
        {
            trend = NewestTrend(0);
        }
        QCOMPARE(trend.points.size(), TrendTests);
    }

    // Two trends in turn, as a chart drawn again shows another: the newest 10,000 tests and the
    // 10,000 before them, whose times and values differ.
    void trendOfTenThousandTests()
    {
        std::unique_ptr<QChartView> view(CreateTrendChart(nullptr));
        view->resize(700, 460);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
        int drawn = 0;
        QBENCHMARK
        {
            DrawTrend(view.get(), NewestTrend(++drawn % 2), "Maximum Force of 10,000 tests",
                      "Maximum Force (lbs.)");
        }
    }

    // What a trend window does before it is shown: its chart made, and the trend drawn into it.
    void trendWindowsChartMadeAndDrawn()
    {
        QBENCHMARK
        {
            std::unique_ptr<QChartView> view(CreateTrendChart(nullptr));
            DrawTrend(view.get(), NewestTrend(0), "Maximum Force of 10,000 tests",
                      "Maximum Force (lbs.)");
        }
    }

private:
    static constexpr int Tests = 100000;
    static constexpr int TrendTests = 10000;

    // The trend of the maximum force of 10,000 tests as the library window lists them, newest
    // first: the newest (0) or the 10,000 before them (1).
    Trend NewestTrend(int older) const
    {
        return TrendOf(entries_, trendTests_[older], ResultKind::MaximumForce, true, nullptr);
    }

    static LibraryEntry Entry(int test)
    {
        LibraryEntry entry;
        entry.uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
        entry.path = QString("/home/operator/QOR1000/data/test%1.dat").arg(test);
        entry.title = QString("%1 #%2").arg(test % 3 ? "Oak 25 mm" : "Bracket pull").arg(test);
        entry.finished = QDateTime(QDate(2020, 1, 1), QTime(8, 0), Qt::UTC).addSecs(test * 600);
        entry.station = QString("bench-%1").arg(test % 4);
        entry.lot = QString("Lot %1").arg(test / 50);
        entry.method = "Bracket pull";
        entry.results[0] = 450 + test % 97 + test / 1000; // drifting up over the years
        entry.results[1] = 0.2 + (test % 13) / 100.0;
        entry.verdict = test % 17 ? Verdict::Pass : Verdict::Fail;
        entry.sha256 =
            QCryptographicHash::hash(entry.path.toUtf8(), QCryptographicHash::Sha256).toHex();
        entry.saved = entry.finished;
        return entry;
    }

    QTemporaryDir folder_;
    std::unique_ptr<LibraryStore> store_;
    QList<LibraryEntry> entries_;
    std::array<QList<int>, 2> trendTests_; // positions, as the window lists them
};

QTEST_MAIN(LibraryBenchmark)
#include "bench_library.moc"
