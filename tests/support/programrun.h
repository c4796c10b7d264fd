#pragma once

#include <QProcess>

// A program run to its end: its exit code (-1 when it crashed or did not end), output and errors.
struct ProgramRun
{
    int exitCode = -1;
    QByteArray output;
    QByteArray errors;
};

// Runs the program in the folder (the test's own when empty) with the environment.
inline ProgramRun
RunProgram(const QString& program, const QStringList& arguments, const QString& folder = {},
           const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}
