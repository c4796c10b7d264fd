#include "modalanswers.h"
#include "platform/errorreport.h"
#include "platform/errors.h"
#include "platform/messagebox.h"

#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

class TestMessageBoxes : public QObject
{
    Q_OBJECT
private slots:
    void systemMessageBoxShowsTextAndCaptionExactly();
    void errorReportNamesWhatWasRaised_data();
    void errorReportNamesWhatWasRaised();
    void errorReportNeverStacksASecondBox();
    void guardSwallowsWhatTheHandlerRaised();
};

void TestMessageBoxes::systemMessageBoxShowsTextAndCaptionExactly()
{
    QString text;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::Critical;
    qsizetype buttons = 0;
    ModalAnswers answers({[&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        text = box->text();
        caption = box->windowTitle();
        icon = box->icon();
        buttons = box->buttons().size();
        box->button(QMessageBox::Ok)->click();
    }});
    SystemMessageBox(nullptr, QStringLiteral("  Cannot find <b>QOR1000.Manual.pdf</b>  "),
                     QStringLiteral("View Manual"));
    QVERIFY(answers.AllAnswered());
    QCOMPARE(text, QStringLiteral("  Cannot find <b>QOR1000.Manual.pdf</b>  "));
    QCOMPARE(caption, QStringLiteral("View Manual"));
    QCOMPARE(icon, QMessageBox::NoIcon);
    QCOMPARE(buttons, 1);
}

void TestMessageBoxes::errorReportNamesWhatWasRaised_data()
{
    QTest::addColumn<std::exception_ptr>("error");
    QTest::addColumn<QString>("text");

    QTest::newRow("int code") << std::make_exception_ptr(-1201) << "Error #-1201";
    QTest::newRow("conversion") << std::make_exception_ptr(ConversionError(
                                       QStringLiteral("'12a' is not a valid integer value")))
                                << "'12a' is not a valid integer value";
    QTest::newRow("file") << std::make_exception_ptr(
                                 FileError(QStringLiteral("Cannot open file \"x.dat\"")))
                          << "Cannot open file \"x.dat\"";
    QTest::newRow("other exception")
        << std::make_exception_ptr(std::runtime_error("out of paper")) << "out of paper";
    QTest::newRow("anything else")
        << std::make_exception_ptr(3.5) << "An unexpected error occurred.";
}

void TestMessageBoxes::errorReportNamesWhatWasRaised()
{
    QFETCH(std::exception_ptr, error);
    QFETCH(QString, text);

    QString shown;
    ModalAnswers answers({[&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        shown = box->text();
        box->button(QMessageBox::Ok)->click();
    }});
    ErrorReport::Show(nullptr, error);
    QVERIFY(answers.AllAnswered());
    QCOMPARE(shown, text);
}

// A port that fails on every 100 ms poll must not bury the operator in boxes.
void TestMessageBoxes::errorReportNeverStacksASecondBox()
{
    int boxesOpen = 0;
    ModalAnswers answers({[&](QWidget* modal) {
        boxesOpen = 1;
        QTest::ignoreMessage(QtWarningMsg, "Error while an error report is open: Error #-1205");
        ErrorReport::Show(nullptr, std::make_exception_ptr(-1205));
        if (QApplication::activeModalWidget() != modal)
            ++boxesOpen;
        modal->close();
    }});
    ErrorReport::Show(nullptr, std::make_exception_ptr(-1205));
    QVERIFY(answers.AllAnswered());
    QVERIFY(!answers.WatchdogFired());
    QCOMPARE(boxesOpen, 1);

    // Once the box is closed, the next failure is shown again.
    ModalAnswers next({[](QWidget* modal) { modal->close(); }});
    ErrorReport::Show(nullptr, std::make_exception_ptr(-1205));
    QVERIFY(next.AllAnswered());
}

void TestMessageBoxes::guardSwallowsWhatTheHandlerRaised()
{
    // Anything Guard let through would fail this test as an uncaught exception.
    ModalAnswers answers({[](QWidget* modal) { modal->close(); }});
    ErrorReport::Guard(nullptr, [] { throw -1002; });
    QVERIFY(answers.AllAnswered());
}

QTEST_MAIN(TestMessageBoxes)
#include "tst_messageboxes.moc"
