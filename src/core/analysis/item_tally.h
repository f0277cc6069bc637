// Items a message counts and names the first few of.
#pragma once

#include <string>
#include <vector>

namespace zirtel {

struct ItemTally {
    static constexpr int kShown = 5;
    int Count = 0;
    std::vector<std::string> Shown;
    // Counts one item; `text` gives its text in the message, and is asked only for those shown.
    template <class Text> void Add(Text text) {
        if (Count++ < kShown) Shown.push_back(text());
    }
    // "a, b, c, d, e, ..." (the dots when there are more).
    std::string List() const {
        std::string list;
        for (const std::string& s : Shown) list += (list.empty() ? "" : ", ") + s;
        return list + (Count > kShown ? ", ..." : "");
    }
};

} // namespace zirtel
