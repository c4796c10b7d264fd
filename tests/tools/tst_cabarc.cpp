// The built archiver in a start directory, checked with cabextract and with cabinets gcab made.
#include "filebytes.h"
#include "programrun.h"

#include <QDir>
#include <QDirIterator>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace {

// Test records, more of them the longer the path, so that some files span several blocks.
QByteArray SampleBytes(const QString& path)
{
    QByteArray bytes = "Test of " + path.toUtf8() + "\r\n";
    for (int record = 0; record < path.size() * 700; ++record)
        bytes += QByteArray::number(record % 9000) + ',' + QByteArray::number(record * 7 % 9999) +
                 "\r\n";
    return bytes;
}

// Lays out entries: "name/" a folder, "name|" a named pipe, "name=" an empty file, anything else
// a file of SampleBytes.
void Lay(const QString& directory, const QStringList& entries)
{
    for (const QString& entry : entries) {
        const QChar kind = entry.back();
        const QString path =
            directory + '/' + (QString("/|=").contains(kind) ? entry.chopped(1) : entry);
        if (kind == '/')
            QVERIFY(QDir().mkpath(path));
        else if (kind == '|')
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        else
            QVERIFY(WriteBytes(path, kind == '=' ? QByteArray() : SampleBytes(entry)));
    }
}

// Every file below the directory by relative path, with its bytes.
QMap<QString, QByteArray> FilesBelow(const QString& directory)
{
    QMap<QString, QByteArray> files;
    for (QDirIterator entry(directory, QDir::Files, QDirIterator::Subdirectories);
         entry.hasNext();) {
        const QString path = entry.next();
        files.insert(QDir(directory).relativeFilePath(path), ReadBytes(path));
    }
    return files;
}

// The cabinet that gcab makes of the files, each stored with its folder names.
QByteArray GcabCabinet(const QStringList& files)
{
    QTemporaryDir sources;
    Lay(sources.path(), files);
    RunProgram("gcab", QStringList{"-c", "-z", "made.cab"} + files, sources.path());
    return ReadBytes(sources.filePath("made.cab"));
}

} // namespace

class TestCabarc : public QObject
{
    Q_OBJECT
private slots:
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("layout"); // of the start directory
        QTest::addColumn<QByteArray>("cabinet"); // put at installer/AdbeRdr.cab; empty for none
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("message"); // empty: stderr stays empty
        // n: the source of each stored file, in stored order; x: the stored names that land.
        QTest::addColumn<QStringList>("files");

        const auto made = [](const char* name, const QStringList& layout,
                             const QStringList& arguments, const QStringList& stored,
                             const QByteArray& warning = {}) {
            QTest::newRow(name) << layout << QByteArray() << arguments << 0
                                << (warning.isEmpty() ? warning : "warning: " + warning) << stored;
        };
        made("the diagnostic command line; *.* takes names without a dot",
             {"diagnostic/", "QOR.dat", "Bar 1.dat", "notes.txt",
              "errors/install.errors.txt=", "errors/startup.log.txt", "errors/readme"},
             {"n", "diagnostic\\\\QOR1000.errors.cab", "*.dat", "errors\\*.*"},
             {"Bar 1.dat", "QOR.dat", "errors/install.errors.txt", "errors/readme",
              "errors/startup.log.txt"});
        made("letters match either case, in folders and beyond ASCII",
             {"UPPER.DAT", "old.data", "Prüfung.txt", "Errors/Log.TXT"},
             {"n", "case.cab", "*.dat", "PRÜFUNG.TXT", "ERRORS\\*.txt"},
             {"UPPER.DAT", "Prüfung.txt", "Errors/Log.TXT"});
        made("? is one character, *. no extension, name.* also no extension",
             {"t1.dat", "t12.dat", "t.dat", "README", "READ.ME", "setup", "setups"},
             {"n", "marks.cab", "t?.dat", "SETUP.*", "*."},
             {"t1.dat", "setup", "README", "setups"});
        made("folders and pipes are never stored", {"folder.dat/", "pipe.dat|", "real.dat"},
             {"n", "f.cab", "*.dat"}, {"real.dat"});
        made("a file two patterns match is stored once", {"QOR.dat", "test.dat"},
             {"n", "once.cab", "*.dat", "qor.DAT"}, {"QOR.dat", "test.dat"});
        made("a second file of a stored name is left out", {"same.txt", "errors/same.txt"},
             {"n", "same.cab", "*.txt", "errors\\*.*"}, {"same.txt"}, "errors/same.txt left out");
        made("a pattern that misses is reported, the others stored", {"QOR.dat"},
             {"n", "part.cab", "*.dat", "errors\\*.*"}, {"QOR.dat"},
             "no folder errors for the pattern errors/*.*");

        const QStringList all{"AdbeRdr/readme.txt", "AdbeRdr/setup.exe", "top.txt"};
        const QByteArray folders = GcabCabinet(all);
        const QByteArray good = GcabCabinet({"a-file-of-many-test-records.dat"});
        QVERIFY(good.size() > 4000);
        QByteArray damaged = good;
        damaged.replace(good.size() / 2, 16, QByteArray(16, 'Z'));
        const QStringList x{"-p", "x", "installer\\AdbeRdr.cab"};
        const auto row = [](const char* name, const QByteArray& cabinet,
                            const QStringList& arguments, int exitCode, const char* message,
                            const QStringList& extracted = {}) {
            QTest::newRow(name) << QStringList{"QOR.dat", "errors/startup.log.txt"} << cabinet
                                << arguments << exitCode << QByteArray(message) << extracted;
        };

        row("-p x *.* keeps the stored folders", folders, x + QStringList{"*.*"}, 0, "", all);
        row("no pattern takes every file", folders, x, 0, "", all);
        row("without -p every file lands here", folders, x.mid(1), 0, "", all);
        row("a name pattern matches in any folder", folders, x + QStringList{"*.EXE"}, 0, "",
            {"AdbeRdr/setup.exe"});
        row("a folder pattern matches the stored folder, either case", folders,
            x + QStringList{"adberdr\\READ*", "top.txt"}, 0, "", {"AdbeRdr/readme.txt", "top.txt"});

        row("missing folder", {}, {"n", "A:\\\\QOR1000.errors.cab", "*.dat"}, 1,
            "cannot write the cabinet A://QOR1000.errors.cab: No such file or directory");
        row("full disk", {}, {"n", "/dev/full", "*.dat"}, 1,
            "cannot write the cabinet /dev/full: No space left");
        row("cabinet path is a folder", {}, {"n", "errors", "*.dat"}, 1,
            "cannot write the cabinet errors: Is a directory");
        row("no file matched", {}, {"n", "none.cab", "*.csv", "errors\\*.dat"}, 1,
            "no file matched, so no cabinet none.cab");
        row("no pattern", {}, {"n", "none.cab"}, 2, "n needs at least one file pattern");
        row("-p with n", {}, {"-p", "n", "none.cab", "*.dat"}, 2, "-p applies to x only");
        row("unknown command", {}, {"a", "none.cab", "*.dat"}, 2, "unknown command \"a\"");
        row("no cabinet", {}, {"n"}, 2, "no cabinet named");

        row("missing cabinet", {}, x, 1, "cannot open the cabinet installer/AdbeRdr.cab");
        row("not a cabinet", "MSCF? no, just text\r\n", x, 1,
            "cannot read the cabinet installer/AdbeRdr.cab");
        row("cut short", good.left(good.size() / 2), x, 1,
            "cannot extract from the cabinet installer/AdbeRdr.cab");
        row("damaged data", damaged, x, 1, "cannot extract from the cabinet installer/AdbeRdr.cab");
        // Made from a file whose name holds a backslash.
        row("a name that climbs out is refused", GcabCabinet({"..\\evil.txt"}), x, 1,
            "warning: refused ..\\evil.txt: it would land outside");
        row("no file matches", good, x + QStringList{"*.exe"}, 1,
            "no file extracted from the cabinet");
    }

    // A run that fails leaves the start directory as it was: no cabinet, no half-extracted file.
    void commandLine()
    {
        QFETCH(QStringList, layout);
        QFETCH(QByteArray, cabinet);
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, message);
        QFETCH(QStringList, files);
        QTemporaryDir start;
        Lay(start.path(), layout);
        if (!cabinet.isEmpty())
            QVERIFY(WriteBytes(start.filePath("installer/AdbeRdr.cab"), cabinet));
        QMap<QString, QByteArray> expected = FilesBelow(start.path());

        const ProgramRun run = RunProgram(CABARC_PATH, arguments, start.path());
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(message.isEmpty() ? run.errors.isEmpty()
                                   : run.errors.contains("cabarc: " + message),
                 run.errors.constData());
        if (arguments[0] == "n" && exitCode == 0) {
            // Listed by cabextract in stored order, extracted by cabextract and by cabarc x.
            const QString made = start.filePath(QString(arguments[1]).replace('\\', '/'));
            QStringList names;
            QMap<QString, QByteArray> stored;
            for (const QString& source : files) {
                names << QFileInfo(source).fileName();
                stored.insert(names.last(), ReadBytes(start.filePath(source)));
            }
            QStringList listed;
            for (const QString& line :
                 QString::fromUtf8(RunProgram("cabextract", {"-l", made}).output).split('\n'))
                if (line.count(" | ") == 2 && !line.contains("File size"))
                    listed << line.section(" | ", 2);
            QCOMPARE(listed, names);
            for (const QStringList& extract :
                 {QStringList{"cabextract", "-q", made}, QStringList{CABARC_PATH, "x", made}}) {
                QTemporaryDir out;
                QCOMPARE(RunProgram(extract[0], extract.mid(1), out.path()).exitCode, 0);
                QCOMPARE(FilesBelow(out.path()), stored);
            }
            return;
        }
        for (const QString& stored : files)
            expected.insert(arguments.contains("-p") ? stored : QFileInfo(stored).fileName(),
                            SampleBytes(stored));
        QCOMPARE(FilesBelow(start.path()), expected);
        // The installer can be started: a *.exe is made executable, other files are not.
        for (const QString& file : expected.keys())
            QCOMPARE(QFileInfo(start.filePath(file)).isExecutable(), file.endsWith(".exe"));
    }

    // A name that is not UTF-8 (written in another encoding) is not marked as UTF-8, so an
    // extractor keeps its bytes instead of replacing those it cannot decode.
    void nameThatIsNotUtf8KeepsItsBytes()
    {
        QTemporaryDir start;
        QTemporaryDir out;
        const std::filesystem::path name("Pr\xfc"
                                         "fung.dat");
        std::ofstream(QFile::encodeName(start.path()).toStdString() / name) << "QOR\r\n";
        QCOMPARE(RunProgram(CABARC_PATH, {"n", "made.cab", "*.dat"}, start.path()).exitCode, 0);
        QCOMPARE(RunProgram("cabextract", {"-q", start.filePath("made.cab")}, out.path()).exitCode,
                 0);
        QVERIFY(
            std::filesystem::is_regular_file(QFile::encodeName(out.path()).toStdString() / name));
    }
};

QTEST_GUILESS_MAIN(TestCabarc)
#include "tst_cabarc.moc"
