#include "config/installationfile.h"

#include "program/logwriter.h"
#include "program/settings.h"
#include "serial/serialcomm.h"

#include <QDir>
#include <QFile>

namespace {

const QString InstallLog = QStringLiteral("errors/install.errors.txt");
const QString StartupLog = QStringLiteral("errors/startup.log.txt");

void AppendToInstallLog(const QString& prefix, const QString& message)
{
    WriteLogLine(InstallLog, prefix, message, QStringLiteral("N"), LogMode::Append);
}

// A folder or program named in a line, read as Latin-1 like every line: its bytes are the
// system's file name, which the system gets back unchanged.
QString FileNameValue(const QString& value)
{
    return QFile::decodeName(value.toLatin1());
}

// The error-line prefix of a bad line; empty when the line was applied.
QString ApplyCommand(const QString& line, int lineNumber)
{
    const QString keyword = line.section(QLatin1Char('='), 0, 0);
    const QString value = line.section(QLatin1Char('='), 1).section(QLatin1Char(','), 0, 0);
    const QString initializingError =
        QStringLiteral("Line #%1, Error #%2, Initializing- ").arg(lineNumber);

    if (keyword == QLatin1String("COLORGRAPH")) {
        if (value != QLatin1String("TRUE") && value != QLatin1String("FALSE"))
            return initializingError.arg(-1104);
        ColorGraph = value == QLatin1String("TRUE");
    } else if (keyword == QLatin1String("DIRECTORY DIAGNOSTIC")) {
        DiagnosticDirectory = FileNameValue(value);
    } else if (keyword == QLatin1String("DIRECTORY MANUALVIEWER")) {
        ManualViewerPath = FileNameValue(value);
    } else if (keyword.startsWith(QLatin1String("DIRECTORY"))) {
        return initializingError.arg(-1103);
    } else if (keyword == QLatin1String("PORT")) {
        if (!SerialComm::OpenMachinePort(value))
            return initializingError.arg(-1104); // the serial error log holds why
        PortName = value;
    } else if (keyword == QLatin1String("UNITS")) {
        if (value != QLatin1String("ENGLISH") && value != QLatin1String("METRIC"))
            return initializingError.arg(-1104);
        ApplyUnits(value == QLatin1String("ENGLISH"));
    } else {
        return QStringLiteral("Line #%1, Error #-1103 Unknown Command- ").arg(lineNumber);
    }
    return {};
}

// Logs, with a timestamp, why QOR.dat could not be read and throws the code.
[[noreturn]] void FailOnInstallationFile(int code, const QString& what)
{
    WriteLogLine(InstallLog,
                 QStringLiteral("Error #%1, %2 installation file- ").arg(code).arg(what),
                 QStringLiteral("QOR.dat"), QStringLiteral("Y"), LogMode::Append);
    throw code;
}

// The bytes of the next line with its line end; a read error is reported, never taken for the end
// of the file.
QByteArray ReadLineBytes(QFile& file)
{
    QByteArray bytes = file.readLine();
    if (file.error() != QFileDevice::NoError)
        FailOnInstallationFile(-1004, QStringLiteral("Error reading"));
    return bytes;
}

QString WithoutLineEnd(QByteArray bytes)
{
    if (bytes.endsWith('\n'))
        bytes.chop(bytes.endsWith("\r\n") ? 2 : 1);
    return QString::fromLatin1(bytes);
}

// The next line without its line end (CR LF or LF); false at the end of the file, and for a last
// line that has no line end, which is therefore never applied.
bool ReadLine(QFile& file, QString& line)
{
    const QByteArray bytes = ReadLineBytes(file);
    if (!bytes.endsWith('\n'))
        return false;
    line = WithoutLineEnd(bytes);
    return true;
}

} // namespace

void ReadInstallationFile()
{
    QDir().mkdir(QStringLiteral("data"));
    QDir().mkdir(QStringLiteral("errors"));
    WriteLogLine(InstallLog, {}, {}, QStringLiteral("N"), LogMode::Truncate);

    QFile file(QStringLiteral("QOR.dat"));
    if (!file.open(QIODevice::ReadOnly))
        FailOnInstallationFile(-1002, QStringLiteral("Error opening"));

    // The header is copied, never interpreted; it need not end in a line end.
    AppendToInstallLog(WithoutLineEnd(ReadLineBytes(file)), QStringLiteral(" "));

    int lines = 0;
    int comments = 0;
    int errors = 0;
    QString line;
    while (ReadLine(file, line)) {
        ++lines;
        QString errorPrefix;
        if (line.size() > LongestInstallationLine) {
            errorPrefix = QStringLiteral("Line #%1, Error #-1105, Line longer than %2 characters- ")
                              .arg(lines)
                              .arg(LongestInstallationLine);
        } else if (line.isEmpty() || line.startsWith(QLatin1Char('\''))) {
            ++comments;
            continue;
        } else {
            errorPrefix = ApplyCommand(line, lines);
        }
        if (!errorPrefix.isEmpty()) {
            AppendToInstallLog(errorPrefix, line);
            ++errors;
        }
    }
    file.close();

    const QString programAndVersion = ProgramName + QLatin1Char(' ') + VersionText;
    AppendToInstallLog(QStringLiteral(" "), QStringLiteral(" "));
    WriteLogLine(InstallLog, QStringLiteral(" "), QStringLiteral(" "), QStringLiteral("Y"),
                 LogMode::Append);
    AppendToInstallLog(programAndVersion, QStringLiteral(" "));
    AppendToInstallLog(QStringLiteral("Number of errors found        "), QString::number(errors));
    AppendToInstallLog(QStringLiteral("Number of lines processed     "),
                       QString::number(lines - errors - comments));
    AppendToInstallLog(QStringLiteral("Number of comment lines found "), QString::number(comments));
    AppendToInstallLog(QStringLiteral("Total number of lines found   "), QString::number(lines));

    WriteLogLine(StartupLog, programAndVersion + QStringLiteral(", Number of errors found "),
                 QString::number(errors), QStringLiteral("Y"), LogMode::Append);
    if (errors != 0)
        throw errors;
}
