#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// What the configure dialog shows and what its OK rewrites, worked on the lines of QOR.dat.

// The dialog's three choices; empty where its group has no selection.
struct ConfigureChoices
{
    std::optional<int> port; // 1 to 8 for COM1 to COM8
    std::optional<bool> colour;
    std::optional<bool> english;

    bool operator==(const ConfigureChoices&) const = default;
};

// The first "PORT=COM" line gives the port by its ninth character (a digit 1 to 8, else none);
// the first line that begins with "COLORGRAPH=TRUE" or "COLORGRAPH=FALSE" the colour, the first
// that begins with "UNITS=ENGLISH" or "UNITS=METRIC" the units. Each search is on its own.
ConfigureChoices ReadConfigureChoices(const QStringList& lines);

// The lines to write and the settings to apply once the operator has chosen.
struct ConfigureRewrite
{
    QStringList lines;
    qsizetype portLine = 0;      // where the port line is, for turning it into PORT=COM0
    std::optional<bool> colour;  // ColorGraph to set; empty: leave it as it is
    std::optional<bool> english; // units to apply; empty: leave them as they are
};

// Rewrites the first "COLORGRAPH=", "UNITS=" and "PORT=COM" lines in place, or appends them in
// that order when missing (a file with no lines gets a header first). Every other line keeps its
// text and place; later lines with the same keyword stay as they are.
ConfigureRewrite RewriteConfigureLines(QStringList lines, const ConfigureChoices& chosen);

// The port line for a port number; no port is "PORT=COM0", which no port opens.
QString PortLine(std::optional<int> port);

// The lines of an installation file, read as a line file (platform/linefile.h, which also writes
// it back). A missing file has no lines; one that exists but cannot be read throws FileError.
QStringList ReadInstallationLines(const QString& path);

