#include "config/initializingbox.h"
#include "modalanswers.h"
#include "platform/termination.h"
#include "program/settings.h"
#include "scriptedseriallibrary.h"
#include "temporarystartdirectory.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

class TestInitializingBox : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void design();
    void startUp_data();
    void startUp();

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
    QCOMPARE(box.Status->pos(), QPoint(8, 184));
    QCOMPARE(box.IgnoreBitBtn->geometry(), QRect(224, 200, 75, 25));
    QCOMPARE(box.AbortBitBtn->geometry(), QRect(136, 200, 75, 25));
    QCOMPARE(box.AbortBitBtn->text(), QStringLiteral("&Abort"));
    QVERIFY(!box.Timer1->isActive());
    QCOMPARE(box.Timer1->interval(), 5000);
    QCOMPARE(box.Image1->geometry(), QRect(0, 0, 320, 177));
    QVERIFY(!box.Image1->pixmap().isNull());
}

// How the box looks once QOR.dat is read, and what the operator's way out of it leads to.
void TestInitializingBox::startUp_data()
{
    QTest::addColumn<QByteArray>("qorDat"); // empty: no QOR.dat at all
    QTest::addColumn<bool>("faulty");
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("portName");

    const QByteArray clean = "QOR-1000 installation\r\nUNITS=ENGLISH\r\n";
    QTest::newRow("clean, timer fires") << clean << false << "timer" << 2 << "";
    QTest::newRow("missing file, Ignore") << QByteArray() << true << "Ignore" << 2 << "";
    QTest::newRow("bad units line, good port, Ignore")
        << QByteArray("header\r\nPORT=COM1\r\nUNITS=metric\r\n") << true << "Ignore" << 2 << "COM1";
    QTest::newRow("clean, Escape aborts") << clean << false << "Escape" << 3 << "";
    QTest::newRow("clean, close box goes on") << clean << false << "close box" << 2 << "";
    QTest::newRow("faulty, close box goes on as Ignore")
        << QByteArray("header\r\nPORT=COM1\r\nUNITS=metric\r\n") << true << "close box" << 2
        << "COM1";
    QTest::newRow("faulty, Abort")
        << QByteArray("header\r\nBOGUS\r\n") << true << "Abort" << 3 << "";
}

void TestInitializingBox::startUp()
{
    QFETCH(QByteArray, qorDat);
    QFETCH(bool, faulty);
    QFETCH(QString, action);
    QFETCH(int, result);
    QFETCH(QString, portName);

    TemporaryStartDirectory start;
    if (!qorDat.isEmpty())
        start.WriteFile(QStringLiteral("QOR.dat"), qorDat);
    TInitializingBox box(nullptr);
    bool timerRunning = faulty;
    bool ignoreEnabled = !faulty;
    QString status;
    ModalAnswers answers({[&](QWidget*) {
        timerRunning = box.Timer1->isActive();
        ignoreEnabled = box.IgnoreBitBtn->isEnabled();
        status = box.Status->text();
        if (action == QLatin1String("timer"))
            box.Timer1->setInterval(0); // what five seconds would bring, now
        else if (action == QLatin1String("Ignore"))
            QTest::mouseClick(box.IgnoreBitBtn, Qt::LeftButton);
        else if (action == QLatin1String("Abort"))
            QTest::mouseClick(box.AbortBitBtn, Qt::LeftButton);
        else if (action == QLatin1String("close box"))
            box.close();
        else
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    }});
    QCOMPARE(box.exec(), result);
    QVERIFY(answers.AllAnswered());
    QVERIFY(!answers.WatchdogFired());
    QCOMPARE(timerRunning, !faulty);
    QCOMPARE(ignoreEnabled, faulty);
    QCOMPARE(status,
             faulty ? QStringLiteral("Configuration error. PRESS- Ignore to continue, ...")
                    : QStringLiteral("Loading Program and the Installation Configuration ..."));
    QCOMPARE(PortName, portName);
    QCOMPARE(Termination::Requested(), result == 3);
    // The file was read: a start-up history line exists whenever QOR.dat does.
    QCOMPARE(QFile::exists(QStringLiteral("errors/startup.log.txt")), !qorDat.isEmpty());
}

QTEST_MAIN(TestInitializingBox)
#include "tst_initializingbox.moc"
