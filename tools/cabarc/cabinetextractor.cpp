#include "cabinetextractor.h"

#include "commandline.h"
#include "glibptr.h"
#include "wildcard.h"

#include <libgcab.h>

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

struct Extraction
{
    const std::vector<std::string>& patterns;
    bool keepFolders;
    const Warn& warn;
    std::vector<fs::path> extracted;
    std::vector<fs::path> executables;
};

bool MatchesAnyPattern(const std::vector<std::string>& patterns, const fs::path& storedPath)
{
    if (patterns.empty())
        return true;
    return std::ranges::any_of(patterns, [&](const std::string& pattern) {
        const bool wholeName = pattern.find('/') != std::string::npos;
        return MatchesWildcard(pattern, wholeName ? storedPath.generic_string()
                                                  : storedPath.filename().string());
    });
}

// A stored name may not climb out of the folder it is extracted into.
bool StaysBelow(const fs::path& storedPath)
{
    return !storedPath.empty() && storedPath.is_relative() && !storedPath.has_root_name() &&
           std::ranges::none_of(storedPath, [](const fs::path& part) { return part == ".."; });
}

bool IsMarkedToRun(GCabFile* file, const fs::path& storedPath)
{
    return (gcab_file_get_attributes(file) & GCAB_FILE_ATTRIBUTE_EXEC) != 0 ||
           MatchesWildcard("*.exe", storedPath.filename().string());
}

// Decides for each file of the cabinet whether and where it is extracted.
gboolean ChooseFile(GCabFile* file, gpointer data)
{
    auto& extraction = *static_cast<Extraction*>(data);
    const fs::path storedPath(FromWindowsPath(gcab_file_get_name(file)));
    if (!MatchesAnyPattern(extraction.patterns, storedPath))
        return FALSE;
    if (!StaysBelow(storedPath)) {
        extraction.warn(std::string("refused ") + gcab_file_get_name(file) +
                        ": it would land outside the current folder");
        return FALSE;
    }
    const fs::path target = extraction.keepFolders ? storedPath : storedPath.filename();
    gcab_file_set_extract_name(file, target.c_str());
    extraction.extracted.push_back(target);
    if (IsMarkedToRun(file, storedPath))
        extraction.executables.push_back(target);
    return TRUE;
}

void MakeExecutable(const fs::path& path)
{
    std::error_code error;
    fs::permissions(path, fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec,
                    fs::perm_options::add, error);
    if (error)
        throw CabarcError("cannot make " + path.string() + " executable: " + error.message());
}

} // namespace

void ExtractCabinet(const std::string& cabinetPath, const std::vector<std::string>& patterns,
                    bool keepFolders, const Warn& warn)
{
    GError* error = nullptr;
    const GObjectPtr<GFile> cabinetFile(g_file_new_for_path(cabinetPath.c_str()));
    const GObjectPtr<GFileInputStream> input(g_file_read(cabinetFile.get(), nullptr, &error));
    ThrowIfFailed(error, "cannot open the cabinet " + cabinetPath);
    const GObjectPtr<GCabCabinet> cabinet(gcab_cabinet_new());
    gcab_cabinet_load(cabinet.get(), G_INPUT_STREAM(input.get()), nullptr, &error);
    ThrowIfFailed(error, "cannot read the cabinet " + cabinetPath);

    Extraction extraction{patterns, keepFolders, warn, {}, {}};
    const GObjectPtr<GFile> destination(g_file_new_for_path("."));
    if (!gcab_cabinet_extract_simple(cabinet.get(), destination.get(), ChooseFile, &extraction,
                                     nullptr, &error) &&
        !extraction.extracted.empty()) {
        // The file being written when the cabinet failed is left half done: take it away.
        std::error_code ignored;
        fs::remove(extraction.extracted.back(), ignored);
    }
    ThrowIfFailed(error, "cannot extract from the cabinet " + cabinetPath);
    for (const fs::path& path : extraction.executables)
        MakeExecutable(path);
    if (extraction.extracted.empty())
        throw CabarcError("no file extracted from the cabinet " + cabinetPath);
}
