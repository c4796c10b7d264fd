// Faults on purpose, against qor-sim on a pseudo-terminal: the machine vanishes in the middle of a
// test, and the machine sends garbage. Nothing collected is lost, the operator is told once, the
// serial log stays bounded and the program closes cleanly.
#include "logfile.h"
#include "programsession.h"
#include "scriptedseriallibrary.h"
#include "temporarystartdirectory.h"

#include "config/settings.h"
#include "control/controlpanel.h"
#include "control/protocol.h"
#include "graph/graphform.h"
#include "platform/termination.h"
#include "serial/serialcomm.h"

#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QString SerialLog = QStringLiteral("errors/serial.errors.txt");

// The records of a test that rises steadily.
QStringList Records(int count)
{
    QStringList records;
    for (int step = 1; step <= count; ++step)
        records.append(QString::fromLatin1(EncodeDataRecord(step * 10, step * 3)));
    return records;
}

// A reply script, one reply per line.
QByteArray Script(const QList<QByteArray>& replies)
{
    return replies.join('\n') + '\n';
}

// Reads an error report's text into reports and presses its OK button.
ModalAnswers::Answer ReadReport(QStringList& reports)
{
    return [&reports](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY2(box && modal->objectName() == QLatin1String("ErrorReportBox"),
                 qPrintable(modal->objectName()));
        reports.append(box->text());
        box->button(QMessageBox::Ok)->click();
    };
}

} // namespace

class TestFaults : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void machineVanishesMidTest();
    void garbageFromTheMachine();

private:
    QString ScriptPath() const { return start_->Path() + QStringLiteral("/replies.txt"); }

    QTemporaryDir runtime_;
    std::unique_ptr<TemporaryStartDirectory> start_;
};

void TestFaults::initTestCase()
{
    // A private runtime directory: a program running beside the tests is not a second instance.
    QVERIFY(runtime_.isValid());
    qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());
}

void TestFaults::init()
{
    Termination::Withdraw();
    start_ = std::make_unique<TemporaryStartDirectory>();
    start_->WriteFile(QStringLiteral("QOR.dat"), "QOR-1000 installation\r\nPORT=COM1\r\n");
}

void TestFaults::cleanup()
{
    // The line works again: a run of failures still going is over, and logged where it happened.
    ScriptedSerialLibrary workingLine;
    InstallSerialLibrary(&workingLine);
    QByteArray line;
    SerialComm::PortReceiveCR(QStringLiteral("COM1"), line);
    InstallSerialLibrary(nullptr);
    start_.reset();
    PortName.clear();
}

void TestFaults::machineVanishesMidTest()
{
    // The machine sends its whole test at once; the panel takes a line per tick, so most of it
    // has been received but not taken when the machine goes.
    const QStringList records = Records(30);
    QList<QByteArray> replies{"D"};
    for (const QString& record : records)
        replies.append(record.toLatin1());
    start_->WriteFile(QStringLiteral("replies.txt"), Script(replies));
    QorSimProcess qorSim(start_->Path(), {"--script", ScriptPath(), "--rate", "100"});
    QTRY_VERIFY(qorSim.Serving());

    auto program = std::make_unique<Program>();
    QStringList linesWhenTheMachineWent;
    const OperatorStep pullTheCable{
        [](TQORcontrolPanel& panel) { return panel.TestDataLines().size() >= 3 + 10; },
        [&](TQORcontrolPanel& panel) {
            qorSim.Vanish();
            linesWhenTheMachineWent = panel.TestDataLines();
        }};
    QStringList reports;
    QElapsedTimer sinceTheReport;
    const OperatorStep readTheReport{[&](TQORcontrolPanel&) { return !reports.isEmpty(); },
                                     [&](TQORcontrolPanel&) { sinceTheReport.start(); }};
    // The panel polls on for a second of failures before the operator closes it.
    qsizetype reportsWhilePolling = 0;
    QByteArray logWhilePolling;
    const auto aSecondLater = [&] {
        if (sinceTheReport.elapsed() < 1000)
            return false;
        reportsWhilePolling = reports.size();
        logWhilePolling = LogWithoutStamps(SerialLog);
        return true;
    };
    // Closing sends "S", which cannot reach the machine either.
    program->RunPanelSession(
        {MachineAnsweredContinuous, PressTest, pullTheCable, readTheReport},
        {ReadReport(reports), ReadReport(reports)}, aSecondLater, [] {}, 20, 30000);

    QCOMPARE(reportsWhilePolling, 1);
    QCOMPARE(reports.constFirst(), QStringLiteral("Error #-5"));
    const QStringList collected = QStringList{"D", "QOR1000 Test Graph 1", "X,Y"} + records;
    QCOMPARE(linesWhenTheMachineWent, collected.first(linesWhenTheMachineWent.size()));
    QCOMPARE(program->panel->TestDataLines(), collected);
    QVERIFY(program->GraphWindows().isEmpty());

    QCOMPARE(logWhilePolling,
             QByteArray("<stamp>, SerialComm::PortReceiveCR caught error: -5, COM1, \r\n"));
    // Polling goes on while the report of the failed "S" is open.
    const QRegularExpression closedLog(
        QStringLiteral("^<stamp>, SerialComm::PortReceiveCR caught error: -5, COM1, \r\n"
                       "<stamp>, SerialComm::PortReceiveCR caught the same error [1-9][0-9]* more "
                       "times?: -5, COM1, \r\n"
                       "<stamp>, SerialComm::PortSend caught error: -5, COM1, S\r\n"
                       "(<stamp>, SerialComm::PortReceiveCR caught error: -5, COM1, \r\n)?$"));
    const QByteArray log = LogWithoutStamps(SerialLog);
    QVERIFY2(closedLog.match(QString::fromLatin1(log)).hasMatch(), log.constData());

    program.reset();
    QCOMPARE(LogWithoutStamps(SerialLog), log);
    QVERIFY(!QApplication::activeModalWidget());
}

void TestFaults::garbageFromTheMachine()
{
    const QByteArray binary = QByteArray(1, '\0') + "\x01 NUL and 8-bit bytes \xb0\xe9\xff";
    // A megabyte of every byte value but the line ends.
    QByteArray flood(1024 * 1024, 'x');
    for (qsizetype index = 0; index < flood.size(); ++index) {
        const char byte = char(index % 256);
        if (byte != '\r' && byte != '\n')
            flood[index] = byte;
    }
    start_->WriteFile(QStringLiteral("replies.txt"),
                      Script({"D", "0010,0005", binary, flood, "0020,0010", "TT"}));
    QorSimProcess qorSim(start_->Path(), {"--script", ScriptPath(), "--rate", "20"});
    QTRY_VERIFY(qorSim.Serving());

    Program program;
    // The operator looks often and the panel takes a line at each look, as well as on its timer.
    program.RunFromPanel(
        {MachineAnsweredContinuous, PressTest}, QStringLiteral("Garbage"),
        [&program] { program.panel->StatusTimerTimer(); }, 20, 60000);

    const QList<TGraphForm*> graphs = program.GraphWindows();
    QCOMPARE(graphs.size(), 1);
    QCOMPARE(graphs[0]->Lines(),
             FinishedTest(QStringLiteral("Garbage"),
                          {"D", "0010,0005", QString::fromLatin1(binary), "0020,0010", "TT"}));
    // The megabyte was never held: it was dropped once it passed the longest line kept.
    QCOMPARE(LogWithoutStamps(SerialLog), "<stamp>, SerialComm::PortReceiveCR dropped: COM1, " +
                                              QByteArray::number(SerialComm::LongestPendingLine) +
                                              " bytes without a carriage return\r\n");
    QCOMPARE(qorSim.Stop(), 0);
}

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"
