#pragma once

#include "cabarcerror.h"

#include <string>
#include <vector>

// One file to store: where it is and the name it gets in the cabinet.
struct CollectedFile
{
    std::string path;
    std::string storedName;
    bool executable = false;
};

// The regular files that the patterns match, each stored under its name without folders, in
// pattern order and by name within a pattern. A pattern's folder part is taken literally (letters
// in either case); its last part may hold wildcards. Folders, devices and pipes are never taken; a
// file that two patterns match is taken once. What a pattern misses, and a second file that would
// be stored under a name already taken, is reported as a warning and left out.
std::vector<CollectedFile> CollectFiles(const std::vector<std::string>& patterns, const Warn& warn);
