#include "wildcard.h"

#include <glib.h>

#include <memory>

namespace {

// File names are UTF-8 as a rule; a name that is not is compared byte by byte, ASCII letters
// folded.
std::u32string FoldBytes(std::string_view text)
{
    std::u32string folded;
    folded.reserve(text.size());
    for (unsigned char byte : text)
        folded.push_back(g_ascii_tolower(byte));
    return folded;
}

// Standard glob matching with one backtrack point: on a mismatch after a "*", the star takes one
// more character and matching resumes.
bool MatchesGlob(const std::u32string& pattern, const std::u32string& name)
{
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t star = std::u32string::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == U'*') {
            star = p++;
            starName = n;
        } else if (star != std::u32string::npos) {
            p = star + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == U'*')
        ++p;
    return p == pattern.size();
}

} // namespace

std::u32string FoldCase(std::string_view text)
{
    if (!g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr))
        return FoldBytes(text);
    const std::unique_ptr<gchar, decltype(&g_free)> folded(
        g_utf8_casefold(text.data(), static_cast<gssize>(text.size())), &g_free);
    glong length = 0;
    const std::unique_ptr<gunichar, decltype(&g_free)> characters(
        g_utf8_to_ucs4_fast(folded.get(), -1, &length), &g_free);
    return std::u32string(reinterpret_cast<const char32_t*>(characters.get()),
                          static_cast<std::size_t>(length));
}

bool MatchesWildcard(std::string_view pattern, std::string_view name)
{
    const std::u32string foldedName = FoldCase(name);
    if (pattern.ends_with(".*")) {
        const std::u32string stem = FoldCase(pattern.substr(0, pattern.size() - 2));
        return MatchesGlob(FoldCase(pattern), foldedName) || MatchesGlob(stem, foldedName);
    }
    if (pattern.ends_with('.')) {
        const std::u32string stem = FoldCase(pattern.substr(0, pattern.size() - 1));
        return name.find('.') == std::string_view::npos && MatchesGlob(stem, foldedName);
    }
    return MatchesGlob(FoldCase(pattern), foldedName);
}
