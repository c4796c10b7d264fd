#include "recovery/recoveryformat.h"

#include <QTest>

#include <ranges>

namespace {

const QDateTime Begun(QDate(2026, 5, 11), QTime(10, 31, 7, 123));

// A file as a test writes it while it runs and when it goes to its graph window, with the size it
// had after each record and the lines it held then.
struct WrittenFile
{
    QByteArray bytes = RecoveryHeader(Begun);
    RecoveryRecords records{bytes};
    QStringList lines;
    QList<std::pair<qsizetype, QStringList>> wholeRecords{{bytes.size(), {}}};

    WrittenFile()
    {
        for (const char* line : {"D", "QOR1000 Test Graph 1", "X,Y", "0010,0005"})
            Append(QString::fromLatin1(line));
        Append(QString::fromLatin1("\0\x01 \r\n\xb0\xff", 8)); // any byte, line ends too
        Append(QStringLiteral("TM"));
        Replace(1, QStringLiteral("Maximum Force (lbs.)=5 at Displacement (in.)=0.010"));
        Replace(0, QStringLiteral("Oak 25 mm \u20ac")); // a title Latin-1 cannot hold
        bytes += records.HandedOver();
    }
    void Append(const QString& line)
    {
        bytes += records.Append(lines.size(), line);
        lines.append(line);
        wholeRecords.append({bytes.size(), lines});
    }
    void Replace(qsizetype index, const QString& line)
    {
        bytes += records.Replace(index, line);
        lines[index] = line;
        wholeRecords.append({bytes.size(), lines});
    }
};

} // namespace

class TestRecoveryFile : public QObject
{
    Q_OBJECT
private slots:
    void cutAtAnyByteKeepsTheWholeRecordsBeforeIt();
    void damagedEndIsNeverMisread_data();
    void damagedEndIsNeverMisread();
};

void TestRecoveryFile::cutAtAnyByteKeepsTheWholeRecordsBeforeIt()
{
    const WrittenFile file;
    for (qsizetype cut = 0; cut <= file.bytes.size(); ++cut) {
        const std::optional<RecoveredTest> read = ReadRecoveryBytes(file.bytes.first(cut));
        if (cut < file.wholeRecords.constFirst().first) {
            QVERIFY2(!read, qPrintable(QString::number(cut)));
            continue;
        }
        QVERIFY(read);
        const auto whole =
            std::ranges::find_if(file.wholeRecords | std::views::reverse,
                                 [cut](const auto& record) { return record.first <= cut; });
        QCOMPARE(read->lines, whole->second);
        QCOMPARE(read->begun, Begun);
        QCOMPARE(read->inGraphWindow, cut == file.bytes.size());
    }
}

void TestRecoveryFile::damagedEndIsNeverMisread_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");

    const WrittenFile file;
    QTest::newRow("zeros where the disk had no data yet")
        << file.bytes + QByteArray(64, '\0') << file.lines;
    // Stale data from an older file: a record that checks out where it was first written.
    QTest::newRow("a record of another file")
        << file.bytes + RecoveryRecords(RecoveryHeader(Begun.addDays(-1)))
                            .Append(file.lines.size(), QStringLiteral("0020,0010"))
        << file.lines;
    QByteArray changed = file.bytes;
    changed[file.wholeRecords[4].first - 3] = '9'; // "0010,0005" becomes "0010,0095"
    QTest::newRow("a byte changed in a record") << changed << file.wholeRecords[3].second;
}

void TestRecoveryFile::damagedEndIsNeverMisread()
{
    QFETCH(QByteArray, bytes);
    const std::optional<RecoveredTest> read = ReadRecoveryBytes(bytes);
    QVERIFY(read);
    QTEST(read->lines, "lines");
}

QTEST_MAIN(TestRecoveryFile)
#include "tst_recoveryfile.moc"
