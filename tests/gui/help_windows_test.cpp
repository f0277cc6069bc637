// The help menus, the about boxes, the view options and the "Bete" buttons of the options dialog.
#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include "core/analysis/results_output.h"
#include "gui/analysis_option_form.h"
#include "gui/help_windows.h"
#include "gui/main_form.h"
#include "gui/view_options_form.h"
#include "gui/windows.h"
#include "support/recording_feedback.h"
#include "support/test_paths.h"

namespace zirtel {
namespace {

namespace fs = std::filesystem;

const fs::path kShipped = ZIRTEL_SHIPPED_DATA;

class HelpWindows : public ::testing::Test {
  protected:
    // Starts the windows on a data folder holding the foundation lexicon and, when asked, the
    // shipped help files.
    void Start(bool withHelpFiles) {
        for (const char* f : {"nwfreq_EUS.txt", "lemak_EUS2.txt"})
            fs::copy_file(test::TestData("foundation") / f, Dir / f);
        if (withHelpFiles) CopyHelpFiles();
        CreateWindows(Dir.Path(), std::nullopt, &Fb);
    }
    void CopyHelpFiles() {
        for (const char* f : {kInstructionsFile, kEnglishInstructionsFile, kFieldDescriptionsFile,
                              kEnglishFieldDescriptionsFile})
            fs::copy_file(kShipped / f, Dir / f, fs::copy_options::overwrite_existing);
    }
    void TearDown() override { DestroyWindows(); }

    std::string Cell(int gridRow, int col) {
        return MainForm->OutputGrid->model()
            ->index(gridRow - 1, col)
            .data()
            .toString()
            .toStdString();
    }
    std::string Header(int col) {
        return MainForm->OutputGrid->model()
            ->headerData(col, Qt::Horizontal)
            .toString()
            .toStdString();
    }
    void Type(const QString& text) {
        MainForm->EditLine->setText(text);
        emit MainForm->EditLine->returnPressed();
    }
    static std::string FirstLine(QTextEdit* view) {
        return view->toPlainText().section('\n', 0, 0).toStdString();
    }
    void OnNextDialog(std::function<void()> action) { QTimer::singleShot(0, action); }

    test::TempDir Dir;
    test::RecordingFeedback Fb;
};

TEST_F(HelpWindows, InstructionsAndDescriptionsComeFromTheDataFolder) {
    Start(true);
    EXPECT_TRUE(Fb.Messages.empty());

    std::string shown;
    OnNextDialog([&shown] {
        shown = FirstLine(InstructionsForm->RichEdit1);
        EXPECT_TRUE(InstructionsForm->isVisible());
        EXPECT_EQ(InstructionsForm->windowTitle(), "Jarraibideak");
        InstructionsForm->accept();
    });
    MainForm->Instructions1->trigger();
    EXPECT_EQ(shown, "Zirtelak (Zirtel): jarraibideak");
    EXPECT_EQ(MainForm->Instructions1->shortcut(), QKeySequence(Qt::Key_F1));

    OnNextDialog([&shown] {
        shown = FirstLine(InstructionsForm->RichEdit1);
        InstructionsForm->accept();
    });
    MainForm->Instructions3->trigger();
    EXPECT_EQ(shown, "Zirtelak (Zirtel): instructions");
    // Both instruction files describe the paste as it is: a last line without a line feed
    // is an item.
    const QString english = InstructionsForm->RichEdit1->toPlainText();
    EXPECT_TRUE(english.contains("a last line without a line feed is an item too."));
    EXPECT_FALSE(english.contains("after the last line feed is ignored"));
    OnNextDialog([] { InstructionsForm->accept(); });
    MainForm->Instructions1->trigger();
    EXPECT_TRUE(InstructionsForm->RichEdit1->toPlainText().contains(
        "lerro-jauzirik gabeko azken lerroa ere item bat da."));

    // The description window holds the Basque text from its creation, is not modal, and
    // follows the main window's width.
    MainForm->resize(1000, 700);
    MainForm->OutputFields1->trigger();
    EXPECT_TRUE(OutputDescriptionForm->isVisible());
    EXPECT_EQ(OutputDescriptionForm->windowTitle(), "Irteerako eremuen");
    EXPECT_EQ(FirstLine(OutputDescriptionForm->RichEdit1),
              "Zirtelak (Zirtel): irteerako eremuen deskribapena");
    EXPECT_EQ(OutputDescriptionForm->width(), MainForm->width() - 20);
    EXPECT_EQ(OutputDescriptionForm->OutputDescriptionGrid->columnWidth(0), 80);
    EXPECT_EQ(OutputDescriptionForm->OutputDescriptionGrid->columnWidth(1),
              MainForm->width() - 18 - 80 - 25);
    EXPECT_EQ(OutputDescriptionForm->OutputDescriptionGrid->item(0, 0), nullptr);

    // The English description replaces it; the Basque entry shows the Basque text again.
    MainForm->Instructions2->trigger();
    EXPECT_EQ(FirstLine(OutputDescriptionForm->RichEdit1),
              "Zirtelak (Zirtel): description of the output fields");
    OutputDescriptionForm->hide();
    MainForm->OutputFields1->trigger();
    EXPECT_TRUE(OutputDescriptionForm->isVisible());
    EXPECT_EQ(FirstLine(OutputDescriptionForm->RichEdit1),
              "Zirtelak (Zirtel): irteerako eremuen deskribapena");
    MainForm->Instructions2->trigger();
    EXPECT_EQ(FirstLine(OutputDescriptionForm->RichEdit1),
              "Zirtelak (Zirtel): description of the output fields");
    EXPECT_TRUE(Fb.Messages.empty());
    // Ctrl+End scrolls to the end, Escape closes the window.
    QScrollBar* bar = OutputDescriptionForm->RichEdit1->verticalScrollBar();
    QTest::keyClick(OutputDescriptionForm->RichEdit1, Qt::Key_End, Qt::ControlModifier);
    EXPECT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
    QTest::keyClick(OutputDescriptionForm->RichEdit1, Qt::Key_Escape);
    EXPECT_FALSE(OutputDescriptionForm->isVisible());
}

TEST_F(HelpWindows, MissingHelpFilesAreReportedWhenTheirWindowIsOpened) {
    // The current folder holds help files; the data folder does not: they are not used.
    const fs::path cwd = fs::current_path();
    fs::current_path(kShipped);
    Start(false);
    EXPECT_TRUE(Fb.Messages.empty()); // the program starts without them

    MainForm->Instructions1->trigger();
    EXPECT_FALSE(InstructionsForm->isVisible());
    MainForm->Instructions3->trigger();
    MainForm->OutputFields1->trigger();
    EXPECT_FALSE(OutputDescriptionForm->isVisible());
    MainForm->Instructions2->trigger();
    EXPECT_FALSE(OutputDescriptionForm->isVisible());
    fs::current_path(cwd);
    const std::string dir = Dir.Path().string();
    EXPECT_EQ(
        Fb.MessageLines(),
        (std::vector<std::string>{
            "Fitxategi-errorea: Ezin da ireki laguntza-fitxategia: " + dir + "/Instructions.rtf",
            "File Error: Can't open help file " + dir + "/EnglishInstructions.rtf",
            "Fitxategi-errorea: Ezin da ireki laguntza-fitxategia: " + dir +
                "/FieldDescriptions.rtf",
            "File Error: Can't open help file " + dir + "/EnglishFieldDescriptions.rtf"}));
    EXPECT_EQ(Fb.Messages[0].Buttons, MessageButtons::OkCancel);

    // Once the files are there, the windows open.
    CopyHelpFiles();
    Fb.Clear();
    MainForm->OutputFields1->trigger();
    EXPECT_TRUE(OutputDescriptionForm->isVisible());
    EXPECT_EQ(FirstLine(OutputDescriptionForm->RichEdit1),
              "Zirtelak (Zirtel): irteerako eremuen deskribapena");
    bool opened = false;
    OnNextDialog([&opened] {
        opened = InstructionsForm->isVisible();
        InstructionsForm->accept();
    });
    MainForm->Instructions1->trigger();
    EXPECT_TRUE(opened);
    EXPECT_TRUE(Fb.Messages.empty());
}

TEST_F(HelpWindows, AboutBoxesShowTitleVersionAndCredits) {
    Start(false);
    struct Seen {
        std::string Caption, Title, Version, Ok, Credits;
    };
    auto read = [](AboutDialog* box, Seen& s) {
        s = {box->windowTitle().toStdString(), box->Title->text().toStdString(),
             box->Version->text().toStdString(), box->OKButton->text().toStdString(),
             box->Credits->text().toStdString()};
        box->OKButton->click();
    };
    Seen basque, english;
    OnNextDialog([&] { read(BasqueAboutForm, basque); });
    MainForm->About1->trigger();
    OnNextDialog([&] { read(AboutBox, english); });
    MainForm->About2->trigger();
    EXPECT_EQ(basque.Caption, "Honi buruz");
    EXPECT_EQ(basque.Title, "Zirtelak (Zirtel)");
    // One version, the build's, as --version and --settings give it.
    EXPECT_EQ(basque.Version, "Version " ZIRTEL_VERSION);
    EXPECT_EQ(basque.Ok, "Ados");
    EXPECT_EQ(english.Caption, "About this program");
    EXPECT_EQ(english.Title, "Zirtelak (Zirtel)");
    EXPECT_EQ(english.Version, "Version " ZIRTEL_VERSION);
    EXPECT_EQ(english.Ok, "OK");
    for (const Seen* s : {&basque, &english})
        for (const char* credit :
             {"OpenSubtitles 2018", "FrequencyWords", "CC BY-SA 4.0", "Hunspell", "LGPL",
              "apertium-eu-es", "GPL", "GPL-3.0-or-later", "LICENSE"})
            EXPECT_NE(s->Credits.find(credit), std::string::npos) << credit;
    EXPECT_FALSE(BasqueAboutForm->isVisible());
    EXPECT_FALSE(AboutBox->isVisible());
}

TEST_F(HelpWindows, DecimalsRewriteTheValuesAndWidenTheFrequencyColumnAndCancelKeepsThem) {
    Start(false);
    Type("baso"); // 30.25
    Type("ama");  // 150
    MainForm->NeighbourStats1->trigger();
    EXPECT_EQ(Cell(1, 2), "  30.25");

    EXPECT_EQ(Options->windowTitle(), "Aukerak");
    EXPECT_EQ(Options->NumFormat->title(), "Zenbakien Formatua");
    EXPECT_EQ(Options->NumFormatItems->button(0)->text(), "0 hamartarrekin");
    EXPECT_EQ(Options->NumFormatItems->button(4)->text(), "4 hamartarrekin");
    EXPECT_EQ(Options->NumFormatItems->checkedId(), 2);
    EXPECT_EQ(Options->OKBtn->text(), "Ados");
    EXPECT_EQ(Options->CancelBtn->text(), "Utzi");

    OnNextDialog([] {
        Options->NumFormatItems->button(4)->click();
        Options->OKBtn->click();
    });
    MainForm->View1->trigger();
    EXPECT_EQ(MainForm->WS().Decimals, 4);
    EXPECT_EQ(MainForm->OutputGrid->columnWidth(2), 123);
    EXPECT_EQ(Cell(1, 2), "30.2500");
    EXPECT_EQ(Cell(2, 2), "150.0000");
    EXPECT_EQ(Header(2), "  H_MAIZT ");

    // Cancel: nothing changes and the dialog shows the setting in force next time.
    int shownNextTime = -1;
    OnNextDialog([] {
        Options->NumFormatItems->button(0)->click();
        Options->CancelBtn->click();
    });
    MainForm->View1->trigger();
    EXPECT_EQ(MainForm->WS().Decimals, 4);
    EXPECT_EQ(Cell(2, 2), "150.0000");
    EXPECT_EQ(MainForm->OutputGrid->columnWidth(2), 123);
    OnNextDialog([&shownNextTime] {
        shownNextTime = Options->NumFormatItems->checkedId();
        Options->NumFormatItems->button(0)->click();
        Options->OKBtn->click();
    });
    MainForm->View1->trigger();
    EXPECT_EQ(shownNextTime, 4);
    EXPECT_EQ(MainForm->WS().Decimals, 0);
    EXPECT_EQ(MainForm->OutputGrid->columnWidth(2), 83);
    EXPECT_EQ(Cell(1, 2), "     30");
    EXPECT_EQ(Cell(2, 2), "    150");
}

TEST_F(HelpWindows, BeteLoadsAUserFieldWhileTheOptionsDialogStaysOpen) {
    Start(false);
    Type("mendi");
    Type("etxe");
    const QString file =
        QString::fromStdString(test::TestData("userfields/concreteness.txt").string());
    int chooserCalls = 0;
    MainForm->ChooseOpenFile = [&chooserCalls, file] {
        return ++chooserCalls == 1 ? QString() : file; // the first time the user cancels
    };
    std::string captionAfterCancel, captionAfterLoad;
    bool enabledAfterLoad = false, stillOpen = false;
    OnNextDialog([&] {
        AnalysisOptionForm->User2LoadFile->click();
        captionAfterCancel = AnalysisOptionForm->Box("UserField2_Box")->text().toStdString();
        AnalysisOptionForm->User2LoadFile->click();
        captionAfterLoad = AnalysisOptionForm->Box("UserField2_Box")->text().toStdString();
        enabledAfterLoad = AnalysisOptionForm->Box("UserField2_Box")->isEnabled();
        stillOpen = AnalysisOptionForm->isVisible();
        AnalysisOptionForm->Box("UserField2_Box")->setChecked(true);
        AnalysisOptionForm->OKBtn->click();
    });
    MainForm->Options1->trigger();
    EXPECT_EQ(chooserCalls, 2);
    EXPECT_EQ(captionAfterCancel, "2. eremua: definitu gabe ");
    EXPECT_EQ(captionAfterLoad, "2.eremua: Concreteness rating v2");
    EXPECT_TRUE(enabledAfterLoad);
    EXPECT_TRUE(stillOpen);
    // Field 1 ("User1.txt" absent) is untouched.
    EXPECT_EQ(AnalysisOptionForm->Box("UserField1_Box")->text(), "1. eremua: definitu gabe");
    EXPECT_FALSE(AnalysisOptionForm->Box("UserField1_Box")->isEnabled());
    // OK analysed all items with the new column before the frequency.
    EXPECT_EQ(Header(2), "Concreteness rating v2");
    EXPECT_EQ(Header(3), "  H_MAIZT ");
    EXPECT_EQ(Cell(1, 2), "   4.25"); // "Mendi" in the file
    EXPECT_EQ(Cell(2, 2), "   6.25"); // the last of "Etxe" and "etxe"
    EXPECT_EQ(Cell(2, 3), "   9.00");
    ASSERT_EQ(Fb.Progresses.size(), 2u); // the file, then the analysis
    EXPECT_EQ(Fb.Progresses[0]->Label, "Reading user-defined file ... ");
}

// The missing-value text of the view options: the saved and copied results carry it instead of
// "-1"; the grid keeps showing the mark; the dialog shows the setting in force; unticked, the marks
// return.
TEST_F(HelpWindows, MissingValueTextReplacesTheMarksInTheSavedResults) {
    Start(false);
    MainForm->WS().Setup.Options.SetFieldTicked(FindField("ORT_SILAB"), true);
    MainForm->WS().AssignColumns();
    Type("baso");
    Type("zzzz");
    MainForm->NeighbourStats1->trigger();
    EXPECT_FALSE(Options->MissingBox->isChecked());
    EXPECT_EQ(Options->MissingBox->text(), "Falta diren balioen ordez idatzi:");
    EXPECT_EQ(Options->MissingEdit->text(), "NA");
    const std::string marked = OutputFileText(MainForm->WS());
    EXPECT_NE(marked.find("zzzz\t   0.00\t-1\t\r\n"), std::string::npos) << marked;

    OnNextDialog([] {
        Options->MissingBox->click();
        Options->MissingEdit->setText("NA");
        Options->OKBtn->click();
    });
    MainForm->View1->trigger();
    const std::string text = OutputFileText(MainForm->WS());
    EXPECT_NE(text.find("baso\t  30.25\tba-so\t\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("zzzz\t   0.00\tNA\t\r\n"), std::string::npos) << text;
    EXPECT_EQ(Cell(2, 3), "-1");
    // Copying carries the text as saving does.
    QAbstractItemModel* model = MainForm->OutputGrid->model();
    MainForm->OutputGrid->selectionModel()->select(
        QItemSelection(model->index(1, 2), model->index(1, 3)),
        QItemSelectionModel::ClearAndSelect);
    MainForm->Copy2->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "   0.00\tNA\r\n");

    bool shownTicked = false;
    OnNextDialog([&shownTicked] {
        shownTicked = Options->MissingBox->isChecked();
        Options->MissingBox->click();
        Options->OKBtn->click();
    });
    MainForm->View1->trigger();
    EXPECT_TRUE(shownTicked);
    EXPECT_EQ(OutputFileText(MainForm->WS()), marked);
}

} // namespace
} // namespace zirtel
