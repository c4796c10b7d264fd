// What keeping a test on disk costs the control panel: one record written as the data table takes
// a line, against a bare unbuffered write of the same bytes (the floor); the sync that puts a
// second's records on the disk; and a 10,000-line test handed to its graph window, whole.
#include "temporarystartdirectory.h"

#include "protocol/protocol.h"
#include "recovery/recoveryfile.h"
#include "recovery/recoverywriter.h"

#include <QDir>
#include <QTest>

namespace {

QString Record(int index)
{
    return QString::fromLatin1(EncodeDataRecord(index % 10000, (index * 7) % 10000));
}

} // namespace

class BenchRecovery : public QObject
{
    Q_OBJECT
private slots:
    void bareWriteOfARecord();
    void writerAppendsARecord();
    void syncOfASecondOfRecords();
    void handOverOfA10000LineTest();
};

void BenchRecovery::bareWriteOfARecord()
{
    TemporaryStartDirectory start;
    QFile file(QStringLiteral("bare"));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray record = "+L 1234 9 0a1b2c3d " + Record(1234).toLatin1() + '\n';
    QBENCHMARK
    {
        file.write(record);
    }
}

void BenchRecovery::writerAppendsARecord()
{
    TemporaryStartDirectory start;
    RecoveryWriter writer;
    writer.Append(QStringLiteral("D"));
    int index = 0;
    QBENCHMARK
    {
        writer.Append(Record(++index));
    }
}

void BenchRecovery::syncOfASecondOfRecords()
{
    TemporaryStartDirectory start;
    RecoveryFile file;
    file.Create(QDir::currentPath(), QDateTime::currentDateTime(), {QStringLiteral("D")});
    file.Sync();
    int index = 0;
    QBENCHMARK
    {
        for (int record = 0; record < 10; ++record)
            file.Append(Record(++index));
        file.Sync();
    }
}

void BenchRecovery::handOverOfA10000LineTest()
{
    TemporaryStartDirectory start;
    QStringList lines{"Oak 25 mm", "Maximum Force (lbs.)=523 at Displacement (in.)=0.512", "X,Y"};
    for (int index = 0; index < 10000; ++index)
        lines << Record(index);
    const QString path = NewRecoveryPath(QDir::currentPath(), QDateTime::currentDateTime());
    QBENCHMARK
    {
        StoreHandedOverTest(path, QDateTime::currentDateTime(), lines);
    }
}

QTEST_MAIN(BenchRecovery)
#include "bench_recovery.moc"
