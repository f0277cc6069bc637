// Reading a user-defined field's file into the workspace (the file format: lexicon/user_fields.h).
#pragma once

#include <filesystem>

#include "core/lexicon/user_fields.h"

namespace zirtel {

class Workspace;

// Loads a user field file into field `number` + 1 (number 0..2) of the workspace, under a
// progress window. On success the field gets its name, words and values, its header cell (when
// the field is shown) and the caption "<t>.eremua: <name>" of its check box, which is enabled
// unless the name is "Undefined". When the file cannot be opened the field's name becomes
// "Undefined" and its box is disabled; its words and values stay; nothing is shown to the user.
// Returns whether the file could be opened.
bool LoadUserField(Workspace& ws, const std::filesystem::path& path, int number);

} // namespace zirtel
