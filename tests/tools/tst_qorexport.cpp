#include "filebytes.h"
#include "graph/testfile.h"
#include "graph/testlines.h"
#include "pseudoterminal.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int RunTimeout = 60000;

// A stored test of every kind of line the export converts, and its export in both units.
const QByteArray SmallTest = "Spring 1\r\n"
                             "Maximum Force (lbs.)=456 at Displacement (in.)=0.123\r\n"
                             "X,Y\r\n"
                             "0010,0100\r\n"
                             "0123,0456\r\n"
                             "ID\r\n"
                             "0200,0300\r\n"
                             "TM\r\n"
                             "\r\n"
                             "kept as it is\r\n";
const QByteArray SmallTestEnglish = "Spring 1\r\n"
                                    "Maximum Force (lbs.)=456 at Displacement (in.)=0.123\r\n"
                                    "Displacement(in.),Force(lbs.),Test Start\r\n"
                                    "0.010,100\r\n"
                                    "0.123,456\r\n"
                                    ",,Incremental Stop\r\n"
                                    "0.200,300\r\n"
                                    ",,Maximum Force Stop\r\n"
                                    "\r\n"
                                    "kept as it is\r\n";
const QByteArray SmallTestMetric = "Spring 1\r\n"
                                   "Maximum Force (lbs.)=456 at Displacement (in.)=0.123\r\n"
                                   "Displacement(cm),Force(kg),Test Start\r\n"
                                   "0.025,45\r\n"
                                   "0.312,207\r\n"
                                   ",,Incremental Stop\r\n"
                                   "0.508,136\r\n"
                                   ",,Maximum Force Stop\r\n"
                                   "\r\n"
                                   "kept as it is\r\n";

// A long test with a stored status reply among its records, as the control panel keeps them.
QByteArray LongTest()
{
    QByteArray bytes = "Long test\r\nQOR1000 Test Graph 1\r\nX,Y\r\n";
    for (int record = 0; record < 1000; ++record) {
        bytes += QByteArray::number(record * 7 % 10000).rightJustified(4, '0') + ',' +
                 QByteArray::number(record * 13 % 10000).rightJustified(4, '0') + "\r\n";
        if (record == 500)
            bytes += "S\r\n";
    }
    return bytes + "TT\r\n";
}

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

} // namespace

class QorExportTest : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    void csvIsTheProgramsExport_data();
    void csvIsTheProgramsExport();
    void failedFilesAreNamedAndTheOthersConvert_data();
    void failedFilesAreNamedAndTheOthersConvert();
    void helpNamesEveryOption();
    void badCommandLineConvertsNothing_data();
    void badCommandLineConvertsNothing();
    void chartIsTheGraphWindowsDrawing_data();
    void chartIsTheGraphWindowsDrawing();
    void progressShowsOnATerminal();

private:
    QString Path(const QString& name) const { return QDir(dir_->path()).filePath(name); }
    Run
    Export(const QStringList& arguments,
           const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) const;

    std::unique_ptr<QTemporaryDir> dir_;
};

Run QorExportTest::Export(const QStringList& arguments,
                          const QProcessEnvironment& environment) const
{
    QProcess process;
    process.setWorkingDirectory(dir_->path());
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(QOR_EXPORT_PATH), arguments);
    Run run;
    if (!process.waitForFinished(RunTimeout) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

void QorExportTest::csvIsTheProgramsExport_data()
{
    QTest::addColumn<QStringList>("units");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("english by default") << QStringList() << SmallTestEnglish;
    QTest::newRow("english") << QStringList{"--units", "english"} << SmallTestEnglish;
    QTest::newRow("metric") << QStringList{"--units", "metric"} << SmallTestMetric;
}

void QorExportTest::csvIsTheProgramsExport()
{
    QFETCH(QStringList, units);
    QFETCH(QByteArray, expected);
    QVERIFY(WriteBytes(Path("small.dat"), SmallTest));
    QVERIFY(WriteBytes(Path("long.dat"), LongTest()));

    const Run run = Export(units + QStringList{"small.dat", "long.dat"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(ReadBytes(Path("small.csv")), expected);

    // The long test against the program's own export of it.
    const QString programsExport = Path("program.csv");
    StoreTestFile(programsExport,
                  ConvertTestToCsv(LoadTestFile(Path("long.dat")), expected == SmallTestEnglish));
    QCOMPARE(ReadBytes(Path("long.csv")), ReadBytes(programsExport));
}

void QorExportTest::failedFilesAreNamedAndTheOthersConvert_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<QString>("untouched"); // an output the failure must not write
    QTest::addColumn<QString>("converted"); // the output of the good file after it

    QTest::newRow("missing file")
        << QStringList{"gone.dat", "good.dat"}
        << QByteArray("qor-export: gone.dat: Cannot open file \"gone.dat\". No such file or "
                      "directory\n")
        << "gone.csv"
        << "good.csv";
    QTest::newRow("not a test")
        << QStringList{"notes.dat", "good.dat"}
        << QByteArray("qor-export: notes.dat: \"notes.dat\" holds no test: its third line is not "
                      "\"X,Y\".\n")
        << "notes.csv"
        << "good.csv";
    QTest::newRow("record that is not a number")
        << QStringList{"bad.dat", "good.dat"}
        << QByteArray("qor-export: bad.dat: CSV not written: '00a1' is not a valid integer value\n")
        << "bad.csv"
        << "good.csv";
    QTest::newRow("record that is not a number, charted")
        << QStringList{"--png", "bad.dat", "good.dat"}
        << QByteArray("qor-export: bad.dat: PNG not written: '00a1' is not a valid integer value\n")
        << "bad.png"
        << "good.png";
    QTest::newRow("output would replace the test")
        << QStringList{"same.csv", "good.dat"}
        << QByteArray("qor-export: same.csv: CSV not written: same.csv would replace the test "
                      "itself\n")
        << "same.csv"
        << "good.csv";
    QTest::newRow("two tests of one name into one folder")
        << QStringList{"--out", "out", "good.dat", "sub/good.dat"}
        << QByteArray("qor-export: sub/good.dat: CSV not written: out/good.csv was already written "
                      "from good.dat\n")
        << "sub/good.csv"
        << "out/good.csv";
    QTest::newRow("output cannot be written")
        << QStringList{"blocked.dat", "good.dat"}
        << QByteArray("qor-export: blocked.dat: CSV not written: Cannot ") << "blocked.csv/x"
        << "good.csv";
}

void QorExportTest::failedFilesAreNamedAndTheOthersConvert()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, message);
    QFETCH(QString, untouched);
    QFETCH(QString, converted);
    QVERIFY(WriteBytes(Path("good.dat"), SmallTest));
    QVERIFY(WriteBytes(Path("blocked.dat"), SmallTest));
    QVERIFY(WriteBytes(Path("same.csv"), SmallTest));
    QVERIFY(WriteBytes(Path("notes.dat"), "Shopping\r\nmilk\r\nbread\r\n0010,0100\r\n"));
    QVERIFY(
        WriteBytes(Path("bad.dat"), "Bad\r\nsummary\r\nX,Y\r\n0010,0100\r\n00a1,0200\r\nTM\r\n"));
    QVERIFY(QDir(dir_->path()).mkpath("sub"));
    QVERIFY(
        WriteBytes(Path("sub/good.dat"), "Other spring" + SmallTest.mid(SmallTest.indexOf('\r'))));
    // A folder where the output would go.
    QVERIFY(QDir(dir_->path()).mkpath("blocked.csv"));
    QVERIFY(WriteBytes(Path("blocked.csv/x"), "kept"));
    const QByteArray before = ReadBytes(Path(untouched));

    const Run run = Export(arguments);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.startsWith(message), run.err.constData());
    QVERIFY2(run.err.endsWith("\nqor-export: 1 of 2 files failed\n"), run.err.constData());
    QCOMPARE(ReadBytes(Path(untouched)), before);
    if (converted.endsWith(".csv"))
        QCOMPARE(ReadBytes(Path(converted)), SmallTestEnglish);
    else
        QVERIFY(!QImage(Path(converted)).isNull());
}

void QorExportTest::helpNamesEveryOption()
{
    const Run run = Export({"--help"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray());
    for (const char* text :
         {"--units <english|metric>", "--csv", "--pdf", "--png", "--out <DIR>", "Exit status"})
        QVERIFY2(run.out.contains(text), text);
}

void QorExportTest::badCommandLineConvertsNothing_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("message");

    QTest::newRow("no files") << QStringList{"--csv"}
                              << QByteArray("qor-export: no test files given (see --help)\n");
    QTest::newRow("unknown units")
        << QStringList{"--units", "imperial", "good.dat"}
        << QByteArray("qor-export: --units must be english or metric, not 'imperial'\n");
    QTest::newRow("unknown option")
        << QStringList{"--xls", "good.dat"} << QByteArray("qor-export: Unknown option 'xls'.\n");
    QTest::newRow("output folder cannot be made")
        << QStringList{"--out", "good.dat/out", "good.dat"}
        << QByteArray("qor-export: cannot make the output folder good.dat/out\n");
}

void QorExportTest::badCommandLineConvertsNothing()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, message);
    QVERIFY(WriteBytes(Path("good.dat"), SmallTest));

    const Run run = Export(arguments);
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(run.err, message);
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
             QStringList{"good.dat"});
}

void QorExportTest::chartIsTheGraphWindowsDrawing_data()
{
    QTest::addColumn<QString>("units");
    QTest::addColumn<QStringList>("texts");

    QTest::newRow("english") << "english"
                             << QStringList{"Spring 1", "Maximum Force=456 at Displacement=0.123",
                                            "Force (lbs.)", "Displacement (in.)"};
    QTest::newRow("metric") << "metric"
                            << QStringList{"Spring 1", "Maximum Force=206. at Displacement=0.312",
                                           "Force (kg)", "Displacement (cm)"};
}

void QorExportTest::chartIsTheGraphWindowsDrawing()
{
    QFETCH(QString, units);
    QFETCH(QStringList, texts);
    const QString pdfToText = QStandardPaths::findExecutable("pdftotext");
    QVERIFY2(!pdfToText.isEmpty(), "pdftotext (poppler-utils) is needed to read the PDF");
    QVERIFY(WriteBytes(Path("small.dat"), SmallTest));

    // No display and no platform chosen: the tool draws off the screen by itself.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(name);
    const Run run =
        Export({"--pdf", "--png", "--units", units, "--out", "charts", "small.dat"}, environment);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray());
    QVERIFY(!QFile::exists(Path("charts/small.csv")));

    QProcess reader;
    reader.start(pdfToText, {Path("charts/small.pdf"), "-"});
    QVERIFY(reader.waitForFinished(RunTimeout));
    const QString text = QString::fromUtf8(reader.readAllStandardOutput());
    for (const QString& expected : texts)
        QVERIFY2(text.contains(expected), qPrintable(expected + " is not in:\n" + text));
    QCOMPARE(text.count(u'\f'), 1); // one page

    // The curve is drawn in the graph window's red.
    const QImage picture(Path("charts/small.png"));
    QVERIFY(picture.width() > picture.height());
    qsizetype red = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            red += picture.pixelColor(x, y) == QColor(Qt::red);
    }
    QVERIFY2(red > 100, qPrintable(QString::number(red)));
}

void QorExportTest::progressShowsOnATerminal()
{
    PseudoTerminal terminal;
    QVERIFY(terminal.IsOpen());
    QVERIFY(WriteBytes(Path("first.dat"), SmallTest));
    QVERIFY(WriteBytes(Path("third.dat"), SmallTest));

    QProcess process;
    process.setWorkingDirectory(dir_->path());
    process.setStandardErrorFile(terminal.DevicePath());
    process.start(QStringLiteral(QOR_EXPORT_PATH), {"first.dat", "second.dat", "third.dat"});
    QVERIFY(process.waitForFinished(RunTimeout));
    QCOMPARE(process.exitCode(), 1);
    QByteArray shown;
    while (!shown.contains("files failed")) {
        const QByteArray more = terminal.Receive(1);
        QVERIFY2(!more.isEmpty(), shown.constData());
        shown += more;
    }
    shown += terminal.Receive(2); // the line end

    // The terminal turns each line feed into CR LF; "\r\033[K" erases the progress line.
    QVERIFY2(shown.startsWith("\r\033[Kqor-export: 0 of 3 files"), shown.constData());
    QVERIFY2(shown.contains("\r\033[Kqor-export: second.dat: Cannot open file \"second.dat\". No "
                            "such file or directory\r\n\r\033[Kqor-export: 1 of 3 files"),
             shown.constData());
    QVERIFY2(shown.endsWith("\r\033[Kqor-export: 1 of 3 files failed\r\n"), shown.constData());
    QVERIFY(QFile::exists(Path("third.csv")));
}

QTEST_GUILESS_MAIN(QorExportTest)
#include "tst_qorexport.moc"
