// cabarc: makes and extracts cabinet archives with the command lines the operator program gives:
// "n <cabinet> <patterns...>" and "-p x <cabinet> [patterns...]".

#include "cabarcerror.h"
#include "cabinetextractor.h"
#include "cabinetwriter.h"
#include "commandline.h"
#include "filecollection.h"
#include "outputfile.h"

#include <iostream>
#include <vector>

namespace {

void PrintWarning(const std::string& text)
{
    std::cerr << "cabarc: warning: " << text << '\n';
}

void CreateCabinet(const CommandLine& line)
{
    const std::vector<CollectedFile> files = CollectFiles(line.patterns, PrintWarning);
    if (files.empty())
        throw CabarcError("no file matched, so no cabinet " + line.cabinetPath + " was made");
    WriteWholeFile(line.cabinetPath, BuildCabinet(files));
}

} // namespace

int main(int argc, char* argv[])
{
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    try {
        const CommandLine line = ParseCommandLine(arguments);
        switch (line.command) {
        case CabinetCommand::Help:
            std::cout << UsageText;
            break;
        case CabinetCommand::Create:
            CreateCabinet(line);
            break;
        case CabinetCommand::Extract:
            ExtractCabinet(line.cabinetPath, line.patterns, line.keepFolders, PrintWarning);
            break;
        }
        return 0;
    } catch (const UsageError& error) {
        std::cerr << "cabarc: " << error.what() << "\n\n" << UsageText;
        return 2;
    } catch (const CabarcError& error) {
        std::cerr << "cabarc: " << error.what() << '\n';
        return 1;
    }
}
