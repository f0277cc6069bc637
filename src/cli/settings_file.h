// The window's settings as the settings file a batch run writes (run_settings.h): "Gorde
// ezarpenak" writes the window's options, fields, user fields, decimals, missing-value text,
// plain table, lexicon and items file in that form, and "Kargatu ezarpenak" reads such a file
// (the window's own or a batch run's) back into a workspace, so that the run can be repeated.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zirtel {

class Workspace;

// The settings file of the window's workspace (program "zirtel", no arguments).
std::string WindowSettingsJson(const Workspace& ws);

// What a settings file sets.
struct LoadedSettings {
    bool Lemmas = false;
    int Decimals = 2;
    std::optional<std::string> Missing;
    bool Plain = false;
    std::vector<std::string> Fields;      // mnemonics
    std::map<std::string, bool> Options;  // option box name -> ticked
    std::map<int, std::string> UserFiles; // user field 1..3 -> its file (UTF-8)
    std::optional<std::string> Items;     // the items file (UTF-8)
};

// Reads a settings file's text; nothing, with `error` set, when it is no settings file.
std::optional<LoadedSettings> ReadSettingsJson(std::string_view text, std::string& error);

// Puts the settings into the workspace: the lexicon, the user fields' files, the decimals, the
// missing-value text, the plain table, the ticked fields and options, and the items file (read
// again when it still exists); the columns are assigned again. `problems` lists what could not be
// applied (a field name unknown, a file that cannot be read), one a line; the rest is applied.
void ApplySettings(Workspace& ws, const LoadedSettings& settings, std::string& problems);

} // namespace zirtel
