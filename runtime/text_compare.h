#pragma once
// Case-insensitive comparison of names, as the viewer's string lists need it.
#include <string>
#include <string_view>

namespace tokiwa {

// True when a and b (UTF-8) are equal ignoring case. ASCII letters fold, and
// so do full-width Latin letters (U+FF21-U+FF3A with U+FF41-U+FF5A); every
// other character, and any byte that is not valid UTF-8, compares exactly.
bool SameTextIgnoreCase(std::string_view a, std::string_view b);

// A key for hashing names under the same comparison: CaseFoldKey(a) ==
// CaseFoldKey(b) exactly when SameTextIgnoreCase(a, b).
std::string CaseFoldKey(std::string_view text);

}  // namespace tokiwa
