#include "control/repeatcycle.h"

#include <QTest>

Q_DECLARE_METATYPE(RepeatAction)

namespace {

// The counts as the fields read; the counts written back, "-" for one left alone.
void Row(const char* name, const char* line, bool repeatChecked, const char* complete,
         const char* required, const char* newComplete, const char* newRequired, bool endRepeat,
         RepeatAction action, bool finish)
{
    QTest::newRow(name) << QByteArray(line) << repeatChecked << QString(complete)
                        << QString(required) << QString(newComplete) << QString(newRequired)
                        << endRepeat << action << finish;
}

} // namespace

class TestRepeatCycle : public QObject
{
    Q_OBJECT
private slots:
    void decide_data();
    void decide();
};

void TestRepeatCycle::decide_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("repeatChecked");
    QTest::addColumn<QString>("complete");
    QTest::addColumn<QString>("required");
    QTest::addColumn<QString>("newComplete");
    QTest::addColumn<QString>("newRequired");
    QTest::addColumn<bool>("endRepeat");
    QTest::addColumn<RepeatAction>("action");
    QTest::addColumn<bool>("finish");

    const auto none = RepeatAction::None;
    const auto home = RepeatAction::PerformHome;
    const auto test = RepeatAction::PerformTest;

    // Repeat mode off: counts untouched, any line whose second character is M or T finishes.
    Row("single TM finishes", "TM\r", false, "0", "1", "-", "-", false, none, true);
    Row("single TT finishes", "TT\r", false, "3", "1", "-", "-", false, none, true);
    Row("single TL does not finish", "TL\r", false, "0", "1", "-", "-", false, none, false);
    Row("single XM finishes", "XM\r", false, "0", "1", "-", "-", false, none, true);
    Row("single H starts nothing", "H\r", false, "0", "1", "-", "-", false, none, false);
    Row("acknowledge", "\r", false, "0", "1", "-", "-", false, none, false);

    // Repeat mode on.
    Row("TM with cycles left goes home", "TM\r", true, "0", "3", "1", "2", false, home, false);
    Row("TM on the last cycle ends and finishes", "TM\r", true, "2", "1", "3", "0", true, none,
        true);
    Row("TT ends early and finishes", "TT\r", true, "0", "5", "1", "4", true, none, true);
    Row("TL ends without counting", "TL\r", true, "1", "4", "-", "-", true, none, false);
    Row("H at home starts the next test", "H\r", true, "1", "2", "-", "-", false, test, false);
    Row("HX starts the next test too", "HX\r", true, "1", "2", "-", "-", false, test, false);
    Row("TX does nothing", "TX\r", true, "1", "2", "-", "-", false, none, false);
    Row("XM with cycles left does nothing", "XM\r", true, "1", "2", "-", "-", false, none, false);
    Row("XM with the count used up finishes", "XM\r", true, "3", "0", "-", "-", false, none, true);
    Row("used-up count never goes negative", "TM\r", true, "0", "0", "1", "0", true, none, true);
    Row("carriage return missing", "TM", true, "0", "2", "1", "1", false, home, false);
    Row("empty line", "", true, "0", "2", "-", "-", false, none, false);
    Row("blanks around the count", "TM\r", true, "1", " 3 ", "2", "2", false, home, false);

    // The operator has emptied the required count to type a new one: each line still acts.
    Row("emptied count, TM goes home", "TM\r", true, "1", "", "2", "-", false, home, false);
    Row("emptied count, TT ends and finishes", "TT\r", true, "0", "", "1", "-", true, none, true);
    Row("emptied count, XM does nothing", "XM\r", true, "1", "", "-", "-", false, none, false);
}

void TestRepeatCycle::decide()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, repeatChecked);
    QFETCH(QString, complete);
    QFETCH(QString, required);

    const RepeatCycleDecision decision =
        DecideRepeatCycle(line, {repeatChecked, complete, required});

    const auto written = [](const std::optional<int>& count) {
        return count ? QString::number(*count) : QStringLiteral("-");
    };
    QTEST(written(decision.cyclesComplete), "newComplete");
    QTEST(written(decision.cyclesRequired), "newRequired");
    QTEST(decision.endRepeatMode, "endRepeat");
    QTEST(decision.action, "action");
    QTEST(decision.finishTest, "finish");
}

QTEST_APPLESS_MAIN(TestRepeatCycle)
#include "tst_repeatcycle.moc"
