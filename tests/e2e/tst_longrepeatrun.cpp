// A long repeat series from the control panel of the real program, against the simulated machine
// wired in-process: 100 cycles of 1,000 records, from the Test press to the graph window.
#include "programsession.h"
#include "temporarystartdirectory.h"

#include <QCheckBox>
#include <QScopeGuard>
#include <QTest>

class TestLongRepeatRun : public QObject
{
    Q_OBJECT
private slots:
    void hundredCyclesOfAThousandRecordsLoseNoLine();
};

void TestLongRepeatRun::hundredCyclesOfAThousandRecordsLoseNoLine()
{
    constexpr int cycles = 100;
    // Each cycle the force rises with the displacement to 900 pounds at 0.600 in. and falls off.
    MachineOptions options;
    options.recordsPerSecond = 10; // one line for each tick of 100 ms
    options.script << "D";
    QStringList records;
    for (int count = 0; count < 1000; ++count) {
        records << QString::asprintf("%04d,%04d", count,
                                     count <= 600 ? count * 3 / 2 : 1500 - count);
        options.script << records.constLast().toLatin1();
    }
    options.script << "TM";
    // The first cycle's start reply becomes the title and its header the summary; the machine's
    // "H" at home lies between the cycles.
    QStringList expected{"Long run", "Maximum Force (lbs.)=900 at Displacement (in.)=0.600", "X,Y"};
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        if (cycle > 1)
            expected << "H"
                     << "D" << QStringLiteral("QOR1000 Test Graph %1").arg(cycle) << "X,Y";
        expected << records << "TM";
    }

    TemporaryStartDirectory start;
    start.WriteFile(QStringLiteral("QOR.dat"), "QOR-1000 installation\r\nPORT=COM1\r\n");
    SimulatedSerialLibrary machine(options);
    InstallSerialLibrary(&machine);
    const auto uninstall = qScopeGuard([] { InstallSerialLibrary(nullptr); });
    Program program;
    const OperatorStep startSeries{[](TQORcontrolPanel&) { return true; },
                                   [](TQORcontrolPanel& panel) {
                                       panel.RepeatCheckBox->click();
                                       panel.RepeatCountMaskEdit->setText(QString::number(cycles));
                                       panel.TestButton->click();
                                   }};
    // The operator looks (and the panel is drawn) every five seconds of the machine's time:
    // drawing a curve of up to 100,000 points after every tick would take most of the run.
    program.RunInProcess(machine, {MachineAnsweredContinuous, startSeries},
                         QStringLiteral("Long run"), 20 * 60 * 1000, 50);
    QCOMPARE(program.GraphWindows().size(), 1);
    QCOMPARE(program.GraphWindows()[0]->Lines(), expected);
    QCOMPARE(program.panel->Series1->Count(), cycles * 1000);
}

QTEST_MAIN(TestLongRepeatRun)
#include "tst_longrepeatrun.moc"
