#include "modalanswers.h"
#include "panelharness.h"

#include "dialogs/operatorentrybox.h"
#include "graph/graphform.h"
#include "recovery/recoveryfolder.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>

using Steps = QStringList;
using Files = QList<QStringList>;

namespace {

// The tests the recovery folder keeps, oldest first, each as "window" (handed to its graph
// window) or "panel", then its lines.
Files KeptFiles()
{
    Files files;
    for (const RecoveredTest& test : FindRecoveredTests())
        files.append(QStringList{test.inGraphWindow ? "window" : "panel"} + test.lines);
    return files;
}

const QString Summary = QStringLiteral("Maximum Force (lbs.)=200 at Displacement (in.)=0.100");

} // namespace

class TestRecoveryWriter : public QObject
{
    Q_OBJECT
private slots:
    void everyTestIsOnDiskUntilItIsSafe_data();
    void everyTestIsOnDiskUntilItIsSafe();
};

void TestRecoveryWriter::everyTestIsOnDiskUntilItIsSafe_data()
{
    // Steps are the machine's lines, a button pressed ("!TestButton"), or "title": the next title
    // prompt is answered, "first" and then "second", and the test's graph window opens.
    QTest::addColumn<int>("repeatCycles"); // 0: repeat mode off
    QTest::addColumn<Steps>("steps");
    QTest::addColumn<Files>("files"); // kept at the end

    QTest::newRow("a test goes to its graph window")
        << 0 << Steps{"!TestButton", "D", "0100,0200", "TM", "title", "H"}
        << Files{{"window", "first", Summary, "X,Y", "0100,0200", "TM"}};
    QTest::newRow("a repeated series stays in one file")
        << 2 << Steps{"!TestButton", "D", "0100,0200", "TM", "H", "D", "0050,0100", "TM", "title"}
        << Files{{"window", "first", Summary, "X,Y", "0100,0200", "TM", "H", "D",
                  "QOR1000 Test Graph 2", "X,Y", "0050,0100", "TM"}};
    QTest::newRow("a bottom-limit test is kept while no test starts")
        << 0 << Steps{"!TestButton", "D", "0100,0200", "TL", "!TestButton", "H", "V2.2"}
        << Files{{"panel", "D", "QOR1000 Test Graph 1", "X,Y", "0100,0200", "TL"}};
    QTest::newRow("a bottom-limit test goes when the next test starts")
        << 0 << Steps{"!TestButton", "D", "0100,0200", "TL", "!TestButton", "D"}
        << Files{{"panel", "D", "QOR1000 Test Graph 1", "X,Y"}};
    QTest::newRow("a test that starts under the title prompt of another")
        << 0 << Steps{"!TestButton", "D",         "0100,0200", "TM",    "!TestButton",
                      "D",           "0300,0400", "TT",        "title", "title"}
        << Files{{"window", "first", Summary, "X,Y", "0100,0200", "TM"},
                 {"window", "second", "Maximum Force (lbs.)=400 at Displacement (in.)=0.300", "X,Y",
                  "0300,0400", "TT"}};
}

void TestRecoveryWriter::everyTestIsOnDiskUntilItIsSafe()
{
    QFETCH(int, repeatCycles);
    QFETCH(Steps, steps);
    QFETCH(Files, files);
    TActOperatorEntryBox entryBox;
    ActOperatorEntryBox = &entryBox;
    const auto noEntryBox = qScopeGuard([] { ActOperatorEntryBox = nullptr; });
    PanelHarness harness;
    TQORcontrolPanel& panel = *harness.panel;
    if (repeatCycles > 0) {
        panel.RepeatCheckBox->setChecked(true);
        panel.RepeatCountMaskEdit->setText(QString::number(repeatCycles));
    }
    QSignalSpy graphs(&panel, &TQORcontrolPanel::GraphWindowCreated);
    const auto enterTitle = [](const QString& title) {
        return [title](QWidget*) {
            ActOperatorEntryBox->EntryInputEdit->setText(title);
            ActOperatorEntryBox->EntryOKBitBtn->click();
        };
    };
    ModalAnswers answers({enterTitle("first"), enterTitle("second")});
    qsizetype titles = 0;
    for (const QString& step : steps) {
        if (step == "title") {
            ++titles;
            QTRY_COMPARE(graphs.count(), titles);
        } else if (step.startsWith(u'!'))
            panel.findChild<QPushButton*>(step.mid(1))->click();
        else
            harness.Tick(step.toLatin1());
    }
    QCOMPARE(KeptFiles(), files);

    // Once the graph windows' tests are saved, the panel's are left.
    for (const QList<QVariant>& created : graphs)
        qobject_cast<TGraphForm*>(created.at(0).value<QWidget*>())->ForgetRecoveryFile();
    files.removeIf([](const QStringList& file) { return file.constFirst() == "window"; });
    QCOMPARE(KeptFiles(), files);
}

QTEST_MAIN(TestRecoveryWriter)
#include "tst_recoverywriter.moc"
