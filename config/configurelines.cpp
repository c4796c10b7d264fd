#include "config/configurelines.h"

#include "platform/linefile.h"

#include <QFileInfo>

namespace {

const QString PortPrefix = QStringLiteral("PORT=COM");
const QString ColourPrefix = QStringLiteral("COLORGRAPH=");
const QString UnitsPrefix = QStringLiteral("UNITS=");
const QString NewFileHeader = QStringLiteral("QOR-1000 installation configuration");

qsizetype FirstLineStartingWith(const QStringList& lines, const QString& prefix)
{
    const auto found =
        std::ranges::find_if(lines, [&](const QString& line) { return line.startsWith(prefix); });
    return found == lines.cend() ? -1 : found - lines.cbegin();
}

// The choice of the first line that begins with either text, or none.
std::optional<bool> FirstOfTwo(const QStringList& lines, const QString& yes, const QString& no)
{
    for (const QString& line : lines) {
        if (line.startsWith(yes))
            return true;
        if (line.startsWith(no))
            return false;
    }
    return std::nullopt;
}

// Replaces the first line that begins with prefix, or appends when there is none; the line's place.
qsizetype ReplaceOrAppend(QStringList& lines, const QString& prefix, const QString& line)
{
    qsizetype at = FirstLineStartingWith(lines, prefix);
    if (at < 0) {
        at = lines.size();
        lines.append(line);
    } else {
        lines[at] = line;
    }
    return at;
}

// An existing line takes the choice, and no choice counts as the second value; a missing line
// is appended with the choice, or with the first value when there is none, which is then not
// applied.
std::optional<bool> RewriteTwoValueLine(QStringList& lines, const QString& prefix,
                                        const QString& yes, const QString& no,
                                        std::optional<bool> chosen)
{
    const bool exists = FirstLineStartingWith(lines, prefix) >= 0;
    const bool value = exists ? chosen.value_or(false) : chosen.value_or(true);
    ReplaceOrAppend(lines, prefix, prefix + (value ? yes : no));
    return exists ? std::optional(value) : chosen;
}

} // namespace

ConfigureChoices ReadConfigureChoices(const QStringList& lines)
{
    ConfigureChoices choices;
    const qsizetype portLine = FirstLineStartingWith(lines, PortPrefix);
    if (portLine >= 0) {
        const QString digit = lines.at(portLine).mid(PortPrefix.size(), 1);
        const int port = digit.isEmpty() || !digit.front().isDigit() ? 0 : digit.toInt();
        if (port >= 1 && port <= 8)
            choices.port = port;
    }
    choices.colour = FirstOfTwo(lines, ColourPrefix + QStringLiteral("TRUE"),
                                ColourPrefix + QStringLiteral("FALSE"));
    choices.english = FirstOfTwo(lines, UnitsPrefix + QStringLiteral("ENGLISH"),
                                 UnitsPrefix + QStringLiteral("METRIC"));
    return choices;
}

QString PortLine(std::optional<int> port)
{
    return PortPrefix + QString::number(port.value_or(0));
}

ConfigureRewrite RewriteConfigureLines(QStringList lines, const ConfigureChoices& chosen)
{
    // The reader never applies the first line, so a new file begins with a header.
    if (lines.isEmpty())
        lines.append(NewFileHeader);
    ConfigureRewrite rewrite;
    rewrite.colour = RewriteTwoValueLine(lines, ColourPrefix, QStringLiteral("TRUE"),
                                         QStringLiteral("FALSE"), chosen.colour);
    rewrite.english = RewriteTwoValueLine(lines, UnitsPrefix, QStringLiteral("ENGLISH"),
                                          QStringLiteral("METRIC"), chosen.english);
    rewrite.portLine = ReplaceOrAppend(lines, PortPrefix, PortLine(chosen.port));
    rewrite.lines = lines;
    return rewrite;
}

QStringList ReadInstallationLines(const QString& path)
{
    if (!QFileInfo::exists(path))
        return {};
    return ReadLineFile(path);
}
