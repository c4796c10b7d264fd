#include "commandline.h"

#include "cabarcerror.h"

#include <algorithm>

const char* const UsageText =
    "Usage: cabarc n <cabinet> <pattern>...     make a new cabinet of the matching files\n"
    "       cabarc [-p] x <cabinet> [pattern]...  extract the matching files (all by default)\n"
    "\n"
    "Paths and patterns may use \\ or / between folders. In a pattern * stands for any run of\n"
    "characters and ? for any one; letters match either case and *.* matches every file.\n"
    "n stores each file under its name alone and compresses with MSZIP. -p extracts files into\n"
    "the folders stored with them; without it every file lands in the current folder.\n";

std::string FromWindowsPath(std::string_view path)
{
    std::string converted(path);
    std::ranges::replace(converted, '\\', '/');
    return converted;
}

CommandLine ParseCommandLine(std::span<const std::string_view> arguments)
{
    CommandLine line;
    auto next = arguments.begin();
    if (next != arguments.end() && (*next == "-h" || *next == "--help" || *next == "-?"))
        return line;
    if (next != arguments.end() && (*next == "-p" || *next == "-P")) {
        line.keepFolders = true;
        ++next;
    }
    if (next == arguments.end())
        throw UsageError("no command given");
    const std::string_view command = *next++;
    if (command == "n" || command == "N")
        line.command = CabinetCommand::Create;
    else if (command == "x" || command == "X")
        line.command = CabinetCommand::Extract;
    else
        throw UsageError("unknown command \"" + std::string(command) + "\"");
    if (line.keepFolders && line.command == CabinetCommand::Create)
        throw UsageError("-p applies to x only: n stores every file under its name alone");
    if (next == arguments.end())
        throw UsageError("no cabinet named");
    line.cabinetPath = FromWindowsPath(*next++);
    for (; next != arguments.end(); ++next)
        line.patterns.push_back(FromWindowsPath(*next));
    if (line.command == CabinetCommand::Create && line.patterns.empty())
        throw UsageError("n needs at least one file pattern");
    return line;
}
