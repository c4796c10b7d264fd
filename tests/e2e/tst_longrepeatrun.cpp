// A long repeat series from the control panel of the real program, against the simulated machine
// wired in-process: 100 cycles of 1,000 records, from the Test press to the graph window.
#include "programsession.h"
#include "temporarystartdirectory.h"

#include "config/settings.h"
#include "control/controlpanel.h"
#include "graph/graphform.h"
#include "sim/simulatedseriallibrary.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int Cycles = 100;
constexpr int RecordsPerCycle = 1000;

// The records of one cycle: the force rises with the displacement to its largest value, 900
// pounds at 0.600 in., and falls off after it.
QStringList CycleRecords()
{
    QStringList records;
    for (int i = 0; i < RecordsPerCycle; ++i) {
        const int force = i <= 600 ? i * 3 / 2 : 900 - (i - 600);
        records
            << QStringLiteral("%1,%2").arg(i, 4, 10, QChar(u'0')).arg(force, 4, 10, QChar(u'0'));
    }
    return records;
}

// The lines every cycle's test sends, one per record interval.
QList<QByteArray> CycleScript()
{
    QList<QByteArray> script{"D"};
    for (const QString& record : CycleRecords())
        script << record.toLatin1();
    script << "TM";
    return script;
}

// The finished series: the first cycle's start reply became the title, its header the summary;
// every later cycle brings its own start, header, records and end, and the machine's "H" at home
// lies between the cycles.
QStringList FinishedSeries(const QString& title)
{
    const QStringList records = CycleRecords();
    const auto strongest = std::ranges::max_element(
        records, {}, [](const QString& record) { return record.mid(5).toInt(); });
    QStringList lines{title,
                      QStringLiteral("Maximum Force (lbs.)=%1 at Displacement (in.)=0.%2")
                          .arg(strongest->mid(5).toInt())
                          .arg(strongest->left(4).mid(1)),
                      QStringLiteral("X,Y")};
    for (int cycle = 1; cycle <= Cycles; ++cycle) {
        if (cycle > 1)
            lines << QStringLiteral("D") << QStringLiteral("QOR1000 Test Graph %1").arg(cycle)
                  << QStringLiteral("X,Y");
        lines << records << QStringLiteral("TM");
        if (cycle < Cycles)
            lines << QStringLiteral("H");
    }
    return lines;
}

} // namespace

class TestLongRepeatRun : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void hundredCyclesOfAThousandRecordsLoseNoLine();

private:
    QTemporaryDir runtime_;
};

void TestLongRepeatRun::initTestCase()
{
    // A private runtime directory: a program running beside the tests is not a second instance.
    QVERIFY(runtime_.isValid());
    qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());
}

void TestLongRepeatRun::hundredCyclesOfAThousandRecordsLoseNoLine()
{
    TemporaryStartDirectory start;
    start.WriteFile(QStringLiteral("QOR.dat"),
                    "QOR-1000 installation\r\nPORT=COM1\r\nUNITS=ENGLISH\r\n");
    MachineOptions options;
    options.recordsPerSecond = 10; // one line for each tick of 100 ms
    options.script = CycleScript();
    SimulatedSerialLibrary machine(options);
    InstallSerialLibrary(&machine);
    {
        Program program;
        const OperatorStep startSeries{[](TQORcontrolPanel&) { return true; },
                                       [](TQORcontrolPanel& panel) {
                                           panel.RepeatCheckBox->click();
                                           panel.RepeatCountMaskEdit->setText(
                                               QString::number(Cycles));
                                           panel.TestButton->click();
                                       }};
        // The operator looks (and the panel is drawn) every five seconds of the machine's time:
        // drawing a curve of up to 100,000 points after every tick would take most of the run.
        program.RunInProcess(machine, {MachineAnsweredContinuous, startSeries},
                             QStringLiteral("Long run"), 20 * 60 * 1000, 50);

        const QList<TGraphForm*> graphs = program.GraphWindows();
        QCOMPARE(graphs.size(), 1);
        const QStringList expected = FinishedSeries(QStringLiteral("Long run"));
        QCOMPARE(graphs[0]->Lines(), expected);
        QCOMPARE(program.panel->TestDataLines(), expected);
        QCOMPARE(program.panel->Series1->Count(), Cycles * RecordsPerCycle);
        QCOMPARE(program.panel->CyclesCompleteMaskEdit->text(), QString::number(Cycles));
        QCOMPARE(program.panel->RepeatCountMaskEdit->text(), QStringLiteral("1"));
        QVERIFY(!program.panel->RepeatCheckBox->isChecked());
    }
    InstallSerialLibrary(nullptr);
    PortName.clear();
}

QTEST_MAIN(TestLongRepeatRun)
#include "tst_longrepeatrun.moc"
