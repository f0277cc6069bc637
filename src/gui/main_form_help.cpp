// The main window's help menus and view options: the instructions, the description of the output
// fields, the about boxes and the number of decimals.
#include "core/analysis/workspace.h"
#include "gui/help_windows.h"
#include "gui/main_form.h"
#include "gui/view_options_form.h"
#include "gui/windows.h"

namespace zirtel {

namespace {

// The messages of a help file that cannot be read, in the language of its menu.
void ReportMissingHelp(Feedback& ui, const std::filesystem::path& path, bool english) {
    if (english)
        ui.ShowMessage("File Error", "Can't open help file " + path.string(),
                       MessageButtons::OkCancel);
    else
        ui.ShowMessage("Fitxategi-errorea", "Ezin da ireki laguntza-fitxategia: " + path.string(),
                       MessageButtons::OkCancel);
}

} // namespace

// Loads an instructions file into the instructions window and shows it modally; a file that
// cannot be read is reported and the window stays closed.
static void ShowInstructions(TMainForm& main, const char* file, bool english) {
    if (!InstructionsForm) return;
    const std::filesystem::path path = main.WS().Setup.AppDir / file;
    if (!InstructionsForm->LoadFile(path)) {
        ReportMissingHelp(main.UI(), path, english);
        return;
    }
    InstructionsForm->exec();
}

void TMainForm::Instructions1Click() {
    ShowInstructions(*this, kInstructionsFile, false);
}

void TMainForm::Instructions3Click() {
    ShowInstructions(*this, kEnglishInstructionsFile, true);
}

void TMainForm::OutputFields1Click() {
    if (!OutputDescriptionForm) return;
    OutputDescriptionForm->FitTo(width());
    // The window shows its own file each time, whichever description it showed last.
    const std::filesystem::path path = WS_->Setup.AppDir / kFieldDescriptionsFile;
    if (!OutputDescriptionForm->LoadFile(path)) {
        ReportMissingHelp(*Feedback_, path, false);
        return;
    }
    OutputDescriptionForm->show();
    OutputDescriptionForm->raise();
}

void TMainForm::Instructions2Click() {
    if (!OutputDescriptionForm) return;
    OutputDescriptionForm->FitTo(width());
    const std::filesystem::path path = WS_->Setup.AppDir / kEnglishFieldDescriptionsFile;
    if (!OutputDescriptionForm->LoadFile(path)) {
        ReportMissingHelp(*Feedback_, path, true);
        return;
    }
    OutputDescriptionForm->show();
    OutputDescriptionForm->raise();
}

void TMainForm::About1Click() {
    if (BasqueAboutForm) BasqueAboutForm->exec();
}

void TMainForm::About2Click() {
    if (AboutBox) AboutBox->exec();
}

void TMainForm::View1Click() {
    if (!Options) return;
    Options->SelectItem(WS_->Decimals);
    Options->ShowMissing(WS_->MissingText);
    Options->ShowPlain(WS_->PlainResults);
    if (Options->exec() != QDialog::Accepted) return;
    const Workspace::Operation op(*WS_);
    WS_->Decimals = Options->Decimals();
    WS_->MissingText = Options->Missing();
    WS_->PlainResults = Options->Plain();
    const QtFeedback::AnalysisScope analysis(*Feedback_);
    WS_->AssignColumns();
    WS_->AnalyseAll();
}

} // namespace zirtel
