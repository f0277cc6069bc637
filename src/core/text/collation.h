// The one collation of the engine. Every word list sorts and searches with it, on every machine
// alike (never the user's locale):
//   1. letters compare by their base letter, case ignored; ñ sorts after n; digits and other
//      signs sort before the letters; hyphen and apostrophe are skipped at this level;
//   2. then accents: a plain letter before its accented forms;
//   3. then the whole texts with case folded, hyphens and apostrophes included.
// Two texts compare equal exactly when they differ in letter case only.
#pragma once

#include <string>
#include <string_view>

namespace zirtel {

// <0, 0 or >0 as a sorts before, equal to, or after b. Texts are Latin-1.
int CollateCompare(std::string_view a, std::string_view b);

inline bool CollateLess(std::string_view a, std::string_view b) {
    return CollateCompare(a, b) < 0;
}

// The text that equal texts share (Latin-1 letters lower-cased): the key of hash lookups
// that must agree with CollateCompare(a, b) == 0.
std::string CollationEqualityKey(std::string_view s);

} // namespace zirtel
