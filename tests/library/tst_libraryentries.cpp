// What the library window does with entries, without a database: filtering, sorting, the CSV
// export, the trend's lines, checking files; and the queue and settings files underneath.
#include "filebytes.h"
#include "library/entrycsv.h"
#include "library/entryfilter.h"
#include "library/entryorder.h"
#include "library/filecheck.h"
#include "library/fileentry.h"
#include "library/libraryqueue.h"
#include "library/librarysettings.h"
#include "library/trend.h"
#include "temporarystartdirectory.h"

#include <QtTest>

namespace {

using Positions = QList<int>;

LibraryEntry Entry(const QString& title, const QString& lot, Verdict verdict, const char* finished,
                   std::optional<double> force)
{
    LibraryEntry entry;
    entry.title = title;
    entry.lot = lot;
    entry.station = lot == "Lot 2" ? "bench-2" : "bench-1";
    entry.verdict = verdict;
    entry.finished = QDateTime::fromString(finished, Qt::ISODate);
    entry.results[ResultIndex(ResultKind::MaximumForce)] = force;
    entry.results[ResultIndex(ResultKind::DisplacementAtMaximum)] = 0.5;
    return entry;
}

// Finished times in UTC; the date filter takes local days, so the tests run in UTC.
const QList<LibraryEntry> Entries{
    Entry("Oak 25 mm", "Lot 1", Verdict::Pass, "2026-03-01T10:00:00Z", 10),
    Entry("oak, 30 mm", "Lot 2", Verdict::Fail, "2026-03-02T23:59:59Z", 14),
    Entry("Pine \"B\"", "lot 12", Verdict::None, "2026-03-03T00:00:00Z", std::nullopt),
    Entry("Hinge", "Lot 1", Verdict::Pass, "2026-03-04T08:00:00Z", 12)};

} // namespace

class TestLibraryEntries : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { qputenv("TZ", "UTC"); }
    void filterKeepsMatchingEntriesInOrder_data();
    void filterKeepsMatchingEntriesInOrder();
    void sortsByAnyField_data();
    void sortsByAnyField();
    void csvQuotesTextsAndConvertsResults();
    void trendDrawsMeanControlAndLimitLines();
    void trendRunsInTimeOrder_data();
    void trendRunsInTimeOrder();
    void queuePassesOverALineCutShort();
    void settingsComeFromLibraryIni_data();
    void settingsComeFromLibraryIni();
    void fileCheckMarksChangedAndMissingFiles();
};

void TestLibraryEntries::filterKeepsMatchingEntriesInOrder_data()
{
    QTest::addColumn<EntryFilter>("filter");
    QTest::addColumn<Positions>("listed");

    const Positions everyOther{3, 2, 1, 0};
    QTest::newRow("nothing asked") << EntryFilter{} << everyOther;
    QTest::newRow("title in any case") << EntryFilter{.title = "OAK"} << Positions{1, 0};
    QTest::newRow("lot fragment") << EntryFilter{.lot = "lot 1"} << Positions{3, 2, 0};
    QTest::newRow("station whole") << EntryFilter{.station = "bench-2"} << Positions{1};
    QTest::newRow("no verdict") << EntryFilter{.verdict = Verdict::None} << Positions{2};
    QTest::newRow("days, both included")
        << EntryFilter{.from = QDate(2026, 3, 2), .to = QDate(2026, 3, 3)} << Positions{2, 1};
    QTest::newRow("all at once")
        << EntryFilter{"oak", "Lot", "bench-1", Verdict::Pass, QDate(2026, 3, 1), QDate(2026, 3, 1)}
        << Positions{0};
}

void TestLibraryEntries::filterKeepsMatchingEntriesInOrder()
{
    QFETCH(EntryFilter, filter);
    QFETCH(Positions, listed);
    QCOMPARE(FilterEntries(Entries, {3, 2, 1, 0}, filter), listed);
}

void TestLibraryEntries::sortsByAnyField_data()
{
    QTest::addColumn<EntryField>("field");
    QTest::addColumn<Qt::SortOrder>("order");
    QTest::addColumn<Positions>("sorted");

    QTest::newRow("title in any case")
        << EntryField::Title << Qt::AscendingOrder << Positions{3, 0, 1, 2};
    QTest::newRow("newest first") << EntryField::Finished << Qt::DescendingOrder
                                  << Positions{3, 2, 1, 0};
    QTest::newRow("a result, not computed first")
        << ResultField(ResultKind::MaximumForce) << Qt::AscendingOrder << Positions{2, 0, 3, 1};
    QTest::newRow("equal ones keep their order") << ResultField(ResultKind::DisplacementAtMaximum)
                                                 << Qt::DescendingOrder << Positions{0, 1, 2, 3};
    QTest::newRow("verdict") << EntryField::Verdict << Qt::AscendingOrder << Positions{2, 1, 0, 3};
}

void TestLibraryEntries::sortsByAnyField()
{
    QFETCH(EntryField, field);
    QFETCH(Qt::SortOrder, order);
    QFETCH(Positions, sorted);
    QCOMPARE(SortedOrder(Entries, field, order), sorted);
}

void TestLibraryEntries::csvQuotesTextsAndConvertsResults()
{
    const QStringList lines = EntriesCsv(Entries, {1, 2}, false);
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines[0].startsWith("Title,Finished,Station,Operator,Lot,Method,Maximum Force (kg),"
                                "Displacement at Maximum (cm),"));
    QVERIFY(lines[0].endsWith(",Energy (kg.cm),Average Force (kg),Verdict,Path,SHA-256"));
    // 14 lbs. is 6.35029 kg, 0.5 in. is 1.27 cm.
    QCOMPARE(lines[1], "\"oak, 30 mm\",2026-03-02T23:59:59Z,bench-2,,Lot 2,,6.35029,1.27,,,,,,,,"
                       "FAIL,,");
    QCOMPARE(lines[2], "\"Pine \"\"B\"\"\",2026-03-03T00:00:00Z,bench-1,,lot 12,,,1.27,,,,,,,,,,");

    TemporaryStartDirectory start;
    StoreCsvFile(start.Path() + "/list.csv", {"a,\u00e9", "b"});
    QCOMPARE(ReadBytes(start.Path() + "/list.csv"), "a,\xc3\xa9\r\nb\r\n");
}

void TestLibraryEntries::trendDrawsMeanControlAndLimitLines()
{
    TestMethod method;
    method.unitsEnglish = false;
    method.limits[ResultIndex(ResultKind::MaximumForce)] = ResultLimit{std::nullopt, 6.35029318};
    // 10, 14 and 12 lbs. in time order 10, 14, 12 (the entry without a result left out): mean 12,
    // standard deviation 2.
    const Trend trend = TrendOf(Entries, {3, 2, 1, 0}, ResultKind::MaximumForce, true, &method);
    QCOMPARE(trend.points.size(), 3);
    QCOMPARE(trend.points[0],
             QPointF(QDateTime::fromString("2026-03-01T10:00:00Z", Qt::ISODate).toMSecsSinceEpoch(),
                     10));
    QCOMPARE(trend.points[1].y(), 14.0);
    QCOMPARE(trend.points[2].y(), 12.0);
    QCOMPARE(trend.mean, 12.0);
    QCOMPARE(trend.lowerControl, 6.0);
    QCOMPARE(trend.upperControl, 18.0);
    QVERIFY(!trend.low);
    QVERIFY(qAbs(*trend.high - 14.0) < 1e-6); // the method's kilograms in pounds

    const Trend single = TrendOf(Entries, {0}, ResultKind::MaximumForce, true, nullptr);
    QCOMPARE(single.mean, 10.0);
    QVERIFY(!single.upperControl && !single.high);
}

void TestLibraryEntries::trendRunsInTimeOrder_data()
{
    QTest::addColumn<Positions>("positions"); // as the window lists them
    QTest::addColumn<QList<double>>("forces");

    QTest::newRow("oldest first") << Positions{0, 1, 2, 3} << QList<double>{1, 2, 3, 4};
    QTest::newRow("newest first") << Positions{3, 2, 0} << QList<double>{1, 3, 4};
    QTest::newRow("newest first, two of one moment in the list's order")
        << Positions{3, 2, 1, 0} << QList<double>{1, 3, 2, 4};
    QTest::newRow("any order") << Positions{1, 3, 0, 2} << QList<double>{1, 2, 3, 4};
}

void TestLibraryEntries::trendRunsInTimeOrder()
{
    QFETCH(Positions, positions);
    QFETCH(QList<double>, forces);
    const QList<LibraryEntry> tests{
        Entry("first", "Lot 1", Verdict::None, "2026-03-01T08:00:00Z", 1),
        Entry("second", "Lot 1", Verdict::None, "2026-03-01T09:00:00Z", 2),
        Entry("third", "Lot 1", Verdict::None, "2026-03-01T09:00:00Z", 3),
        Entry("fourth", "Lot 1", Verdict::None, "2026-03-01T10:00:00Z", 4)};
    QList<double> drawn;
    for (const QPointF& point :
         TrendOf(tests, positions, ResultKind::MaximumForce, true, nullptr).points)
        drawn.append(point.y());
    QCOMPARE(drawn, forces);
}

void TestLibraryEntries::queuePassesOverALineCutShort()
{
    TemporaryStartDirectory start;
    LibraryQueue queue(LibraryQueuePath(start.Path()));
    QCOMPARE(queue.Read().rows.size(), 0); // no file yet
    queue.Append({{{"title", "first"}}});
    QFile file(queue.Path());
    QVERIFY(file.open(QIODevice::Append));
    file.write("{\"title\": \"cut sh"); // a program died while writing
    file.close();
    queue.Append({{{"title", "second"}}, {{"title", "third"}}});

    LibraryQueue::Waiting waiting = queue.Read();
    QCOMPARE(waiting.rows.size(), 3);
    QCOMPARE(waiting.rows[1].value("title").toString(), "second");
    QCOMPARE(waiting.unreadable, 1);
    queue.Append({{{"title", "fourth"}}}); // while the three are delivered
    queue.Remove(waiting.bytes);
    waiting = queue.Read();
    QCOMPARE(waiting.rows.size(), 1);
    QCOMPARE(waiting.rows[0].value("title").toString(), "fourth");
}

void TestLibraryEntries::settingsComeFromLibraryIni_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("described");

    QTest::newRow("none: library.db") << QByteArray() << "library.db in START";
    QTest::newRow("another SQLite file")
        << QByteArray("[Library]\nDatabase=shared/lab.db\n") << "lab.db in START/shared";
    QTest::newRow("a server, with comments")
        << QByteArray("[Library]\nDriver=QPSQL\nHost=lab-server          ; or a socket folder\n"
                      "Port=5433\nDatabase=qor\nUser=qor\n")
        << "qor on lab-server";
}

void TestLibraryEntries::settingsComeFromLibraryIni()
{
    QFETCH(QByteArray, ini);
    QFETCH(QString, described);
    TemporaryStartDirectory start;
    if (!ini.isEmpty())
        start.WriteFile("library.ini", ini);
    const LibrarySettings settings = ReadLibrarySettings(start.Path());
    QCOMPARE(settings.Description(), QString(described).replace("START", start.Path()));
    QCOMPARE(settings.IsServer(), described.contains(" on "));
    if (settings.IsServer()) {
        QCOMPARE(settings.port, 5433);
        QCOMPARE(settings.user, "qor");
    }
}

void TestLibraryEntries::fileCheckMarksChangedAndMissingFiles()
{
    TemporaryStartDirectory start;
    const QString path = start.Path() + "/oak.dat";
    QVERIFY(WriteBytes(path, "Oak\r\n"));
    LibraryEntry entry = EntryForTestFile(path, {"Oak"}, {}, QDateTime::currentDateTime());
    QCOMPARE(CheckEntryFile(entry), FileState::Same);
    entry.station = "another";
    QCOMPARE(CheckEntryFile(entry), FileState::Same); // the very bytes, seen through a share
    QVERIFY(WriteBytes(path, "Oak!\r\n"));
    QCOMPARE(CheckEntryFile(entry), FileState::Elsewhere); // may be as saved over there
    entry.station = ThisStation();
    QCOMPARE(CheckEntryFile(entry), FileState::Changed);
    QCOMPARE(FileStateText(FileState::Changed), "changed since it was saved");
    QVERIFY(QFile::remove(path));
    QCOMPARE(CheckEntryFile(entry), FileState::Missing);
    QCOMPARE(FileStateText(FileState::Missing), "changed since it was saved");
}

QTEST_GUILESS_MAIN(TestLibraryEntries)
#include "tst_libraryentries.moc"
