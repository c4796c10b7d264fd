// The file commands of the real main window, driven as an operator does: keyboard shortcuts, the
// real (non-native) file dialogs, the prompts and alerts; then the bytes and pages written.
#include "app/mainscreen.h"
#include "config/initializingbox.h"
#include "dialogs/operatorentrybox.h"
#include "filebytes.h"
#include "filesizelimit.h"
#include "graph/graphform.h"
#include "graph/graphmultipleform.h"
#include "graph/testfile.h"
#include "modalanswers.h"
#include "program/settings.h"
#include "programrun.h"
#include "temporarystartdirectory.h"

#include <QLineSeries>
#include <QtTest>
#include <QtWidgets>

#include <linux/capability.h>
#include <sys/syscall.h>

namespace {

using Answer = ModalAnswers::Answer;

QStringList Test(const QString& title, int force)
{
    return {title, "Maximum", "X,Y", "0010,0100", QString("0020,%1").arg(force, 4, 10, QChar('0')),
            "TM"};
}
const QStringList Oak = Test(QString::fromLatin1("Oak \xe9"), 200);
const QByteArray OakHead = "Oak \xe9\r\nMaximum\r\n";
const QByteArray OakFile = OakHead + "X,Y\r\n0010,0100\r\n0020,0200\r\nTM\r\n";
const QByteArray OldFile = "old test\r\n";

// Picks the Excel filter if asked and enters the name; Enter comes after, for a replace question.
Answer EnterFileName(const QString& name, bool excel = false)
{
    return [=](QWidget* dialog) {
        if (excel)
            QTest::keyClick(dialog->findChild<QComboBox*>("fileTypeCombo"), Qt::Key_Down);
        auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
        QCOMPARE(edit->text(), QString()); // every use starts with an empty name
        edit->setText(name);
        QTimer::singleShot(0, edit, [edit] { QTest::keyClick(edit, Qt::Key_Return); });
    };
}

// Notes what a message box or an alert says and whether an alert's OK is enabled; presses Enter.
Answer Read(QStringList& told)
{
    return [&told](QWidget* modal) {
        for (const QLabel* label : modal->findChildren<QLabel*>())
            told.append(label->text());
        told.removeAll(QString());
        if (auto* ok = modal->findChild<QPushButton*>("AlertOKBitBtn"))
            told.append(ok->isEnabled() ? "OK enabled" : "OK disabled");
        QTest::keyClick(modal, Qt::Key_Return);
    };
}

const Answer ReplaceFile = [](QWidget* box) {
    qobject_cast<QMessageBox*>(box)->button(QMessageBox::Yes)->click();
};

// Types the text into the dialog's line edit of that name and presses Enter.
Answer Type(const char* edit, const QString& text)
{
    return [=](QWidget* dialog) {
        dialog->findChild<QLineEdit*>(edit)->setText(text);
        QTest::keyClick(dialog, Qt::Key_Return);
    };
}

// A printed chart: one page of lines and text (no picture) holding the texts, in colour or black.
void CheckPage(const QString& pdf, const QStringList& texts, bool colour)
{
    QVERIFY(
        QString(RunProgram("pdfinfo", {pdf}).output).contains(QRegularExpression("Pages: +1\n")));
    const QString text = RunProgram("pdftotext", {pdf, "-"}).output;
    for (const QString& drawn : texts)
        QVERIFY2(text.contains(drawn), qPrintable(drawn));
    QCOMPARE(RunProgram("pdfimages", {"-list", pdf}).output.count('\n'), 2);
    RunProgram("pdftoppm", {"-r", "40", "-png", "-singlefile", pdf, pdf});
    const QImage page = QImage(pdf + ".png").convertToFormat(QImage::Format_RGB32);
    const auto* pixels = reinterpret_cast<const QRgb*>(page.constBits());
    const auto coloured = [](QRgb pixel) { return QColor(pixel).hsvSaturation() > 128; };
    QCOMPARE(std::any_of(pixels, pixels + page.width() * page.height(), coloured), colour);
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
        // Root may write into any folder; without that power a read-only folder holds for it too.
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        std::array<__user_cap_data_struct, _LINUX_CAPABILITY_U32S_3> rights{};
        syscall(SYS_capget, &header, rights.data());
        rights[0].effective &= ~(1U << CAP_DAC_OVERRIDE);
        syscall(SYS_capset, &header, rights.data());
    }
    void init()
    {
        start_ = std::make_unique<TemporaryStartDirectory>();
        start_->WriteFile("QOR.dat", "header\r\n");
        ModalAnswers startUp(
            {[](QWidget* box) { qobject_cast<TInitializingBox*>(box)->Timer1->setInterval(0); }});
        screen_ = std::make_unique<TMainScreen>();
        QVERIFY(startUp.AllAnswered());
        screen_->OpenDialog().setOption(QFileDialog::DontUseNativeDialog);
        screen_->SaveDialog().setOption(QFileDialog::DontUseNativeDialog);
        screen_->resize(1000, 800);
        screen_->show();
    }
    void cleanup()
    {
        screen_.reset();
        start_.reset();
        ColorGraph = true;
        ApplyUnits(true);
    }
    void saveWritesByTheEnding_data();
    void saveWritesByTheEnding();
    void multipleWindowComparesTenTestsAndPrints();
    void openDialogStartsEachUseEmpty_data();
    void openDialogStartsEachUseEmpty();
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
    // Offscreen, a closed dialog does not always give back the activation shortcuts need.
    void Shortcut(QKeyCombination keys)
    {
        QApplication::setActiveWindow(screen_.get());
        QTest::keyClick(screen_.get(), keys.key(), keys.keyboardModifiers());
    }
    QWidget* Active() const { return screen_->MdiArea->currentSubWindow()->widget(); }
    QString Data(const QString& name) const { return start_->Path() + "/data/" + name; }

    QTemporaryDir runtime_;
    std::unique_ptr<TemporaryStartDirectory> start_;
    std::unique_ptr<TMainScreen> screen_;
};

void TestFileCommands::saveWritesByTheEnding_data()
{
    QTest::addColumn<QString>("circumstance");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("file");     // in the data folder, holding an old file before
    QTest::addColumn<QByteArray>("bytes"); // in the file afterwards
    QTest::addColumn<QString>("told");     // in the one message shown, besides the file's path

    const QByteArray csv = "Displacement(in.),Force(lbs.),Test Start\r\n0.010,100\r\n0.020,200\r\n";
    const QByteArray metric = "Displacement(cm),Force(kg),Test Start\r\n0.025,45\r\n0.051,91\r\n";
    const QByteArray stop = ",,Maximum Force Stop\r\n";
    QTest::newRow("test file") << "no ending" << Oak << "oak.dat" << OakFile << "";
    QTest::newRow("test file ending in capitals") << "" << Oak << "OAK.DAT" << OakFile << "";
    QTest::newRow("export by its filter")
        << "Excel filter" << Oak << "oak.csv" << OakHead + csv + stop << "";
    QTest::newRow("export ending in capitals, metric")
        << "metric" << Oak << "OAK.CSV" << OakHead + metric + stop << "";
    QTest::newRow("other ending") << "" << Oak << "oak.txt" << OldFile
                                  << "test files end in .dat and exports in .csv.";
    QTest::newRow("read-only folder")
        << "read-only" << Oak << "oak.dat" << OldFile << "Cannot create";
    QTest::newRow("full device") << "full" << Oak << "oak.dat" << OldFile << "Cannot write";
    QTest::newRow("character a test file cannot hold")
        << "" << Test("Oak \u20ac", 100) << "oak.dat" << OldFile << "Line 1 holds \"\u20ac\"";
    QTest::newRow("line break in the title")
        << "" << Test("Pine 1\nPine 2", 100) << "oak.dat" << OldFile << "Line 1 holds a line break";
    // Past the end of the plotted records: the chart shows the test, the export meets the record.
    QTest::newRow("export of a record that is not a number")
        << "" << Oak + QStringList{"00x0,0010"} << "oak.csv" << OldFile
        << "'00x0' is not a valid integer value";
}

void TestFileCommands::saveWritesByTheEnding()
{
    QFETCH(QString, circumstance);
    QFETCH(QStringList, lines);
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, told);

    const bool excel = circumstance == "Excel filter";
    const QString typed =
        excel || circumstance == "no ending" ? QFileInfo(file).completeBaseName() : file;
    ApplyUnits(circumstance != "metric");
    auto* graph = new TGraphForm;
    graph->SetLines(lines);
    graph->GraphDataMemo->document()->setModified(true);
    screen_->AddGraphWindow(graph);
    QVERIFY(WriteBytes(Data(file), OldFile));
    if (circumstance == "read-only")
        QFile::setPermissions(Data(""), QFile::ReadOwner | QFile::ExeOwner);
    std::optional<FileSizeLimit> full;
    if (circumstance == "full")
        full.emplace(16);
    QStringList messages;
    QList answers{EnterFileName(typed, excel), ReplaceFile, Read(messages)};
    Run([&] { Shortcut(Qt::CTRL | Qt::Key_S); }, answers.mid(0, told.isEmpty() ? 2 : 3));
    full.reset();
    QFile::setPermissions(Data(""), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QCOMPARE(QDir(Data("")).entryList(QDir::Files), QStringList{file});
    QCOMPARE(ReadBytes(Data(file)), bytes);
    const bool saved = bytes == OakFile;
    QCOMPARE(graph->windowTitle(), saved ? Data(file) : "Unsaved Graph");
    QCOMPARE(graph->GraphDataMemo->document()->isModified(), !saved);
    if (!told.isEmpty()) { // the one message, as no other dialog went unanswered
        const QString message = messages.value(0);
        QVERIFY2(message.contains(Data(file)) && message.contains(told), qPrintable(message));
        return;
    }
    // Again by the speed button, the dialog empty on the test-file filter; a test opened again.
    QCOMPARE(screen_->SaveDialog().selectedNameFilter(), "QOR files (*.dat)");
    Run([&] { screen_->SpeedSaveAsBtn->click(); }, {EnterFileName(file), ReplaceFile});
    QCOMPARE(ReadBytes(Data(file)), bytes);
    if (!saved)
        return;
    Run([&] { Shortcut(Qt::CTRL | Qt::Key_O); }, {EnterFileName(file)});
    QCOMPARE(qobject_cast<TGraphForm*>(Active())->Lines(), Oak);
    QCOMPARE(Active()->windowTitle(), file);
}

void TestFileCommands::multipleWindowComparesTenTestsAndPrints()
{
    const QStringList colours{"#ff0000", "#008000", "#ffff00", "#0000ff", "#808080",
                              "#ff00ff", "#008080", "#000080", "#800000", "#00ff00"};
    QStringList legend; // each curve's name, colour and number of points
    for (int test = 1; test <= 11; ++test) {
        const QString title =
            test == 2 ? "Sixteen letters, then more" : QString("Test %1").arg(test);
        StoreTestFile(Data(QString("t%1.dat").arg(test)), Test(title, 100 * test));
        legend.append(title.left(16) + ' ' + colours.value(test - 1) + " 2");
    }
    legend.removeLast();
    const auto openMultiple = [&](int test, QList<Answer> more = {}) {
        Run([&] { Shortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_O); },
            QList<Answer>{EnterFileName(QString("t%1.dat").arg(test))} + more);
        return qobject_cast<TGraphMultipleForm*>(Active());
    };
    const auto curves = [](TGraphMultipleForm* window) {
        QStringList described;
        for (QLineSeries* series : window->ActiveSeries())
            described.append(series->name() + ' ' + series->color().name() + ' ' +
                             QString::number(series->points().size()));
        return described;
    };
    QStringList shownWhileAsked;
    TGraphMultipleForm* window =
        openMultiple(1, {[&](QWidget* box) {
                         shownWhileAsked = curves(qobject_cast<TGraphMultipleForm*>(Active()));
                         Type("EntryInputEdit", "Ten specimens")(box);
                     }});
    QCOMPARE(ActOperatorEntryBox->EntryPromptLabel->text(), "Enter Window Title:");
    QCOMPARE(shownWhileAsked, legend.mid(0, 1)); // the first curve is drawn before the question
    for (int test = 2; test <= 10; ++test)
        openMultiple(test);
    QStringList told;
    openMultiple(11, {Read(told)});
    QCOMPARE(told, (QStringList{"Maximum number of files exceeded!", "Click 'CANCEL' to cancel.",
                                "OK disabled"}));
    QCOMPARE(screen_->MdiArea->subWindowList().size(), 1);
    QCOMPARE(window->windowTitle(), "Ten specimens");
    QVERIFY(!screen_->MenuFileSave->isEnabled() && screen_->SpeedPrintBtn->isEnabled());
    QCOMPARE(curves(window), legend);

    // No printer: a PDF file in the data folder, named after the window.
    told.clear();
    Run([&] { Shortcut(Qt::CTRL | Qt::Key_P); }, {Read(told)});
    QCOMPARE(told, QStringList{"No printer is set up, so the graph was printed to the file\n" +
                               Data("Ten specimens.pdf")});
    CheckPage(Data("Ten specimens.pdf"), {"Sixteen letters,", "Force (lbs.)", "Displacement (in.)"},
              true);

    // A repaint, a resize, a window passing over and a change of the colour setting add nothing.
    ColorGraph = false;
    window->parentWidget()->resize(window->parentWidget()->size() + QSize(10, 10));
    QWidget other;
    other.setGeometry(window->geometry());
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    window->repaint();
    QCOMPARE(curves(window), legend);
    window->DataShowBitBtn->click();
    QCOMPARE(window->GraphDataMemo->toPlainText(), Test("Test 10", 1000).join('\n'));

    // A single test printed, in black, to the PDF file chosen in Print Setup.
    Run([&] { screen_->MenuFileOpen->trigger(); }, {EnterFileName("t1.dat")});
    const QString chosen = start_->Path() + "/chosen.pdf";
    Run([&] { screen_->MenuFilePrintSetup->trigger(); }, {Type("filename", chosen)});
    Run([&] { screen_->SpeedPrintBtn->click(); }, {});
    QCOMPARE(screen_->StatusBar->currentMessage(), "The graph was printed to " + chosen);
    CheckPage(chosen, {"Test 1", "Maximum Force=100 at"}, false);

    // With a single test window active, the next file starts a new multiple window.
    QCOMPARE(curves(openMultiple(2, {Type("EntryInputEdit", "Second")})),
             QStringList{"Sixteen letters, #000000 2"});
    QCOMPARE(screen_->MdiArea->subWindowList().size(), 3);
}

void TestFileCommands::openDialogStartsEachUseEmpty_data()
{
    QTest::addColumn<QKeyCombination>("command");
    QTest::addColumn<QString>("file");
    QTest::newRow("Open") << (Qt::CTRL | Qt::Key_O) << "good.dat";
    QTest::newRow("Open Multiple, a bad record") << (Qt::CTRL | Qt::SHIFT | Qt::Key_O) << "bad.dat";
}

// Also after an open that reported a bad record; the name completer closes with the dialog.
void TestFileCommands::openDialogStartsEachUseEmpty()
{
    QFETCH(QKeyCombination, command);
    QFETCH(QString, file);
    StoreTestFile(Data("good.dat"), Oak);
    StoreTestFile(Data("bad.dat"), {"Bad", "Maximum", "X,Y", "00x0,0010", "TM"});
    const auto completion = [](QWidget* dialog) {
        return dialog->findChild<QLineEdit*>("fileNameEdit")->completer()->popup();
    };
    QList<Answer> answers{[&](QWidget* dialog) {
        auto* files = dialog->findChild<QAbstractItemView*>("listView");
        QTRY_COMPARE(files->model()->rowCount(files->rootIndex()), 2); // the folder is read
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        QTest::keyClicks(name, file.left(1));
        QTRY_VERIFY(completion(dialog)->isVisible()); // offering the file
        QTest::keyClicks(name, file.mid(1));
        QTest::keyClick(name, Qt::Key_Return);
    }};
    QStringList told;
    if (file == "bad.dat")
        answers << Type("EntryInputEdit", "Bad") << Read(told);
    Run(
        [&] {
            Shortcut(command);
            QTRY_COMPARE(told.size(), file == "bad.dat" ? 1 : 0);
        },
        answers);
    QVERIFY(!completion(&screen_->OpenDialog())->isVisible());
    Run([&] { Shortcut(command); }, {EnterFileName("good.dat")});
    QCOMPARE(screen_->MdiArea->subWindowList().size(), file == "bad.dat" ? 1 : 2);
}

void TestFileCommands::dropOpensTestFiles()
{
    StoreTestFile(Data("notes.dat"), {"Calibration notes", "Spring 12 checked"});
    StoreTestFile(Data("bad.DAT"), {"Bad", "Maximum", "X,Y", "00x0,0010", "TM"});
    QMimeData dropped;
    dropped.setUrls({QUrl::fromLocalFile(Data("notes.dat")), QUrl::fromLocalFile(Data("bad.DAT")),
                     QUrl::fromLocalFile(Data("b.csv"))});
    QDragEnterEvent enter({500, 400}, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(screen_.get(), &enter);
    QVERIFY(enter.isAccepted());
    QStringList told;
    QDropEvent drop({500, 400}, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    Run(
        [&] {
            QApplication::sendEvent(screen_.get(), &drop);
            QTRY_COMPARE(told.size(), 2); // the bad record is reported from the event loop
        },
        {Read(told), Read(told)});
    QCOMPARE(screen_->MdiArea->subWindowList().size(), 2);
    QCOMPARE(Active()->windowTitle(), "bad.DAT");
    QCOMPARE(told, QStringList({"\"" + Data("notes.dat") +
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
