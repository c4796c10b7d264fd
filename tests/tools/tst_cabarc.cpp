// The cabinet archiver as the operator program runs it: the built tool in a start directory, its
// cabinets checked with cabextract and its extraction checked against cabinets that gcab made.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

struct ToolRun
{
    int exitCode = -1;
    QByteArray errors;
};

ToolRun Run(const QString& program, const QStringList& arguments, const QString& directory)
{
    QProcess process;
    process.setWorkingDirectory(directory);
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), process.readAllStandardError()};
}

ToolRun RunCabarc(const QStringList& arguments, const QString& directory)
{
    return Run(QStringLiteral(CABARC_PATH), arguments, directory);
}

// Distinct bytes for each file: test records, more of them the longer the name, so that some
// files span several compressed blocks.
QByteArray SampleBytes(const QString& path)
{
    QByteArray bytes = "Test of " + path.toUtf8() + "\r\n";
    for (int record = 0; record < path.size() * 700; ++record)
        bytes += QByteArray::number(10000 + record % 9000).right(4) + ',' +
                 QByteArray::number(10000 + record * 7 % 9999).right(4) + "\r\n";
    return bytes;
}

// Lays out entries below the directory: "name/" a folder, "name|" a named pipe, "name=" an empty
// file, anything else a file of SampleBytes.
void Lay(const QString& directory, const QStringList& entries)
{
    const QDir root(directory);
    for (const QString& entry : entries) {
        if (entry.endsWith('/')) {
            QVERIFY(root.mkpath(entry));
            continue;
        }
        const QString name = entry.endsWith('|') || entry.endsWith('=') ? entry.chopped(1) : entry;
        QVERIFY(root.mkpath(QFileInfo(name).path()));
        const QString path = root.filePath(name);
        if (entry.endsWith('|')) {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
            continue;
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(entry.endsWith('=') ? QByteArray() : SampleBytes(name));
    }
}

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The names that cabextract lists in the cabinet, in stored order.
QStringList CabextractNames(const QString& cabinet)
{
    QProcess process;
    process.start(QStringLiteral("cabextract"), {QStringLiteral("-l"), cabinet});
    process.waitForFinished(60000);
    QStringList names;
    for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split('\n')) {
        const QStringList fields = line.split(QStringLiteral(" | "));
        if (fields.size() == 3 && !line.contains(QStringLiteral("File size")))
            names.append(fields.last().trimmed());
    }
    return names;
}

// Every file below the directory, as relative paths, sorted.
QStringList FilesBelow(const QString& directory)
{
    QStringList files;
    QDirIterator entries(directory, QDir::Files, QDirIterator::Subdirectories);
    while (entries.hasNext())
        files.append(QDir(directory).relativeFilePath(entries.next()));
    files.sort();
    return files;
}

// Checks that each file below the output directory holds the bytes of its source.
void CompareWithSources(const QString& output, const QString& sources, const QStringList& names,
                        const QStringList& sourcePaths)
{
    QStringList sortedNames = names;
    sortedNames.sort();
    QCOMPARE(FilesBelow(output), sortedNames);
    for (qsizetype index = 0; index < names.size(); ++index)
        QCOMPARE(ReadBytes(QDir(output).filePath(names[index])),
                 ReadBytes(QDir(sources).filePath(sourcePaths[index])));
}

} // namespace

class TestCabarc : public QObject
{
    Q_OBJECT
private slots:
    void newCabinet_data();
    void newCabinet();
    void newCabinetFails_data();
    void newCabinetFails();
    void extraction_data();
    void extraction();
    void extractionFails_data();
    void extractionFails();
};

void TestCabarc::newCabinet_data()
{
    QTest::addColumn<QStringList>("layout");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("expectedSources"); // in stored order
    QTest::addColumn<QByteArray>("expectedWarning");  // empty: stderr stays empty

    QTest::newRow("the diagnostic command line")
        << QStringList{"diagnostic/",
                       "QOR.dat",
                       "Bar Specimen 1.dat",
                       "errors/install.errors.txt=",
                       "errors/startup.log.txt",
                       "errors/serial.errors.txt",
                       "notes.txt"}
        << QStringList{"n", "diagnostic\\\\QOR1000.errors.cab", "*.dat", "errors\\*.*"}
        << QStringList{"Bar Specimen 1.dat", "QOR.dat", "errors/install.errors.txt",
                       "errors/serial.errors.txt", "errors/startup.log.txt"}
        << QByteArray();
    QTest::newRow("*.* takes names with and without a dot")
        << QStringList{"notes", "log.txt", "a.b.c"} << QStringList{"n", "all.cab", "*.*"}
        << QStringList{"a.b.c", "log.txt", "notes"} << QByteArray();
    QTest::newRow("letters match either case, folders too")
        << QStringList{"UPPER.DAT", "Mixed.Dat", "lower.txt",
                       "old.data",  "x.xdat",    "Errors/Log.TXT"}
        << QStringList{"n", "case.cab", "*.dat", "ERRORS\\*.txt"}
        << QStringList{"Mixed.Dat", "UPPER.DAT", "Errors/Log.TXT"} << QByteArray();
    QTest::newRow("? is one character, *. no extension, name.* also no extension")
        << QStringList{"t1.dat", "t12.dat", "t.dat", "README", "READ.ME", "setup", "setups"}
        << QStringList{"n", "marks.cab", "t?.dat", "SETUP.*", "*."}
        << QStringList{"t1.dat", "setup", "README", "setups"} << QByteArray();
    QTest::newRow("folders and pipes are never stored")
        << QStringList{"folder.dat/", "pipe.dat|", "real.dat"} << QStringList{"n", "f.cab", "*.dat"}
        << QStringList{"real.dat"} << QByteArray();
    QTest::newRow("a file two patterns match is stored once")
        << QStringList{"QOR.dat", "test.dat"} << QStringList{"n", "once.cab", "*.dat", "qor.DAT"}
        << QStringList{"QOR.dat", "test.dat"} << QByteArray();
    QTest::newRow("a second file of a stored name is left out")
        << QStringList{"same.txt", "errors/same.txt"}
        << QStringList{"n", "same.cab", "*.txt", "errors\\*.*"} << QStringList{"same.txt"}
        << QByteArray("errors/same.txt left out");
    QTest::newRow("a pattern that misses is reported, the others stored")
        << QStringList{"QOR.dat"} << QStringList{"n", "part.cab", "*.dat", "errors\\*.*"}
        << QStringList{"QOR.dat"} << QByteArray("no folder errors for the pattern errors/*.*");
    QTest::newRow("names beyond ASCII")
        << QStringList{"Prüfung.dat"} << QStringList{"n", "u.cab", "PRÜFUNG.DAT"}
        << QStringList{"Prüfung.dat"} << QByteArray();
}

void TestCabarc::newCabinet()
{
    QFETCH(QStringList, layout);
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, expectedSources);
    QFETCH(QByteArray, expectedWarning);
    QTemporaryDir start;
    Lay(start.path(), layout);

    const ToolRun run = RunCabarc(arguments, start.path());
    QCOMPARE(run.exitCode, 0);
    if (expectedWarning.isEmpty())
        QCOMPARE(run.errors, QByteArray());
    else
        QVERIFY2(run.errors.contains(expectedWarning), run.errors.constData());

    const QString cabinet = QDir(start.path()).filePath(QString(arguments[1]).replace('\\', '/'));
    QStringList names;
    for (const QString& source : expectedSources)
        names.append(QFileInfo(source).fileName());
    QCOMPARE(CabextractNames(cabinet), names);

    const QString byCabextract = QDir(start.path()).filePath("cabextract-out");
    QVERIFY(QDir().mkpath(byCabextract));
    QCOMPARE(Run("cabextract", {"-q", "-d", byCabextract, cabinet}, start.path()).exitCode, 0);
    CompareWithSources(byCabextract, start.path(), names, expectedSources);

    const QString byCabarc = QDir(start.path()).filePath("cabarc-out");
    QVERIFY(QDir().mkpath(byCabarc));
    QCOMPARE(RunCabarc({"x", cabinet}, byCabarc).exitCode, 0);
    CompareWithSources(byCabarc, start.path(), names, expectedSources);
}

void TestCabarc::newCabinetFails_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("expectedExitCode");
    QTest::addColumn<QByteArray>("expectedMessage");

    QTest::newRow("missing folder")
        << QStringList{"n", "A:\\\\QOR1000.errors.cab", "*.dat"} << 1
        << QByteArray("cannot write the cabinet A://QOR1000.errors.cab: No such file or directory");
    QTest::newRow("full disk") << QStringList{"n", "/dev/full", "*.dat"} << 1
                               << QByteArray("cannot write the cabinet /dev/full: No space left");
    QTest::newRow("cabinet path is a folder")
        << QStringList{"n", "errors", "*.dat"} << 1
        << QByteArray("cannot write the cabinet errors: Is a directory");
    QTest::newRow("no file matched") << QStringList{"n", "none.cab", "*.csv", "errors\\*.dat"} << 1
                                     << QByteArray("no file matched, so no cabinet none.cab");
    QTest::newRow("no pattern") << QStringList{"n", "none.cab"} << 2
                                << QByteArray("n needs at least one file pattern");
    QTest::newRow("-p with n") << QStringList{"-p", "n", "none.cab", "*.dat"} << 2
                               << QByteArray("-p applies to x only");
    QTest::newRow("unknown command")
        << QStringList{"a", "none.cab", "*.dat"} << 2 << QByteArray("unknown command \"a\"");
    QTest::newRow("no cabinet") << QStringList{"n"} << 2 << QByteArray("no cabinet named");
}

void TestCabarc::newCabinetFails()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, expectedExitCode);
    QFETCH(QByteArray, expectedMessage);
    QTemporaryDir start;
    Lay(start.path(), {"QOR.dat", "errors/startup.log.txt"});

    const ToolRun run = RunCabarc(arguments, start.path());
    QCOMPARE(run.exitCode, expectedExitCode);
    QVERIFY2(run.errors.contains("cabarc: " + expectedMessage), run.errors.constData());
    // Nothing is left behind in the start directory: no cabinet, no half-written file.
    QCOMPARE(FilesBelow(start.path()), QStringList({"QOR.dat", "errors/startup.log.txt"}));
}

void TestCabarc::extraction_data()
{
    QTest::addColumn<QStringList>("arguments"); // the cabinet is installer\AdbeRdr.cab
    QTest::addColumn<QStringList>("expectedFiles");
    QTest::addColumn<QStringList>("expectedSources");

    const QStringList all{"AdbeRdr/readme.txt", "AdbeRdr/setup.exe", "top.txt"};
    QTest::newRow("-p x *.* keeps the stored folders")
        << QStringList{"-p", "x", "installer\\AdbeRdr.cab", "*.*"} << all << all;
    QTest::newRow("no pattern takes every file")
        << QStringList{"-p", "x", "installer\\AdbeRdr.cab"} << all << all;
    QTest::newRow("without -p every file lands here")
        << QStringList{"x", "installer\\AdbeRdr.cab"}
        << QStringList{"readme.txt", "setup.exe", "top.txt"} << all;
    QTest::newRow("a name pattern matches in any folder")
        << QStringList{"-p", "x", "installer\\AdbeRdr.cab", "*.EXE"}
        << QStringList{"AdbeRdr/setup.exe"} << QStringList{"AdbeRdr/setup.exe"};
    QTest::newRow("a folder pattern matches the stored folder, either case")
        << QStringList{"-p", "x", "installer\\AdbeRdr.cab", "adberdr\\READ*", "top.txt"}
        << QStringList{"AdbeRdr/readme.txt", "top.txt"}
        << QStringList{"AdbeRdr/readme.txt", "top.txt"};
}

void TestCabarc::extraction()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, expectedFiles);
    QFETCH(QStringList, expectedSources);
    QTemporaryDir sources;
    Lay(sources.path(), {"AdbeRdr/setup.exe", "AdbeRdr/readme.txt", "top.txt"});
    QTemporaryDir start;
    QVERIFY(QDir(start.path()).mkdir("installer"));
    QCOMPARE(Run("gcab",
                 {"-c", "-z", start.path() + "/installer/AdbeRdr.cab", "AdbeRdr/setup.exe",
                  "AdbeRdr/readme.txt", "top.txt"},
                 sources.path())
                 .exitCode,
             0);

    const ToolRun run = RunCabarc(arguments, start.path());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.errors, QByteArray());
    QVERIFY(QFile::remove(start.path() + "/installer/AdbeRdr.cab"));
    CompareWithSources(start.path(), sources.path(), expectedFiles, expectedSources);
    // The installer can be started: a *.exe is made executable, other files are not.
    for (const QString& file : expectedFiles)
        QCOMPARE(QFileInfo(QDir(start.path()).filePath(file)).isExecutable(),
                 file.endsWith(".exe"));
}

void TestCabarc::extractionFails_data()
{
    QTest::addColumn<QByteArray>("cabinetBytes"); // damaged on purpose, or empty for none
    QTest::addColumn<QStringList>("patterns");
    QTest::addColumn<QByteArray>("expectedMessage");

    // A real cabinet of one file large enough for several compressed blocks.
    QTemporaryDir maker;
    Lay(maker.path(), {"a-file-of-many-test-records.dat"});
    Run(QStringLiteral(CABARC_PATH), {"n", "good.cab", "*.dat"}, maker.path());
    const QByteArray good = ReadBytes(maker.path() + "/good.cab");
    QVERIFY(good.size() > 4000);

    QTest::newRow("missing cabinet")
        << QByteArray() << QStringList() << QByteArray("cannot open the cabinet AdbeRdr.cab");
    QTest::newRow("not a cabinet") << QByteArray("MSCF? no, just text\r\n") << QStringList()
                                   << QByteArray("cannot read the cabinet AdbeRdr.cab");
    QTest::newRow("cut short") << good.left(good.size() / 2) << QStringList()
                               << QByteArray("cannot extract from the cabinet AdbeRdr.cab");
    QByteArray damaged = good;
    damaged.replace(good.size() / 2, 16, QByteArray(16, 'Z'));
    QTest::newRow("damaged data") << damaged << QStringList()
                                  << QByteArray("cannot extract from the cabinet AdbeRdr.cab");
    // A stored name that climbs out of the folder, made from a file whose name holds a backslash.
    QFile climbing(maker.path() + "/..\\evil.txt");
    QVERIFY(climbing.open(QIODevice::WriteOnly));
    climbing.close();
    Run("gcab", {"-c", "evil.cab", "..\\evil.txt"}, maker.path());
    QTest::newRow("a name that climbs out is refused")
        << ReadBytes(maker.path() + "/evil.cab") << QStringList()
        << QByteArray("warning: refused ..\\evil.txt: it would land outside");
    QTest::newRow("no file matches")
        << good << QStringList{"*.exe"} << QByteArray("no file extracted from the cabinet");
}

void TestCabarc::extractionFails()
{
    QFETCH(QByteArray, cabinetBytes);
    QFETCH(QStringList, patterns);
    QFETCH(QByteArray, expectedMessage);
    QTemporaryDir start;
    if (!cabinetBytes.isEmpty()) {
        QFile cabinet(start.path() + "/AdbeRdr.cab");
        QVERIFY(cabinet.open(QIODevice::WriteOnly));
        cabinet.write(cabinetBytes);
    }

    const ToolRun run = RunCabarc(QStringList{"-p", "x", "AdbeRdr.cab"} + patterns, start.path());
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.errors.contains("cabarc: " + expectedMessage), run.errors.constData());
    // No half-extracted file stays behind.
    QCOMPARE(FilesBelow(start.path()),
             cabinetBytes.isEmpty() ? QStringList() : QStringList{"AdbeRdr.cab"});
}

QTEST_GUILESS_MAIN(TestCabarc)
#include "tst_cabarc.moc"
