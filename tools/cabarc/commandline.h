#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

enum class CabinetCommand
{
    Help,    // -h, --help: the usage text
    Create,  // n <cabinet> <patterns...>: a new cabinet
    Extract, // [-p] x <cabinet> [patterns...]: files out of a cabinet
};

// What one run is asked to do. Paths and patterns arrive Windows-style and are kept here with "/"
// as the folder separator.
struct CommandLine
{
    CabinetCommand command = CabinetCommand::Help;
    bool keepFolders = false; // -p: extract into the stored folders
    std::string cabinetPath;
    std::vector<std::string> patterns;
};

// The arguments after the program name; throws UsageError when they make no command.
CommandLine ParseCommandLine(std::span<const std::string_view> arguments);

// A Windows-style path with every backslash taken as a folder separator.
std::string FromWindowsPath(std::string_view path);

// How to call the tool, for --help and after a usage error.
extern const char* const UsageText;
