#include "../graph/testrecords.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
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
    static void Write(const QString& path, const QByteArray& bytes);
    static void RunIn(const QString& directory, const QString& program, const QStringList& args);

    QTemporaryDir Start;
    QStringList Files;
    qint64 InputBytes = 0;
};

void CabarcBenchmark::Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

void CabarcBenchmark::RunIn(const QString& directory, const QString& program,
                            const QStringList& args)
{
    QProcess process;
    process.setWorkingDirectory(directory);
    process.start(program, args);
    QVERIFY(process.waitForFinished(300000));
    QVERIFY2(process.exitCode() == 0, process.readAllStandardError().constData());
}

void CabarcBenchmark::initTestCase()
{
    const QDir start(Start.path());
    QVERIFY(start.mkpath("errors") && start.mkpath("diagnostic"));
    Write(start.filePath("QOR.dat"), "QOR-1000 installation configuration\r\nPORT=COM1\r\n");
    Write(start.filePath("errors/startup.log.txt"), QByteArray("Start-up line\r\n").repeated(200));
    Write(start.filePath("errors/install.errors.txt"), QByteArray());
    Files = QStringList{"QOR.dat", "errors/startup.log.txt", "errors/install.errors.txt"};
    for (int test = 1; test <= 200; ++test) {
        QStringList lines = MachineTest(10003);
        lines[0] = QStringLiteral("Specimen %1").arg(test);
        const QString name = QStringLiteral("Specimen %1.dat").arg(test, 3, 10, QLatin1Char('0'));
        Write(start.filePath(name), (lines.join("\r\n") + "\r\n").toLatin1());
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
