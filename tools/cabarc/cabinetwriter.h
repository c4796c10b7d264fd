#pragma once

#include "filecollection.h"

#include <vector>

// The bytes of a new cabinet holding the files, one MSZIP folder, each file under its stored
// name. Throws CabarcError naming the file that could not be read.
std::vector<char> BuildCabinet(const std::vector<CollectedFile>& files);
