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
    void lockThatCannotBeMadeIsAFailure();

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
    QCOMPARE(first->TryHold(), InstanceLock::Outcome::Held);
    QCOMPARE(first->TryHold(), InstanceLock::Outcome::Held); // asking again keeps it
    InstanceLock second(QStringLiteral("About This Program"));
    QCOMPARE(second.TryHold(), InstanceLock::Outcome::HeldByAnother);
    first.reset();
    QCOMPARE(second.TryHold(), InstanceLock::Outcome::Held);
}

void TestInstanceLock::titlesLockIndependently()
{
    InstanceLock about(QStringLiteral("About This Program"));
    InstanceLock other(QStringLiteral("Another Program"));
    QCOMPARE(about.TryHold(), InstanceLock::Outcome::Held);
    QCOMPARE(other.TryHold(), InstanceLock::Outcome::Held);
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
    QCOMPARE(lock.TryHold(), InstanceLock::Outcome::Held);
}

// A lock file that cannot be made says nothing about another instance; the operator is told
// where.
void TestInstanceLock::lockThatCannotBeMadeIsAFailure()
{
    QTemporaryDir folder(runtime_.filePath(QStringLiteral("runtime-XXXXXX")));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder.path()));
    const auto restore =
        qScopeGuard([&] { qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime_.path())); });
    InstanceLock lock(QStringLiteral("About This Program"));
    QVERIFY(folder.remove());

    QCOMPARE(lock.TryHold(), InstanceLock::Outcome::Failed);
    QVERIFY2(lock.FailureText().contains(folder.path()), qPrintable(lock.FailureText()));
}

QTEST_GUILESS_MAIN(TestInstanceLock)
#include "tst_instancelock.moc"
