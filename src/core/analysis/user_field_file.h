// Reading a user-defined field's file into the measuring setup (the file format:
// lexicon/user_fields.h).
#pragma once

#include <filesystem>

#include "core/lexicon/user_fields.h"

namespace zirtel {

class MeasuringSetup;
class Workspace;

// Loads a user field file into field `number` + 1 (number 0..2) of the setup, under a
// progress window. On success the field gets its name, words and values and the caption
// "<t>.eremua: <name>" of its check box, which is enabled unless the name is "Undefined". When the
// file cannot be opened the field's name becomes "Undefined" and its box is disabled; its words and
// values stay; nothing is shown to the user. Returns whether the file could be opened.
bool LoadUserField(MeasuringSetup& setup, const std::filesystem::path& path, int number);
// The same for the workspace's setup; the field's header cell follows its name while the field
// is shown.
bool LoadUserField(Workspace& ws, const std::filesystem::path& path, int number);

} // namespace zirtel
