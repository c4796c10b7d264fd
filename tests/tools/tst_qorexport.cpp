#include "filebytes.h"
#include "graph/testfile.h"
#include "graph/testlines.h"
#include "pseudoterminal.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Every kind of line the export converts: records, a stop, a status reply, the end, what follows.
const QByteArray Test = "Spring 1\r\nsummary\r\nX,Y\r\n0010,0100\r\n0123,0456\r\nID\r\nS\r\n"
                        "0200,0300\r\nTM\r\n\r\nkept\r\n";

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
    void init();
    void csvIsTheProgramsExport_data();
    void csvIsTheProgramsExport();
    void failedFileIsNamedAndTheOthersConvert_data();
    void failedFileIsNamedAndTheOthersConvert();
    void commandLine_data();
    void commandLine();
    void chartIsTheGraphWindowsDrawing_data();
    void chartIsTheGraphWindowsDrawing();
    void progressShowsOnATerminal();

private:
    QString Path(const QString& name) const { return QDir(dir_->path()).filePath(name); }
    Run Export(const QStringList& arguments,
               const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

    std::unique_ptr<QTemporaryDir> dir_;
};

void QorExportTest::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(WriteBytes(Path("good.dat"), Test));
    QVERIFY(WriteBytes(Path("sub/good.dat"), "Other" + Test.mid(8)));
    QVERIFY(WriteBytes(Path("same.csv"), Test));
    QVERIFY(WriteBytes(Path("notes.dat"), "Shopping\r\nmilk\r\nbread\r\n0010,0100\r\n"));
    QVERIFY(
        WriteBytes(Path("bad.dat"), "Bad\r\nsummary\r\nX,Y\r\n0010,0100\r\n00a1,0200\r\nTM\r\n"));
    QVERIFY(WriteBytes(Path("blocked.dat"), Test));
    QVERIFY(QDir().mkpath(Path("blocked.csv"))); // a folder where the output would go
}

Run QorExportTest::Export(const QStringList& arguments, const QProcessEnvironment& environment)
{
    QProcess process;
    process.setWorkingDirectory(dir_->path());
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(QOR_EXPORT_PATH), arguments);
    Run run;
    if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit)
        run = {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
    return run;
}

void QorExportTest::csvIsTheProgramsExport_data()
{
    QTest::addColumn<QStringList>("units");
    QTest::addColumn<bool>("english");
    QTest::newRow("english by default") << QStringList() << true;
    QTest::newRow("english") << QStringList{"--units", "english"} << true;
    QTest::newRow("metric") << QStringList{"--units", "Metric"} << false;
}

void QorExportTest::csvIsTheProgramsExport()
{
    QFETCH(QStringList, units);
    QFETCH(bool, english);
    const Run run = Export(units + QStringList{"good.dat", "sub/good.dat"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray());
    // The program's export of the same files.
    for (const QString name : {"good", "sub/good"}) {
        StoreTestFile(Path("program.csv"),
                      ConvertTestToCsv(LoadTestFile(Path(name + ".dat")), english));
        QCOMPARE(ReadBytes(Path(name + ".csv")), ReadBytes(Path("program.csv")));
    }
}

void QorExportTest::failedFileIsNamedAndTheOthersConvert_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("message");
    const QByteArray prefix = "qor-export: ";
    QTest::newRow("missing") << QStringList{"gone.dat", "good.dat"}
                             << prefix + "gone.dat: Cannot open file \"gone.dat\". No such file or "
                                         "directory\n";
    QTest::newRow("not a test") << QStringList{"notes.dat", "good.dat"}
                                << prefix + "notes.dat: \"notes.dat\" holds no test: its third "
                                            "line is not \"X,Y\".\n";
    QTest::newRow("record not a number")
        << QStringList{"bad.dat", "good.dat"}
        << prefix + "bad.dat: CSV not written: '00a1' is not a valid integer value\n";
    QTest::newRow("record not a number, charted")
        << QStringList{"--png", "--csv", "bad.dat", "good.dat"}
        << prefix + "bad.dat: PNG not written: '00a1' is not a valid integer value\n";
    QTest::newRow("output is the test") << QStringList{"same.csv", "good.dat"}
                                        << prefix + "same.csv: CSV not written: same.csv would "
                                                    "replace the test itself\n";
    QTest::newRow("two tests of one name")
        << QStringList{"--out", "out", "good.dat", "sub/good.dat"}
        << prefix + "sub/good.dat: CSV not written: out/good.csv was already written from "
                    "good.dat\n";
    QTest::newRow("output cannot be written")
        << QStringList{"blocked.dat", "good.dat"}
        << prefix + "blocked.dat: CSV not written: Cannot create file \"blocked.csv\".";
}

void QorExportTest::failedFileIsNamedAndTheOthersConvert()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, message);
    const Run run = Export(arguments);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(message), run.err.constData());
    QVERIFY2(run.err.endsWith("\nqor-export: 1 of 2 files failed\n"), run.err.constData());
    QVERIFY(QFile::exists(Path(arguments.contains("--out") ? "out/good.csv" : "good.csv")));
    // Neither a test nor the output of an earlier test of the same name is replaced.
    QCOMPARE(ReadBytes(Path("same.csv")), Test);
    QVERIFY(!ReadBytes(Path("out/good.csv")).startsWith("Other"));
}

void QorExportTest::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("output");
    QTest::newRow("help") << QStringList{"--help"} << 0
                          << QByteArray("--units <english|metric>  Units of the export");
    QTest::newRow("no files") << QStringList{"--csv"} << 2
                              << QByteArray("qor-export: no test files given (see --help)\n");
    QTest::newRow("unknown units")
        << QStringList{"--units", "imperial", "good.dat"} << 2
        << QByteArray("qor-export: --units must be english or metric, not 'imperial'\n");
    QTest::newRow("output folder cannot be made")
        << QStringList{"--out", "good.dat/out", "good.dat"} << 2
        << QByteArray("qor-export: cannot make the output folder good.dat/out\n");
}

void QorExportTest::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, output);
    const Run run = Export(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2((run.out + run.err).contains(output), run.out + run.err);
    QVERIFY(!QFile::exists(Path("good.csv")));
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
    // No display and no platform chosen: the tool draws off the screen by itself.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(name);
    const Run run = Export({"--pdf", "--png", "--units", units, "good.dat"}, environment);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray());
    QVERIFY(!QFile::exists(Path("good.csv")));

    QProcess reader; // poppler-utils
    reader.start(QStandardPaths::findExecutable("pdftotext"), {Path("good.pdf"), "-"});
    QVERIFY(reader.waitForFinished());
    const QString text = QString::fromUtf8(reader.readAllStandardOutput());
    for (const QString& expected : texts)
        QVERIFY2(text.contains(expected), qPrintable(expected + " is not in:\n" + text));
    QCOMPARE(text.count(u'\f'), 1); // one page

    const QImage picture(Path("good.png"));
    qsizetype red = 0; // the curve, in the graph window's red
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            red += picture.pixelColor(x, y) == QColor(Qt::red);
    }
    QVERIFY2(red > 100, qPrintable(QString::number(red)));
}

void QorExportTest::progressShowsOnATerminal()
{
    PseudoTerminal terminal;
    QProcess process;
    process.setWorkingDirectory(dir_->path());
    process.setStandardErrorFile(terminal.DevicePath());
    process.start(QStringLiteral(QOR_EXPORT_PATH), {"good.dat", "gone.dat", "sub/good.dat"});
    QVERIFY(process.waitForFinished());
    QCOMPARE(process.exitCode(), 1);
    QByteArray shown;
    while (!shown.endsWith("files failed\r\n")) {
        const QByteArray more = terminal.Receive(1);
        QVERIFY2(!more.isEmpty(), shown.constData());
        shown += more;
    }

    // The terminal turns each line feed into CR LF; "\r\033[K" erases the progress line.
    QVERIFY2(shown.startsWith("\r\033[Kqor-export: 0 of 3 files"), shown.constData());
    QVERIFY2(shown.contains("\r\033[Kqor-export: gone.dat: Cannot open file \"gone.dat\". No such "
                            "file or directory\r\n\r\033[Kqor-export: 1 of 3 files"),
             shown.constData());
    QVERIFY2(shown.endsWith("\r\033[Kqor-export: 1 of 3 files failed\r\n"), shown.constData());
}

QTEST_GUILESS_MAIN(QorExportTest)
#include "tst_qorexport.moc"
