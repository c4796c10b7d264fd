// The Results panel following graph windows, and the method dialog, driven as an operator does.
#include "filebytes.h"
#include "modalanswers.h"
#include "temporarystartdirectory.h"

#include "dialogs/operatorentrybox.h"
#include "graph/graphform.h"
#include "graph/graphmultipleform.h"
#include "results/currentmethod.h"
#include "results/methoddialog.h"
#include "results/resultspanel.h"
#include "results/verdictcolour.h"

#include <QtTest>
#include <QtWidgets>

namespace {

// Records at 0.010 in. and 100 lbs. and at 0.020 in. and the given force.
QStringList Test(const QString& title, int force)
{
    return {title, "Maximum", "X,Y", "0010,0100", QString("0020,%1").arg(force, 4, 10, QChar('0')),
            "TM"};
}

// Notes what a message box says and presses Enter.
ModalAnswers::Answer Read(QStringList& told)
{
    return [&told](QWidget* modal) {
        for (const QLabel* label : modal->findChildren<QLabel*>())
            told.append(label->text());
        QTest::keyClick(modal, Qt::Key_Return);
    };
}

ModalAnswers::Answer EnterFileName(const QString& name)
{
    return [name](QWidget* dialog) {
        auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
        edit->setText(name);
        QTimer::singleShot(0, edit, [edit] { QTest::keyClick(edit, Qt::Key_Return); });
    };
}

QStringList Row(const QTableWidget* table, int row)
{
    QStringList cells;
    for (int column = 0; column < table->columnCount(); ++column)
        cells.append(table->item(row, column)->text());
    return cells;
}

} // namespace

class ResultsPanelTest : public QObject
{
    Q_OBJECT
    TemporaryStartDirectory start_;
    QString method_ = start_.Path() + "/methods/ceiling.ini";

private slots:
    void init()
    {
        QVERIFY(WriteBytes(method_, "[Method]\nName=Ceiling\n[Limits]\nMaximumForce=150,250\n"));
        SetCurrentMethod(method_, "A. Smith", "L-7");
    }

    void followsTheWindowItShows()
    {
        TResultsPanel panel;
        TGraphForm window;
        window.SetLines(Test("Oak", 300));
        panel.FollowWindow(&window);
        QCOMPARE(panel.MethodLabel->text(), "Method: Ceiling, in English units (lbs., in.).");
        QCOMPARE(panel.VerdictLabel->text(), "FAIL: Maximum Force above its high limit");
        QCOMPARE(panel.VerdictLabel->palette().color(QPalette::Window), VerdictColour(false));
        QCOMPARE(Row(panel.ResultsTable, 0),
                 (QStringList{"Maximum Force", "300", "lbs.", "150", "250", "FAIL high"}));

        // The window's lines change: the panel follows at once.
        window.SetLines(Test("Oak", 200));
        QCOMPARE(panel.VerdictLabel->text(), "PASS");
        QCOMPARE(panel.VerdictLabel->palette().color(QPalette::Window), VerdictColour(true));
        QCOMPARE(panel.ResultsTable->item(0, 5)->foreground().color(), VerdictColour(true));

        QWidget other;
        panel.FollowWindow(&other);
        QCOMPARE(panel.TestLabel->text(), "No graph window is active.");
        QCOMPARE(panel.ResultsTable->rowCount(), 0);
    }

    // Maximum forces 200 and 300 (mean 250, SD 70.7107), energies 1.5 and 2 (mean 1.75).
    void showsEachTestOfAMultipleWindowWithTheStatistics()
    {
        TActOperatorEntryBox entryBox;
        ActOperatorEntryBox = &entryBox;
        ModalAnswers answers({[](QWidget* box) { box->close(); }});
        TGraphMultipleForm window;
        window.AddTestFile(Test("Oak 25 mm, first specimen", 200));
        window.AddTestFile(Test("Pine", 300));
        TResultsPanel panel;
        panel.FollowWindow(&window);

        QCOMPARE(panel.VerdictLabel->text(), "1 passed, 1 failed");
        QCOMPARE(Row(panel.ResultsTable, 0),
                 (QStringList{"Oak 25 mm, first", "200", "0.02", "1.5", "PASS", ""}));
        QCOMPARE(Row(panel.ResultsTable, 1), (QStringList{"Pine", "300", "0.02", "2", "FAIL",
                                                          "Maximum Force above its high limit"}));
        panel.CopyButton->click();
        const QStringList copied = QApplication::clipboard()->text().split('\n');
        QCOMPARE(copied.first(), "Test\tMaximum Force (lbs.)\tDisplacement at Maximum (in.)\t"
                                 "Energy (lbs.in.)\tVerdict\tReason");
        QVERIFY(copied.contains("Mean\t250\t0.02\t1.75"));
        QVERIFY(copied.contains("Standard Deviation\t70.7107\t0\t0.353553"));
        QVERIFY(copied.contains("Passed 1, failed 1"));
    }

    void methodDialogAppliesAWholeMethodOrNothing()
    {
        const QByteArray before = ReadBytes(method_);
        QVERIFY(WriteBytes(start_.Path() + "/methods/broken.ini", "[Stiffness]\nFromForce=9\n"));
        TMethodDialog dialog;
        QCOMPARE(dialog.KeyEdits.value("Limits/MaximumForce")->text(), "150");
        QCOMPARE(dialog.OperatorEdit->text(), "A. Smith");

        // A file that is refused leaves the fields as they were.
        QStringList told;
        {
            ModalAnswers answers({EnterFileName("broken.ini"), Read(told)});
            dialog.OpenButton->click();
            QVERIFY(answers.AllAnswered());
        }
        QVERIFY2(told.join('\n').contains("broken.ini\", line 1: [Stiffness] ToForce is missing"),
                 qPrintable(told.join('\n')));
        QCOMPARE(dialog.NameEdit->text(), "Ceiling");

        // A value that is refused keeps the dialog open and applies nothing.
        told.clear();
        dialog.findChild<QGroupBox*>("BreakGroup")->setChecked(true);
        dialog.KeyEdits.value("Break/Drop")->setText("-5");
        dialog.LotEdit->setText("L-8");
        {
            ModalAnswers answers({Read(told)});
            dialog.accept();
        }
        QVERIFY(told.contains("[Break] Drop must not be negative"));
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(ReadBytes(method_), before);
        QCOMPARE(CurrentLot(), "L-7");

        // Mended, OK writes the method into its file and keeps the Lot.
        dialog.KeyEdits.value("Break/Drop")->setText("20");
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(*CurrentMethod().breakDrop, 20.0);
        QCOMPARE(CurrentMethodPath(), method_);
        QCOMPARE(CurrentLot(), "L-8");
    }
};

QTEST_MAIN(ResultsPanelTest)
#include "tst_resultspanel.moc"
