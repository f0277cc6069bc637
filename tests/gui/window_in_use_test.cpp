// The window as a researcher uses it: entering nothing, closing with unsaved results, widths the
// user gave the columns, the field buttons of the options dialog, repeated warnings, and the
// selection after a new list.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>

#include "gui/analysis_option_form.h"
#include "gui/main_form.h"
#include "gui/neigh_window.h"
#include "gui/view_options_form.h"
#include "gui/windows.h"
#include "support/recording_feedback.h"
#include "support/test_paths.h"

namespace zirtel {
namespace {

// Answers every message box shown while it lives: records "CAPTION: TEXT [BUTTONS] CHECKBOX",
// ticks the box's check box when asked, and clicks the button with the given text.
class BoxAnswerer {
  public:
    explicit BoxAnswerer(QString button, bool tick = false) {
        Timer_.setInterval(5);
        QObject::connect(&Timer_, &QTimer::timeout, [this, button, tick] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) return;
            QStringList buttons;
            for (QAbstractButton* b : box->buttons()) buttons << b->text();
            buttons.sort();
            QString seen = box->windowTitle() + ": " + box->text() + " [" + buttons.join('|') + "]";
            if (box->checkBox()) seen += " " + box->checkBox()->text();
            Seen.push_back(seen.toStdString());
            if (tick && box->checkBox()) box->checkBox()->setChecked(true);
            for (QAbstractButton* b : box->buttons())
                if (b->text() == button) return b->click();
            ADD_FAILURE() << "no button " << button.toStdString();
            box->reject();
        });
        Timer_.start();
    }
    std::vector<std::string> Seen;

  private:
    QTimer Timer_;
};

class WindowInUse : public ::testing::Test {
  protected:
    void SetUp() override { Start(&Fb); }
    void Start(Feedback* feedback) {
        CreateWindows(test::TestData("foundation"), std::nullopt, feedback);
        Output = MainForm->OutputGrid;
        Stimulus = MainForm->StimulusGrid;
        OutputTester = std::make_unique<QAbstractItemModelTester>(
            Output->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    }
    void TearDown() override {
        OutputTester.reset();
        DestroyWindows();
    }
    std::string Cell(QTableView* v, int gridRow, int col) {
        return v->model()->index(gridRow - 1, col).data().toString().toStdString();
    }
    int ColumnOf(const char* header) {
        for (int c = 0; c < Output->model()->columnCount(); ++c)
            if (Output->model()->headerData(c, Qt::Horizontal).toString() == header) return c;
        return -1;
    }
    void Type(const QString& text) {
        MainForm->EditLine->setText(text);
        emit MainForm->EditLine->returnPressed();
    }
    // Runs the options dialog, doing `action` in it first.
    void InOptions(std::function<void()> action, bool ok) {
        QTimer::singleShot(0, [action, ok] {
            action();
            (ok ? AnalysisOptionForm->OKBtn : AnalysisOptionForm->CancelBtn)->click();
        });
        MainForm->Options1->trigger();
    }

    test::RecordingFeedback Fb;
    QTableView* Output = nullptr;
    QTableView* Stimulus = nullptr;
    std::unique_ptr<QAbstractItemModelTester> OutputTester;
};

const std::string kUnsaved = "Abisua: Gorde gabeko emaitzak daude. Gorde irten aurretik? "
                             "[Ez gorde|Gorde|Utzi]";
const std::string kUnsavedNew = "Abisua: Gorde gabeko emaitzak daude. Gorde zerrenda berria hasi "
                                "aurretik? [Ez gorde|Gorde|Utzi]";
const std::string kUnsavedOpen = "Abisua: Gorde gabeko emaitzak daude. Gorde fitxategia ireki "
                                 "aurretik? [Ez gorde|Gorde|Utzi]";

TEST_F(WindowInUse, EmptyEntryLineSaysNothingAndShortItemsSaySo) {
    Type("");
    Type("   ");
    EXPECT_TRUE(Fb.Messages.empty());
    EXPECT_EQ(MainForm->WS().NextRow, 1);
    Type("a");
    EXPECT_EQ(Cell(Output, 1, 1), "a");
    MainForm->SelectedItems1->trigger();
    EXPECT_EQ(Fb.MessageLines(),
              (std::vector<std::string>{"Errorea: 1 item ez da aztertu: itemek 2 eta 18 letra "
                                        "artean izan behar dituzte. a (1 letra)"}));
}

TEST_F(WindowInUse, ClosingWithUnsavedResultsAsksFirst) {
    // The test closes the window several times; the application goes on.
    QApplication::setQuitOnLastWindowClosed(false);
    MainForm->show();
    // Items but no results: the window closes at once.
    Type("etxe");
    {
        BoxAnswerer answer("Utzi");
        EXPECT_TRUE(MainForm->close());
        EXPECT_TRUE(answer.Seen.empty());
    }
    MainForm->show();
    MainForm->NeighbourStats1->trigger();
    EXPECT_TRUE(MainForm->HasUnsavedResults());
    // "Utzi", from the window and from a list window's "Irten": the window stays.
    {
        BoxAnswerer answer("Utzi");
        EXPECT_FALSE(MainForm->close());
        NeighWindow->Exit1->trigger();
        EXPECT_EQ(answer.Seen, (std::vector<std::string>{kUnsaved, kUnsaved}));
    }
    EXPECT_TRUE(MainForm->isVisible());
    // "Gorde" and the save dialog cancelled: the window stays.
    MainForm->ChooseSaveFile = [] { return QString(); };
    {
        BoxAnswerer answer("Gorde");
        EXPECT_FALSE(MainForm->close());
        EXPECT_EQ(answer.Seen.size(), 1u);
    }
    EXPECT_TRUE(MainForm->isVisible());
    // "Gorde" and a file chosen: saved, then closed.
    test::TempDir dir;
    MainForm->ChooseSaveFile = [&dir] { return QString::fromStdString((dir / "r").string()); };
    {
        BoxAnswerer answer("Gorde");
        EXPECT_TRUE(MainForm->close());
        EXPECT_EQ(answer.Seen.size(), 1u);
    }
    EXPECT_FALSE(MainForm->isVisible());
    EXPECT_EQ(test::ReadBytes(dir / "r.txt"),
              "Sarrera \t  H_MAIZT \t\r\netxe\t   9.00\t\r\n\t\t\r\n");
    EXPECT_EQ(Fb.MessageLines(), (std::vector<std::string>{": Irteera gordeta"}));
    // Saved results: closing asks nothing.
    MainForm->show();
    EXPECT_FALSE(MainForm->HasUnsavedResults());
    {
        BoxAnswerer answer("Utzi");
        EXPECT_TRUE(MainForm->close());
        EXPECT_TRUE(answer.Seen.empty());
    }
    // New results, "Ez gorde": closed without a file.
    MainForm->show();
    Type("mendi");
    MainForm->NeighbourStats1->trigger();
    {
        BoxAnswerer answer("Ez gorde");
        EXPECT_TRUE(MainForm->close());
        EXPECT_EQ(answer.Seen, (std::vector<std::string>{kUnsaved}));
    }
    EXPECT_FALSE(MainForm->isVisible());
    EXPECT_EQ(Fb.Messages.size(), 1u);
    QApplication::setQuitOnLastWindowClosed(true);
}

TEST_F(WindowInUse, ResizedColumnsKeepTheirWidths) {
    Type("etxe");
    MainForm->NeighbourStats1->trigger();
    const int freq = ColumnOf("  H_MAIZT ");
    ASSERT_EQ(freq, 2);
    EXPECT_EQ(Output->columnWidth(freq), 83);
    Output->horizontalHeader()->resizeSection(freq, 200); // the user drags the border
    Type("mendi");                                        // a refresh keeps it
    EXPECT_EQ(Output->columnWidth(freq), 200);
    // New columns get their default width; the frequency keeps the user's.
    InOptions([] { AnalysisOptionForm->Box("NBox")->setChecked(true); }, true);
    const int n = ColumnOf("   N   ");
    ASSERT_GT(n, 0);
    EXPECT_EQ(Output->columnWidth(ColumnOf("  H_MAIZT ")), 200);
    EXPECT_EQ(Output->columnWidth(n), 75);
    // Decimals applied again: still the user's width.
    QTimer::singleShot(0, [] {
        Options->SelectItem(4);
        Options->OKBtn->click();
    });
    MainForm->View1->trigger();
    EXPECT_EQ(MainForm->WS().Decimals, 4);
    EXPECT_EQ(Output->columnWidth(ColumnOf("  H_MAIZT ")), 200);
    EXPECT_EQ(Cell(Output, 1, ColumnOf("  H_MAIZT ")), " 9.0000");
}

TEST_F(WindowInUse, AllAndNoneTickEveryFieldBoxButUserFieldsAndNeighbourOptions) {
    const QString fieldBoxes[] = {"W_FREQ_Box", "NBox", "BF1_Box", "NATL_Box", "PSF3_Max_Box"};
    bool disabledTip = false;
    QTimer::singleShot(0, [&] {
        QCheckBox* user1 = AnalysisOptionForm->Box("UserField1_Box");
        disabledTip = !user1->isEnabled() &&
                      user1->toolTip() ==
                          "Eremu hau erabiltzeko, kargatu bere fitxategia \"Bete\" botoiarekin." &&
                      user1->palette().color(QPalette::Disabled, QPalette::WindowText) !=
                          user1->palette().color(QPalette::Active, QPalette::WindowText);
        EXPECT_EQ(AnalysisOptionForm->AllFieldsBtn->text(), "Guztiak");
        EXPECT_EQ(AnalysisOptionForm->NoFieldsBtn->text(), "Bat ere ez");
        AnalysisOptionForm->AllFieldsBtn->click();
        for (const QString& name : fieldBoxes)
            EXPECT_TRUE(AnalysisOptionForm->Box(name)->isChecked()) << name.toStdString();
        EXPECT_FALSE(user1->isChecked());
        EXPECT_FALSE(AnalysisOptionForm->Box("UserField2_Box")->isChecked());
        EXPECT_TRUE(AnalysisOptionForm->Box("NListBox")->isChecked());
        EXPECT_FALSE(AnalysisOptionForm->Box("IncludeDeletionNsBox")->isChecked());
        AnalysisOptionForm->NoFieldsBtn->click();
        for (const QString& name : fieldBoxes)
            EXPECT_FALSE(AnalysisOptionForm->Box(name)->isChecked()) << name.toStdString();
        EXPECT_TRUE(AnalysisOptionForm->Box("NListBox")->isChecked());
        AnalysisOptionForm->CancelBtn->click();
    });
    MainForm->Button1Click(); // no user field 1 file: its box is disabled
    EXPECT_TRUE(disabledTip);
    EXPECT_FALSE(MainForm->WS().Setup.Options.Ticked("W_FREQ_Box"));
    EXPECT_TRUE(MainForm->WS().Setup.Options.Ticked("NListBox"));
}

TEST_F(WindowInUse, NewListOrInputFileSelectsTheFirstRow) {
    Type("etxe");
    Type("mendi");
    Type("gorri");
    auto selectedRow = [this] {
        const QModelIndexList rows = Stimulus->selectionModel()->selectedRows();
        return rows.size() == 1 ? rows.front().row() + 1 : -1;
    };
    EXPECT_EQ(selectedRow(), 3);
    MainForm->NewInputFile1->trigger();
    EXPECT_EQ(selectedRow(), 1);
    EXPECT_EQ(MainForm->Grids().Output.Selection.Top, 1);
    Type("etxe");
    Type("mendi");
    MainForm->ChooseOpenFile = [] {
        return QString::fromStdString(test::TestData("foundation/items.txt").string());
    };
    MainForm->OpenInputFile1->trigger();
    EXPECT_EQ(selectedRow(), 1);
    // F9 analyses the first item only.
    MainForm->SelectedItems1->trigger();
    EXPECT_EQ(Cell(Output, 1, 1), "etxe");
    EXPECT_EQ(Cell(Output, 1, 2), "   9.00");
    EXPECT_EQ(Cell(Output, 2, 2), "");
}

TEST_F(WindowInUse, EmptyListWindowsSayWhichFieldsFillThem) {
    MainForm->Neighbourlist1->trigger();
    MainForm->Phonneighlist1->trigger();
    EXPECT_FALSE(NeighWindow->statusBar()->isHidden());
    EXPECT_EQ(NeighWindow->NoFieldsLabel->text().toStdString(),
              "Zerrenda hau ez da betetzen: aukeratu \"Analisi-aukerak\" leihoan auzokide "
              "ortografikoen eremuetako bat (N, N*, N1-N5, P, HFN, HFP, LFN, NF_MAX, NF_MIN, "
              "NF_MU, NF_SIG, AZPIM, AZPIM_MAIZT, NAZPIM, GAIN, GAIN_MAIZT, NGAIN, CC_ORT) eta "
              "\"Erakutsi auzokideen zerrenda\".");
    EXPECT_FALSE(PhonNeighWindow->statusBar()->isHidden());
    EXPECT_EQ(PhonNeighWindow->NoFieldsLabel->text().toStdString(),
              "Zerrenda hau ez da betetzen: aukeratu \"Analisi-aukerak\" leihoan auzokide "
              "fonologikoen eremuetako bat (PN, PN1-PN4, PP, HFPN, LFPN, PNF_MAX, PNF_MIN, "
              "PNF_MU, PNF_SIG, CC_FON).");
    InOptions([] { AnalysisOptionForm->Box("NBox")->setChecked(true); }, true);
    EXPECT_TRUE(NeighWindow->statusBar()->isHidden());
    EXPECT_FALSE(PhonNeighWindow->statusBar()->isHidden());
}

TEST_F(WindowInUse, RepeatedWarningsCanBeSilenced) {
    DestroyWindows();
    OutputTester.reset();
    Start(nullptr); // the real message boxes
    // No bigram tables in this data folder: every 4-letter item warns.
    InOptions([] { AnalysisOptionForm->Box("BF1_Box")->setChecked(true); }, true);
    for (const char* item : {"etxe", "baso", "kale"}) Type(item);
    const std::string noTable = "Abisua: Couldn't load ZR_BF4.txt: Ezin da kalkulatu 4 "
                                "letra-estimuluen bigrama-maiztasuna [Ados] Ez erakutsi berriro "
                                "analisi honetan";
    {
        BoxAnswerer answer("Ados"); // not ticked: every item's box
        MainForm->NeighbourStats1->trigger();
        EXPECT_EQ(answer.Seen, (std::vector<std::string>{noTable, noTable, noTable}));
    }
    for (int round = 0; round < 2; ++round) {
        BoxAnswerer answer("Ados", true); // ticked: the first box only, in each analysis
        MainForm->NeighbourStats1->trigger();
        EXPECT_EQ(answer.Seen, (std::vector<std::string>{noTable}));
    }
    // Outside an analysis a box offers no tick.
    {
        BoxAnswerer answer("Ados", true);
        Type("etxe");
        EXPECT_EQ(answer.Seen, (std::vector<std::string>{
                                   "Abisua: Elementu hori dagoeneko sartuta dago. [Ados]"}));
    }

    // Items of the wrong length: one box at the end of each analysis, naming them in Basque;
    // "Ez erakutsi berriro" keeps that same box away, until the items it names change.
    InOptions([] { AnalysisOptionForm->Box("BF1_Box")->setChecked(false); }, true);
    {
        BoxAnswerer discard("Ez gorde");
        MainForm->NewInputFile1->trigger();
    }
    for (const char* item : {"abcdefghijklmnopqrs", "a", "etxe"}) Type(item);
    const std::string length = "Errorea: 2 item ez dira aztertu: itemek 2 eta 18 letra artean "
                               "izan behar dituzte. abcdefghijklmnopqrs (19 letra), a (1 letra) "
                               "[Ados] Ez erakutsi berriro";
    {
        BoxAnswerer answer("Ados");
        MainForm->NeighbourStats1->trigger();
        EXPECT_EQ(answer.Seen, (std::vector<std::string>{length}));
    }
    {
        BoxAnswerer answer("Ados", true);
        MainForm->NeighbourStats1->trigger();
        EXPECT_EQ(answer.Seen, (std::vector<std::string>{length}));
    }
    {
        BoxAnswerer answer("Ados");
        MainForm->NeighbourStats1->trigger();
        EXPECT_TRUE(answer.Seen.empty());
        Type("abcdefghijklmnopqrst");
        MainForm->NeighbourStats1->trigger();
        ASSERT_EQ(answer.Seen.size(), 1u);
        EXPECT_EQ(answer.Seen[0].substr(0, 33), "Errorea: 3 item ez dira aztertu: ");
    }
}

// An item edited in its cell: the row is measured again, so the screen and the saved file show
// the new item's numbers; a duplicate is refused and the cell shows the row's item again.
TEST_F(WindowInUse, EditedItemIsMeasuredAgainAndADuplicateKeepsTheOldItem) {
    Type("etxe");
    Type("xyz");
    MainForm->NeighbourStats1->trigger();
    QAbstractItemModel* items = Stimulus->model();
    QAbstractItemModelTester tester(items, QAbstractItemModelTester::FailureReportingMode::Fatal);
    items->setData(items->index(0, 0), "neska");
    EXPECT_EQ(Cell(Output, 1, 1), "neska");
    EXPECT_EQ(Cell(Output, 1, 2), "  35.00");
    items->setData(items->index(0, 0), "XYZ");
    EXPECT_EQ(Cell(Stimulus, 1, 0), "neska");
    EXPECT_EQ(Cell(Output, 1, 1), "neska");
    EXPECT_EQ(Fb.MessageLines(),
              (std::vector<std::string>{"Abisua: Elementu hori dagoeneko sartuta dago."}));
    test::TempDir dir;
    MainForm->ChooseSaveFile = [&dir] { return QString::fromStdString((dir / "r.txt").string()); };
    MainForm->SaveOutputFile1->trigger();
    EXPECT_EQ(test::ReadBytes(dir / "r.txt"),
              "Sarrera \t  H_MAIZT \t\r\nneska\t  35.00\t\r\nxyz\t   0.00\t\r\n\t\t\r\n");
    // An edit that changes the item but not its numbers is a change to save too.
    EXPECT_FALSE(MainForm->HasUnsavedResults());
    items->setData(items->index(1, 0), "qqq");
    EXPECT_EQ(Cell(Output, 2, 2), "   0.00");
    EXPECT_TRUE(MainForm->HasUnsavedResults());
}

// "Berria" and "Ireki sarrerako fitxategia" over results not saved ask first, with the buttons
// of the question on closing.
TEST_F(WindowInUse, NewListAndInputFileAskAboutUnsavedResults) {
    MainForm->ChooseOpenFile = [] {
        return QString::fromStdString(test::TestData("foundation/items.txt").string());
    };
    Type("gizon");
    MainForm->NeighbourStats1->trigger();
    {
        BoxAnswerer answer("Utzi");
        MainForm->NewInputFile1->trigger();
        MainForm->OpenInputFile1->trigger();
        EXPECT_EQ(answer.Seen, (std::vector<std::string>{kUnsavedNew, kUnsavedOpen}));
    }
    EXPECT_EQ(Cell(Output, 1, 1), "gizon");
    EXPECT_EQ(Cell(Output, 1, 2), "  55.00");
    test::TempDir dir;
    MainForm->ChooseSaveFile = [&dir] { return QString::fromStdString((dir / "r.txt").string()); };
    {
        BoxAnswerer answer("Gorde");
        MainForm->OpenInputFile1->trigger();
        EXPECT_EQ(answer.Seen, (std::vector<std::string>{kUnsavedOpen}));
    }
    EXPECT_EQ(test::ReadBytes(dir / "r.txt"),
              "Sarrera \t  H_MAIZT \t\r\ngizon\t  55.00\t\r\n\t\t\r\n");
    EXPECT_EQ(Cell(Output, 1, 1), "etxe");
    MainForm->NeighbourStats1->trigger();
    {
        BoxAnswerer answer("Ez gorde");
        MainForm->NewInputFile1->trigger();
        EXPECT_EQ(answer.Seen, (std::vector<std::string>{kUnsavedNew}));
    }
    EXPECT_EQ(Cell(Output, 1, 1), "");
}

TEST_F(WindowInUse, MinimisedListWindowsComeBackFromTheMenu) {
    MainForm->Neighbourlist1->trigger();
    MainForm->Phonneighlist1->trigger();
    NeighWindow->showMinimized();
    PhonNeighWindow->showMinimized();
    MainForm->Neighbourlist1->trigger();
    MainForm->Phonneighlist1->trigger();
    for (QWidget* w : std::initializer_list<QWidget*>{NeighWindow, PhonNeighWindow}) {
        EXPECT_TRUE(w->isVisible());
        EXPECT_FALSE(w->windowState() & Qt::WindowMinimized);
        EXPECT_TRUE(w->windowState() & Qt::WindowMaximized);
    }
}

} // namespace
} // namespace zirtel
