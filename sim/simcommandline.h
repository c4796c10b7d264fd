#pragma once

#include "sim/machineoptions.h"

#include <QString>

#include <optional>

class QCoreApplication;

// What qor-sim was asked to do.
struct SimSettings
{
    MachineOptions machine;
    QString linkPath; // <dir>/<port>
};

// Reads qor-sim's command line. --help prints the options and ends the process; a bad option
// gives nothing, with the reason in error.
std::optional<SimSettings> ReadSimCommandLine(const QCoreApplication& app, QString& error);
