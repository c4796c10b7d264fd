// The test library from the main window, as an operator uses it: tests saved with Ctrl+S found by a
// word of their titles, compared, charted and exported; Add Folder; a save while the library is
// offline. On SQLite in the start directory.
#include "app/mainscreen.h"
#include "config/initializingbox.h"
#include "dialogs/alertbox.h"
#include "dialogs/operatorentrybox.h"
#include "filebytes.h"
#include "graph/graphform.h"
#include "graph/graphmultipleform.h"
#include "graph/testfile.h"
#include "library/entrytablemodel.h"
#include "library/librarycommands.h"
#include "library/libraryform.h"
#include "library/librarystatisticsbox.h"
#include "library/librarytrendform.h"
#include "library/trendchart.h"
#include "modalanswers.h"
#include "results/resultscommands.h"
#include "results/resultspanel.h"
#include "temporarystartdirectory.h"

#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QValueAxis>
#include <QtTest>
#include <QtWidgets>

namespace {

using Answer = ModalAnswers::Answer;

QStringList Test(const QString& title, int force)
{
    return {title, "Maximum", "X,Y", "0100,0050", QString("0200,%1").arg(force, 4, 10, QChar('0')),
            "TM"};
}

// Answers a file dialog with a name, in the folder it shows or with its folder.
Answer ChooseFile(const QString& name)
{
    return [=](QWidget* dialog) {
        auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
        edit->setText(name);
        QTimer::singleShot(0, edit, [edit] { QTest::keyClick(edit, Qt::Key_Return); });
    };
}

const Answer PressEnter = [](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Return); };

// What a trend chart shows: its title and each line in its legend with its points.
QStringList Lines(QChartView* view)
{
    QStringList shown{view->chart()->title()};
    for (QLegendMarker* marker : view->chart()->legend()->markers()) {
        if (!marker->isVisible())
            continue;
        QString line = marker->label() + ':';
        for (const QPointF& point : static_cast<QLineSeries*>(marker->series())->points())
            line += QString(" (%1, %2)").arg(point.x()).arg(point.y());
        shown.append(line);
    }
    return shown;
}

// The ranges, ticks and titles of a trend chart's axes.
QStringList Axes(QChartView* view)
{
    const auto* time = static_cast<QDateTimeAxis*>(view->chart()->axes(Qt::Horizontal).value(0));
    const auto* values = static_cast<QValueAxis*>(view->chart()->axes(Qt::Vertical).value(0));
    return {time->min().toString(Qt::ISODate) + " to " + time->max().toString(Qt::ISODate),
            values->titleText(),
            QString("%1 to %2 in %3 ticks")
                .arg(values->min())
                .arg(values->max())
                .arg(values->tickCount())};
}

} // namespace

class TestLibraryWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(runtime_.isValid());
        qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());
        ActOperatorEntryBox = new TActOperatorEntryBox;
    }
    void init()
    {
        start_ = std::make_unique<TemporaryStartDirectory>();
        start_->WriteFile("QOR.dat", "header\r\n");
    }
    void cleanup()
    {
        screen_.reset();
        start_.reset();
    }
    void savedTestsAreFoundComparedChartedAndExported();
    void addFolderFeedsCompareUpToTen();
    void offlineLibraryNeverHoldsUpASave();
    void readingAgainKeepsSelectionCurrentRowAndScroll();
    void activeWindowSetsWindowMenuSaveAndPrint_data();
    void activeWindowSetsWindowMenuSaveAndPrint();
    void trendDrawnAgainShowsWhatANewChartShows_data();
    void trendDrawnAgainShowsWhatANewChartShows();
    void altLettersReachTheirOwnFieldOrButton();
    void cascadeKeepsTheSizeEachWindowOpenedWith();

private:
    void Start()
    {
        ModalAnswers startUp(
            {[](QWidget* box) { qobject_cast<TInitializingBox*>(box)->Timer1->setInterval(0); }});
        screen_ = std::make_unique<TMainScreen>();
        QVERIFY(startUp.AllAnswered());
        screen_->SaveDialog().setOption(QFileDialog::DontUseNativeDialog);
        screen_->resize(1200, 900);
        screen_->show();
    }
    void Run(const std::function<void()>& command, const QList<Answer>& answers)
    {
        ModalAnswers answering(answers);
        command();
        QVERIFY(answering.AllAnswered());
        QVERIFY(!answering.WatchdogFired());
    }
    void Save(const QString& name, const QStringList& lines)
    {
        auto* graph = new TGraphForm;
        graph->SetLines(lines);
        screen_->AddGraphWindow(graph);
        Run([&] { screen_->MenuFileSave->trigger(); }, {ChooseFile(name)});
    }
    TLibraryForm* Library() const { return screen_->findChild<TLibraryForm*>(); }
    void OpenLibrary(int listed)
    {
        screen_->Library->MenuLibraryTestLibrary->trigger();
        QVERIFY(Library());
        // Rows reach the library from the delivering thread.
        QTRY_COMPARE(Library()->Entries->Entries().size(), listed);
    }
    template <class Form> QList<Form*> Windows() const
    {
        QList<Form*> windows;
        for (QMdiSubWindow* child : screen_->MdiArea->subWindowList())
            if (auto* window = qobject_cast<Form*>(child->widget()))
                windows.append(window);
        return windows;
    }
    // A test added with Add Folder and shown in the library, a trend, a graph and a multiple
    // window.
    void OpenEveryKindOfWindow()
    {
        QDir().mkpath(Data(""));
        StoreTestFile(Data("oak.dat"), Test("Oak", 200));
        Start();
        Run([&] { screen_->Library->MenuLibraryAddFolder->trigger(); }, {ChooseFile(Data(""))});
        OpenLibrary(1);
        // The library's windows alone open the Window menu.
        QVERIFY(screen_->MenuWindow->menuAction()->isEnabled());
        TLibraryForm* library = Library();
        library->EntryTable->selectAll();
        library->TrendBtn->click();
        library->OpenBtn->click();
        Run([&] { library->CompareBtn->click(); }, {PressEnter});
    }
    QString Data(const QString& name) const { return start_->Path() + "/data/" + name; }

    QTemporaryDir runtime_;
    std::unique_ptr<TemporaryStartDirectory> start_;
    std::unique_ptr<TMainScreen> screen_;
};

void TestLibraryWindow::savedTestsAreFoundComparedChartedAndExported()
{
    Start();
    Save("oak1.dat", Test("Oak 25 mm, lot A", 200));
    Save("oak2.dat", Test("Oak 25 mm, lot B", 300));
    Save("pine.dat", Test("Pine 30 mm", 250));
    OpenLibrary(3);
    TLibraryForm* library = Library();
    QTest::keyClicks(library->TitleFilterEdit, "OAK");
    QCOMPARE(library->CountLabel->text(), "2 of 3 tests");
    QVERIFY(!library->CompareBtn->isEnabled());
    library->EntryTable->selectAll();

    Run([&] { library->CompareBtn->click(); }, {[](QWidget* prompt) {
            prompt->findChild<QLineEdit*>("EntryInputEdit")->setText("Oak lots");
            QTest::keyClick(prompt, Qt::Key_Return);
        }});
    QCOMPARE(Windows<TGraphMultipleForm>().size(), 1);
    QCOMPARE(Windows<TGraphMultipleForm>()[0]->windowTitle(), "Oak lots");
    QCOMPARE(Windows<TGraphMultipleForm>()[0]->ActiveSeries().size(), 2);

    library->TrendBtn->click();
    QCOMPARE(Windows<TLibraryTrendForm>().size(), 1);
    const QList<QAbstractSeries*> lines =
        Windows<TLibraryTrendForm>()[0]->TrendChart->chart()->series();
    QCOMPARE(static_cast<QLineSeries*>(lines.value(0))->count(), 2); // the tests
    QStringList names;                                               // in the legend
    for (QLegendMarker* marker :
         Windows<TLibraryTrendForm>()[0]->TrendChart->chart()->legend()->markers()) {
        if (marker->isVisible())
            names.append(marker->label());
    }
    QCOMPARE(names, (QStringList{"Tests", "Mean + 3 SD", "Mean", "Mean - 3 SD"}));

    QString statistics;
    Run([&] { library->StatisticsBtn->click(); }, {[&](QWidget* box) {
            auto* table = box->findChild<QTableWidget*>("StatisticsTable");
            statistics = table->item(0, 0)->text() + ' ' + table->item(0, 1)->text() + ' ' +
                         table->item(0, 2)->text();
            QTest::keyClick(box, Qt::Key_Escape);
        }});
    QCOMPARE(statistics, "Maximum Force (lbs.) 2 250");

    // Pine's file changes; its row is marked once the list is refreshed.
    library->TitleFilterEdit->clear();
    const auto marked = [library] {
        QStringList marks;
        for (int row = 0; row < library->Entries->rowCount(); ++row) {
            const QString mark =
                library->Entries->index(row, EntryTableModel::FileColumn).data().toString();
            if (!mark.isEmpty())
                marks.append(library->Entries->index(row, 0).data().toString() + ": " + mark);
        }
        return marks;
    };
    QCOMPARE(marked(), QStringList());
    StoreTestFile(Data("pine.dat"), Test("Pine 30 mm", 251));
    library->RefreshBtn->click();
    QCOMPARE(marked(), QStringList{"Pine 30 mm: changed since it was saved"});

    Run([&] { library->ExportBtn->click(); }, {ChooseFile(start_->Path() + "/list.csv")});
    const QList<QByteArray> exported = ReadBytes(start_->Path() + "/list.csv").split('\n');
    QCOMPARE(exported.size(), 5); // a heading, three tests, the end of the last line
    QCOMPARE(exported[0].left(25), "Title,Finished,Station,Op");
}

void TestLibraryWindow::addFolderFeedsCompareUpToTen()
{
    QDir().mkpath(Data("old"));
    for (int test = 1; test <= 11; ++test)
        StoreTestFile(Data(QString("old/t%1.dat").arg(test, 2, 10, QChar('0'))),
                      Test(QString("Old %1").arg(test), 100 + test));
    Start();
    Run([&] { screen_->Library->MenuLibraryAddFolder->trigger(); }, {ChooseFile(Data("old"))});
    QCOMPARE(screen_->StatusBar->currentMessage(), "11 test files added.");
    OpenLibrary(11);
    TLibraryForm* library = Library();
    library->EntryTable->selectAll();
    QStringList alert;
    Run([&] { library->CompareBtn->click(); },
        {PressEnter, [&](QWidget* box) {
             alert.append(qobject_cast<TAlertBox*>(box)->AlertMessage1->text());
             QTest::keyClick(box, Qt::Key_Escape);
         }});
    QCOMPARE(alert, QStringList{"Maximum number of files exceeded!"});
    QCOMPARE(Windows<TGraphMultipleForm>()[0]->ActiveSeries().size(), 10);

    // Again: nothing new.
    Run([&] { screen_->Library->MenuLibraryAddFolder->trigger(); }, {ChooseFile(Data("old"))});
    QCOMPARE(screen_->StatusBar->currentMessage(),
             "0 test files added, 11 already in the library.");
}

void TestLibraryWindow::offlineLibraryNeverHoldsUpASave()
{
    start_->WriteFile("library.ini", "[Library]\nDriver=QPSQL\nHost=" + start_->Path().toUtf8() +
                                         "/no-server\nDatabase=qor\n");
    Start();
    Save("first.dat", Test("First", 100));
    QCOMPARE(ReadBytes(Data("first.dat")).left(7), "First\r\n");
    const QString offline = "The test library is offline; saved tests wait in library.queue until "
                            "it is back. Cannot open the test library (qor on " +
                            start_->Path() + "/no-server): ";
    QTRY_VERIFY(screen_->StatusBar->currentMessage().startsWith(offline));
    screen_->StatusBar->clearMessage();
    Save("second.dat", Test("Second", 100));
    QTRY_COMPARE(ReadBytes(start_->Path() + "/library.queue").count('\n'), 2);
    QTest::qWait(200); // a second offline message would come from the delivering thread
    QCOMPARE(screen_->StatusBar->currentMessage(), QString()); // told once
    QVERIFY(ReadBytes(start_->Path() + "/errors/library.errors.txt")
                .contains("Test library: offline, saved tests wait"));
}

void TestLibraryWindow::activeWindowSetsWindowMenuSaveAndPrint_data()
{
    QTest::addColumn<QString>("before"); // the window active before
    QTest::addColumn<QString>("active");
    QTest::addColumn<bool>("save");
    QTest::addColumn<bool>("print");

    QTest::newRow("library") << "TGraphForm"
                             << "TLibraryForm" << false << false;
    QTest::newRow("trend") << "TGraphForm"
                           << "TLibraryTrendForm" << false << false;
    QTest::newRow("single graph") << "TLibraryTrendForm"
                                  << "TGraphForm" << true << true;
    QTest::newRow("multiple graph") << "TLibraryForm"
                                    << "TGraphMultipleForm" << false << true;
}

void TestLibraryWindow::activeWindowSetsWindowMenuSaveAndPrint()
{
    QFETCH(QString, before);
    QFETCH(QString, active);
    QFETCH(bool, save);
    QFETCH(bool, print);
    OpenEveryKindOfWindow();
    const auto activate = [this](const QString& kind) {
        for (QMdiSubWindow* child : screen_->MdiArea->subWindowList()) {
            if (child->widget()->metaObject()->className() == kind)
                screen_->MdiArea->setActiveSubWindow(child);
        }
        QCOMPARE(screen_->MdiArea->activeSubWindow()->widget()->metaObject()->className(), kind);
    };
    activate(before);
    activate(active);
    QCOMPARE(screen_->MenuFileSave->isEnabled(), save);
    QCOMPARE(screen_->SpeedSaveAsBtn->isEnabled(), save);
    QCOMPARE(screen_->MenuFilePrint->isEnabled(), print);
    QCOMPARE(screen_->SpeedPrintBtn->isEnabled(), print);
}

// The window on its own, given rows as the library gives them: ids in the order stored.
void TestLibraryWindow::readingAgainKeepsSelectionCurrentRowAndScroll()
{
    QList<LibraryEntry> stored;
    const auto store = [&stored](const QString& file, const QString& title) {
        LibraryEntry entry;
        entry.id = stored.size() + 1;
        entry.station = "bench-1";
        entry.path = "/data/" + file;
        entry.title = title;
        entry.finished = QDateTime(QDate(2026, 3, 1), QTime(8, 0), Qt::UTC).addSecs(60 * entry.id);
        stored.append(entry);
    };
    for (int test = 1; test <= 300; ++test)
        store(QString("t%1.dat").arg(test), QString("Test %1").arg(test));
    TLibraryForm library({[&stored](qint64 after) { return stored.mid(after); }, [](QWidget*) {}});
    library.Reload();
    library.show();
    QVERIFY(QTest::qWaitForWindowExposed(&library));
    EntryTableModel* list = library.Entries;
    const auto rowOf = [list](const QString& title) {
        return list->match(list->index(0, 0), Qt::DisplayRole, title, 1, Qt::MatchExactly)
            .value(0)
            .row();
    };
    QItemSelectionModel* selection = library.EntryTable->selectionModel();
    for (const char* title : {"Test 150", "Test 140", "Test 100"})
        selection->select(list->index(rowOf(title), 0),
                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    selection->setCurrentIndex(list->index(rowOf("Test 140"), 2), QItemSelectionModel::NoUpdate);
    library.EntryTable->verticalScrollBar()->setValue(120);

    // Another station saves a test, and Test 140 is saved again under a new title: its newer row
    // takes the place of the old, at the top of the newest-first list.
    store("t301.dat", "Test 301");
    store("t140.dat", "Test 140, again");
    library.RefreshBtn->click();
    QTest::qWait(50); // the view lays its rows out again

    QCOMPARE(library.CountLabel->text(), "301 of 301 tests");
    QStringList selected;
    for (const QModelIndex& row : selection->selectedRows())
        selected.append(row.data().toString());
    selected.sort();
    QCOMPARE(selected, (QStringList{"Test 100", "Test 140, again", "Test 150"}));
    QCOMPARE(library.EntryTable->currentIndex(), list->index(rowOf("Test 140, again"), 2));
    QCOMPARE(library.EntryTable->verticalScrollBar()->value(), 120);
    QVERIFY(library.OpenBtn->isEnabled());
}

void TestLibraryWindow::trendDrawnAgainShowsWhatANewChartShows_data()
{
    QTest::addColumn<Trend>("before");
    QTest::addColumn<Trend>("after");
    QTest::addColumn<QString>("values"); // the value axis: every line, in nice numbers

    const double hour = 3'600'000;
    const double start = QDateTime(QDate(2026, 3, 1), QTime(8, 0), Qt::UTC).toMSecsSinceEpoch();
    const Trend plain{.points{{start, 10}, {start + hour, 14}, {start + 2 * hour, 12}},
                      .mean = 12,
                      .lowerControl = 6,
                      .upperControl = 18};
    const Trend limited{.points{{start + 5 * hour, 100}, {start + 9 * hour, 140}},
                        .mean = 120,
                        .lowerControl = 60,
                        .upperControl = 180,
                        .low = 40,
                        .high = 200};
    QTest::newRow("limits, then none") << limited << plain << "5 to 20 in 4 ticks";
    QTest::newRow("none, then limits") << plain << limited << "0 to 250 in 6 ticks";
    QTest::newRow("one test, then three")
        << Trend{.points{{start, 5}}, .mean = 5} << plain << "5 to 20 in 4 ticks";
    QTest::newRow("tests, then none") << limited << Trend{} << "0 to 250 in 6 ticks";
}

void TestLibraryWindow::trendDrawnAgainShowsWhatANewChartShows()
{
    QFETCH(Trend, before);
    QFETCH(Trend, after);
    QFETCH(QString, values);
    const auto shownChart = [] {
        std::unique_ptr<QChartView> view(CreateTrendChart(nullptr));
        view->resize(700, 460);
        view->show();
        return view;
    };
    const std::unique_ptr<QChartView> again = shownChart();
    QVERIFY(QTest::qWaitForWindowExposed(again.get()));
    DrawTrend(again.get(), before, "Before", "Force (lbs.)");
    DrawTrend(again.get(), after, "After", "Force (kg)");
    const std::unique_ptr<QChartView> fresh = shownChart();
    DrawTrend(fresh.get(), after, "After", "Force (kg)");
    QCOMPARE(Lines(again.get()), Lines(fresh.get()));
    QCOMPARE(Axes(again.get()).last(), values); // without tests, as they were
    if (!after.points.isEmpty())
        QCOMPARE(Axes(again.get()), Axes(fresh.get()));
}

// The library window and the Results panel share the main window's Alt keys with the menu bar:
// a field's letter moves the focus to it at the first press, a button's letter is its own.
void TestLibraryWindow::altLettersReachTheirOwnFieldOrButton()
{
    Start();
    screen_->Results->MenuResultsPanel->setChecked(true);
    OpenLibrary(0);
    screen_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(screen_.get()));

    QMultiMap<Qt::Key, QObject*> owners; // menus, buttons and the fields that labels name
    QSet<QObject*> fields;
    const auto own = [&owners](const QString& text, QObject* owner) {
        const QKeySequence letter = QKeySequence::mnemonic(text);
        if (!letter.isEmpty())
            owners.insert(letter[0].key(), owner);
    };
    for (QAction* menu : screen_->menuBar()->actions())
        own(menu->text(), menu);
    for (QWidget* form : {static_cast<QWidget*>(Library()),
                          static_cast<QWidget*>(screen_->findChild<TResultsPanel*>())}) {
        for (auto* button : form->findChildren<QAbstractButton*>()) {
            own(button->text(), button);
            if (qobject_cast<QCheckBox*>(button))
                fields.insert(button);
        }
        for (auto* label : form->findChildren<QLabel*>())
            if (label->buddy()) {
                own(label->text(), label->buddy());
                fields.insert(label->buddy());
            }
    }

    for (const Qt::Key letter : owners.uniqueKeys()) {
        const QList<QObject*> sharing = owners.values(letter);
        // Fields may share a letter (the presses take turns); a menu or a button may not.
        const bool fieldsOnly =
            std::ranges::all_of(sharing, [&](QObject* owner) { return fields.contains(owner); });
        QVERIFY2(sharing.size() == 1 || fieldsOnly, qPrintable(QKeySequence(letter).toString()));
        if (sharing.size() == 1 && fields.contains(sharing.first())) {
            QTest::keyClick(screen_.get(), letter, Qt::AltModifier);
            QCOMPARE(QApplication::focusWidget(), sharing.first());
            QVERIFY(!QApplication::activePopupWidget());
        }
    }
}

void TestLibraryWindow::cascadeKeepsTheSizeEachWindowOpenedWith()
{
    OpenEveryKindOfWindow();
    QMap<QString, QSize> opened;
    for (QMdiSubWindow* child : screen_->MdiArea->subWindowList())
        opened.insert(child->widget()->metaObject()->className(), child->size());
    QCOMPARE(opened.size(), 4);
    screen_->MenuWindowCascade->trigger();
    for (QMdiSubWindow* child : screen_->MdiArea->subWindowList())
        QCOMPARE(child->size(), opened.value(child->widget()->metaObject()->className()));
}

QTEST_MAIN(TestLibraryWindow)
#include "tst_librarywindow.moc"
