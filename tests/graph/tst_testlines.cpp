#include "graph/testlines.h"
#include "platform/errors.h"
#include "platform/numbertext.h"
#include "program/settings.h"

#include <QPointF>
#include <QTest>

namespace {

const QStringList Head{QStringLiteral("Specimen 7"), QStringLiteral("QOR1000 Test Graph 1"),
                       QStringLiteral("X,Y")};

QStringList Test(const QStringList& records)
{
    return Head + records;
}

QList<QPointF> Walk(const QStringList& lines)
{
    QList<QPointF> points;
    ReadTestRecords(lines, [&](double displacement, double force) {
        points.append(QPointF(displacement, force));
    });
    return points;
}

} // namespace

class TestLinesTest : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { ApplyUnits(true); }

    void readsPastTheEndAsEmptyAndWritesNothingThere();

    void convertsRecordCountsToUnits_data();
    void convertsRecordCountsToUnits();

    void everyCountExportsAsItsPictureWritesIt();

    void walkEndsAtFirstTLine_data();
    void walkEndsAtFirstTLine();

    void exportConvertsUpToFirstEmptyLine_data();
    void exportConvertsUpToFirstEmptyLine();

    void badRecordRaisesConversionError();
};

void TestLinesTest::readsPastTheEndAsEmptyAndWritesNothingThere()
{
    QStringList lines{QStringLiteral("a"), QStringLiteral("b")};
    QCOMPARE(TestLine(lines, 1), QStringLiteral("b"));
    QCOMPARE(TestLine(lines, 2), QString());
    QCOMPARE(TestLine(lines, -1), QString());
    SetTestLine(lines, 1, QStringLiteral("c"));
    SetTestLine(lines, 2, QStringLiteral("d"));
    SetTestLine(lines, -1, QStringLiteral("e"));
    QCOMPARE(lines, (QStringList{QStringLiteral("a"), QStringLiteral("c")}));
}

void TestLinesTest::convertsRecordCountsToUnits_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("record");
    QTest::addColumn<double>("displacement");
    QTest::addColumn<double>("force");
    QTest::addColumn<QString>("exported");

    QTest::newRow("english") << true << "0123,0456" << 0.123 << 456.0 << "0.123,456";
    QTest::newRow("english largest") << true << "9999,9999" << 9.999 << 9999.0 << "9.999,9999";
    QTest::newRow("metric") << false << "0123,0456" << 0.31242 << 206.8381344 << "0.312,207";
    QTest::newRow("metric largest")
        << false << "9999,9999" << 25.39746 << 4535.4704076 << "25.397,4535";
    QTest::newRow("zero") << true << "0000,0000" << 0.0 << 0.0 << "0.000,0";
    QTest::newRow("metric half away from zero")
        << false << "0025,0001" << 0.0635 << 0.4535924 << "0.064,0";
}

void TestLinesTest::convertsRecordCountsToUnits()
{
    QFETCH(bool, english);
    QFETCH(QString, record);
    QFETCH(double, displacement);
    QFETCH(double, force);
    QFETCH(QString, exported);

    ApplyUnits(english);
    const QList<QPointF> points = Walk(Test({record, QStringLiteral("TM")}));
    QCOMPARE(points.size(), 1);
    QCOMPARE(points[0].x(), displacement);
    QCOMPARE(points[0].y(), force);

    // The export takes its units from its argument, not from the setting in force.
    ApplyUnits(!english);
    QCOMPARE(ConvertTestToCsv(Test({record}), english).value(3), exported);
}

// The export looks each count's text up; in both units it is the one the number picture writes.
void TestLinesTest::everyCountExportsAsItsPictureWritesIt()
{
    for (const UnitFactors factors : {FactorsFor(true), FactorsFor(false)}) {
        for (int count = 0; count <= 9999; ++count) {
            QCOMPARE(CountText(count, factors.displacement, 3),
                     FormatFloat("0.000", count * factors.displacement));
            QCOMPARE(CountText(count, factors.force, 0), FormatFloat("0", count * factors.force));
        }
    }
}

void TestLinesTest::walkEndsAtFirstTLine_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QList<QPointF>>("points");

    QTest::newRow("incremental stops plotted across")
        << Test({"0010,0100", "ID", "0020,0200", "ID", "0030,0300", "TT"})
        << QList<QPointF>{{0.01, 100}, {0.02, 200}, {0.03, 300}};
    QTest::newRow("lines after TM not plotted")
        << Test({"0010,0100", "TM", "0020,0200"}) << QList<QPointF>{{0.01, 100}};
    QTest::newRow("status lines and empty lines passed over")
        << Test({"S", "0010,0100", "", "H", "0020,0200", "TL"})
        << QList<QPointF>{{0.01, 100}, {0.02, 200}};
    QTest::newRow("repeated test plots its first cycle")
        << Test({"0010,0100", "TM", "D", "QOR1000 Test Graph 2", "X,Y", "0011,0110", "TM"})
        << QList<QPointF>{{0.01, 100}};
    QTest::newRow("any line beginning with T ends the walk")
        << Test({"0010,0100", "Txyz", "0020,0200"}) << QList<QPointF>{{0.01, 100}};
    QTest::newRow("without a T line every record is plotted")
        << Test({"0010,0100", "0020,0200"}) << QList<QPointF>{{0.01, 100}, {0.02, 200}};
    QTest::newRow("records start at line 3")
        << QStringList{"0001,0001", "0002,0002", "0003,0003", "0004,0004"}
        << QList<QPointF>{{0.004, 4}};
    QTest::newRow("T in the head does not end the walk")
        << QStringList{"Test", "T", "T", "0004,0004"} << QList<QPointF>{{0.004, 4}};
    QTest::newRow("fields read from fixed positions")
        << Test({"0010,0100xyz", "0020,02", "TT"}) << QList<QPointF>{{0.01, 100}, {0.02, 2}};
    QTest::newRow("no records") << Test({"TM"}) << QList<QPointF>{};
    QTest::newRow("fewer than four lines") << QStringList{"D", "x"} << QList<QPointF>{};
}

void TestLinesTest::walkEndsAtFirstTLine()
{
    QFETCH(QStringList, lines);
    QFETCH(QList<QPointF>, points);
    QCOMPARE(Walk(lines), points);
}

void TestLinesTest::exportConvertsUpToFirstEmptyLine_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("english");
    QTest::addColumn<QStringList>("csv");

    const QString englishHeader = QStringLiteral("Displacement(in.),Force(lbs.),Test Start");
    const QString metricHeader = QStringLiteral("Displacement(cm),Force(kg),Test Start");
    const QString error = QStringLiteral(",,!!Error in test file data!!");

    QTest::newRow("stop records") << Test({"0010,0100", "ID", "0020,0200", "TL", "TM", "TT"})
                                  << true
                                  << QStringList{Head[0],
                                                 Head[1],
                                                 englishHeader,
                                                 "0.010,100",
                                                 ",,Incremental Stop",
                                                 "0.020,200",
                                                 ",,Maximum Travel Stop",
                                                 ",,Maximum Force Stop",
                                                 ",,Test Completed Stop"};
    QTest::newRow("metric header")
        << Test({"0100,0010"}) << false << QStringList{Head[0], Head[1], metricHeader, "0.254,5"};
    QTest::newRow("lines after TM converted up to the first empty line")
        << Test({"0010,0100", "TM", "0020,0200", "", "0030,0300", "TT"}) << true
        << QStringList{Head[0],     Head[1], englishHeader, "0.010,100", ",,Maximum Force Stop",
                       "0.020,200", "",      "0030,0300",   "TT"};
    QTest::newRow("stray status line")
        << Test({"0010,0100", "S", "0020,0200"}) << true
        << QStringList{Head[0], Head[1], englishHeader, "0.010,100", error, "0.020,200"};
    QTest::newRow("stop records compared exactly")
        << Test({"tm", "TM ", "IDx"}) << true
        << QStringList{Head[0], Head[1], englishHeader, error, error, error};
    QTest::newRow("repeated test converted through its later cycles")
        << Test({"0010,0100", "TM", "D", "QOR1000 Test Graph 2", "X,Y", "0011,0110", "TM"}) << true
        << QStringList{Head[0], Head[1], englishHeader, "0.010,100", ",,Maximum Force Stop",
                       error,   error,   error,         "0.011,110", ",,Maximum Force Stop"};
    QTest::newRow("line 3 always examined")
        << Test({"", "0010,0100"}) << true
        << QStringList{Head[0], Head[1], englishHeader, error, "0.010,100"};
    QTest::newRow("three lines") << Head << true << QStringList{Head[0], Head[1], englishHeader};
    QTest::newRow("two lines") << QStringList{"D", "x"} << true << QStringList{"D", "x"};
    QTest::newRow("no lines") << QStringList{} << false << QStringList{};
}

void TestLinesTest::exportConvertsUpToFirstEmptyLine()
{
    QFETCH(QStringList, lines);
    QFETCH(bool, english);
    QFETCH(QStringList, csv);
    QCOMPARE(ConvertTestToCsv(lines, english), csv);
}

void TestLinesTest::badRecordRaisesConversionError()
{
    const QStringList lines = Test({"0010,0100", "0020,12a4", "0030,0300", "TM"});

    QList<QPointF> points;
    try {
        ReadTestRecords(lines, [&](double x, double y) { points.append(QPointF(x, y)); });
        QFAIL("the walk went over a bad record");
    } catch (const ConversionError& error) {
        QCOMPARE(error.Message(), QStringLiteral("'12a4' is not a valid integer value"));
    }
    QCOMPARE(points, (QList<QPointF>{{0.01, 100}}));

    QVERIFY_THROWS_EXCEPTION(ConversionError, ConvertTestToCsv(lines, true));
    QVERIFY_THROWS_EXCEPTION(ConversionError, ConvertTestToCsv(Test({"0010,"}), true));
}

QTEST_GUILESS_MAIN(TestLinesTest)
#include "tst_testlines.moc"
