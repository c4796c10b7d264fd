#pragma once

#include <string>
#include <string_view>

// File name patterns as operators type them on the other system: "*" any run of characters, "?"
// any one character, letters compared without regard to case. A pattern that ends in ".*" also
// matches names without a dot (so "*.*" matches every file) and one that ends in a lone "."
// matches only names without a dot ("*." picks the files that have no extension).
bool MatchesWildcard(std::string_view pattern, std::string_view name);

// The text with every letter folded to one case, for comparing names without regard to case.
std::u32string FoldCase(std::string_view text);
