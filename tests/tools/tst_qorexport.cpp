#include "filebytes.h"
#include "graph/testfile.h"
#include "graph/testlines.h"
#include "programrun.h"
#include "pseudoterminal.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Every kind of line the export converts: records, a stop, a status reply, the end, what follows.
const QByteArray Test = "Spring 1\r\nsummary\r\nX,Y\r\n0010,0100\r\n0123,0456\r\nID\r\nS\r\n"
                        "0200,0300\r\nTM\r\n\r\nkept\r\n";

} // namespace

class QorExportTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir_;

    QString Path(const QString& name) const { return dir_->filePath(name); }

    // Runs the tool in the test's folder with no display, as on a lab's server.
    ProgramRun Export(const QStringList& arguments) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(name);
        return RunProgram(QOR_EXPORT_PATH, arguments, dir_->path(), environment);
    }

private slots:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(WriteBytes(Path("good.dat"), Test));
        QVERIFY(WriteBytes(Path("sub/good.dat"), "Other" + Test.mid(8)));
        QVERIFY(WriteBytes(Path("same.csv"), Test));
        QVERIFY(WriteBytes(Path("notes.dat"), "Shopping\r\nmilk\r\nbread\r\n0010,0100\r\n"));
        QVERIFY(WriteBytes(Path("bad.dat"),
                           "Bad\r\nsummary\r\nX,Y\r\n0010,0100\r\n00a1,0200\r\nTM\r\n"));
        QVERIFY(WriteBytes(Path("blocked.dat"), Test));
        QVERIFY(QDir().mkpath(Path("blocked.csv"))); // a folder where the output would go
        QVERIFY(WriteBytes(Path("methods/low.ini"), "[Limits]\nMaximumForce=,400\n"));
        QVERIFY(WriteBytes(Path("methods/bad.ini"), "[Method]\n[Break]\nDrop=x\n"));
    }

    // good.dat's records (0.010, 100), (0.123, 456) and (0.200, 300): the maximum 456 lies above
    // the limit; energy (100 + 456) / 2 x 0.113 + (456 + 300) / 2 x 0.077 = 60.52. bad.dat has no
    // results and is left out; both reports show the verdict.
    void resultsOfEveryTestAndTheirStatistics()
    {
        const ProgramRun run = Export({"--results", "--report", "--method", "methods/low.ini",
                                       "--out", "out", "good.dat", "bad.dat", "sub/good.dat"});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.errors.contains("qor-export: bad.dat: no results: '00a1' is not a valid "
                                     "integer value\n"),
                 run.errors);
        const QByteArray header =
            "File,Title,Maximum Force (lbs.),Displacement at Maximum (in.),Break Force (lbs.),"
            "Break Displacement (in.),Force at Displacement (lbs.),Displacement at Force (in.),"
            "Stiffness (lbs./in.),Energy (lbs.in.),Average Force (lbs.),Verdict\r\n";
        QCOMPARE(ReadBytes(Path("out/results.csv")),
                 header + "good.dat,Spring 1,456,0.123,,,,,,60.52,,FAIL\r\n"
                          "sub/good.dat,Other,456,0.123,,,,,,60.52,,FAIL\r\n"
                          "\r\n"
                          "n,,2,2,0,0,0,0,0,2,0\r\n"
                          "Mean,,456,0.123,,,,,,60.52,\r\n"
                          "Standard Deviation,,0,0,,,,,,0,\r\n"
                          "CV %,,0,0,,,,,,0,\r\n"
                          "Minimum,,456,0.123,,,,,,60.52,\r\n"
                          "Maximum,,456,0.123,,,,,,60.52,\r\n"
                          "Range,,0,0,,,,,,0,\r\n");
        const QString report = RunProgram("pdftotext", {Path("out/good.pdf"), "-"}).output;
        for (const QString expected :
             {"Spring 1", "good.dat", "low", "FAIL: Maximum Force above its high limit"})
            QVERIFY2(report.contains(expected), qPrintable(expected + " is not in:\n" + report));

        QCOMPARE(Export({"--results", "--units", "metric", "good.dat"}).exitCode, 0);
        QVERIFY(ReadBytes(Path("results.csv"))
                    .startsWith("File,Title,Maximum Force (kg),Displacement at Maximum (cm),"));
    }

    void outputsBesideEachTest_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QStringList>("written");
        QTest::addColumn<QStringList>("chartTexts");
        QTest::newRow("CSV in english by default")
            << QStringList() << QStringList{"csv"} << QStringList();
        QTest::newRow("english chart")
            << QStringList{"--units", "english", "--pdf", "--png"} << QStringList{"pdf", "png"}
            << QStringList{"Spring 1", "Maximum Force=456 at Displacement=0.123", "Force (lbs.)",
                           "Displacement (in.)"};
        QTest::newRow("metric, every output")
            << QStringList{"--units", "Metric", "--csv", "--pdf", "--png"}
            << QStringList{"csv", "pdf", "png"}
            << QStringList{"Spring 1", "Maximum Force=206. at Displacement=0.312", "Force (kg)",
                           "Displacement (cm)"};
    }

    // The CSV is the program's export byte for byte; the chart is the graph window's.
    void outputsBesideEachTest()
    {
        QFETCH(QStringList, options);
        QFETCH(QStringList, written);
        QFETCH(QStringList, chartTexts);
        const ProgramRun run = Export(options + QStringList{"good.dat", "sub/good.dat"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.errors, QByteArray());
        for (const QString name : {"good", "sub/good"}) {
            for (const QString suffix : {"csv", "pdf", "png"})
                QCOMPARE(QFile::exists(Path(name + '.' + suffix)), written.contains(suffix));
            if (!written.contains("csv"))
                continue;
            StoreTestFile(Path("program.csv"), ConvertTestToCsv(LoadTestFile(Path(name + ".dat")),
                                                                !options.contains("Metric")));
            QCOMPARE(ReadBytes(Path(name + ".csv")), ReadBytes(Path("program.csv")));
        }
        if (chartTexts.isEmpty())
            return;
        const QString text = RunProgram("pdftotext", {Path("good.pdf"), "-"}).output;
        for (const QString& expected : chartTexts)
            QVERIFY2(text.contains(expected), qPrintable(expected + " is not in:\n" + text));
        QCOMPARE(text.count(u'\f'), 1); // one page
        // The curve, in the graph window's red.
        const QImage picture = QImage(Path("good.png")).convertToFormat(QImage::Format_RGB32);
        const auto* pixels = reinterpret_cast<const QRgb*>(picture.constBits());
        QVERIFY(std::count(pixels, pixels + picture.width() * picture.height(), qRgb(255, 0, 0)) >
                100);
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("message");
        const auto row = [](const char* name, const QStringList& arguments, int exitCode,
                            const QByteArray& message) {
            QTest::newRow(name) << arguments << exitCode << "qor-export: " + message;
        };
        // A file that fails is named; good.dat after it still converts.
        row("missing", {"gone.dat", "good.dat"}, 1,
            "gone.dat: Cannot open file \"gone.dat\". No such file or directory\n");
        row("not a test", {"notes.dat", "good.dat"}, 1,
            "notes.dat: \"notes.dat\" holds no test: its third line is not \"X,Y\".\n");
        row("record not a number", {"bad.dat", "good.dat"}, 1,
            "bad.dat: CSV not written: '00a1' is not a valid integer value\n");
        row("record not a number, charted", {"--png", "--csv", "bad.dat", "good.dat"}, 1,
            "bad.dat: PNG not written: '00a1' is not a valid integer value\n");
        row("output is the test", {"same.csv", "good.dat"}, 1,
            "same.csv: CSV not written: same.csv would replace the test itself\n");
        row("two tests of one name", {"--out", "out", "good.dat", "sub/good.dat"}, 1,
            "sub/good.dat: CSV not written: out/good.csv was already written from good.dat\n");
        row("output cannot be written", {"blocked.dat", "good.dat"}, 1,
            "blocked.dat: CSV not written: Cannot create file \"blocked.csv\".");
        // Nothing converts.
        row("no files", {"--csv"}, 2, "no test files given (see --help)\n");
        row("unknown units", {"--units", "imperial", "good.dat"}, 2,
            "--units must be english or metric, not 'imperial'\n");
        row("output folder cannot be made", {"--out", "good.dat/out", "good.dat"}, 2,
            "cannot make the output folder good.dat/out\n");
        row("bad method", {"--results", "--method", "methods/bad.ini", "good.dat"}, 2,
            "Method file \"methods/bad.ini\", line 3: [Break] Drop \"x\" is not a number\n");
        row("method without results", {"--method", "methods/low.ini", "good.dat"}, 2,
            "--method needs --results or --report\n");
        row("chart and report in one file", {"--pdf", "--report", "good.dat"}, 2,
            "--pdf and --report both write FILE.pdf; ask for one of them\n");
        QTest::newRow("help") << QStringList{"--help"} << 0
                              << QByteArray("--units <english|metric>  Units of the export");
    }

    void failures()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, message);
        const ProgramRun run = Export(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2((run.output + run.errors).contains(message), run.output + run.errors);
        QCOMPARE(run.errors.endsWith("\nqor-export: 1 of 2 files failed\n"), exitCode == 1);
        QCOMPARE(QFile::exists(Path("good.csv")) || QFile::exists(Path("out/good.csv")),
                 exitCode == 1);
        // Neither a test nor the output of an earlier test of the same name is replaced.
        QCOMPARE(ReadBytes(Path("same.csv")), Test);
        QVERIFY(!ReadBytes(Path("out/good.csv")).startsWith("Other"));
    }

    void progressShowsOnATerminal()
    {
        PseudoTerminal terminal;
        const QString command =
            "exec \"$0\" good.dat gone.dat sub/good.dat 2>" + terminal.DevicePath();
        QCOMPARE(RunProgram("/bin/sh", {"-c", command, QOR_EXPORT_PATH}, dir_->path()).exitCode, 1);
        QByteArray shown;
        while (!shown.endsWith("files failed\r\n")) {
            const QByteArray more = terminal.Receive(1);
            QVERIFY2(!more.isEmpty(), shown.constData());
            shown += more;
        }
        // The terminal turns each line feed into CR LF; "\r\033[K" erases the progress line.
        QVERIFY2(shown.startsWith("\r\033[Kqor-export: 0 of 3 files"), shown.constData());
        QVERIFY2(shown.contains("\r\033[Kqor-export: gone.dat: Cannot open file \"gone.dat\". No "
                                "such file or directory\r\n\r\033[Kqor-export: 1 of 3 files"),
                 shown.constData());
        QVERIFY2(shown.endsWith("\r\033[Kqor-export: 1 of 3 files failed\r\n"), shown.constData());
    }
};

QTEST_GUILESS_MAIN(QorExportTest)
#include "tst_qorexport.moc"
