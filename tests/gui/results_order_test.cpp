// The researcher's results in the window: the items' own columns (from a file with a header,
// from a paste), the rows sorted by a header click, and the filter line with its counter and
// the save of the shown rows.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QBarSet>
#include <QCheckBox>
#include <QDropEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QUrl>
#include <cstdlib>

#include "core/analysis/results_output.h"
#include "gui/analysis_option_form.h"
#include "gui/histogram_window.h"
#include "gui/main_form.h"
#include "gui/view_options_form.h"
#include "gui/windows.h"
#include "support/recording_feedback.h"
#include "support/run_program.h"
#include "support/test_paths.h"

namespace zirtel {
int RunBatch(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

namespace {

class ResultsOrder : public ::testing::Test {
  protected:
    void SetUp() override {
        CreateWindows(test::TestData("results_output"), std::nullopt, &Fb);
        Output = MainForm->OutputGrid;
        Stimulus = MainForm->StimulusGrid;
        OutputTester = std::make_unique<QAbstractItemModelTester>(
            Output->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        StimulusTester = std::make_unique<QAbstractItemModelTester>(
            Stimulus->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    }
    void TearDown() override {
        OutputTester.reset();
        StimulusTester.reset();
        DestroyWindows();
    }
    void Type(const QString& text) {
        MainForm->EditLine->setText(text);
        emit MainForm->EditLine->returnPressed();
    }
    void Open(const std::filesystem::path& path) {
        MainForm->ChooseOpenFile = [path] { return QString::fromStdString(path.string()); };
        MainForm->OpenInputFile1->trigger();
    }
    std::string SaveTo(const std::filesystem::path& path) {
        MainForm->ChooseSaveFile = [path] { return QString::fromStdString(path.string()); };
        MainForm->SaveOutputFile1->trigger();
        return test::ReadBytes(path);
    }
    std::string Header(int col) {
        return Output->model()->headerData(col, Qt::Horizontal).toString().toStdString();
    }
    // The items of the item list from the top, as shown.
    std::vector<std::string> Items() {
        std::vector<std::string> items;
        for (int r = 1; r < MainForm->WS().NextRow; ++r)
            items.push_back(
                Stimulus->model()->index(r - 1, 0).data().toString().toUtf8().toStdString());
        return items;
    }
    // The items of the rows the views show (both views hide the same rows).
    std::vector<std::string> ShownItems() {
        std::vector<std::string> items;
        for (int r = 1; r < MainForm->WS().NextRow; ++r) {
            EXPECT_EQ(Output->isRowHidden(r - 1), Stimulus->isRowHidden(r - 1));
            if (!Output->isRowHidden(r - 1))
                items.push_back(
                    Stimulus->model()->index(r - 1, 0).data().toString().toUtf8().toStdString());
        }
        return items;
    }
    void Filter(const QString& text) {
        MainForm->FilterLine->setText(text);
        emit MainForm->FilterLine->returnPressed();
    }

    test::RecordingFeedback Fb;
    QTableView* Output = nullptr;
    QTableView* Stimulus = nullptr;
    std::unique_ptr<QAbstractItemModelTester> OutputTester, StimulusTester;
};

// A file's other cells are the items' own columns, named by its header line, shown after the
// item and written right after it in the saved file and in the batch mode's, which
// --no-item-columns leaves as a file without them; a paste's other cells are own columns too,
// named col2, col3 ...
TEST_F(ResultsOrder, ItemsKeepTheirOwnColumns) {
    test::TempDir dir;
    test::WriteBytes(dir / "items.txt", "Hitza\tbaldintza\tmaizt\r\n"
                                        "mendi\t2\tLF\r\n"
                                        "etxe\t1\tHF\r\n"
                                        "\xC3\xB1"
                                        "abar\r\n");
    Open(dir / "items.txt");
    MainForm->NeighbourStats1->trigger();
    EXPECT_EQ(Header(2), "baldintza");
    EXPECT_EQ(Header(3), "maizt");
    EXPECT_EQ(Header(4), "  H_MAIZT ");
    EXPECT_EQ(Items(), (std::vector<std::string>{"mendi", "etxe",
                                                 "\xC3\xB1"
                                                 "abar"}));
    const std::string withColumns = "Sarrera \tbaldintza\tmaizt\t  H_MAIZT \t\r\n"
                                    "mendi\t2\tLF\t  42.25\t\r\n"
                                    "etxe\t1\tHF\t 120.50\t\r\n"
                                    "\xC3\xB1"
                                    "abar\t\t\t   3.00\t\r\n"
                                    "\t\t\t\t\r\n";
    EXPECT_EQ(SaveTo(dir / "window.txt"), withColumns);
    // A file with own columns but no results is no unsaved work.
    EXPECT_FALSE(MainForm->HasUnsavedResults());

    const std::string items = (dir / "items.txt").string();
    const std::string data = test::TestData("results_output").string();
    const std::string out = (dir / "batch.txt").string(), bare = (dir / "bare.txt").string();
    EXPECT_EQ(test::RunEntry(&RunBatch, "zirtel", {"--batch", items, "--data-dir", data, "-o", out})
                  .Status,
              0);
    EXPECT_EQ(test::ReadBytes(out), withColumns);
    EXPECT_EQ(
        test::RunEntry(&RunBatch, "zirtel",
                       {"--batch", items, "--data-dir", data, "--no-item-columns", "-o", bare})
            .Status,
        0);
    EXPECT_EQ(test::ReadBytes(bare), "Sarrera \t  H_MAIZT \t\r\n"
                                     "mendi\t  42.25\t\r\n"
                                     "etxe\t 120.50\t\r\n"
                                     "\xC3\xB1"
                                     "abar\t   3.00\t\r\n"
                                     "\t\t\r\n");

    // "Berria": no own columns any more; a paste brings its own.
    MainForm->NewInputFile1->trigger();
    EXPECT_EQ(Header(2), "  H_MAIZT ");
    MainForm->WS().PasteItems("etxea\tA\nmendi\tB\textra\n");
    EXPECT_EQ(CopyAllText(MainForm->WS()), "Sarrera \tcol2\tcol3\t  H_MAIZT \r\n"
                                           "etxea\tA\t\t  80.00\r\n"
                                           "mendi\tB\textra\t  42.25\r\n");
}

// A header click sorts the rows by the column's numbers, the item too long to measure last
// both ways, and a second click reverses them. The filter
// line keeps the rows that meet its condition, the counter says how many, and Save asks
// whether to save every row or the shown ones.
TEST_F(ResultsOrder, SortedAndFilteredRows) {
    QTimer::singleShot(0, [] {
        AnalysisOptionForm->Box("NBox")->setChecked(true);
        AnalysisOptionForm->OKBtn->click();
    });
    MainForm->Options1->trigger();
    for (const char* item : {"mendi", "abcdefghijklmnopqrs", "etxe", "ñabar", "etxea"})
        Type(QString::fromUtf8(item));
    MainForm->NeighbourStats1->trigger();
    const std::string ny = "\xC3\xB1"
                           "abar";
    emit Output->horizontalHeader()->sectionClicked(2); // H_MAIZT
    EXPECT_EQ(Items(),
              (std::vector<std::string>{ny, "mendi", "etxea", "etxe", "abcdefghijklmnopqrs"}));
    EXPECT_EQ(Output->model()->index(0, 2).data().toString(), "   3.00");
    emit Output->horizontalHeader()->sectionClicked(2);
    EXPECT_EQ(Items(),
              (std::vector<std::string>{"etxe", "etxea", "mendi", ny, "abcdefghijklmnopqrs"}));
    // The neighbour count N: etxe, etxea, mendi and ñabar have none (0), the long item none.
    emit Output->horizontalHeader()->sectionClicked(3);
    EXPECT_EQ(Items().back(), "abcdefghijklmnopqrs");

    Fb.Clear();
    Filter("H_MAIZT > 50");
    EXPECT_EQ(ShownItems(), (std::vector<std::string>{"etxe", "etxea"}));
    EXPECT_EQ(MainForm->FilterCount->text(), "Erakutsiak: 2 / 5");
    Filter("h_maizt 3-42,25");
    EXPECT_EQ(ShownItems(), (std::vector<std::string>{"mendi", ny}));
    Filter("LUZ_L > 3");
    Filter("H_MAIZT >");
    EXPECT_EQ(Fb.MessageLines(),
              (std::vector<std::string>{
                  "Abisua: Ez dago zutabe hori emaitzetan: LUZ_L",
                  "Abisua: Iragazkia ez da ulertu: H_MAIZT > (adibidez: N > 3, LUZ_L 4-6, HOM = "
                  "-1, KB_O KV*)"}));
    EXPECT_EQ(ShownItems(), (std::vector<std::string>{"mendi", ny}));

    test::TempDir dir;
    MainForm->ChooseSaveFile = [&dir] {
        return QString::fromStdString((dir / "shown.txt").string());
    };
    int asked = 0;
    MainForm->ChooseSaveAllRows = [&asked]() -> std::optional<bool> {
        ++asked;
        return false;
    };
    MainForm->SaveOutputFile1->trigger();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(test::ReadBytes(dir / "shown.txt"), "Sarrera \t  H_MAIZT \t   N   \t\r\n"
                                                  "mendi\t  42.25\t   0\t\r\n" +
                                                      ny +
                                                      "\t   3.00\t   0\t\r\n"
                                                      "\t\t\t\r\n");
    // Cancelled: nothing saved; every row again once the line is emptied.
    MainForm->ChooseSaveAllRows = [] { return std::optional<bool>(); };
    MainForm->ChooseSaveFile = [&dir] { return QString::fromStdString((dir / "no.txt").string()); };
    MainForm->SaveOutputFile1->trigger();
    EXPECT_FALSE(std::filesystem::exists(dir / "no.txt"));
    MainForm->FilterLine->clear();
    EXPECT_EQ(ShownItems().size(), 5u);
    EXPECT_EQ(MainForm->FilterCount->text(), "");

    // The item list's header sorts by the items; the neighbour list's blocks follow the rows.
    MainForm->NewInputFile1->trigger();
    for (const char* item : {"mendu", "ñabir", "etxo"}) Type(QString::fromUtf8(item));
    MainForm->NeighbourStats1->trigger();
    const auto listItems = [] {
        std::vector<std::string> items;
        const StringGrid& list = MainForm->WS().OrthoNeighbours.NeighList;
        for (int r = 1; r < list.RowCount(); ++r)
            if (!list.Cell(0, r).empty()) items.emplace_back(list.Cell(0, r));
        return items;
    };
    const std::string upperNy = "\xD1"
                                "ABIR";
    ASSERT_EQ(listItems(), (std::vector<std::string>{"MENDU", upperNy, "ETXO"}));
    emit Stimulus->horizontalHeader()->sectionClicked(0);
    EXPECT_EQ(Items(), (std::vector<std::string>{"etxo", "mendu",
                                                 "\xC3\xB1"
                                                 "abir"}));
    EXPECT_EQ(listItems(), (std::vector<std::string>{"ETXO", "MENDU", upperNy}));
    emit Stimulus->horizontalHeader()->sectionClicked(0);
    EXPECT_EQ(listItems(), (std::vector<std::string>{upperNy, "MENDU", "ETXO"}));
    EXPECT_EQ(MainForm->WS().Item(1), "\xF1"
                                      "abir");
}

// "Gorde irteerako estatistikoak (TSV R/Python)" writes the plain table with NA for every
// missing value: read as R's read.delim reads it, its header gives the field names and its
// H_MAIZT and LUZ_L columns are numbers only. The view options' plain table is what Save and
// Copy then write, with the fields' own marks while no missing-value text is chosen.
TEST_F(ResultsOrder, ResultsForRAndPython) {
    QTimer::singleShot(0, [] {
        for (const char* box : {"HomophonyBox", "LenLBox"})
            AnalysisOptionForm->Box(box)->setChecked(true);
        AnalysisOptionForm->OKBtn->click();
    });
    MainForm->Options1->trigger();
    Type("etxe");
    Type("zzzz");
    MainForm->NeighbourStats1->trigger();
    test::TempDir dir;
    MainForm->ChooseSaveFile = [&dir] { return QString::fromStdString((dir / "r").string()); };
    MainForm->SaveOutputFile2->trigger();
    const std::string tsv = test::ReadBytes(dir / "r.tsv");
    EXPECT_EQ(tsv, "Sarrera\tH_MAIZT\tHOM\tLUZ_L\n"
                   "etxe\t120.50\tNA\t4\n"
                   "zzzz\t0.00\tNA\t4\n");
    // read.delim: tab-separated, the first line the names, "NA" missing; a column is numeric
    // when each of its other cells reads whole as a number.
    std::vector<std::vector<std::string>> rows;
    std::size_t start = 0;
    for (std::size_t end; (end = tsv.find('\n', start)) != std::string::npos; start = end + 1) {
        rows.emplace_back();
        std::string line = tsv.substr(start, end - start);
        for (std::size_t at = 0;; at = line.find('\t', at) + 1) {
            rows.back().push_back(line.substr(at, line.find('\t', at) - at));
            if (line.find('\t', at) == std::string::npos) break;
        }
    }
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"Sarrera", "H_MAIZT", "HOM", "LUZ_L"}));
    for (std::size_t col : {1u, 3u})
        for (std::size_t r = 1; r < rows.size(); ++r) {
            ASSERT_EQ(rows[r].size(), 4u);
            char* end = nullptr;
            std::strtod(rows[r][col].c_str(), &end);
            EXPECT_EQ(*end, '\0') << rows[r][col];
        }

    QTimer::singleShot(0, [] {
        Options->PlainBox->setChecked(true);
        Options->OKBtn->click();
    });
    MainForm->View1->trigger();
    EXPECT_EQ(CopyAllText(MainForm->WS()), "Sarrera\tH_MAIZT\tHOM\tLUZ_L\n"
                                           "etxe\t120.50\t-1\t4\n"
                                           "zzzz\t0.00\t-1\t4\n");
    MainForm->ChooseSaveFile = [&dir] { return QString::fromStdString((dir / "p").string()); };
    MainForm->SaveOutputFile1->trigger();
    EXPECT_EQ(test::ReadBytes(dir / "p.txt"), "Sarrera\tH_MAIZT\tHOM\tLUZ_L\n"
                                              "etxe\t120.50\t-1\t4\n"
                                              "zzzz\t0.00\t-1\t4\n");
}

// "Gorde ezarpenak" writes the window's settings as a batch run's settings file; "Kargatu
// ezarpenak" in a fresh window gives the same results, and so does loading a batch run's own
// settings file. The items files read join "Azken fitxategiak"; a file dropped on the window is
// opened; Ctrl+O and Ctrl+S open and save.
TEST_F(ResultsOrder, SettingsSavedAndLoadedRepeatTheResults) {
    test::TempDir dir;
    test::WriteBytes(dir / "items.txt", "mendi\netxe\nzzzz\n");
    QTimer::singleShot(0, [] {
        for (const char* box : {"HomophonyBox", "LenLBox"})
            AnalysisOptionForm->Box(box)->setChecked(true);
        AnalysisOptionForm->OKBtn->click();
    });
    MainForm->Options1->trigger();
    QTimer::singleShot(0, [] {
        Options->SelectItem(3);
        Options->MissingBox->setChecked(true);
        Options->MissingEdit->setText("NA");
        Options->OKBtn->click();
    });
    MainForm->View1->trigger();
    Open(dir / "items.txt");
    MainForm->NeighbourStats1->trigger();
    const std::string results = SaveTo(dir / "first.txt");
    EXPECT_EQ(results, "Sarrera \t  H_MAIZT \t HOM  \t LUZ_L \t\r\n"
                       "mendi\t 42.250\tNA\t   5\t\r\n"
                       "etxe\t120.500\tNA\t   4\t\r\n"
                       "zzzz\t  0.000\tNA\t   4\t\r\n"
                       "\t\t\t\t\r\n");
    EXPECT_EQ(MainForm->OpenInputFile1->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(MainForm->SaveOutputFile1->shortcut(), QKeySequence("Ctrl+S"));
    ASSERT_EQ(MainForm->RecentFiles1->actions().size(), 1);
    EXPECT_EQ(MainForm->RecentFiles1->actions().front()->text().toStdString(),
              (dir / "items.txt").string());
    MainForm->ChooseSettingsToSave = [&dir] {
        return QString::fromStdString((dir / "settings").string());
    };
    MainForm->SaveSettings1->trigger();
    const std::string json = test::ReadBytes(dir / "settings.json");
    EXPECT_NE(json.find("\"decimals\": 3,"), std::string::npos) << json;
    EXPECT_NE(json.find("\"missing\": \"NA\","), std::string::npos) << json;

    // A fresh window.
    TearDown();
    Fb.Clear();
    SetUp();
    MainForm->ChooseSettingsToOpen = [&dir] {
        return QString::fromStdString((dir / "settings.json").string());
    };
    MainForm->LoadSettings1->trigger();
    EXPECT_EQ(SaveTo(dir / "second.txt"), results);

    // A batch run's settings, repeated in the window.
    const std::string items = (dir / "items.txt").string();
    const std::string data = test::TestData("results_output").string();
    EXPECT_EQ(test::RunEntry(&RunBatch, "zirtel",
                             {"--batch", items, "--data-dir", data, "--fields", "luz_l,h_maizt",
                              "--decimals", "1", "-o", (dir / "batch.txt").string(), "--settings",
                              (dir / "batch.json").string()})
                  .Status,
              0);
    MainForm->ChooseSettingsToOpen = [&dir] {
        return QString::fromStdString((dir / "batch.json").string());
    };
    MainForm->LoadSettings1->trigger();
    EXPECT_EQ(SaveTo(dir / "third.txt"), test::ReadBytes(dir / "batch.txt"));
    EXPECT_EQ(Fb.MessageLines(),
              (std::vector<std::string>{": Irteera gordeta", ": Irteera gordeta"}));

    // Dropped on the window: the file is opened.
    test::WriteBytes(dir / "other.txt", "etxea\n");
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString((dir / "other.txt").string()))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(MainForm, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(MainForm, &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(Items(), (std::vector<std::string>{"etxea"}));
    ASSERT_EQ(MainForm->RecentFiles1->actions().size(), 2);
    EXPECT_EQ(MainForm->RecentFiles1->actions().front()->text().toStdString(),
              (dir / "other.txt").string());
}

// "Histograma" on the H_MAIZT column: the items' values (etxe 120.5, etxea 80) and the
// lexicon's (3, 42.25, 80, 120.5) in ten bins from 3 to 120.5, as percentages; the items' mean
// in the title, each item's percentile in the lexicon in its bar's tooltip; saved as PNG and SVG.
TEST_F(ResultsOrder, HistogramOfAColumnBesideTheLexicon) {
    Type("etxe");
    Type("etxea");
    MainForm->NeighbourStats1->trigger();
    MainForm->OutputGridHeaderClick(2);
    MainForm->Histogram1->trigger();
    THistogramWindow* w = MainForm->HistogramWindow;
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    std::vector<double> items, lexicon;
    for (int b = 0; b < 10; ++b) {
        items.push_back(w->ItemsSet->at(b));
        lexicon.push_back(w->LexiconSet->at(b));
    }
    EXPECT_EQ(items, (std::vector<double>{0, 0, 0, 0, 0, 0, 50, 0, 0, 50}));
    EXPECT_EQ(lexicon, (std::vector<double>{25, 0, 0, 25, 0, 0, 25, 0, 0, 25}));
    EXPECT_EQ(w->Title().toStdString(),
              "H_MAIZT: itemen batezbestekoa 100.25 (2 item; hitzegiko 4 hitz)");
    EXPECT_EQ(w->BinTip(9).toStdString(), "etxe: 120.50 (hitzegiko 100. pertzentila)");
    EXPECT_EQ(w->BinTip(6).toStdString(), "etxea: 80.00 (hitzegiko 75. pertzentila)");
    test::TempDir dir;
    ASSERT_TRUE(w->SavePng(QString::fromStdString((dir / "h.png").string())));
    ASSERT_TRUE(w->SaveSvg(QString::fromStdString((dir / "h.svg").string())));
    EXPECT_EQ(test::ReadBytes(dir / "h.png").substr(0, 4), "\x89PNG");
    EXPECT_NE(test::ReadBytes(dir / "h.svg").find("<svg"), std::string::npos);
    // A column of no numbers (the item's) gives no picture.
    Fb.Clear();
    MainForm->OutputGridHeaderClick(1);
    MainForm->Histogram1->trigger();
    EXPECT_EQ(Fb.MessageLines(),
              (std::vector<std::string>{
                  "Abisua: Aukeratu zenbakiak dituen emaitza-zutabe bat histogramarako"}));
}

} // namespace
} // namespace zirtel
