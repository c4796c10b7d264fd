// The file commands of the real main window, driven as an operator does: keyboard shortcuts, the
// real (non-native) file dialogs typed into, the prompts and alerts answered; then the bytes and
// pages written are checked.
#include "app/mainscreen.h"
#include "config/initializingbox.h"
#include "config/settings.h"
#include "dialogs/operatorentrybox.h"
#include "graph/graphform.h"
#include "graph/graphmultipleform.h"
#include "graph/testfile.h"
#include "modalanswers.h"
#include "platform/termination.h"
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

const QStringList Oak{QString::fromLatin1("Oak \xe9"),
                      QStringLiteral("Maximum Force (lbs.)=200 at Displacement (in.)=0.020"),
                      QStringLiteral("X,Y"),
                      QStringLiteral("0010,0100"),
                      QStringLiteral("0020,0200"),
                      QStringLiteral("TM")};
const QByteArray OakHead = "Oak \xe9\r\nMaximum Force (lbs.)=200 at Displacement (in.)=0.020\r\n";

QStringList Test(const QString& title, int force)
{
    return {title,
            QStringLiteral("Maximum"),
            QStringLiteral("X,Y"),
            QStringLiteral("0010,0005"),
            QStringLiteral("0020,%1").arg(force, 4, 10, QLatin1Char('0')),
            QStringLiteral("TM")};
}

// Picks the filter at filterIndex, enters the name and presses Enter, as an operator does.
Answer TypeFileName(const QString& name, int filterIndex = 0)
{
    return [=](QWidget* modal) {
        auto* types = modal->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        for (types->setFocus(); types->currentIndex() < filterIndex;)
            QTest::keyClick(types, Qt::Key_Down);
        auto* edit = modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QCOMPARE(edit->text(), QString()); // every use starts with an empty name
        edit->setText(name);
        // Pressed once this answer has returned, so that the question whether to replace a file
        // can be answered in turn.
        QTimer::singleShot(0, edit, [edit] { QTest::keyClick(edit, Qt::Key_Return); });
    };
}

// Notes what a message box, the error report or an alert says, and answers with Enter.
Answer Read(QStringList& told)
{
    return [&told](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            told.append(box->text());
        for (const QLabel* label :
             modal->findChildren<QLabel*>(QRegularExpression("^AlertMessage")))
            told.append(label->text());
        if (auto* ok = modal->findChild<QPushButton*>(QStringLiteral("AlertOKBitBtn")))
            told.append(ok->isEnabled() ? "OK enabled" : "OK disabled");
        QTest::keyClick(modal, Qt::Key_Return);
    };
}

Answer Press(QMessageBox::StandardButton button)
{
    return [button](QWidget* modal) { qobject_cast<QMessageBox*>(modal)->button(button)->click(); };
}

Answer WindowTitle(const QString& title)
{
    return [title](QWidget*) {
        QCOMPARE(ActOperatorEntryBox->EntryPromptLabel->text(),
                 QStringLiteral("Enter Window Title:"));
        ActOperatorEntryBox->EntryInputEdit->setText(title);
        QTest::keyClick(ActOperatorEntryBox->EntryInputEdit, Qt::Key_Return);
    };
}

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What a poppler tool says about a PDF file.
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
    void initTestCase();
    void init();
    void cleanup();
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
    void Run(const std::function<void()>& command, const QList<Answer>& answers);
    // Presses a shortcut in the main window.
    void Shortcut(QKeyCombination keys);
    TGraphForm* AddUnsavedTest(const QStringList& lines);
    QString Data(const QString& name) const { return QDir(DataFolder).filePath(name); }

    QTemporaryDir runtime_;
    std::unique_ptr<TemporaryStartDirectory> start_;
    std::unique_ptr<TMainScreen> screen_;
    QString DataFolder;
};

void TestFileCommands::initTestCase()
{
    QVERIFY(runtime_.isValid());
    qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());
    qputenv("CUPS_SERVER", "/nonexistent/cups.sock"); // no printer, whatever this machine has
    ActOperatorEntryBox = new TActOperatorEntryBox;
}

void TestFileCommands::init()
{
    Termination::Withdraw();
    start_ = std::make_unique<TemporaryStartDirectory>();
    start_->WriteFile(QStringLiteral("QOR.dat"), "header\r\n");
    DataFolder = QDir(start_->Path()).filePath(QStringLiteral("data"));
    ModalAnswers startUp(
        {[](QWidget* box) { qobject_cast<TInitializingBox*>(box)->Timer1->setInterval(0); }});
    screen_ = std::make_unique<TMainScreen>();
    QVERIFY(startUp.AllAnswered());
    screen_->OpenDialog->setOption(QFileDialog::DontUseNativeDialog);
    screen_->SaveDialog->setOption(QFileDialog::DontUseNativeDialog);
    screen_->resize(1000, 800);
    screen_->show();
    QVERIFY(QTest::qWaitForWindowActive(screen_.get()));
}

void TestFileCommands::cleanup()
{
    screen_.reset();
    start_.reset();
    ColorGraph = true;
    ApplyUnits(true);
}

void TestFileCommands::Run(const std::function<void()>& command, const QList<Answer>& answers)
{
    ModalAnswers answering(answers);
    command();
    QVERIFY(answering.AllAnswered());
    QVERIFY(!answering.WatchdogFired());
}

void TestFileCommands::Shortcut(QKeyCombination keys)
{
    // The offscreen platform does not always give the window back its activation when a dialog
    // closes, and shortcuts work only in the active window.
    screen_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(screen_.get()));
    QApplication::setActiveWindow(screen_.get());
    QTest::keyClick(screen_.get(), keys.key(), keys.keyboardModifiers());
}

TGraphForm* TestFileCommands::AddUnsavedTest(const QStringList& lines)
{
    auto* graph = new TGraphForm;
    graph->SetLines(lines);
    graph->GraphDataMemo->document()->setModified(true);
    screen_->AddGraphWindow(graph);
    return graph;
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
        << OakHead + "Displacement(in.),Force(lbs.),Test Start\r\n0.010,100\r\n0.020,200\r\n"
                     ",,Maximum Force Stop\r\n";
    QTest::newRow("export ending in capitals, metric")
        << "OAK.CSV" << 0 << false << "OAK.CSV"
        << OakHead + "Displacement(cm),Force(kg),Test Start\r\n0.025,45\r\n0.051,91\r\n"
                     ",,Maximum Force Stop\r\n";
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
    QList<Answer> answers{TypeFileName(typed, filter)};
    if (written.isEmpty())
        answers.append(Read(told));
    Run([&] { Shortcut(Qt::CTRL | Qt::Key_S); }, answers);

    QCOMPARE(QDir(DataFolder).entryList(QDir::Files),
             written.isEmpty() ? QStringList() : QStringList{written});
    QCOMPARE(Bytes(Data(written)), bytes);
    const bool testFile = written.endsWith(QStringLiteral(".dat"), Qt::CaseInsensitive);
    QCOMPARE(graph->windowTitle(), testFile ? Data(written) : QStringLiteral("Unsaved Graph"));
    QCOMPARE(graph->GraphDataMemo->document()->isModified(), !testFile);
    QCOMPARE(screen_->SaveDialog->selectedNameFilter(), QStringLiteral("QOR files (*.dat)"));
    if (written.isEmpty()) {
        QCOMPARE(told,
                 QStringList{
                     QStringLiteral(
                         "Nothing was saved to \"%1\": test files end in .dat and exports in .csv.")
                         .arg(Data(typed))});
        return;
    }
    // Opened again, a saved test comes back line for line; an export once more gives the same
    // bytes.
    if (testFile) {
        Run([&] { Shortcut(Qt::CTRL | Qt::Key_O); }, {TypeFileName(written)});
        auto* opened = qobject_cast<TGraphForm*>(screen_->MdiArea->currentSubWindow()->widget());
        QCOMPARE(opened->Lines(), Oak);
        QCOMPARE(opened->windowTitle(), written);
        QVERIFY(!opened->GraphDataMemo->document()->isModified());
    } else {
        Run([&] { screen_->SpeedSaveAsBtn->click(); },
            {TypeFileName(written), Press(QMessageBox::Yes)});
        QCOMPARE(Bytes(Data(written)), bytes);
    }
}

void TestFileCommands::failedSaveKeepsTheOldFileAndTheMark_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("reason");

    QTest::newRow("read-only folder") << int(UnwritableFolder::ReadOnly) << Oak << "";
    QTest::newRow("full device") << int(UnwritableFolder::Full) << Oak << "";
    QTest::newRow("character a test file cannot hold")
        << -1 << Test(QStringLiteral("Oak 5 \u20ac"), 100) << "Line 1 holds \"\u20ac\"";
}

void TestFileCommands::failedSaveKeepsTheOldFileAndTheMark()
{
    QFETCH(int, fault);
    QFETCH(QStringList, lines);
    QFETCH(QString, reason);

    const QByteArray old = "old test\r\n";
    TGraphForm* graph = AddUnsavedTest(lines);
    std::unique_ptr<UnwritableFolder> folder;
    QString path = Data(QStringLiteral("oak.dat"));
    StoreTestFile(path, {QStringLiteral("old test")});
    if (fault >= 0) {
        folder = std::make_unique<UnwritableFolder>(UnwritableFolder::Fault(fault), "oak.dat", old);
        if (!folder->Unavailable().isEmpty())
            QSKIP(qPrintable(folder->Unavailable()));
        path = QDir(folder->Path()).filePath(QStringLiteral("oak.dat"));
    }
    const QStringList before = QDir(QFileInfo(path).path()).entryList(QDir::Files);
    QStringList told;
    Run([&] { screen_->MenuFileSave->trigger(); },
        {TypeFileName(path), Press(QMessageBox::Yes), Read(told)});

    QCOMPARE(Bytes(path), old);
    QCOMPARE(QDir(QFileInfo(path).path()).entryList(QDir::Files), before);
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
    QStringList names;
    for (int test = 1; test <= 11; ++test) {
        const QString title = test % 2 ? QStringLiteral("Short %1").arg(test)
                                       : QStringLiteral("Sixteen letters, then %1").arg(test);
        names.append(test % 2 ? title : QStringLiteral("Sixteen letters,"));
        StoreTestFile(Data(QStringLiteral("t%1.dat").arg(test)), Test(title, 100 * test));
    }
    const auto openMultiple = [&](int test, QList<Answer> more = {}) {
        Run([&] { Shortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_O); },
            QList<Answer>{TypeFileName(QStringLiteral("t%1.dat").arg(test))} + more);
    };
    openMultiple(1, {WindowTitle(QStringLiteral("Ten specimens"))});
    for (int test = 2; test <= 10; ++test)
        openMultiple(test);
    QStringList told;
    openMultiple(11, {Read(told)});
    QCOMPARE(told, (QStringList{"Maximum number of files exceeded!", "Click 'CANCEL' to cancel.",
                                "OK disabled"}));

    QCOMPARE(screen_->MdiArea->subWindowList().size(), 1);
    auto* window =
        qobject_cast<TGraphMultipleForm*>(screen_->MdiArea->currentSubWindow()->widget());
    QCOMPARE(window->windowTitle(), QStringLiteral("Ten specimens"));
    QVERIFY(!screen_->MenuFileSave->isEnabled());
    QVERIFY(screen_->SpeedPrintBtn->isEnabled());
    const auto curves = [&] {
        QStringList described;
        for (QLineSeries* series : window->ActiveSeries())
            described.append(series->name() + ' ' + series->color().name() + ' ' +
                             QString::number(series->points().size()));
        return described;
    };
    QStringList expected;
    for (int test = 0; test < 10; ++test)
        expected.append(names[test] + ' ' + colours[test] + " 2");
    QCOMPARE(curves(), expected);

    // Repaints, a resize, a window passing over and a change of the colour setting add nothing.
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
    QCOMPARE(
        window->GraphDataMemo->toPlainText(),
        Test(names[9].startsWith('S') ? QStringLiteral("Sixteen letters, then 10") : names[9], 1000)
            .join('\n'));

    // With a single-test window active, the next file starts a new multiple window.
    Run([&] { screen_->MenuFileOpen->trigger(); }, {TypeFileName(QStringLiteral("t1.dat"))});
    openMultiple(2, {WindowTitle(QStringLiteral("Second"))});
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
    QString pdf = Data(QStringLiteral("Unsaved Graph.pdf"));
    QStringList told;
    if (chosenInSetup) {
        pdf = QDir(start_->Path()).filePath(QStringLiteral("chosen.pdf"));
        Run([&] { screen_->MenuFilePrintSetup->trigger(); }, {[&](QWidget* setup) {
                auto* file = setup->findChild<QLineEdit*>(QStringLiteral("filename"));
                file->setText(pdf);
                QTest::keyClick(file, Qt::Key_Return);
            }});
        Run([&] { Shortcut(Qt::CTRL | Qt::Key_P); }, {});
        QVERIFY(screen_->StatusBar->currentMessage().contains(pdf));
    } else {
        Run([&] { Shortcut(Qt::CTRL | Qt::Key_P); }, {Read(told)});
        QCOMPARE(told.size(), 1);
        QVERIFY2(told[0].contains(pdf), qPrintable(told[0]));
    }

    QVERIFY(Poppler("pdfinfo", {pdf}).contains(QRegularExpression("Pages: +1\n")));
    const QString text = Poppler("pdftotext", {pdf, "-"});
    for (const QString& drawn :
         {QStringLiteral("Oak \u00e9"), QStringLiteral("Maximum Force=200 at Displacement=0.02"),
          QStringLiteral("Force (lbs.)"), QStringLiteral("Displacement (in.)")})
        QVERIFY2(text.contains(drawn), qPrintable(drawn));
    // Lines and text, not a picture of the screen.
    QCOMPARE(Poppler("pdfimages", {"-list", pdf}).count('\n'), 2);
    Poppler("pdftoppm",
            {"-r", "40", "-png", "-singlefile", pdf, QDir(start_->Path()).filePath("page")});
    const QImage page(QDir(start_->Path()).filePath("page.png"));
    QVERIFY(!page.isNull());
    bool red = false;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QColor pixel = page.pixelColor(x, y);
            red = red || (pixel.red() > 200 && pixel.green() < 90 && pixel.blue() < 90);
        }
    QCOMPARE(red, colour);
}

void TestFileCommands::dropOpensTestFiles()
{
    StoreTestFile(Data(QStringLiteral("a.dat")), Oak);
    QStringList bad = Test(QStringLiteral("Bad"), 100);
    bad.insert(3, QStringLiteral("00x0,0010"));
    StoreTestFile(Data(QStringLiteral("bad.DAT")), bad);
    QMimeData dropped;
    dropped.setUrls({QUrl::fromLocalFile(Data("missing.dat")), QUrl::fromLocalFile(Data("a.dat")),
                     QUrl::fromLocalFile(Data("bad.DAT")), QUrl::fromLocalFile(Data("b.csv"))});
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
    QStringList captions;
    for (QMdiSubWindow* child : screen_->MdiArea->subWindowList())
        captions.append(child->widget()->windowTitle());
    QCOMPARE(captions, (QStringList{"a.dat", "bad.DAT"}));
    QVERIFY2(told.value(0).startsWith(
                 QStringLiteral("Cannot open file \"%1\"").arg(Data("missing.dat"))),
             qPrintable(told.value(0)));
    QCOMPARE(told.value(1), QStringLiteral("In \"bad.DAT\": '00x0' is not a valid integer value"));
}

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
