// Method files: reading, refusing bad values by key and line, units, writing back, and the method,
// Operator and Lot the program remembers.
#include "filebytes.h"
#include "temporarystartdirectory.h"

#include "results/currentmethod.h"
#include "results/testmethod.h"

#include <QDir>
#include <QTest>

namespace {

const QByteArray Example = "[Method]\n"
                           "Name=Bracket pull\n"
                           "Units=ENGLISH                 ; ENGLISH or METRIC\n"
                           "[Break]\n"
                           "Drop=20                       ; per cent of the maximum force\n"
                           "[ForceAt]\n"
                           "Displacement=0.105\n"
                           "[DisplacementAt]\n"
                           "Force=250.5\n"
                           "[Stiffness]\n"
                           "FromForce=100.5\n"
                           "ToForce=400.5\n"
                           "[Average]\n"
                           "FromDisplacement=0.1005\n"
                           "ToDisplacement=0.3005\n"
                           "[Limits]\n"
                           "MaximumForce=450.5,600.5      ; low,high; either side may be empty\n"
                           "Energy=,200.5\n";

TestMethod ExampleMethod()
{
    TestMethod method;
    method.name = QStringLiteral("Bracket pull");
    method.breakDrop = 20;
    method.forceAtDisplacement = 0.105;
    method.displacementAtForce = 250.5;
    method.stiffnessForces = std::pair{100.5, 400.5};
    method.averageDisplacements = std::pair{0.1005, 0.3005};
    method.limits.at(ResultIndex(ResultKind::MaximumForce)) = ResultLimit{450.5, 600.5};
    method.limits.at(ResultIndex(ResultKind::Energy)) = ResultLimit{std::nullopt, 200.5};
    return method;
}

} // namespace

class TestTestMethod : public QObject
{
    Q_OBJECT
private slots:
    void readsEveryKey();
    void refusesBadValuesByKeyAndLine_data();
    void refusesBadValuesByKeyAndLine();
    void convertsEveryValueBetweenUnits();
    void writesWhatItReadsBack();
    void remembersTheCurrentMethodOperatorAndLot();

private:
    TemporaryStartDirectory start_;
};

void TestTestMethod::readsEveryKey()
{
    const QString path = start_.Path() + QStringLiteral("/methods/example.ini");
    QVERIFY(WriteBytes(path, Example));
    QCOMPARE(LoadTestMethod(path), ExampleMethod());
}

void TestTestMethod::refusesBadValuesByKeyAndLine_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");

    QTest::newRow("not a number") << QByteArray("[Method]\nName=x\n[Break]\nDrop=2O\n")
                                  << "line 4: [Break] Drop \"2O\" is not a number";
    QTest::newRow("negative drop")
        << QByteArray("[Break]\nDrop=-5\n") << "line 2: [Break] Drop must not be negative";
    QTest::newRow("drop above 100")
        << QByteArray("[Break]\nDrop=120\n")
        << "line 2: [Break] Drop is a per cent of the maximum force and must not lie above 100";
    QTest::newRow("From above To") << QByteArray("[Stiffness]\nFromForce=400\nToForce=100\n")
                                   << "line 2: [Stiffness] FromForce 400 lies above ToForce 100";
    QTest::newRow("half a pair: the section's line")
        << QByteArray("[Method]\n[Average]\nFromDisplacement=0.1\n")
        << "line 2: [Average] ToDisplacement is missing: [Average] needs both FromDisplacement "
           "and ToDisplacement";
    QTest::newRow("limit low above high")
        << QByteArray("[Limits]\nEnergy=,5\nStiffness=9,3\n")
        << "line 3: [Limits] Stiffness has its low side 9 above its high side 3";
    QTest::newRow("limit without its comma")
        << QByteArray("[Limits]\nMaximumForce=450\n")
        << "line 2: [Limits] MaximumForce must be low,high (either side may be empty), not "
           "\"450\"";
    QTest::newRow("limit with neither side") << QByteArray("[Limits]\nEnergy=,\n")
                                             << "line 2: [Limits] Energy has neither a low nor "
                                                "a high side";
    QTest::newRow("unknown limit") << QByteArray("[Limits]\nMaxForce=1,2\n")
                                   << "line 2: [Limits] MaxForce is not a key of a method";
    QTest::newRow("unknown section") << QByteArray("[Method]\nName=x\n[Stifness]\nFromForce=1\n")
                                     << "line 4: [Stifness] FromForce is not a key of a method";
    QTest::newRow("units") << QByteArray("[Method]\nUnits=IMPERIAL\n")
                           << "line 2: [Method] Units must be ENGLISH or METRIC, not \"IMPERIAL\"";
    QTest::newRow("empty value") << QByteArray("[ForceAt]\nDisplacement=\n")
                                 << "line 2: [ForceAt] Displacement has no value";
}

void TestTestMethod::refusesBadValuesByKeyAndLine()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    // A file of its own for each: QSettings keeps what it read of a path.
    const QString path = start_.Path() + u'/' + QTest::currentDataTag() + QStringLiteral(".ini");
    QVERIFY(WriteBytes(path, content));
    try {
        LoadTestMethod(path);
        QFAIL("the method was taken");
    } catch (const MethodError& error) {
        QCOMPARE(
            error.Message(),
            QStringLiteral("Method file \"%1\", %2").arg(QDir::toNativeSeparators(path), message));
    }
}

void TestTestMethod::convertsEveryValueBetweenUnits()
{
    const TestMethod metric = MethodInUnits(ExampleMethod(), false);
    QVERIFY(!metric.unitsEnglish);
    QCOMPARE(metric.name, QStringLiteral("Bracket pull"));
    QCOMPARE(*metric.breakDrop, 20.0);
    QCOMPARE(*metric.forceAtDisplacement, 0.2667);
    QCOMPARE(*metric.displacementAtForce, 250.5 * 0.4535924);
    QCOMPARE(metric.stiffnessForces->second, 400.5 * 0.4535924);
    QCOMPARE(metric.averageDisplacements->first, 0.25527);
    QCOMPARE(*metric.limits.at(ResultIndex(ResultKind::MaximumForce))->low, 450.5 * 0.4535924);
    QCOMPARE(*metric.limits.at(ResultIndex(ResultKind::Energy))->high, 200.5 * 0.4535924 * 2.54);
    QVERIFY(!metric.limits.at(ResultIndex(ResultKind::Energy))->low);

    TestMethod stiff;
    stiff.limits.at(ResultIndex(ResultKind::Stiffness)) = ResultLimit{2540, std::nullopt};
    QCOMPARE(*MethodInUnits(stiff, false).limits.at(ResultIndex(ResultKind::Stiffness))->low,
             2540 * 0.4535924 / 2.54);
    QCOMPARE(*MethodInUnits(MethodInUnits(stiff, false), true)
                  .limits.at(ResultIndex(ResultKind::Stiffness))
                  ->low,
             2540.0);
}

void TestTestMethod::writesWhatItReadsBack()
{
    TestMethod method = MethodInUnits(ExampleMethod(), false);
    method.name = QStringLiteral("Bracket, pull");
    const QString path = start_.Path() + QStringLiteral("/methods/written.ini");
    SaveTestMethod(method, path);
    QCOMPARE(LoadTestMethod(path), method);
    QVERIFY(ReadBytes(path).contains("Units=METRIC"));
}

void TestTestMethod::remembersTheCurrentMethodOperatorAndLot()
{
    QCOMPARE(CurrentMethodPath(), QString());
    QCOMPARE(CurrentMethod(), TestMethod());
    const QString path = MethodsFolder() + QStringLiteral("/current.ini");
    QVERIFY(WriteBytes(path, Example));
    SetCurrentMethod(path, QStringLiteral("A. Smith, night shift"), QStringLiteral("L-2291"));

    QCOMPARE(CurrentMethodPath(), path);
    QCOMPARE(CurrentMethod(), ExampleMethod());
    QCOMPARE(CurrentOperator(), QStringLiteral("A. Smith, night shift"));
    QCOMPARE(CurrentLot(), QStringLiteral("L-2291"));
    QVERIFY(ReadBytes(start_.Path() + QStringLiteral("/results.ini"))
                .contains("Method=methods/current.ini"));

    // A file that went bad since: no method at all, and the reason for whoever asks.
    QVERIFY(WriteBytes(path, "[Break]\nDrop=much\n"));
    QCOMPARE(CurrentMethod(), TestMethod());
    QVERIFY_THROWS_EXCEPTION(MethodError, LoadCurrentMethod());
}

QTEST_MAIN(TestTestMethod)
#include "tst_testmethod.moc"
