// Faults on purpose, against qor-sim on a pseudo-terminal: the machine vanishes in the middle of a
// test, and the machine sends garbage. Nothing collected is lost, the operator is told once, the
// serial log stays bounded and the program closes cleanly.
#include "logfile.h"
#include "programsession.h"
#include "temporarystartdirectory.h"

#include "protocol/protocol.h"
#include "serial/serialcomm.h"

#include <QRegularExpression>
#include <QTest>

const QString SerialLog = QStringLiteral("errors/serial.errors.txt");
const QByteArray QorDat = "QOR-1000 installation\r\nPORT=COM1\r\n";

class TestFaults : public QObject
{
    Q_OBJECT
private slots:
    void machineVanishesMidTest();
    void garbageFromTheMachine();
};

void TestFaults::machineVanishesMidTest()
{
    TemporaryStartDirectory start;
    start.WriteFile(QStringLiteral("QOR.dat"), QorDat);
    // The machine sends its whole test at once; the panel takes a line per tick, so most of it
    // has been received but not taken when the machine goes.
    QStringList collected{"D", "QOR1000 Test Graph 1", "X,Y"};
    QByteArrayList script{"D"};
    for (int step = 1; step <= 30; ++step) {
        script << EncodeDataRecord(step * 10, step * 3);
        collected << QString::fromLatin1(script.constLast());
    }
    start.WriteFile(QStringLiteral("replies.txt"), script.join('\n') + '\n');
    QorSim qorSim(start.Path(), {"--script", "replies.txt", "--rate", "100"});
    QTRY_VERIFY(qorSim.Serving());

    auto program = std::make_unique<Program>();
    qsizetype linesTaken = 0; // when the machine went
    const OperatorStep pullTheCable{
        [](TQORcontrolPanel& panel) { return panel.TestDataLines().size() >= 3 + 10; },
        [&](TQORcontrolPanel& panel) {
            qorSim.process.kill(); // its side of the terminal closes at once
            linesTaken = panel.TestDataLines().size();
        }};
    QStringList reports;
    const ModalAnswers::Answer readReport = [&](QWidget* box) {
        reports << box->property("text").toString();
        box->close();
    };
    // The panel polls on for a second of failures (50 looks) after the report before the operator
    // closes it, which sends "S".
    int looksAfterTheReport = 0;
    program->RunPanelSession(
        {MachineAnsweredContinuous, PressTest, pullTheCable}, {readReport, readReport},
        [&] { return !reports.isEmpty() && ++looksAfterTheReport >= 50; }, [] {}, 20, 30000);

    QCOMPARE(reports, QStringList(2, "Error #-5"));
    QVERIFY(linesTaken < collected.size());
    QCOMPARE(program->panel->TestDataLines(), collected);
    QVERIFY(program->GraphWindows().isEmpty());
    // One line for the whole run of failed polls, however long it lasted.
    const QByteArray log = LogWithoutStamps(SerialLog);
    QCOMPARE(
        QString::fromLatin1(log).replace(QRegularExpression("error [0-9]+ more times?"),
                                         "error <n> more times"),
        "<stamp>, SerialComm::PortReceiveCR caught error: -5, COM1, \r\n"
        "<stamp>, SerialComm::PortReceiveCR caught the same error <n> more times: -5, COM1, \r\n"
        "<stamp>, SerialComm::PortSend caught error: -5, COM1, S\r\n");
    program.reset();
    QCOMPARE(LogWithoutStamps(SerialLog), log);
    QVERIFY(!QApplication::activeModalWidget());
}

void TestFaults::garbageFromTheMachine()
{
    TemporaryStartDirectory start;
    start.WriteFile(QStringLiteral("QOR.dat"), QorDat);
    const QByteArray binary = QByteArray(1, '\0') + "\x01 NUL and 8-bit bytes \xb0\xe9\xff";
    QByteArray flood(1024 * 1024, 'x'); // a megabyte of every byte value but the line ends
    for (qsizetype index = 0; index < flood.size(); ++index) {
        if (char(index) != '\r' && char(index) != '\n')
            flood[index] = char(index);
    }
    start.WriteFile(QStringLiteral("replies.txt"),
                    QByteArrayList{"D", "0010,0005", binary, flood, "0020,0010", "TT"}.join('\n'));
    QorSim qorSim(start.Path(), {"--script", "replies.txt", "--rate", "20"});
    QTRY_VERIFY(qorSim.Serving());

    Program program;
    // The operator looks often and the panel takes a line at each look, as well as on its timer.
    program.RunFromPanel(
        {MachineAnsweredContinuous, PressTest}, QStringLiteral("Garbage"),
        [&program] { program.panel->StatusTimerTimer(); }, 20, 60000);

    QCOMPARE(program.GraphWindows().size(), 1);
    QCOMPARE(program.GraphWindows()[0]->Lines(),
             (QStringList{"Garbage", "Maximum Force (lbs.)=10 at Displacement (in.)=0.020", "X,Y",
                          "0010,0005", QString::fromLatin1(binary), "0020,0010", "TT"}));
    // The megabyte was never held: it was dropped once it passed the longest line kept.
    QCOMPARE(LogWithoutStamps(SerialLog), "<stamp>, SerialComm::PortReceiveCR dropped: COM1, " +
                                              QByteArray::number(SerialComm::LongestPendingLine) +
                                              " bytes without a carriage return\r\n");
    QCOMPARE(qorSim.Stop(), 0);
}

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"
