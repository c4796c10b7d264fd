#include "dialogs/alertbox.h"
#include "modalanswers.h"
#include "windowfront.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

class TestAlertBox : public QObject
{
    Q_OBJECT
private slots:
    void designTexts();
    void keysAndButtons_data();
    void keysAndButtons();
    void comingToTheFrontGivesCancelTheFocus();
};

void TestAlertBox::designTexts()
{
    TAlertBox box(nullptr);
    QCOMPARE(box.windowTitle(), QStringLiteral("Alert Message ..."));
    QCOMPARE(box.size(), QSize(435, 75));
    QCOMPARE(box.AlertMessage1->text(), QStringLiteral("An error occurred ..."));
    QCOMPARE(box.AlertMessage2->text(), QString());
    QCOMPARE(box.AlertOKBitBtn->text(), QStringLiteral("OK"));
    QCOMPARE(box.AlertCancelBitBtn->text(), QStringLiteral("&Cancel"));
    QVERIFY(!box.AlertOKBitBtn->isEnabled());
    QVERIFY(box.AlertCancelBitBtn->isDefault());
    for (const char* name : {"Bevel1", "Image1", "AlertMessage1", "AlertMessage2", "AlertOKBitBtn",
                             "AlertCancelBitBtn"})
        QVERIFY2(box.findChild<QWidget*>(QLatin1String(name)), name);
}

// What the operator does with the alert open, and the result its caller gets.
void TestAlertBox::keysAndButtons_data()
{
    QTest::addColumn<bool>("okEnabled");
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("result");

    QTest::newRow("no choice, OK clicked") << false << "OK" << 2;
    QTest::newRow("no choice, title bar") << false << "close" << 2;
    QTest::newRow("no choice, Enter") << false << "Enter" << 2;
    QTest::newRow("no choice, Escape") << false << "Escape" << 2;
    QTest::newRow("choice, Enter") << true << "Enter" << 2;
    QTest::newRow("choice, OK clicked") << true << "OK" << 1;
    QTest::newRow("choice, Escape") << true << "Escape" << 2;
}

void TestAlertBox::keysAndButtons()
{
    QFETCH(bool, okEnabled);
    QFETCH(QString, action);
    QFETCH(int, result);

    TAlertBox box(nullptr);
    box.AlertMessage1->setText(QStringLiteral("Test data has NOT been saved!"));
    box.AlertOKBitBtn->setEnabled(okEnabled);
    ModalAnswers answers({[&](QWidget* modal) {
        QCOMPARE(modal, &box);
        QTRY_COMPARE(QApplication::focusWidget(), box.AlertCancelBitBtn);
        if (action == QLatin1String("Enter"))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        else if (action == QLatin1String("Escape"))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        else if (action == QLatin1String("OK")) {
            QTest::mouseClick(box.AlertOKBitBtn, Qt::LeftButton);
            if (box.isVisible()) // a disabled OK did nothing: leave by Escape
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        } else
            box.close();
    }});
    QCOMPARE(box.exec(), result);
    QVERIFY(answers.AllAnswered());
    QVERIFY(!answers.WatchdogFired());
}

void TestAlertBox::comingToTheFrontGivesCancelTheFocus()
{
    TAlertBox box(nullptr);
    box.AlertOKBitBtn->setEnabled(true);
    QVERIFY(ComeBackToTheFront(box, box.AlertOKBitBtn));
    QCOMPARE(QApplication::focusWidget(), box.AlertCancelBitBtn);
}

QTEST_MAIN(TestAlertBox)
#include "tst_alertbox.moc"
