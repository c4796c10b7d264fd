#include "config/initializingbox.h"
#include "config/settings.h"
#include "modalanswers.h"
#include "platform/termination.h"
#include "scriptedseriallibrary.h"
#include "temporarystartdirectory.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

const QString LoadingText =
    QStringLiteral("Loading Program and the Installation Configuration ...");
const QString ErrorText = QStringLiteral("Configuration error. PRESS- Ignore to continue, ...");

} // namespace

class TestInitializingBox : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void design();
    void cleanFileClosesWhenTheTimerFires();
    void faultyFileWaitsForIgnore_data();
    void faultyFileWaitsForIgnore();
    void abortEndsTheProgram_data();
    void abortEndsTheProgram();

private:
    ScriptedSerialLibrary serial_;
};

void TestInitializingBox::initTestCase()
{
    InstallSerialLibrary(&serial_);
}

void TestInitializingBox::init()
{
    Termination::Withdraw();
    PortName.clear();
}

void TestInitializingBox::design()
{
    TInitializingBox box(nullptr);
    QCOMPARE(box.windowTitle(), QStringLiteral("Initializing ..."));
    QCOMPARE(box.size(), QSize(299, 228));
    QCOMPARE(box.Status->text(), LoadingText);
    QCOMPARE(box.Status->pos(), QPoint(8, 184));
    QCOMPARE(box.IgnoreBitBtn->geometry(), QRect(224, 200, 75, 25));
    QCOMPARE(box.AbortBitBtn->geometry(), QRect(136, 200, 75, 25));
    QCOMPARE(box.AbortBitBtn->text(), QStringLiteral("&Abort"));
    QVERIFY(!box.IgnoreBitBtn->isEnabled());
    QVERIFY(!box.Timer1->isActive());
    QCOMPARE(box.Timer1->interval(), 5000);
    QCOMPARE(box.Image1->geometry(), QRect(0, 0, 320, 177));
    QVERIFY(!box.Image1->pixmap().isNull());
}

void TestInitializingBox::cleanFileClosesWhenTheTimerFires()
{
    TemporaryStartDirectory start;
    start.WriteFile(QStringLiteral("QOR.dat"), "QOR-1000 installation\r\nUNITS=ENGLISH\r\n");
    TInitializingBox box(nullptr);
    bool timerRunning = false;
    bool ignoreEnabled = true;
    QString status;
    ModalAnswers answers({[&](QWidget*) {
        timerRunning = box.Timer1->isActive();
        ignoreEnabled = box.IgnoreBitBtn->isEnabled();
        status = box.Status->text();
        box.Timer1->setInterval(0); // what five seconds would bring, now
    }});
    QCOMPARE(box.exec(), 2);
    QVERIFY(answers.AllAnswered());
    QVERIFY(!answers.WatchdogFired());
    QVERIFY(timerRunning);
    QVERIFY(!ignoreEnabled);
    QCOMPARE(status, LoadingText);
    QVERIFY(!Termination::Requested());
    QVERIFY(QFile::exists(QStringLiteral("errors/startup.log.txt")));
}

void TestInitializingBox::faultyFileWaitsForIgnore_data()
{
    QTest::addColumn<QByteArray>("qorDat");
    QTest::addColumn<QString>("portName");

    QTest::newRow("missing file") << QByteArray() << "";
    QTest::newRow("bad colour line") << QByteArray("header\r\nCOLORGRAPH=true\r\n") << "";
    QTest::newRow("bad units line, good port")
        << QByteArray("header\r\nPORT=COM1\r\nUNITS=metric\r\n") << "COM1";
}

void TestInitializingBox::faultyFileWaitsForIgnore()
{
    QFETCH(QByteArray, qorDat);
    QFETCH(QString, portName);

    TemporaryStartDirectory start;
    if (!qorDat.isEmpty())
        start.WriteFile(QStringLiteral("QOR.dat"), qorDat);
    TInitializingBox box(nullptr);
    bool timerRunning = true;
    QString status;
    ModalAnswers answers({[&](QWidget*) {
        timerRunning = box.Timer1->isActive();
        status = box.Status->text();
        QTest::mouseClick(box.IgnoreBitBtn, Qt::LeftButton);
    }});
    QCOMPARE(box.exec(), 2);
    QVERIFY(answers.AllAnswered());
    QVERIFY(!answers.WatchdogFired());
    QVERIFY(!timerRunning);
    QCOMPARE(status, ErrorText);
    QCOMPARE(PortName, portName);
    QVERIFY(!Termination::Requested());
}

void TestInitializingBox::abortEndsTheProgram_data()
{
    QTest::addColumn<QByteArray>("qorDat");
    QTest::addColumn<bool>("escape");

    QTest::newRow("clean, Escape") << QByteArray("header\r\n") << true;
    QTest::newRow("clean, Abort") << QByteArray("header\r\n") << false;
    QTest::newRow("faulty, Escape") << QByteArray("header\r\nBOGUS\r\n") << true;
    QTest::newRow("faulty, Abort") << QByteArray("header\r\nBOGUS\r\n") << false;
}

void TestInitializingBox::abortEndsTheProgram()
{
    QFETCH(QByteArray, qorDat);
    QFETCH(bool, escape);

    TemporaryStartDirectory start;
    start.WriteFile(QStringLiteral("QOR.dat"), qorDat);
    TInitializingBox box(nullptr);
    ModalAnswers answers({[&](QWidget*) {
        if (escape)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        else
            QTest::mouseClick(box.AbortBitBtn, Qt::LeftButton);
    }});
    QCOMPARE(box.exec(), 3);
    QVERIFY(answers.AllAnswered());
    QVERIFY(!answers.WatchdogFired());
    QVERIFY(Termination::Requested());
}

QTEST_MAIN(TestInitializingBox)
#include "tst_initializingbox.moc"
