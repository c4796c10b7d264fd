#include "control/protocol.h"
#include "platform/errors.h"

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
    QTest::newRow("unknown one letter") << QByteArray("Q\r") << ReplyKind::OneLetterStatus;
    QTest::newRow("two letters") << QByteArray("TM\r") << ReplyKind::TwoLetterStatus;
    QTest::newRow("incremental stop") << QByteArray("ID\r") << ReplyKind::TwoLetterStatus;
    QTest::newRow("any first letter") << QByteArray("XM\r") << ReplyKind::TwoLetterStatus;
    QTest::newRow("version") << QByteArray("V1.2\r") << ReplyKind::VersionReply;
    QTest::newRow("length 5 without V") << QByteArray("A1.2\r") << ReplyKind::Other;
    QTest::newRow("lower-case v") << QByteArray("v1.2\r") << ReplyKind::Other;
    QTest::newRow("data record") << QByteArray("0123,0456\r") << ReplyKind::DataRecord;
    QTest::newRow("record with letters") << QByteArray("12a4,0456\r") << ReplyKind::DataRecord;
    QTest::newRow("length 10 without comma") << QByteArray("1234;5678\r") << ReplyKind::Other;
    QTest::newRow("length 10 without CR last") << QByteArray("1234,56789") << ReplyKind::Other;
    QTest::newRow("record without CR") << QByteArray("0123,0456") << ReplyKind::Other;
    QTest::newRow("comma, CR too late") << QByteArray("0123,04567\r") << ReplyKind::Other;
    QTest::newRow("comma, CR too early") << QByteArray("0123,045\r") << ReplyKind::Other;
    QTest::newRow("length 4") << QByteArray("ABC\r") << ReplyKind::Other;
    QTest::newRow("empty") << QByteArray() << ReplyKind::Other;
}

void TestProtocol::classifyReply()
{
    QFETCH(QByteArray, line);
    QFETCH(ReplyKind, kind);
    QCOMPARE(ClassifyReply(line), kind);
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
    QTest::newRow("unknown letter") << QByteArray("Q\r") << QString();
    QTest::newRow("lower-case letter") << QByteArray("h\r") << QString();
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
    QTest::addColumn<double>("displacementFactor");
    QTest::addColumn<double>("forceFactor");
    QTest::addColumn<double>("displacement");
    QTest::addColumn<double>("force");
    QTest::addColumn<QString>("displacementText");
    QTest::addColumn<QString>("forceText");

    QTest::newRow("English") << QByteArray("0123,0456\r") << InchPerCount << PoundPerCount << 0.123
                             << 456.0 << "0.123"
                             << "456";
    QTest::newRow("metric") << QByteArray("0123,0456\r") << CentimetrePerCount << KilogramPerCount
                            << 0.31242 << 206.8381344 << "0.312"
                            << "207";
    QTest::newRow("largest English")
        << QByteArray("9999,9999\r") << InchPerCount << PoundPerCount << 9.999 << 9999.0 << "9.999"
        << "9999";
    QTest::newRow("largest metric") << QByteArray("9999,9999\r") << CentimetrePerCount
                                    << KilogramPerCount << 25.39746 << 4535.4704076 << "25.397"
                                    << "4535";
    QTest::newRow("metric tie rounds away from zero")
        << QByteArray("0025,0001\r") << CentimetrePerCount << KilogramPerCount << 0.0635
        << 0.4535924 << "0.064"
        << "0";
    QTest::newRow("zero") << QByteArray("0000,0000\r") << InchPerCount << PoundPerCount << 0.0
                          << 0.0 << "0.000"
                          << "0";
    QTest::newRow("stored line without CR")
        << QByteArray("1600,0480") << InchPerCount << PoundPerCount << 1.6 << 480.0 << "1.600"
        << "480";
}

void TestProtocol::decodeDataRecord()
{
    QFETCH(QByteArray, record);
    QFETCH(double, displacementFactor);
    QFETCH(double, forceFactor);
    QFETCH(double, displacement);
    QFETCH(double, force);
    QFETCH(QString, displacementText);
    QFETCH(QString, forceText);

    const DecodedRecord decoded = DecodeDataRecord(record, displacementFactor, forceFactor);
    QCOMPARE(decoded.displacement, displacement);
    QCOMPARE(decoded.force, force);
    QCOMPARE(decoded.displacementText, displacementText);
    QCOMPARE(decoded.forceText, forceText);
}

void TestProtocol::decodeConversionError_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QString>("message");

    QTest::newRow("letter in displacement")
        << QByteArray("12a4,0456\r") << "'12a4' is not a valid integer value";
    QTest::newRow("letter in force")
        << QByteArray("0123,04x6\r") << "'04x6' is not a valid integer value";
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
    QTest::newRow("zero") << 0 << 0 << QByteArray("0000,0000");
    QTest::newRow("largest") << 9999 << 9999 << QByteArray("9999,9999");
}

void TestProtocol::encodeDataRecord()
{
    QFETCH(int, displacement);
    QFETCH(int, force);
    QFETCH(QByteArray, record);
    QCOMPARE(EncodeDataRecord(displacement, force), record);
    const DecodedRecord decoded = DecodeDataRecord(record, 1.0, 1.0);
    QCOMPARE(decoded.displacement, double(displacement));
    QCOMPARE(decoded.force, double(force));
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
    QFETCH(QList<QByteArray>, writes);
    QCOMPARE(IncrementalSettingWrites(force), writes);
}

QTEST_APPLESS_MAIN(TestProtocol)
#include "tst_protocol.moc"
