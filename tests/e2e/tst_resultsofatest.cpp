// A test run against qor-sim under a method whose limit it fails: the Results panel and the
// report say FAIL, with the reason.
#include "filebytes.h"
#include "programrun.h"
#include "programsession.h"
#include "temporarystartdirectory.h"

#include "results/resultscommands.h"
#include "results/resultspanel.h"

#include <QLabel>

class ResultsOfATest : public QObject
{
    Q_OBJECT
private slots:
    void failedLimitShowsInThePanelAndTheReport()
    {
        TemporaryStartDirectory start;
        start.WriteFile("QOR.dat", "QOR-1000 installation\r\nPORT=COM1\r\nUNITS=ENGLISH\r\n");
        QVERIFY(WriteBytes(start.Path() + "/methods/ceiling.ini",
                           "[Method]\nName=Low ceiling\n[Limits]\nMaximumForce=,250\n"));
        start.WriteFile("results.ini", "[Current]\nMethod=methods/ceiling.ini\n");
        QorSim qorSim(start.Path(), {"--specimen", "spring", "--max-force", "300", "--rate", "20",
                                     "--seed", "1"});
        QTRY_VERIFY(qorSim.Serving());

        Program program;
        program.mainScreen->show();
        QVERIFY(QTest::qWaitForWindowActive(program.mainScreen));
        ResultsCommands* results = program.mainScreen->Results;
        QVERIFY(results->ResultsPanel->isHidden());
        program.RunFromPanel(
            {MachineAnsweredContinuous, PressTest}, "Spring 300", [] {}, 20, 30000);
        results->MenuResultsPanel->trigger();
        QVERIFY(results->ResultsPanel->isVisible());
        QCOMPARE(results->ResultsPanel->VerdictLabel->text(),
                 "FAIL: Maximum Force above its high limit");

        ModalAnswers answers({[](QWidget* dialog) {
            auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
            edit->setText("spring.pdf");
            QTimer::singleShot(0, edit, [edit] { QTest::keyClick(edit, Qt::Key_Return); });
        }});
        results->MenuResultsExportReport->trigger();
        QVERIFY(answers.AllAnswered());
        const QString report =
            RunProgram("pdftotext", {start.Path() + "/data/spring.pdf", "-"}).output;
        for (const QString expected :
             {"Spring 300", "Low ceiling", "not saved", "FAIL: Maximum Force above its high limit"})
            QVERIFY2(report.contains(expected), qPrintable(expected + " is not in:\n" + report));
        QCOMPARE(qorSim.Stop(), 0);
    }
};

QTEST_MAIN(ResultsOfATest)
#include "tst_resultsofatest.moc"
