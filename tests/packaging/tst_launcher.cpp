#include "filebytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A stand-in for an installed program.
void WriteProgram(const QString& path, const QByteArray& script)
{
    QVERIFY(WriteBytes(path, script));
    QVERIFY(QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner));
}

enum class Change
{
    None,
    EditQorDat,
    RemoveQorDat,
    OwnManual,
    RemoveArchiverLink,
    BreakArchiverLink,
};

} // namespace

Q_DECLARE_METATYPE(Change)

// The launcher, installed into a scratch prefix beside stand-ins for the program, the archiver
// and the manual, started in a scratch home.
class LauncherTest : public QObject
{
    Q_OBJECT
private slots:
    void init();

    void firstStartPreparesTheStartDirectory_data();
    void firstStartPreparesTheStartDirectory();
    void laterStartKeepsWhatTheOperatorChanged_data();
    void laterStartKeepsWhatTheOperatorChanged();
    void launcherNamesWhatStopsIt_data();
    void launcherNamesWhatStopsIt();

private:
    QString Installed(const char* folder, const QString& name) const
    {
        return QDir(prefix_->path()).filePath(QLatin1String(folder) + "/" + name);
    }
    QString Start(const QString& name = {}) const
    {
        return QDir(home_->path()).filePath("QOR1000/" + name);
    }
    // Starts the launcher; returns its exit code, the standard error in err.
    int Launch(QByteArray& err, const QString& launcher = {}, bool withHome = true) const;
    // One line per entry of the start directory: a link and its target, a folder, a file and
    // whether it still is the template.
    QStringList DescribeStart() const;

    std::unique_ptr<QTemporaryDir> prefix_;
    std::unique_ptr<QTemporaryDir> home_;
    QString launcher_;
};

void LauncherTest::init()
{
    prefix_ = std::make_unique<QTemporaryDir>();
    home_ = std::make_unique<QTemporaryDir>();
    QVERIFY(prefix_->isValid() && home_->isValid());
    launcher_ = Installed(QOR_BINDIR, "qor1000");
    WriteProgram(launcher_, ReadBytes(QStringLiteral(QOR_LAUNCHER_PATH)));
    QVERIFY(WriteBytes(Installed(QOR_DATADIR, "qor1000/QOR.dat"),
                       ReadBytes(QStringLiteral(QOR_TEMPLATE_PATH))));
    // The program stands in: it notes where it ran and ends with a status of its own.
    WriteProgram(Installed(QOR_LIBEXECDIR, "qor1000/qor1000"),
                 "#!/bin/sh\npwd > \"$HOME/program-ran-in\"\nexit 7\n");
    WriteProgram(Installed(QOR_LIBEXECDIR, "qor1000/cabarc"), "archiver");
    QVERIFY(WriteBytes(Installed(QOR_DATADIR, "qor1000/QOR1000.Manual.pdf"), "manual"));
}

int LauncherTest::Launch(QByteArray& err, const QString& launcher, bool withHome) const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("HOME");
    if (withHome)
        environment.insert("HOME", home_->path());
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(prefix_->path());
    process.start(launcher.isEmpty() ? launcher_ : launcher, {});
    if (!process.waitForFinished() || process.exitStatus() != QProcess::NormalExit)
        return -1;
    err = process.readAllStandardError();
    return process.exitCode();
}

QStringList LauncherTest::DescribeStart() const
{
    const QByteArray qorDatTemplate = ReadBytes(QStringLiteral(QOR_TEMPLATE_PATH));
    QStringList lines;
    const QFileInfoList entries = QDir(Start()).entryInfoList(
        QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& entry : entries) {
        if (entry.isSymLink())
            lines << entry.fileName() + " -> " +
                         entry.symLinkTarget().replace(prefix_->path(), "PREFIX");
        else if (entry.isDir())
            lines << entry.fileName() + "/";
        else
            lines << entry.fileName() + " = " +
                         (ReadBytes(entry.filePath()) == qorDatTemplate
                              ? QStringLiteral("template")
                              : QString::fromLatin1(ReadBytes(entry.filePath())));
    }
    return lines;
}

const QStringList Prepared{
    "QOR.dat = template", "QOR1000.Manual.pdf -> PREFIX/" QOR_DATADIR "/qor1000/QOR1000.Manual.pdf",
    "cabarc -> PREFIX/" QOR_LIBEXECDIR "/qor1000/cabarc", "diagnostic/"};

void LauncherTest::firstStartPreparesTheStartDirectory_data()
{
    QTest::addColumn<bool>("throughALink");
    QTest::newRow("started as installed") << false;
    // As when a link in /usr/local/bin leads to the installed launcher.
    QTest::newRow("started through a link") << true;
}

void LauncherTest::firstStartPreparesTheStartDirectory()
{
    QFETCH(bool, throughALink);
    QString launcher = launcher_;
    if (throughALink) {
        launcher = QDir(home_->path()).filePath("qor1000-link");
        QVERIFY(QFile::link(launcher_, launcher));
    }

    QByteArray err;
    QCOMPARE(Launch(err, launcher), 7); // the program's own exit status
    QCOMPARE(err, QByteArray());
    QCOMPARE(DescribeStart(), Prepared);
    QCOMPARE(ReadBytes(QDir(home_->path()).filePath("program-ran-in")).trimmed(),
             Start().chopped(1).toLocal8Bit());
}

void LauncherTest::laterStartKeepsWhatTheOperatorChanged_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<QStringList>("after");

    QStringList edited = Prepared;
    edited[0] = "QOR.dat = PORT=COM2\r\n";
    QStringList ownManual = Prepared;
    ownManual[1] = "QOR1000.Manual.pdf = notes";

    QTest::newRow("nothing changed") << Change::None << Prepared;
    QTest::newRow("QOR.dat edited") << Change::EditQorDat << edited;
    QTest::newRow("QOR.dat removed") << Change::RemoveQorDat << Prepared;
    QTest::newRow("manual link replaced by a file") << Change::OwnManual << ownManual;
    QTest::newRow("archiver link removed") << Change::RemoveArchiverLink << Prepared;
    QTest::newRow("archiver link leads nowhere") << Change::BreakArchiverLink << Prepared;
}

void LauncherTest::laterStartKeepsWhatTheOperatorChanged()
{
    QFETCH(Change, change);
    QFETCH(QStringList, after);
    QByteArray err;
    QCOMPARE(Launch(err), 7);

    switch (change) {
    case Change::None:
        break;
    case Change::EditQorDat:
        QVERIFY(WriteBytes(Start("QOR.dat"), "PORT=COM2\r\n"));
        break;
    case Change::RemoveQorDat:
        QVERIFY(QFile::remove(Start("QOR.dat")));
        break;
    case Change::OwnManual:
        QVERIFY(QFile::remove(Start("QOR1000.Manual.pdf")));
        QVERIFY(WriteBytes(Start("QOR1000.Manual.pdf"), "notes"));
        break;
    case Change::RemoveArchiverLink:
        QVERIFY(QFile::remove(Start("cabarc")));
        break;
    case Change::BreakArchiverLink:
        QVERIFY(QFile::remove(Start("cabarc")));
        QVERIFY(QFile::link(Installed(QOR_LIBEXECDIR, "old/cabarc"), Start("cabarc")));
        break;
    }

    QCOMPARE(Launch(err), 7);
    QCOMPARE(err, QByteArray());
    QCOMPARE(DescribeStart(), after);
}

void LauncherTest::launcherNamesWhatStopsIt_data()
{
    QTest::addColumn<QString>("blocker");
    QTest::addColumn<QByteArray>("message");

    QTest::newRow("program not installed")
        << "program"
        << QByteArray("qor1000: the program PREFIX/" QOR_LIBEXECDIR
                      "/qor1000/qor1000 is not installed\n");
    QTest::newRow("a file where the start directory goes")
        << "file" << QByteArray("qor1000: cannot make the start directory HOME/QOR1000\n");
    QTest::newRow("no home") << "home"
                             << QByteArray("qor1000: HOME is not set, so there is no start "
                                           "directory\n");
}

void LauncherTest::launcherNamesWhatStopsIt()
{
    QFETCH(QString, blocker);
    QFETCH(QByteArray, message);
    if (blocker == "program")
        QVERIFY(QFile::remove(Installed(QOR_LIBEXECDIR, "qor1000/qor1000")));
    if (blocker == "file")
        QVERIFY(WriteBytes(Start().chopped(1), "in the way"));

    QByteArray err;
    QCOMPARE(Launch(err, {}, blocker != "home"), 1);
    err.replace(prefix_->path().toLocal8Bit(), "PREFIX")
        .replace(home_->path().toLocal8Bit(), "HOME");
    QVERIFY2(err.endsWith(message), err.constData());
    QVERIFY(!QFile::exists(QDir(home_->path()).filePath("program-ran-in")));
    QVERIFY(!QFileInfo(Start()).isDir());
}

QTEST_GUILESS_MAIN(LauncherTest)
#include "tst_launcher.moc"
