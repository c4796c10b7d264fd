#include "filebytes.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The launcher, installed into a scratch prefix beside stand-ins for the program, the archiver
// and the manual, started in a scratch home.
class LauncherTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void firstStartPreparesLaterStartsKeep_data();
    void firstStartPreparesLaterStartsKeep();
    void launcherNamesWhatStopsIt_data();
    void launcherNamesWhatStopsIt();

private:
    // Runs shell commands (with $PREFIX and $HOME set), then the launcher in the same shell.
    // Returns its exit code, the standard error in err with $PREFIX and $HOME written so.
    int Launch(const QString& before, QByteArray& err) const;
    // One line per entry of the start directory: a link and its target, a folder, or a file
    // and its content ("template" for the installed QOR.dat).
    QStringList DescribeStart() const;

    std::unique_ptr<QTemporaryDir> prefix_;
    std::unique_ptr<QTemporaryDir> home_;
};

const QStringList Prepared{
    "QOR.dat template", "QOR1000.Manual.pdf -> $PREFIX/" QOR_DATADIR "/qor1000/QOR1000.Manual.pdf",
    "cabarc -> $PREFIX/" QOR_LIBEXECDIR "/qor1000/cabarc", "diagnostic/"};

void LauncherTest::init()
{
    prefix_ = std::make_unique<QTemporaryDir>();
    home_ = std::make_unique<QTemporaryDir>();
    const QDir prefix(prefix_->path());
    QVERIFY(WriteBytes(prefix.filePath(QOR_BINDIR "/qor1000"), ReadBytes(QOR_LAUNCHER_PATH)));
    QVERIFY(
        WriteBytes(prefix.filePath(QOR_DATADIR "/qor1000/QOR.dat"), ReadBytes(QOR_TEMPLATE_PATH)));
    QVERIFY(WriteBytes(prefix.filePath(QOR_DATADIR "/qor1000/QOR1000.Manual.pdf"), "manual"));
    // The program stands in: it notes where it ran and ends with a status of its own.
    QVERIFY(WriteBytes(prefix.filePath(QOR_LIBEXECDIR "/qor1000/qor1000"),
                       "#!/bin/sh\npwd > \"$HOME/ran-in\"\nexit 7\n"));
    QVERIFY(WriteBytes(prefix.filePath(QOR_LIBEXECDIR "/qor1000/cabarc"), "archiver"));
    for (const char* program : {QOR_BINDIR "/qor1000", QOR_LIBEXECDIR "/qor1000/qor1000"})
        QVERIFY(
            QFile::setPermissions(prefix.filePath(program), QFile::ReadOwner | QFile::ExeOwner));
}

int LauncherTest::Launch(const QString& before, QByteArray& err) const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", home_->path());
    environment.insert("PREFIX", prefix_->path());
    QProcess shell;
    shell.setProcessEnvironment(environment);
    shell.start("/bin/sh", {"-c", before + "\nexec \"$PREFIX/" QOR_BINDIR "/qor1000\""});
    if (!shell.waitForFinished() || shell.exitStatus() != QProcess::NormalExit)
        return -1;
    err = shell.readAllStandardError()
              .replace(prefix_->path().toLocal8Bit(), "$PREFIX")
              .replace(home_->path().toLocal8Bit(), "$HOME");
    return shell.exitCode();
}

QStringList LauncherTest::DescribeStart() const
{
    QStringList lines;
    const QDir start(QDir(home_->path()).filePath("QOR1000"));
    for (const QFileInfo& entry :
         start.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name)) {
        const QByteArray bytes = ReadBytes(entry.filePath());
        lines << entry.fileName() +
                     (entry.isSymLink()
                          ? " -> " + entry.symLinkTarget().replace(prefix_->path(), "$PREFIX")
                      : entry.isDir()                         ? QStringLiteral("/")
                      : bytes == ReadBytes(QOR_TEMPLATE_PATH) ? QStringLiteral(" template")
                                                              : ' ' + QString::fromLatin1(bytes));
    }
    return lines;
}

void LauncherTest::firstStartPreparesLaterStartsKeep_data()
{
    QTest::addColumn<QString>("change"); // shell commands in the start directory
    QTest::addColumn<QStringList>("after");
    QStringList edited = Prepared;
    edited[0] = "QOR.dat PORT=COM2\n";
    QStringList ownManual = Prepared;
    ownManual[1] = "QOR1000.Manual.pdf notes\n";
    QTest::newRow("nothing changed") << "" << Prepared;
    // As from a link in /usr/local/bin to the installed launcher.
    QTest::newRow("started through a link")
        << "ln -s \"$PREFIX/" QOR_BINDIR "/qor1000\" ../l && exec ../l" << Prepared;
    QTest::newRow("QOR.dat edited") << "echo PORT=COM2 > QOR.dat" << edited;
    QTest::newRow("QOR.dat removed") << "rm QOR.dat" << Prepared;
    QTest::newRow("manual link replaced by a file")
        << "rm QOR1000.Manual.pdf; echo notes > QOR1000.Manual.pdf" << ownManual;
    QTest::newRow("archiver link removed") << "rm cabarc" << Prepared;
    QTest::newRow("archiver link leads nowhere") << "ln -sf /gone/cabarc cabarc" << Prepared;
}

void LauncherTest::firstStartPreparesLaterStartsKeep()
{
    QFETCH(QString, change);
    QFETCH(QStringList, after);
    QByteArray err;
    QCOMPARE(Launch({}, err), 7); // the program's own exit status
    QCOMPARE(err, QByteArray());
    QCOMPARE(DescribeStart(), Prepared);
    const QString ranIn = QDir(home_->path()).filePath("ran-in");
    QCOMPARE(ReadBytes(ranIn), QDir(home_->path()).filePath("QOR1000\n").toLocal8Bit());

    QVERIFY(QFile::remove(ranIn));
    QCOMPARE(Launch("cd \"$HOME/QOR1000\" && " + change, err), 7);
    QCOMPARE(err, QByteArray());
    QCOMPARE(DescribeStart(), after);
    QVERIFY(QFile::exists(ranIn));
}

void LauncherTest::launcherNamesWhatStopsIt_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QByteArray>("message");
    QTest::newRow("program not installed")
        << "rm \"$PREFIX/" QOR_LIBEXECDIR "/qor1000/qor1000\""
        << QByteArray("qor1000: the program $PREFIX/" QOR_LIBEXECDIR "/qor1000/qor1000 is not "
                      "installed\n");
    QTest::newRow("a file where the start directory goes")
        << "echo > \"$HOME/QOR1000\""
        << QByteArray("qor1000: cannot make the start directory $HOME/QOR1000\n");
    QTest::newRow("no home") << "unset HOME"
                             << QByteArray("qor1000: HOME is not set, so there is no start "
                                           "directory\n");
}

void LauncherTest::launcherNamesWhatStopsIt()
{
    QFETCH(QString, before);
    QFETCH(QByteArray, message);
    QByteArray err;
    QCOMPARE(Launch(before, err), 1);
    QVERIFY2(err.endsWith(message), err.constData());
    QVERIFY(!QFile::exists(QDir(home_->path()).filePath("ran-in")));
    QVERIFY(!QFileInfo(QDir(home_->path()).filePath("QOR1000")).isDir());
}

QTEST_GUILESS_MAIN(LauncherTest)
#include "tst_launcher.moc"
