// The program's windows, one instance of each, created at start-up in a fixed order (the main
// window first) and only shown and hidden afterwards.
#pragma once

#include <filesystem>
#include <optional>

namespace zirtel {

class Feedback;
class TMainForm;
class TOutputDescriptionForm;
class TAnalysisOptionForm;
class TNeighWindow;
class TAboutBox;
class TPhonNeighWindow;
class TInstructionsForm;
class TOptions;
class TBasqueAboutForm;

extern TMainForm* MainForm;
extern TOutputDescriptionForm* OutputDescriptionForm;
extern TAnalysisOptionForm* AnalysisOptionForm;
extern TNeighWindow* NeighWindow;
extern TAboutBox* AboutBox;
extern TPhonNeighWindow* PhonNeighWindow;
extern TInstructionsForm* InstructionsForm;
extern TOptions* Options;
extern TBasqueAboutForm* BasqueAboutForm;

// Creates the main window and starts it up (lexicon, user field 1, the input file), then the
// other windows in their order, hidden.
// `feedback` replaces the Qt message boxes (tests); null for the real ones.
void CreateWindows(const std::filesystem::path& appDir,
                   const std::optional<std::filesystem::path>& inputFile,
                   Feedback* feedback = nullptr);
// Destroys them all (the main window last).
void DestroyWindows();

} // namespace zirtel
