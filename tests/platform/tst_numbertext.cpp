#include "platform/errors.h"
#include "platform/numbertext.h"

#include <QTest>

class TestNumberText : public QObject
{
    Q_OBJECT
private slots:
    void formatFloat_data();
    void formatFloat();
    void floatToStr_data();
    void floatToStr();
    void strToInt_data();
    void strToInt();
    void significantText_data();
    void significantText();
};

void TestNumberText::formatFloat_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("three decimals round down") << "0.000" << 0.31242 << "0.312";
    QTest::newRow("whole number rounds up") << "0" << 206.8381344 << "207";
    QTest::newRow("binary noise taken to 15 digits") << "0.000" << 25 * 0.00254 << "0.064";
    QTest::newRow("half away from zero") << "0" << 0.5 << "1";
    QTest::newRow("negative half away from zero") << "0" << -2.5 << "-3";
    QTest::newRow("carry into a new digit") << "0.000" << 9.9996 << "10.000";
    QTest::newRow("zero") << "0.000" << 0.0 << "0.000";
    QTest::newRow("grouped whole") << "#,##0" << 1234567.0 << "1,234,567";
    QTest::newRow("grouped small") << "#,##0" << 453.5924 << "454";
    QTest::newRow("optional decimal dropped") << "#,##0.00#" << 1.6 << "1.60";
    QTest::newRow("optional decimal kept") << "#,##0.00#" << 4.064 << "4.064";
    QTest::newRow("optional decimal rounded") << "#,##0.00#" << 0.0635 << "0.064";
    QTest::newRow("grouped with decimals") << "#,##0.00#" << 1234.5 << "1,234.50";
    QTest::newRow("tiny negative is zero") << "0" << -0.2 << "0";
}

void TestNumberText::formatFloat()
{
    QFETCH(QString, picture);
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(FormatFloat(picture, value), expected);
}

void TestNumberText::floatToStr_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("whole") << 523.0 << "523";
    QTest::newRow("metric force") << 1234 * 0.4535924 << "559.7330216";
    QTest::newRow("noise hidden") << 25 * 0.00254 << "0.0635";
    QTest::newRow("zero") << 0.0 << "0";
}

void TestNumberText::floatToStr()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(FloatToStr(value), expected);
}

void TestNumberText::strToInt_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected"); // -1: a conversion error
    QTest::newRow("leading zeros") << "0123" << 123;
    QTest::newRow("letter") << "12a4" << -1;
    QTest::newRow("space") << " 123" << -1;
    QTest::newRow("sign") << "+123" << -1;
    QTest::newRow("empty") << "" << -1;
}

void TestNumberText::strToInt()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    if (expected >= 0) {
        QCOMPARE(StrToInt(text), expected);
        return;
    }
    try {
        StrToInt(text);
        QFAIL("no conversion error");
    } catch (const ConversionError& error) {
        QCOMPARE(error.Message(), QStringLiteral("'%1' is not a valid integer value").arg(text));
    }
}

void TestNumberText::significantText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("trailing zeros dropped") << 450.5 << "450.5";
    QTest::newRow("rounded to six digits") << 1785.796850393 << "1785.8";
    QTest::newRow("small without an exponent") << 0.000123456789 << "0.000123457";
    QTest::newRow("large without an exponent") << 1234567.0 << "1234570";
    QTest::newRow("carry into a new digit") << 99999.96 << "100000";
    QTest::newRow("negative") << -2.5 << "-2.5";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
}

void TestNumberText::significantText()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(SignificantText(value, 6), expected);
}

QTEST_APPLESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
