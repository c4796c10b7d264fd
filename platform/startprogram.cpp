#include "platform/startprogram.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <optional>

namespace {

QStringList Candidates(const QString& path)
{
    if (QFileInfo(path).suffix().isEmpty())
        return {path, path + QStringLiteral(".EXE"), path + QStringLiteral(".BAT"),
                path + QStringLiteral(".CMD")};
    if (path.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        return {path, path.chopped(4)};
    return {path};
}

struct Command
{
    QString program;
    QStringList arguments;
};

// What to hand to the system; none when no file of that name exists.
std::optional<Command> Resolve(const QString& file, const QStringList& arguments)
{
    const QString path = QDir::current().absoluteFilePath(StartProgram::LocalPath(file));
    const QStringList candidates = Candidates(path);
    const auto found = std::ranges::find_if(
        candidates, [](const QString& candidate) { return QFileInfo(candidate).isFile(); });
    if (found == candidates.cend())
        return std::nullopt;
    const QString interpreter = qEnvironmentVariable("COMSPEC");
    const bool script = found->endsWith(QLatin1String(".BAT"), Qt::CaseInsensitive) ||
                        found->endsWith(QLatin1String(".CMD"), Qt::CaseInsensitive);
    if (script && !interpreter.isEmpty())
        return Command{interpreter, QStringList{QStringLiteral("/c"), *found} + arguments};
    return Command{*found, arguments};
}

} // namespace

namespace StartProgram {

QString LocalPath(const QString& windowsPath)
{
    return QString(windowsPath).replace(QLatin1Char('\\'), QLatin1Char('/'));
}

int AndWait(const QString& file, const QStringList& arguments, QString* errorOutput)
{
    const std::optional<Command> command = Resolve(file, arguments);
    if (!command)
        return CouldNotStart;
    QProcess process;
    process.setProcessChannelMode(errorOutput ? QProcess::ForwardedOutputChannel
                                              : QProcess::ForwardedChannels);
    process.setInputChannelMode(QProcess::ForwardedInputChannel);
    process.start(command->program, command->arguments);
    if (!process.waitForStarted(-1))
        return CouldNotStart;
    process.waitForFinished(-1);
    if (errorOutput)
        *errorOutput = QString::fromLocal8Bit(process.readAllStandardError());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : EndedBySignal;
}

int WithoutWaiting(const QString& file, const QStringList& arguments)
{
    const std::optional<Command> command = Resolve(file, arguments);
    if (!command)
        return CouldNotStart;
    return QProcess::startDetached(command->program, command->arguments) ? 0 : CouldNotStart;
}

} // namespace StartProgram
