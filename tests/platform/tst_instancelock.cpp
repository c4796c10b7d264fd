#include "platform/instancelock.h"

#include <QTemporaryDir>
#include <QtTest>

class TestInstanceLock : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void secondHolderIsRefusedUntilTheFirstGoes();
    void titlesLockIndependently();
    void lockOfADeadProcessIsTakenOver();

private:
    QTemporaryDir runtime_;
};

void TestInstanceLock::initTestCase()
{
    // A private runtime directory, so a running program does not hold the locks of the test.
    QVERIFY(runtime_.isValid());
    qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());
    QVERIFY(
        InstanceLock::PathFor(QStringLiteral("About This Program")).startsWith(runtime_.path()));
}

void TestInstanceLock::secondHolderIsRefusedUntilTheFirstGoes()
{
    auto first = std::make_unique<InstanceLock>(QStringLiteral("About This Program"));
    QVERIFY(first->TryHold());
    QVERIFY(first->TryHold()); // asking again keeps it
    InstanceLock second(QStringLiteral("About This Program"));
    QVERIFY(!second.TryHold());
    first.reset();
    QVERIFY(second.TryHold());
}

void TestInstanceLock::titlesLockIndependently()
{
    InstanceLock about(QStringLiteral("About This Program"));
    InstanceLock other(QStringLiteral("Another Program"));
    QVERIFY(about.TryHold());
    QVERIFY(other.TryHold());
}

void TestInstanceLock::lockOfADeadProcessIsTakenOver()
{
    // A crashed instance leaves its lock file behind, naming a process that no longer runs.
    QProcess finished;
    finished.start(QStringLiteral("true"));
    QVERIFY(finished.waitForStarted());
    const qint64 deadProcess = finished.processId();
    QVERIFY(finished.waitForFinished());
    QFile leftOver(InstanceLock::PathFor(QStringLiteral("About This Program")));
    QVERIFY(leftOver.open(QIODevice::WriteOnly));
    leftOver.write(QByteArray::number(deadProcess) + "\nqor1000\n" +
                   QSysInfo::machineHostName().toLocal8Bit() + "\n");
    leftOver.close();

    InstanceLock lock(QStringLiteral("About This Program"));
    QVERIFY(lock.TryHold());
}

QTEST_GUILESS_MAIN(TestInstanceLock)
#include "tst_instancelock.moc"
