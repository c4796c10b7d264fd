#include "platform/errors.h"
#include "protocol/protocol.h"

#include <QTest>

class TestProtocol : public QObject
{
    Q_OBJECT
private slots:
    void classifyReply_data();
    void classifyReply();
    void replyStatusText_data();
    void replyStatusText();
    void decodeDataRecord_data();
    void decodeDataRecord();
    void decodeConversionError_data();
    void decodeConversionError();
    void encodeDataRecord_data();
    void encodeDataRecord();
    void incrementalSettingWrites_data();
    void incrementalSettingWrites();
};

namespace {
constexpr double InchPerCount = 0.001;
constexpr double PoundPerCount = 1.0;
constexpr double CentimetrePerCount = 0.00254;
constexpr double KilogramPerCount = 0.4535924;
} // namespace

void TestProtocol::classifyReply_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<ReplyKind>("kind");

    QTest::newRow("lone carriage return") << QByteArray("\r") << ReplyKind::Acknowledge;
    QTest::newRow("one letter") << QByteArray("D\r") << ReplyKind::OneLetterStatus;
    QTest::newRow("two letters") << QByteArray("TM\r") << ReplyKind::TwoLetterStatus;
    QTest::newRow("incremental stop") << QByteArray("ID\r") << ReplyKind::TwoLetterStatus;
    QTest::newRow("any first letter") << QByteArray("XM\r") << ReplyKind::TwoLetterStatus;
    QTest::newRow("version") << QByteArray("V1.2\r") << ReplyKind::VersionReply;
    QTest::newRow("lower-case v") << QByteArray("v1.2\r") << ReplyKind::Other;
    QTest::newRow("data record") << QByteArray("0123,0456\r") << ReplyKind::DataRecord;
    QTest::newRow("record with letters") << QByteArray("12a4,0456\r") << ReplyKind::DataRecord;
    QTest::newRow("length 10 without comma") << QByteArray("1234;5678\r") << ReplyKind::Other;
    QTest::newRow("length 10 without CR last") << QByteArray("1234,56789") << ReplyKind::Other;
    QTest::newRow("comma, CR too late") << QByteArray("0123,04567\r") << ReplyKind::Other;
    QTest::newRow("comma, CR too early") << QByteArray("0123,045\r") << ReplyKind::Other;
    QTest::newRow("empty") << QByteArray() << ReplyKind::Other;
}

void TestProtocol::classifyReply()
{
    QFETCH(QByteArray, line);
    QTEST(ClassifyReply(line), "kind");
}

void TestProtocol::replyStatusText_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("text"); // null: the status stays as it was

    QTest::newRow("D") << QByteArray("D\r") << "QOR starting Test";
    QTest::newRow("C") << QByteArray("C\r") << "Continuous Mode set";
    QTest::newRow("H") << QByteArray("H\r") << "QOR at Home";
    QTest::newRow("I") << QByteArray("I\r") << "Increment Mode set";
    QTest::newRow("S") << QByteArray("S\r") << "QOR is Stopped";
    QTest::newRow("U") << QByteArray("U\r") << "QOR moving Home";
    QTest::newRow("unknown or lower-case letter") << QByteArray("h\r") << QString();
    QTest::newRow("TL") << QByteArray("TL\r") << "Test Aborted at Bottom Limit";
    QTest::newRow("TM") << QByteArray("TM\r") << "Test Aborted at Maximum Force";
    QTest::newRow("XM") << QByteArray("XM\r") << "Test Aborted at Maximum Force";
    QTest::newRow("TS") << QByteArray("TS\r") << "QOR is Stopped";
    QTest::newRow("TT") << QByteArray("TT\r") << "Test Complete";
    QTest::newRow("HU") << QByteArray("HU\r") << "QOR moving Home";
    QTest::newRow("ID") << QByteArray("ID\r") << QString();
    QTest::newRow("version keeps its CR") << QByteArray("V1.2\r") << "V1.2\r";
    QTest::newRow("data record") << QByteArray("0123,0456\r") << "Receiving Test Data";
    QTest::newRow("acknowledge") << QByteArray("\r") << QString();
    QTest::newRow("other") << QByteArray("1234;5678\r") << QString();
}

void TestProtocol::replyStatusText()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, text);
    const std::optional<QString> status = ReplyStatusText(line);
    QCOMPARE(status.has_value(), !text.isNull());
    if (status)
        QCOMPARE(*status, text);
}

void TestProtocol::decodeDataRecord_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<bool>("metric");
    QTest::addColumn<QString>("displacementText");
    QTest::addColumn<double>("displacement");
    QTest::addColumn<QString>("forceText");
    QTest::addColumn<double>("force");

    QTest::newRow("English") << QByteArray("0123,0456\r") << false << "0.123" << 0.123 << "456"
                             << 456.0;
    QTest::newRow("metric") << QByteArray("0123,0456\r") << true << "0.312" << 0.31242 << "207"
                            << 206.8381344;
    QTest::newRow("largest English")
        << QByteArray("9999,9999\r") << false << "9.999" << 9.999 << "9999" << 9999.0;
    QTest::newRow("largest metric")
        << QByteArray("9999,9999\r") << true << "25.397" << 25.39746 << "4535" << 4535.4704076;
    QTest::newRow("metric tie rounds away from zero")
        << QByteArray("0025,0001\r") << true << "0.064" << 0.0635 << "0" << 0.4535924;
    QTest::newRow("stored line without CR")
        << QByteArray("1600,0480") << false << "1.600" << 1.6 << "480" << 480.0;
}

void TestProtocol::decodeDataRecord()
{
    QFETCH(QByteArray, record);
    QFETCH(bool, metric);
    const DecodedRecord decoded =
        metric ? DecodeDataRecord(record, CentimetrePerCount, KilogramPerCount)
               : DecodeDataRecord(record, InchPerCount, PoundPerCount);
    QTEST(decoded.displacementText, "displacementText");
    QTEST(decoded.displacement, "displacement");
    QTEST(decoded.forceText, "forceText");
    QTEST(decoded.force, "force");
}

void TestProtocol::decodeConversionError_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QString>("message");

    QTest::newRow("displacement converted first")
        << QByteArray("1 23,-456\r") << "'1 23' is not a valid integer value";
    QTest::newRow("sign in force")
        << QByteArray("0123,-456\r") << "'-456' is not a valid integer value";
    QTest::newRow("blank force") << QByteArray("0123,    \r")
                                 << "'    ' is not a valid integer value";
}

void TestProtocol::decodeConversionError()
{
    QFETCH(QByteArray, record);
    QFETCH(QString, message);
    try {
        DecodeDataRecord(record, InchPerCount, PoundPerCount);
        QFAIL("no conversion error");
    } catch (const ConversionError& error) {
        QCOMPARE(error.Message(), message);
    }
}

void TestProtocol::encodeDataRecord_data()
{
    QTest::addColumn<int>("displacement");
    QTest::addColumn<int>("force");
    QTest::addColumn<QByteArray>("record");

    QTest::newRow("leading zeros") << 123 << 45 << QByteArray("0123,0045");
    QTest::newRow("largest") << 9999 << 9999 << QByteArray("9999,9999");
}

void TestProtocol::encodeDataRecord()
{
    QFETCH(int, displacement);
    QFETCH(int, force);
    QTEST(EncodeDataRecord(displacement, force), "record");
}

void TestProtocol::incrementalSettingWrites_data()
{
    QTest::addColumn<int>("force");
    QTest::addColumn<QList<QByteArray>>("writes");

    QTest::newRow("10") << 10 << QList<QByteArray>{"MI", "10", "\r", "I"};
    QTest::newRow("120") << 120 << QList<QByteArray>{"MI", "120", "\r", "I"};
    QTest::newRow("250") << 250 << QList<QByteArray>{"MI", "250", "\r", "I"};
}

void TestProtocol::incrementalSettingWrites()
{
    QFETCH(int, force);
    QTEST(IncrementalSettingWrites(force), "writes");
}

QTEST_APPLESS_MAIN(TestProtocol)
#include "tst_protocol.moc"
