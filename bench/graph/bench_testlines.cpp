#include "graph/testlines.h"
#include "testrecords.h"

#include <QElapsedTimer>
#include <QTest>

// The walk and the export over a 100,000-line test, against copying the lines once; and what the
// program's first export costs besides.
class TestLinesBenchmark : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Lines = MachineTest(100000); }

    void copyLines()
    {
        QStringList copy;
        QBENCHMARK
        {
            copy.clear();
            copy.reserve(Lines.size());
            for (const QString& line : Lines)
                copy.append(QString(line.constData(), line.size()));
        }
        QCOMPARE(copy, Lines);
    }

    void readTestRecords()
    {
        qsizetype records = 0;
        QBENCHMARK
        {
            records = 0;
            ReadTestRecords(Lines, [&](double, double) { ++records; });
        }
        QCOMPARE(records, Lines.size() - 4 - (Lines.size() - 4) / 1000);
    }

    // The program's first export also writes the texts of every count in both units, once.
    void firstExportOfTheProgram()
    {
        QElapsedTimer timer;
        timer.start();
        const QStringList csv = ConvertTestToCsv(MachineTest(5), true);
        qInfo("first export of the program: %.1f msecs", timer.nsecsElapsed() / 1e6);
        QCOMPARE(csv.value(3), QStringLiteral("0.000,0"));
    }

    void convertTestToCsv()
    {
        QStringList csv;
        QBENCHMARK
        {
            csv = ConvertTestToCsv(Lines, true);
        }
        QCOMPARE(csv.size(), Lines.size());
    }

private:
    QStringList Lines;
};

QTEST_GUILESS_MAIN(TestLinesBenchmark)
#include "bench_testlines.moc"
