// What the batch modes share beyond the command framework: the lexicon's check, the user field
// files, the settings' header.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "cli/command.h"
#include "cli/run_files.h"
#include "cli/run_settings.h"

namespace zirtel {

class Lexicon;
class MeasuringSetup;

// A step of a run that lets the run go on.
inline constexpr int kGoOn = -1;

// Why the lexicon read from `path` cannot be used (it does not exist, is a folder, is too large,
// cannot be read, was refused at a line, holds no readable entry), or nothing.
std::optional<Message> UnusableLexicon(const Lexicon& lexicon, const std::filesystem::path& path);

// The --user1, --user2 and --user3 files of the command line, as inputs of the run.
void AddUserFileInputs(const Command& command, RunFiles& files);
// Loads them into the measuring setup: kGoOn, or kBatchFileError after saying which cannot be
// opened.
int LoadUserFiles(const Command& command, MeasuringSetup& setup);
// The user files as the settings record them.
std::vector<std::optional<std::filesystem::path>> UserFiles(const Command& command);

// The settings' program, version and command line.
RunSettings SettingsOf(const Command& command);

// Says the message and gives `status`.
inline int Fail(const Command& command, const Message& message, int status) {
    command.Say(message);
    return status;
}

} // namespace zirtel
