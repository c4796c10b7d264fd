#include "filebytes.h"
#include "programrun.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QStringList Prepared{
    "QOR.dat template", "QOR1000.Manual.pdf -> $PREFIX/" QOR_DATADIR "/qor1000/QOR1000.Manual.pdf",
    "cabarc -> $PREFIX/" QOR_LIBEXECDIR "/qor1000/cabarc", "diagnostic/"};
const QByteArray Ran = "ran in $HOME/QOR1000\n"; // what the stand-in program says

} // namespace

// The launcher, installed into a scratch prefix beside stand-ins for the program, the archiver
// and the manual, started in a scratch home.
class LauncherTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> prefix_;
    std::unique_ptr<QTemporaryDir> home_;

    // Runs shell commands (with $PREFIX and $HOME set), then the launcher in the same shell; its
    // exit code, and its standard error in err with $PREFIX and $HOME written so.
    int Launch(const QString& before, QByteArray& err) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", home_->path());
        environment.insert("PREFIX", prefix_->path());
        ProgramRun run =
            RunProgram("/bin/sh", {"-c", before + "\nexec \"$PREFIX/" QOR_BINDIR "/qor1000\""}, {},
                       environment);
        err = run.errors.replace(prefix_->path().toLocal8Bit(), "$PREFIX")
                  .replace(home_->path().toLocal8Bit(), "$HOME");
        return run.exitCode;
    }

    // One line per entry of the start directory: a link and its target, a folder, or a file and
    // its content ("template" for the installed QOR.dat).
    QStringList DescribeStart() const
    {
        QStringList lines;
        const QDir start(home_->filePath("QOR1000"));
        for (const QFileInfo& entry : start.entryInfoList(
                 QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name)) {
            const QByteArray bytes = ReadBytes(entry.filePath());
            lines << entry.fileName() +
                         (entry.isSymLink()
                              ? " -> " + entry.symLinkTarget().replace(prefix_->path(), "$PREFIX")
                          : entry.isDir() ? QStringLiteral("/")
                          : bytes == ReadBytes(QOR_TEMPLATE_PATH)
                              ? QStringLiteral(" template")
                              : ' ' + QString::fromLatin1(bytes));
        }
        return lines;
    }

private slots:
    void init()
    {
        prefix_ = std::make_unique<QTemporaryDir>();
        home_ = std::make_unique<QTemporaryDir>();
        const QDir prefix(prefix_->path());
        QVERIFY(WriteBytes(prefix.filePath(QOR_BINDIR "/qor1000"), ReadBytes(QOR_LAUNCHER_PATH)));
        QVERIFY(WriteBytes(prefix.filePath(QOR_DATADIR "/qor1000/QOR.dat"),
                           ReadBytes(QOR_TEMPLATE_PATH)));
        QVERIFY(WriteBytes(prefix.filePath(QOR_DATADIR "/qor1000/QOR1000.Manual.pdf"), "manual"));
        // The program stands in: it says where it runs and ends with a status of its own.
        QVERIFY(WriteBytes(prefix.filePath(QOR_LIBEXECDIR "/qor1000/qor1000"),
                           "#!/bin/sh\necho \"ran in $(pwd)\" >&2\nexit 7\n"));
        QVERIFY(WriteBytes(prefix.filePath(QOR_LIBEXECDIR "/qor1000/cabarc"), "archiver"));
        for (const char* program : {QOR_BINDIR "/qor1000", QOR_LIBEXECDIR "/qor1000/qor1000"})
            QVERIFY(QFile::setPermissions(prefix.filePath(program),
                                          QFile::ReadOwner | QFile::ExeOwner));
    }

    void firstStartPreparesLaterStartsKeep_data()
    {
        QTest::addColumn<QString>("change"); // shell commands in the start directory
        QTest::addColumn<int>("exitCode");   // of the second start
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<QStringList>("after");
        QStringList edited = Prepared;
        edited[0] = "QOR.dat PORT=COM2\n";
        QStringList ownManual = Prepared;
        ownManual[1] = "QOR1000.Manual.pdf notes\n";
        const auto kept = [](const char* name, const QString& change, const QStringList& after) {
            QTest::newRow(name) << change << 7 << Ran << after;
        };
        kept("nothing changed", "", Prepared);
        // As from a link in /usr/local/bin to the installed launcher.
        kept("started through a link", "ln -s \"$PREFIX/" QOR_BINDIR "/qor1000\" ../l && exec ../l",
             Prepared);
        kept("QOR.dat edited", "echo PORT=COM2 > QOR.dat", edited);
        kept("QOR.dat removed", "rm QOR.dat", Prepared);
        kept("manual link replaced by a file",
             "rm QOR1000.Manual.pdf; echo notes > QOR1000.Manual.pdf", ownManual);
        kept("archiver link removed", "rm cabarc", Prepared);
        kept("archiver link leads nowhere", "ln -sf /gone/cabarc cabarc", Prepared);

        // The launcher names what stops it, starts no program and makes no start directory.
        const auto stopped = [](const char* name, const QString& change, const char* message,
                                const QStringList& after = {}) {
            QTest::newRow(name) << change << 1 << "qor1000: " + QByteArray(message) + '\n' << after;
        };
        stopped("program not installed",
                "cd .. && rm -r QOR1000 \"$PREFIX/" QOR_LIBEXECDIR "/qor1000/qor1000\"",
                "the program $PREFIX/" QOR_LIBEXECDIR "/qor1000/qor1000 is not installed");
        stopped("a file where the start directory goes", "cd .. && rm -r QOR1000 && echo > QOR1000",
                "cannot make the start directory $HOME/QOR1000");
        stopped("no home", "unset HOME", "HOME is not set, so there is no start directory",
                Prepared);
    }

    void firstStartPreparesLaterStartsKeep()
    {
        QFETCH(QString, change);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, message);
        QFETCH(QStringList, after);
        QByteArray err;
        QCOMPARE(Launch({}, err), 7); // the program's own exit status
        QCOMPARE(err, Ran);
        QCOMPARE(DescribeStart(), Prepared);

        QCOMPARE(Launch("cd \"$HOME/QOR1000\" && " + change, err), exitCode);
        QVERIFY2(exitCode == 7 ? err == message : err.endsWith(message), err.constData());
        QCOMPARE(DescribeStart(), after);
    }
};

QTEST_GUILESS_MAIN(LauncherTest)
#include "tst_launcher.moc"
