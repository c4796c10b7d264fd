#pragma once

#include <QDir>
#include <QFile>
#include <QStringList>

// A stand-in for an outside program: a shell script that writes the folder it runs in and each
// of its arguments, one a line, to its own path followed by ".log", and exits with the given code.
// A stand-in whose path ends in "cabarc" also plays the archiver unpacking the reader's
// installer: given "-p x", it puts a stand-in "AdbeRdr/setup.exe" where it runs.
inline void WriteStandIn(const QString& path, int exitCode)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile script(path);
    if (!script.open(QIODevice::WriteOnly))
        return;
    script.write("#!/bin/sh\n{ pwd; printf '%s\\n' \"$@\"; } > \"$0.log\"\n"
                 "if [ \"$1\" = -p ]; then mkdir -p AdbeRdr && cp \"$0\" AdbeRdr/setup.exe; fi\n"
                 "exit " +
                 QByteArray::number(exitCode) + "\n");
    script.setPermissions(script.permissions() | QFile::ExeOwner);
}

// What a stand-in recorded: the folder it ran in, then its arguments; empty when it never ran.
inline QStringList StandInCall(const QString& log)
{
    QFile file(log);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}
