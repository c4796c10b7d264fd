#pragma once

#include <span>
#include <string>

// Writes the bytes as the whole file at the path. A regular file is written beside itself and
// then put in place, so a failed write leaves an earlier file whole and no half file behind;
// anything else that exists there (a device) is written directly. Throws CabarcError naming the
// path and the system's reason.
void WriteWholeFile(const std::string& path, std::span<const char> bytes);
