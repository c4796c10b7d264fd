// The file commands of the real main window, driven as an operator does: keyboard shortcuts, the
// real (non-native) file dialogs, the prompts and alerts; then the bytes and pages written.
#include "app/mainscreen.h"
#include "config/initializingbox.h"
#include "config/settings.h"
#include "dialogs/operatorentrybox.h"
#include "filebytes.h"
#include "graph/graphform.h"
#include "graph/graphmultipleform.h"
#include "graph/testfile.h"
#include "modalanswers.h"
#include "temporarystartdirectory.h"
#include "unwritablefolder.h"

#include <QComboBox>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

using Answer = ModalAnswers::Answer;

QStringList Test(const QString& title, int force)
{
    return {title,
            "Maximum",
            "X,Y",
            "0010,0100",
            QStringLiteral("0020,%1").arg(force, 4, 10, QChar('0')),
            "TM"};
}
const QStringList Oak = Test(QString::fromLatin1("Oak \xe9"), 200);
const QByteArray OakHead = "Oak \xe9\r\nMaximum\r\n";

// Picks the filter, enters the name and presses Enter once this answer has returned, so that the
// question whether to replace a file can be answered in turn.
Answer EnterFileName(const QString& name, int filter = 0)
{
    return [=](QWidget* dialog) {
        auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
        for (types->setFocus(); types->currentIndex() < filter;)
            QTest::keyClick(types, Qt::Key_Down);
        auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
        QCOMPARE(edit->text(), QString()); // every use starts with an empty name
        edit->setText(name);
        QTimer::singleShot(0, edit, [edit] { QTest::keyClick(edit, Qt::Key_Return); });
    };
}

// Notes what a message box, the error report or an alert says, and presses Enter.
Answer Read(QStringList& told)
{
    return [&told](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            told.append(box->text());
        for (const QLabel* label :
             modal->findChildren<QLabel*>(QRegularExpression("^AlertMessage")))
            told.append(label->text());
        if (auto* ok = modal->findChild<QPushButton*>("AlertOKBitBtn"))
            told.append(ok->isEnabled() ? "OK enabled" : "OK disabled");
        QTest::keyClick(modal, Qt::Key_Return);
    };
}

const Answer ReplaceFile = [](QWidget* box) {
    qobject_cast<QMessageBox*>(box)->button(QMessageBox::Yes)->click();
};

Answer WindowTitle(const QString& title)
{
    return [title](QWidget*) {
        QCOMPARE(ActOperatorEntryBox->EntryPromptLabel->text(),
                 QStringLiteral("Enter Window Title:"));
        ActOperatorEntryBox->EntryInputEdit->setText(title);
        QTest::keyClick(ActOperatorEntryBox->EntryInputEdit, Qt::Key_Return);
    };
}

QString Poppler(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    return process.waitForFinished() ? QString::fromUtf8(process.readAllStandardOutput())
                                     : QString();
}

} // namespace

class TestFileCommands : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(runtime_.isValid());
        qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());
        qputenv("CUPS_SERVER", "/nonexistent/cups.sock"); // no printer, whatever the machine has
        ActOperatorEntryBox = new TActOperatorEntryBox;
    }
    void init();
    void cleanup()
    {
        screen_.reset();
        start_.reset();
        ColorGraph = true;
        ApplyUnits(true);
    }
    void savesAndExportsByTheEnding_data();
    void savesAndExportsByTheEnding();
    void failedSaveKeepsTheOldFileAndTheMark_data();
    void failedSaveKeepsTheOldFileAndTheMark();
    void multipleWindowComparesTenTests_data();
    void multipleWindowComparesTenTests();
    void printPutsTheChartOnOnePage_data();
    void printPutsTheChartOnOnePage();
    void dropOpensTestFiles();
    void commandsWithoutAGraphWindowDisableThemselves();

private:
    // Runs a command; each dialog it opens is answered in turn.
    void Run(const std::function<void()>& command, const QList<Answer>& answers)
    {
        ModalAnswers answering(answers);
        command();
        QVERIFY(answering.AllAnswered());
        QVERIFY(!answering.WatchdogFired());
    }
    // The offscreen platform does not always give the window back its activation when a dialog
    // closes, and shortcuts work only in the active window.
    void Shortcut(QKeyCombination keys)
    {
        screen_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(screen_.get()));
        QApplication::setActiveWindow(screen_.get());
        QTest::keyClick(screen_.get(), keys.key(), keys.keyboardModifiers());
    }
    TGraphForm* AddUnsavedTest(const QStringList& lines)
    {
        auto* graph = new TGraphForm;
        graph->SetLines(lines);
        graph->GraphDataMemo->document()->setModified(true);
        screen_->AddGraphWindow(graph);
        return graph;
    }
    QWidget* Active() const { return screen_->MdiArea->currentSubWindow()->widget(); }
    QString Data(const QString& name) const { return start_->Path() + "/data/" + name; }

    QTemporaryDir runtime_;
    std::unique_ptr<TemporaryStartDirectory> start_;
    std::unique_ptr<TMainScreen> screen_;
};

void TestFileCommands::init()
{
    start_ = std::make_unique<TemporaryStartDirectory>();
    start_->WriteFile("QOR.dat", "header\r\n");
    ModalAnswers startUp(
        {[](QWidget* box) { qobject_cast<TInitializingBox*>(box)->Timer1->setInterval(0); }});
    screen_ = std::make_unique<TMainScreen>();
    QVERIFY(startUp.AllAnswered());
    screen_->OpenDialog->setOption(QFileDialog::DontUseNativeDialog);
    screen_->SaveDialog->setOption(QFileDialog::DontUseNativeDialog);
    screen_->resize(1000, 800);
    screen_->show();
}

void TestFileCommands::savesAndExportsByTheEnding_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("filter");
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QByteArray>("bytes");

    const QByteArray dat = OakHead + "X,Y\r\n0010,0100\r\n0020,0200\r\nTM\r\n";
    QTest::newRow("test file") << "oak" << 0 << true << "oak.dat" << dat;
    QTest::newRow("test file ending in capitals") << "OAK.DAT" << 0 << true << "OAK.DAT" << dat;
    QTest::newRow("export by its filter")
        << "oak" << 1 << true << "oak.csv"
        << OakHead + "Displacement(in.),Force(lbs.),Test "
                     "Start\r\n0.010,100\r\n0.020,200\r\n,,Maximum Force Stop\r\n";
    QTest::newRow("export ending in capitals, metric")
        << "OAK.CSV" << 0 << false << "OAK.CSV"
        << OakHead + "Displacement(cm),Force(kg),Test Start\r\n0.025,45\r\n0.051,91\r\n,,Maximum "
                     "Force Stop\r\n";
    QTest::newRow("other ending") << "oak.txt" << 0 << true << "" << QByteArray();
}

void TestFileCommands::savesAndExportsByTheEnding()
{
    QFETCH(QString, typed);
    QFETCH(int, filter);
    QFETCH(bool, english);
    QFETCH(QString, written);
    QFETCH(QByteArray, bytes);

    ApplyUnits(english);
    TGraphForm* graph = AddUnsavedTest(Oak);
    QStringList told;
    Run([&] { Shortcut(Qt::CTRL | Qt::Key_S); },
        written.isEmpty() ? QList{EnterFileName(typed, filter), Read(told)}
                          : QList{EnterFileName(typed, filter)});

    QCOMPARE(QDir(Data("")).entryList(QDir::Files),
             written.isEmpty() ? QStringList() : QStringList{written});
    QCOMPARE(ReadBytes(Data(written)), bytes);
    const bool testFile = written.endsWith(".dat", Qt::CaseInsensitive);
    QCOMPARE(graph->windowTitle(), testFile ? Data(written) : "Unsaved Graph");
    QCOMPARE(graph->GraphDataMemo->document()->isModified(), !testFile);
    QCOMPARE(screen_->SaveDialog->selectedNameFilter(), QStringLiteral("QOR files (*.dat)"));
    if (written.isEmpty()) {
        QCOMPARE(told, QStringList{"Nothing was saved to \"" + Data(typed) +
                                   "\": test files end in .dat and exports in .csv."});
    } else if (testFile) { // opened again, line for line
        Run([&] { Shortcut(Qt::CTRL | Qt::Key_O); }, {EnterFileName(written)});
        QCOMPARE(qobject_cast<TGraphForm*>(Active())->Lines(), Oak);
        QCOMPARE(Active()->windowTitle(), written);
    } else { // exported again, byte for byte
        Run([&] { screen_->SpeedSaveAsBtn->click(); }, {EnterFileName(written), ReplaceFile});
        QCOMPARE(ReadBytes(Data(written)), bytes);
    }
}

void TestFileCommands::failedSaveKeepsTheOldFileAndTheMark_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");
    QTest::newRow("read-only folder") << int(UnwritableFolder::ReadOnly) << Oak << "oak.dat"
                                      << "";
    QTest::newRow("full device") << int(UnwritableFolder::Full) << Oak << "oak.dat"
                                 << "";
    QTest::newRow("character a test file cannot hold") << -1 << Test("Oak \u20ac", 100) << "oak.dat"
                                                       << "Line 1 holds \"\u20ac\"";
    // Past the end of the plotted records: the chart shows the test, the export meets the record.
    QTest::newRow("export of a record that is not a number")
        << -1 << Oak + QStringList{"00x0,0010"} << "oak.csv"
        << "'00x0' is not a valid integer value";
}

void TestFileCommands::failedSaveKeepsTheOldFileAndTheMark()
{
    QFETCH(int, fault);
    QFETCH(QStringList, lines);
    QFETCH(QString, name);
    QFETCH(QString, reason);

    TGraphForm* graph = AddUnsavedTest(lines);
    std::optional<UnwritableFolder> folder;
    QString path = Data(name);
    if (fault >= 0) {
        folder.emplace(UnwritableFolder::Fault(fault), name, "old test\r\n");
        if (!folder->Unavailable().isEmpty())
            QSKIP(qPrintable(folder->Unavailable()));
        path = folder->Path() + '/' + name;
    } else {
        StoreTestFile(path, {"old test"});
    }
    const QStringList before = QFileInfo(path).dir().entryList(QDir::Files);
    QStringList told;
    Run([&] { screen_->MenuFileSave->trigger(); }, {EnterFileName(path), ReplaceFile, Read(told)});

    QCOMPARE(ReadBytes(path), QByteArray("old test\r\n"));
    QCOMPARE(QFileInfo(path).dir().entryList(QDir::Files), before);
    QVERIFY(graph->GraphDataMemo->document()->isModified());
    QCOMPARE(graph->windowTitle(), QStringLiteral("Unsaved Graph"));
    QCOMPARE(told.size(), 1);
    QVERIFY2(told[0].contains(path) && told[0].contains(reason), qPrintable(told[0]));
}

void TestFileCommands::multipleWindowComparesTenTests_data()
{
    QTest::addColumn<bool>("colour");
    QTest::addColumn<QStringList>("colours");
    QTest::newRow("colour") << true
                            << QStringList{"#ff0000", "#008000", "#ffff00", "#0000ff", "#808080",
                                           "#ff00ff", "#008080", "#000080", "#800000", "#00ff00"};
    QTest::newRow("black") << false << QStringList(10, "#000000");
}

void TestFileCommands::multipleWindowComparesTenTests()
{
    QFETCH(bool, colour);
    QFETCH(QStringList, colours);

    ColorGraph = colour;
    QStringList expected;
    for (int test = 1; test <= 11; ++test) {
        const QString title =
            test == 2 ? "Sixteen letters, then more" : QString("Test %1").arg(test);
        StoreTestFile(Data(QString("t%1.dat").arg(test)), Test(title, 100 * test));
        expected.append(title.left(16) + ' ' + colours.value(test - 1));
    }
    expected.removeLast();
    const auto openMultiple = [&](int test, QList<Answer> more = {}) {
        Run([&] { Shortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_O); },
            QList<Answer>{EnterFileName(QString("t%1.dat").arg(test))} + more);
    };
    openMultiple(1, {WindowTitle("Ten specimens")});
    for (int test = 2; test <= 10; ++test)
        openMultiple(test);
    QStringList told;
    openMultiple(11, {Read(told)});
    QCOMPARE(told, (QStringList{"Maximum number of files exceeded!", "Click 'CANCEL' to cancel.",
                                "OK disabled"}));

    auto* window = qobject_cast<TGraphMultipleForm*>(Active());
    QCOMPARE(screen_->MdiArea->subWindowList().size(), 1);
    QCOMPARE(window->windowTitle(), QStringLiteral("Ten specimens"));
    QVERIFY(!screen_->MenuFileSave->isEnabled() && screen_->SpeedPrintBtn->isEnabled());
    const auto curves = [&] {
        QStringList described;
        for (QLineSeries* series : window->ActiveSeries())
            described.append(series->name() + ' ' + series->color().name() + ' ' +
                             QString::number(series->points().size()));
        return described;
    };
    for (QString& curve : expected)
        curve += " 2";
    QCOMPARE(curves(), expected);

    // Repaints, resizes, a window passing over and a change of the colour setting add nothing.
    ColorGraph = !colour;
    for (int paint = 0; paint < 3; ++paint) {
        window->parentWidget()->resize(window->parentWidget()->size() + QSize(10, 10));
        QWidget other;
        other.setGeometry(window->geometry());
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        window->repaint();
    }
    QCOMPARE(curves(), expected);
    window->DataShowBitBtn->click();
    QCOMPARE(window->GraphDataMemo->toPlainText(), Test("Test 10", 1000).join('\n'));

    // With a single test window active, the next file starts a new multiple window.
    Run([&] { screen_->MenuFileOpen->trigger(); }, {EnterFileName("t1.dat")});
    openMultiple(2, {WindowTitle("Second")});
    QCOMPARE(screen_->MdiArea->subWindowList().size(), 3);
    QCOMPARE(window->ActiveSeries().size(), 10);
}

void TestFileCommands::printPutsTheChartOnOnePage_data()
{
    QTest::addColumn<bool>("colour");
    QTest::addColumn<bool>("chosenInSetup");
    QTest::newRow("no printer, colour: a PDF file in the data folder") << true << false;
    QTest::newRow("PDF file chosen in Print Setup, black") << false << true;
}

void TestFileCommands::printPutsTheChartOnOnePage()
{
    QFETCH(bool, colour);
    QFETCH(bool, chosenInSetup);

    ColorGraph = colour;
    AddUnsavedTest(Oak);
    const QString pdf = chosenInSetup ? start_->Path() + "/chosen.pdf" : Data("Unsaved Graph.pdf");
    QStringList told;
    if (chosenInSetup) {
        Run([&] { screen_->MenuFilePrintSetup->trigger(); }, {[&](QWidget* setup) {
                auto* file = setup->findChild<QLineEdit*>("filename");
                file->setText(pdf);
                QTest::keyClick(file, Qt::Key_Return);
            }});
    }
    Run([&] { Shortcut(Qt::CTRL | Qt::Key_P); },
        chosenInSetup ? QList<Answer>{} : QList{Read(told)});
    QVERIFY((chosenInSetup ? screen_->StatusBar->currentMessage() : told.value(0)).contains(pdf));

    QVERIFY(Poppler("pdfinfo", {pdf}).contains(QRegularExpression("Pages: +1\n")));
    const QString text = Poppler("pdftotext", {pdf, "-"});
    for (const char* drawn : {"Oak \u00e9", "Maximum Force=200 at Displacement=0.02",
                              "Force (lbs.)", "Displacement (in.)"})
        QVERIFY2(text.contains(QString::fromUtf8(drawn)), drawn);
    QCOMPARE(Poppler("pdfimages", {"-list", pdf}).count('\n'), 2); // lines and text, no picture
    Poppler("pdftoppm", {"-r", "40", "-png", "-singlefile", pdf, start_->Path() + "/page"});
    const QImage page(start_->Path() + "/page.png");
    QVERIFY(!page.isNull());
    bool red = false;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QColor pixel = page.pixelColor(x, y);
            red = red || (pixel.red() > 200 && pixel.green() < 90 && pixel.blue() < 90);
        }
    }
    QCOMPARE(red, colour);
}

void TestFileCommands::dropOpensTestFiles()
{
    QStringList bad = Oak;
    bad.insert(3, "00x0,0010");
    StoreTestFile(Data("notes.dat"), {"Calibration notes", "Spring 12 checked"});
    StoreTestFile(Data("bad.DAT"), bad);
    StoreTestFile(Data("b.csv"), Oak);
    QMimeData dropped;
    dropped.setUrls({QUrl::fromLocalFile(Data("notes.dat")), QUrl::fromLocalFile(Data("bad.DAT")),
                     QUrl::fromLocalFile(Data("b.csv"))});
    QDragEnterEvent enter(QPoint(500, 400), Qt::CopyAction, &dropped, Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(screen_.get(), &enter);
    QVERIFY(enter.isAccepted());
    QStringList told;
    Run(
        [&] {
            QDropEvent drop(QPointF(500, 400), Qt::CopyAction, &dropped, Qt::LeftButton,
                            Qt::NoModifier);
            QApplication::sendEvent(screen_.get(), &drop);
            QTRY_COMPARE(told.size(), 2);
        },
        {Read(told), Read(told)});
    QCOMPARE(screen_->MdiArea->subWindowList().size(), 2);
    QCOMPARE(Active()->windowTitle(), QStringLiteral("bad.DAT"));
    QCOMPARE(told, QStringList({"\"" + QDir::toNativeSeparators(Data("notes.dat")) +
                                    "\" does not hold a test: its third line is not \"X,Y\". It "
                                    "is shown as it is.",
                                "In \"bad.DAT\": '00x0' is not a valid integer value"}));
}

// Save and Print left enabled with no graph window disable themselves and open nothing.
void TestFileCommands::commandsWithoutAGraphWindowDisableThemselves()
{
    for (QAction* command : {screen_->MenuFileSave, screen_->MenuFilePrint}) {
        screen_->SetSaveAndPrintEnabled(true, true);
        Run([&] { command->trigger(); }, {});
        QVERIFY(!screen_->MenuFileSave->isEnabled() && !screen_->SpeedSaveAsBtn->isEnabled());
        QVERIFY(!screen_->MenuFilePrint->isEnabled() && !screen_->SpeedPrintBtn->isEnabled());
    }
}

QTEST_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
