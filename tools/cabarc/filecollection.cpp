#include "filecollection.h"

#include "wildcard.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <set>

namespace fs = std::filesystem;

namespace {

bool IsFolder(const fs::path& path)
{
    std::error_code error;
    return fs::is_directory(path, error);
}

// The subfolder whose name equals the given one but for case, if there is one.
std::optional<fs::path> FindIgnoringCase(const fs::path& folder, const std::string& name)
{
    const std::u32string wanted = FoldCase(name);
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        if (FoldCase(entry.path().filename().string()) == wanted && IsFolder(entry.path()))
            return entry.path();
    }
    return std::nullopt;
}

// The folder that a pattern's folder part names, found as the other system would: an exact name
// first, else one that differs only in case.
std::optional<fs::path> ResolveFolder(const fs::path& written)
{
    if (written.empty())
        return fs::path(".");
    if (IsFolder(written))
        return written;
    fs::path resolved = written.has_root_directory() ? written.root_path() : fs::path(".");
    for (const fs::path& part : written.relative_path()) {
        if (part.empty() || part == ".")
            continue;
        if (IsFolder(resolved / part)) {
            resolved /= part;
            continue;
        }
        const std::optional<fs::path> match = FindIgnoringCase(resolved, part.string());
        if (!match)
            return std::nullopt;
        resolved = *match;
    }
    return resolved;
}

struct Candidate
{
    fs::path path;
    bool executable;
};

// The regular files of the folder whose names match, sorted by name.
std::vector<Candidate> MatchingFiles(const fs::path& folder, const std::string& namePattern,
                                     const Warn& warn)
{
    std::vector<Candidate> files;
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    if (error) {
        warn("cannot read the folder " + folder.string() + ": " + error.message());
        return files;
    }
    for (const fs::directory_entry& entry : entries) {
        if (!MatchesWildcard(namePattern, entry.path().filename().string()))
            continue;
        const fs::file_status status = entry.status(error);
        if (error || !fs::is_regular_file(status))
            continue;
        const bool executable = (status.permissions() & fs::perms::owner_exec) != fs::perms::none;
        files.push_back({entry.path(), executable});
    }
    std::ranges::sort(files, {}, [](const Candidate& file) { return file.path.filename(); });
    return files;
}

} // namespace

std::vector<CollectedFile> CollectFiles(const std::vector<std::string>& patterns, const Warn& warn)
{
    std::vector<CollectedFile> collected;
    std::set<fs::path> takenPaths;
    std::set<std::u32string> takenNames;
    for (const std::string& pattern : patterns) {
        const fs::path written(pattern);
        const std::optional<fs::path> folder = ResolveFolder(written.parent_path());
        if (!folder) {
            warn("no folder " + written.parent_path().string() + " for the pattern " + pattern);
            continue;
        }
        const std::vector<Candidate> files =
            MatchingFiles(*folder, written.filename().string(), warn);
        if (files.empty())
            warn("no file matches " + pattern);
        for (const Candidate& file : files) {
            std::error_code error;
            const fs::path identity = fs::weakly_canonical(file.path, error);
            if (!takenPaths.insert(error ? file.path : identity).second)
                continue;
            const std::string name = file.path.filename().string();
            if (!takenNames.insert(FoldCase(name)).second) {
                warn(file.path.string() + " left out: a file named " + name + " is stored already");
                continue;
            }
            collected.push_back({file.path.string(), name, file.executable});
        }
    }
    return collected;
}
