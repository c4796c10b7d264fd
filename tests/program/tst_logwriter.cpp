#include "logfile.h"
#include "program/logwriter.h"
#include "temporarystartdirectory.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

namespace {

const QString LogPath = QStringLiteral("errors/test.log.txt");

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestLogWriter : public QObject
{
    Q_OBJECT
private slots:
    void timestamp_data();
    void timestamp();
    void stampOfNow();
    void lines_data();
    void lines();
    void failures_data();
    void failures();
};

void TestLogWriter::timestamp_data()
{
    QTest::addColumn<QDateTime>("time");
    QTest::addColumn<QString>("expected");

    QTest::newRow("early morning")
        << QDateTime(QDate(2026, 12, 6), QTime(3, 42, 32)) << "Sun Dec 06 03:42:32 2026";
    QTest::newRow("afternoon in 24 hours")
        << QDateTime(QDate(2006, 2, 25), QTime(17, 5, 9)) << "Sat Feb 25 17:05:09 2006";
}

void TestLogWriter::timestamp()
{
    QFETCH(QDateTime, time);
    QFETCH(QString, expected);
    QCOMPARE(LogTimestamp(time), expected);
}

void TestLogWriter::stampOfNow()
{
    TemporaryStartDirectory start;
    const QDateTime before = QDateTime::currentDateTime();
    WriteLogLine(LogPath, QStringLiteral("P "), QStringLiteral("m"), QStringLiteral("Y"),
                 LogMode::Append);
    const QDateTime after = QDateTime::currentDateTime();

    const QByteArray line = FileBytes(LogPath);
    QVERIFY2(QRegularExpression(QStringLiteral("^%1, P m\r\n$").arg(LogStampPattern()))
                 .match(QString::fromLatin1(line))
                 .hasMatch(),
             line.constData());
    const QString stamp = QString::fromLatin1(line.left(24));
    QVERIFY(stamp == LogTimestamp(before) || stamp == LogTimestamp(after));
}

void TestLogWriter::lines_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("stamp");
    QTest::addColumn<bool>("truncate");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray before = "earlier line\r\n";
    QTest::newRow("appended without stamp") << "Prefix- "
                                            << "message"
                                            << "N" << false << before + "Prefix- message\r\n";
    QTest::newRow("appended with stamp") << "Prefix- "
                                         << "message"
                                         << "Y" << false << before + "<stamp>, Prefix- message\r\n";
    QTest::newRow("stamp flag only on Y") << "p"
                                          << "m"
                                          << "y" << false << before + "pm\r\n";
    QTest::newRow("truncated") << "p"
                               << "m"
                               << "N" << true << QByteArray("pm\r\n");
    QTest::newRow("empty prefix appends nothing") << ""
                                                  << "m"
                                                  << "Y" << false << before;
    QTest::newRow("empty prefix empties the file") << ""
                                                   << "m"
                                                   << "N" << true << QByteArray();
    QTest::newRow("single-byte text kept")
        << QString::fromLatin1("Qualit\xe9 ") << QString::fromLatin1("\xb0") << "N" << false
        << before + "Qualit\xe9 \xb0\r\n";
}

void TestLogWriter::lines()
{
    QFETCH(QString, prefix);
    QFETCH(QString, message);
    QFETCH(QString, stamp);
    QFETCH(bool, truncate);
    QFETCH(QByteArray, expected);

    TemporaryStartDirectory start;
    start.WriteFile(LogPath, "earlier line\r\n");
    WriteLogLine(LogPath, prefix, message, stamp, truncate ? LogMode::Truncate : LogMode::Append);
    QCOMPARE(LogWithoutStamps(LogPath), expected);
}

void TestLogWriter::failures_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("linkedTo"); // the device the path is a link to, if any

    QTest::newRow("folder missing") << "missing/folder.txt" << -1001 << "";
    QTest::newRow("device full") << LogPath << -1003 << "/dev/full";
}

void TestLogWriter::failures()
{
    QFETCH(QString, path);
    QFETCH(QString, linkedTo);
    TemporaryStartDirectory start;
    if (!linkedTo.isEmpty())
        QVERIFY(QFile::link(linkedTo, path));
    try {
        WriteLogLine(path, QStringLiteral("p"), {}, QStringLiteral("N"), LogMode::Append);
        QFAIL("no error raised");
    } catch (int code) {
        QTEST(code, "code");
    }
    QVERIFY(!QFile::exists(QStringLiteral("missing")));
}

QTEST_GUILESS_MAIN(TestLogWriter)
#include "tst_logwriter.moc"
