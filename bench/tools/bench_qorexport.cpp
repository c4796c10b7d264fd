#include "../graph/testrecords.h"
#include "graph/testfile.h"
#include "graph/testlines.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int FileCount = 1000;
constexpr int RecordsPerFile = 1000;

// Benchmarks work; its mean time per record of a stored test, in nanoseconds.
template <typename Work> double NanosecondsPerRecord(const Work& work)
{
    QElapsedTimer clock;
    qint64 nanoseconds = 0;
    int runs = 0;
    QBENCHMARK
    {
        clock.start();
        work();
        nanoseconds += clock.nsecsElapsed();
        ++runs;
    }
    return double(nanoseconds) / runs / RecordsPerFile;
}

} // namespace

// qor-export --csv over 1,000 stored tests of 1,000 records, against the program's own export of
// one such test (the conversion, and the conversion with the file written), per record.
class QorExportBenchmark : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void convertOneTest();
    void exportOneTest();
    void qorExportCsv();

private:
    QTemporaryDir dir_;
    QStringList lines_;
    QStringList files_;
    double convertPerRecord_ = 0;
    double exportPerRecord_ = 0;
};

void QorExportBenchmark::initTestCase()
{
    QVERIFY(dir_.isValid());
    // Three head lines, the records (one of them an incremental stop) and the end record.
    lines_ = MachineTest(RecordsPerFile + 4);
    QDir(dir_.path()).mkdir("tests");
    for (int file = 0; file < FileCount; ++file) {
        files_.append(QStringLiteral("tests/test%1.dat").arg(file, 4, 10, QLatin1Char('0')));
        StoreTestFile(QDir(dir_.path()).filePath(files_.constLast()), lines_);
    }
}

void QorExportBenchmark::convertOneTest()
{
    QStringList csv;
    convertPerRecord_ = NanosecondsPerRecord([&] { csv = ConvertTestToCsv(lines_, true); });
    QCOMPARE(csv.size(), lines_.size());
}

void QorExportBenchmark::exportOneTest()
{
    const QString path = QDir(dir_.path()).filePath("program.csv");
    exportPerRecord_ =
        NanosecondsPerRecord([&] { StoreTestFile(path, ConvertTestToCsv(lines_, true)); });
}

void QorExportBenchmark::qorExportCsv()
{
    QProcess process;
    process.setWorkingDirectory(dir_.path());
    QElapsedTimer clock;
    QBENCHMARK_ONCE
    {
        clock.start();
        process.start(QStringLiteral(QOR_EXPORT_PATH),
                      QStringList{"--csv", "--out", "csv"} + files_);
        QVERIFY(process.waitForFinished(600000));
    }
    const double seconds = clock.nsecsElapsed() / 1e9;
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(QDir(QDir(dir_.path()).filePath("csv")).entryList(QDir::Files).size(), FileCount);

    const double perRecord = seconds * 1e9 / FileCount / RecordsPerFile;
    qInfo("qor-export --csv: %.0f files per second, %.2f us per record", FileCount / seconds,
          perRecord / 1000);
    qInfo("in-program conversion: %.2f us per record (qor-export: %.1f times that)",
          convertPerRecord_ / 1000, perRecord / convertPerRecord_);
    qInfo("in-program export with its file written: %.2f us per record (qor-export: %.1f times "
          "that)",
          exportPerRecord_ / 1000, perRecord / exportPerRecord_);
}

QTEST_GUILESS_MAIN(QorExportBenchmark)
#include "bench_qorexport.moc"
