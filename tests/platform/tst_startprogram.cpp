#include "platform/startprogram.h"
#include "standin.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class TestStartProgram : public QObject
{
    Q_OBJECT
private slots:
    void start_data();
    void start();
};

void TestStartProgram::start_data()
{
    QTest::addColumn<QStringList>("standIns"); // stand-in programs in the current directory
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("wait");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("called"); // the stand-in expected to have run, if any
    QTest::addColumn<QStringList>("calledWith");

    QTest::newRow("bare name, current directory, blanks kept")
        << QStringList{"tool"} << "tool" << QStringList{"a b", "*.dat"} << true << 3 << "tool"
        << QStringList{"a b", "*.dat"};
    QTest::newRow("bare name never searched along the path")
        << QStringList{} << "sh" << QStringList{"-c", "exit 0"} << true << -1 << ""
        << QStringList{};
    QTest::newRow(".exe tried without it")
        << QStringList{"cabarc"} << "cabarc.exe" << QStringList{"n"} << true << 3 << "cabarc"
        << QStringList{"n"};
    QTest::newRow("no extension: .EXE tried")
        << QStringList{"viewer.EXE"} << "viewer" << QStringList{} << true << 3 << "viewer.EXE"
        << QStringList{};
    QTest::newRow("backslashes and blanks in folders, no wait")
        << QStringList{"Program Files/Reader/AcroRd32"} << "Program Files\\Reader\\AcroRd32.exe"
        << QStringList{"QOR1000.Manual.pdf"} << false << 0 << "Program Files/Reader/AcroRd32"
        << QStringList{"QOR1000.Manual.pdf"};
    QTest::newRow("missing, no wait") << QStringList{} << "AdbeRdr\\setup.exe" << QStringList{}
                                      << false << -1 << "" << QStringList{};
    QTest::newRow(".BAT through COMSPEC")
        << QStringList{"run.BAT", "comspec"} << "run" << QStringList{"x"} << true << 3 << "comspec"
        << QStringList{"/c", "<dir>/run.BAT", "x"};
}

void TestStartProgram::start()
{
    QFETCH(QStringList, standIns);
    QFETCH(QString, file);
    QFETCH(QStringList, arguments);
    QFETCH(bool, wait);
    QFETCH(int, result);
    QFETCH(QString, called);
    QFETCH(QStringList, calledWith);

    QTemporaryDir dir;
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir.path());
    for (const QString& standIn : standIns)
        WriteStandIn(standIn, 3);
    qputenv("COMSPEC", (dir.path() + "/comspec").toLocal8Bit());
    const int started = wait ? StartProgram::AndWait(file, arguments)
                             : StartProgram::WithoutWaiting(file, arguments);
    qunsetenv("COMSPEC");
    QDir::setCurrent(before);

    QCOMPARE(started, result);
    calledWith.replaceInStrings("<dir>", dir.path());
    for (const QString& standIn : standIns) {
        const QString log = dir.filePath(standIn + ".log");
        if (standIn == called)
            QTRY_COMPARE(StandInCall(log), QStringList{dir.path()} + calledWith);
        else
            QVERIFY2(!QFile::exists(log), qPrintable(standIn));
    }
}

QTEST_GUILESS_MAIN(TestStartProgram)
#include "tst_startprogram.moc"
