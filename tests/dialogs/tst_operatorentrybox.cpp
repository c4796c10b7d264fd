#include "dialogs/operatorentrybox.h"
#include "modalanswers.h"
#include "windowfront.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TestOperatorEntryBox : public QObject
{
    Q_OBJECT
private slots:
    void designTexts();
    void enterGivesOkWithThePresentText_data();
    void enterGivesOkWithThePresentText();
    void cancelledTextStaysForTheNextPrompt();
    void comingToTheFrontGivesTheEditTheFocus();
};

void TestOperatorEntryBox::designTexts()
{
    TActOperatorEntryBox box;
    QCOMPARE(box.windowTitle(), QStringLiteral("Operator Entry "));
    QCOMPARE(box.size(), QSize(384, 73));
    QCOMPARE(box.EntryPromptLabel->text(), QStringLiteral("Enter Graph Title:"));
    QCOMPARE(box.EntryInputEdit->width(), 265);
    QVERIFY(box.EntryOKBitBtn->isDefault());
    for (const char* name :
         {"Bevel1", "EntryPromptLabel", "EntryInputEdit", "EntryOKBitBtn", "EntryAbortBitBtn"})
        QVERIFY2(box.findChild<QWidget*>(QLatin1String(name)), name);
}

void TestOperatorEntryBox::enterGivesOkWithThePresentText_data()
{
    QTest::addColumn<QString>("previous");
    QTest::addColumn<QString>("typed"); // key by key, or pasted when it starts with "paste "
    QTest::addColumn<QString>("entered");

    QTest::newRow("empty") << ""
                           << ""
                           << "";
    QTest::newRow("typed after the previous entry") << "Spring A"
                                                    << " 2"
                                                    << "Spring A 2";
    QTest::newRow("only what a test file can hold") << ""
                                                    << "Bolt \u00e9 \u20ac5"
                                                    << "Bolt \u00e9 5";
    // A spreadsheet cell copied with its line end, or two cells: no control character is taken.
    QTest::newRow("pasted line break refused") << "Spring A"
                                               << "paste Pine 1\nPine 2"
                                               << "Spring A";
    QTest::newRow("pasted title taken") << ""
                                        << "paste Pine 1"
                                        << "Pine 1";
}

void TestOperatorEntryBox::enterGivesOkWithThePresentText()
{
    QFETCH(QString, previous);
    QFETCH(QString, typed);
    QFETCH(QString, entered);

    TActOperatorEntryBox box;
    box.EntryInputEdit->setText(previous);
    ModalAnswers answers({[&](QWidget*) {
        QTRY_COMPARE(QApplication::focusWidget(), box.EntryInputEdit);
        box.EntryInputEdit->end(false);
        if (typed.startsWith("paste ")) {
            QApplication::clipboard()->setText(typed.mid(6));
            QTest::keySequence(box.EntryInputEdit, QKeySequence::Paste);
        } else {
            for (const QChar character : typed) // keyClicks takes ASCII only
                QTest::sendKeyEvent(QTest::Click, box.EntryInputEdit, Qt::Key_unknown, character,
                                    {});
        }
        QTest::keyClick(box.EntryInputEdit, Qt::Key_Return);
    }});
    QCOMPARE(box.exec(), 1);
    QVERIFY(answers.AllAnswered());
    QCOMPARE(box.EntryInputEdit->text(), entered);
}

void TestOperatorEntryBox::cancelledTextStaysForTheNextPrompt()
{
    TActOperatorEntryBox box;
    ModalAnswers answers({[&](QWidget*) {
                              QTest::keyClicks(box.EntryInputEdit, QStringLiteral("Bolt 7"));
                              QTest::keyClick(box.EntryInputEdit, Qt::Key_Escape);
                          },
                          [&](QWidget*) {
                              QCOMPARE(box.EntryInputEdit->text(), QStringLiteral("Bolt 7"));
                              QTest::mouseClick(box.EntryAbortBitBtn, Qt::LeftButton);
                          }});
    QCOMPARE(box.exec(), 2);
    QCOMPARE(box.exec(), 2);
    QVERIFY(answers.AllAnswered());
    QVERIFY(!answers.WatchdogFired());
    QCOMPARE(box.EntryInputEdit->text(), QStringLiteral("Bolt 7"));
}

void TestOperatorEntryBox::comingToTheFrontGivesTheEditTheFocus()
{
    TActOperatorEntryBox box;
    QVERIFY(ComeBackToTheFront(box, box.EntryAbortBitBtn));
    QCOMPARE(QApplication::focusWidget(), box.EntryInputEdit);
}

QTEST_MAIN(TestOperatorEntryBox)
#include "tst_operatorentrybox.moc"
