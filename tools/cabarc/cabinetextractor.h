#pragma once

#include "cabarcerror.h"

#include <string>
#include <vector>

// Extracts into the current folder the files of the cabinet whose stored names match one of the
// patterns (every file when there is none). A pattern without a folder part is matched against
// the file's name, one with a folder part against the whole stored name. With keepFolders each
// file lands in its stored folders, made as needed; otherwise in the current folder itself. A file
// marked to run, or named *.exe, is made executable. A stored name that would land outside the
// current folder is refused with a warning. Throws CabarcError when the cabinet cannot be read or
// a file cannot be written (the file it was writing is taken away), and when no file was extracted.
void ExtractCabinet(const std::string& cabinetPath, const std::vector<std::string>& patterns,
                    bool keepFolders, const Warn& warn);
