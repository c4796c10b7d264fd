#include "../graph/testrecords.h"
#include "filebytes.h"
#include "programrun.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

// The diagnostic archive of a start directory holding 200 test files of 10,000 records, made by
// cabarc, against gcab compressing the same files with the same library and method.
class CabarcBenchmark : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void gcabSameFiles();
    void cabarcDiagnosticArchive();

private:
    static void RunIn(const QString& directory, const QString& program, const QStringList& args);

    QTemporaryDir Start;
    QStringList Files;
    qint64 InputBytes = 0;
};

void CabarcBenchmark::RunIn(const QString& directory, const QString& program,
                            const QStringList& args)
{
    const ProgramRun run = RunProgram(program, args, directory);
    QVERIFY2(run.exitCode == 0, run.errors.constData());
}

void CabarcBenchmark::initTestCase()
{
    const QDir start(Start.path());
    QVERIFY(start.mkpath("diagnostic"));
    QVERIFY(WriteBytes(start.filePath("QOR.dat"),
                       "QOR-1000 installation configuration\r\nPORT=COM1\r\n"));
    QVERIFY(WriteBytes(start.filePath("errors/startup.log.txt"),
                       QByteArray("Start-up line\r\n").repeated(200)));
    QVERIFY(WriteBytes(start.filePath("errors/install.errors.txt"), QByteArray()));
    Files = QStringList{"QOR.dat", "errors/startup.log.txt", "errors/install.errors.txt"};
    for (int test = 1; test <= 200; ++test) {
        QStringList lines = MachineTest(10003);
        lines[0] = QStringLiteral("Specimen %1").arg(test);
        const QString name = QStringLiteral("Specimen %1.dat").arg(test, 3, 10, QLatin1Char('0'));
        QVERIFY(WriteBytes(start.filePath(name), (lines.join("\r\n") + "\r\n").toLatin1()));
        Files.append(name);
    }
    for (const QString& file : Files)
        InputBytes += QFileInfo(start.filePath(file)).size();
}

void CabarcBenchmark::gcabSameFiles()
{
    QBENCHMARK
    {
        RunIn(Start.path(), "gcab", QStringList{"-c", "-z", "diagnostic/gcab.cab"} + Files);
    }
}

void CabarcBenchmark::cabarcDiagnosticArchive()
{
    const QString cabinet = Start.path() + "/diagnostic/QOR1000.errors.cab";
    QBENCHMARK
    {
        RunIn(Start.path(), QStringLiteral(CABARC_PATH),
              {"n", "diagnostic\\\\QOR1000.errors.cab", "*.dat", "errors\\*.*"});
    }
    qInfo("%lld bytes in %d files packed into %lld bytes", InputBytes, int(Files.size()),
          QFileInfo(cabinet).size());
}

QTEST_GUILESS_MAIN(CabarcBenchmark)
#include "bench_cabarc.moc"
