#include "gui/windows.h"

#include "gui/analysis_option_form.h"
#include "gui/help_windows.h"
#include "gui/main_form.h"
#include "gui/neigh_window.h"
#include "gui/view_options_form.h"

namespace zirtel {

TMainForm* MainForm = nullptr;
TOutputDescriptionForm* OutputDescriptionForm = nullptr;
TAnalysisOptionForm* AnalysisOptionForm = nullptr;
TNeighWindow* NeighWindow = nullptr;
TAboutBox* AboutBox = nullptr;
TPhonNeighWindow* PhonNeighWindow = nullptr;
TInstructionsForm* InstructionsForm = nullptr;
TOptions* Options = nullptr;
TBasqueAboutForm* BasqueAboutForm = nullptr;

void CreateWindows(const std::filesystem::path& appDir,
                   const std::optional<std::filesystem::path>& inputFile, Feedback* feedback) {
    MainForm = new TMainForm(appDir, feedback);
    MainForm->showMaximized();
    MainForm->Startup(inputFile);
    OutputDescriptionForm = new TOutputDescriptionForm(appDir, MainForm);
    AnalysisOptionForm = new TAnalysisOptionForm(MainForm->WS(), MainForm);
    NeighWindow = new TNeighWindow(*MainForm, MainForm);
    AboutBox = new TAboutBox(MainForm);
    PhonNeighWindow = new TPhonNeighWindow(*MainForm, MainForm);
    InstructionsForm = new TInstructionsForm(appDir, MainForm);
    Options = new TOptions(MainForm->WS().Decimals, MainForm);
    BasqueAboutForm = new TBasqueAboutForm(MainForm);
    // Satellites are separate top-level windows owned by the main window.
    for (QWidget* w :
         std::initializer_list<QWidget*>{OutputDescriptionForm, NeighWindow, PhonNeighWindow})
        w->setWindowFlag(Qt::Window, true);
}

void DestroyWindows() {
    delete MainForm; // owns the others
    MainForm = nullptr;
    OutputDescriptionForm = nullptr;
    AnalysisOptionForm = nullptr;
    NeighWindow = nullptr;
    AboutBox = nullptr;
    PhonNeighWindow = nullptr;
    InstructionsForm = nullptr;
    Options = nullptr;
    BasqueAboutForm = nullptr;
}

} // namespace zirtel
