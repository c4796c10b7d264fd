#pragma once

#include "filebytes.h"

#include <QFile>

// A stand-in for an outside program: a shell script that writes the folder it runs in and each
// of its arguments, one a line, to its own path followed by ".log", and exits with the given code,
// saying so on its standard error when that is not 0.
// Given "-p x", as the archiver unpacking the viewer's installer, it also puts a stand-in
// "AdbeRdr/setup.exe" where it runs.
inline void WriteStandIn(const QString& path, int exitCode)
{
    WriteBytes(path,
               "#!/bin/sh\n{ pwd; printf '%s\\n' \"$@\"; } > \"$0.log\"\n"
               "if [ \"$1\" = -p ]; then mkdir -p AdbeRdr && cp \"$0\" AdbeRdr/setup.exe; fi\n" +
                   (exitCode == 0 ? QByteArray() : "echo \"${0##*/}: failed on purpose\" >&2\n") +
                   "exit " + QByteArray::number(exitCode) + "\n");
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
}
