// "Estimuluen hautatzailea": a design run in the window on the hand-made lexicon of
// tests/data/selection/engine, its rows in the table, and "Gehitu zerrendara".
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QAction>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QScatterSeries>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>

#include "gui/main_form.h"
#include "gui/selector_window.h"
#include "gui/windows.h"
#include "support/recording_feedback.h"
#include "support/test_paths.h"

namespace zirtel {
namespace {

TEST(SelectorWindow, RunsTheDesignShowsTheRowsAndAddsThemToTheList) {
    test::RecordingFeedback fb;
    CreateWindows(test::TestData("selection/engine"), std::nullopt, &fb);
    MainForm->Selector1->trigger();
    auto* w = MainForm->findChild<TSelectorWindow*>();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "Estimuluen hautatzailea");
    QAbstractItemModelTester tester(w->RowsTable->model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);

    w->DesignEdit->setPlainText("pool lexicon\nsplit H_MAIZT 0-9.99 10-1000\ncontrol FOO\n");
    EXPECT_FALSE(w->RunDesign());
    EXPECT_EQ(w->StatusLabel->text().toStdString(),
              "Errorea diseinuan: line 3: unknown field 'FOO'");
    EXPECT_FALSE(w->AddButton->isEnabled());

    // As the batch test's select.design: one row can be made, with seed 7 the one ahal heads.
    ASSERT_TRUE(w->LoadDesign(test::TestData("selection/engine/select.design")));
    ASSERT_TRUE(w->RunDesign());
    EXPECT_EQ(w->StatusLabel->text().toStdString(),
              "Eskatutako 2 errenkadetatik 1 bakarrik egin dira; hazia: 7");
    ASSERT_EQ(w->RowsTable->rowCount(), 1);
    ASSERT_EQ(w->RowsTable->columnCount(), 5);
    std::vector<std::string> row;
    for (int c = 0; c < 5; ++c) row.push_back(w->RowsTable->item(0, c)->text().toStdString());
    EXPECT_EQ(row, (std::vector<std::string>{"ahal", "akats", "etxe", "mendi", "A1_B1"}));
    EXPECT_EQ(w->RowsTable->horizontalHeaderItem(3)->text().toStdString(), "A2_B2");

    // The form follows the loaded design, and the design follows the form.
    EXPECT_EQ(w->PoolCombo->currentText().toStdString(), "hitzegia");
    ASSERT_EQ(w->LinesTable->rowCount(), 4);
    EXPECT_EQ(w->LinesTable->item(1, 0)->text().toStdString(), "split");
    EXPECT_EQ(w->LinesTable->item(1, 1)->text().toStdString(), "H_MAIZT");
    EXPECT_EQ(w->LinesTable->item(1, 2)->text().toStdString(), "0-9.99 10-1000");
    EXPECT_EQ(w->LinesTable->item(3, 2)->text().toStdString(), "-30 30");
    EXPECT_EQ(w->RowsSpin->value(), 2);
    EXPECT_EQ(w->MatchCombo->currentText().toStdString(), "first");
    EXPECT_EQ(w->SeedEdit->text().toStdString(), "7");
    w->LinesTable->item(3, 2)->setText("");
    w->MatchCombo->setCurrentIndex(2);
    EXPECT_EQ(w->DesignEdit->toPlainText().toStdString(),
              "pool lexicon\nfilter USER1 100 199\nsplit H_MAIZT 0-9.99 10-1000\n"
              "split LUZ_L 4-4 5-5\ncontrol USER1\ngenerate 2 match random seed 7\n");

    MainForm->EditLine->setText("etxe"); // already in the list: not entered twice
    emit MainForm->EditLine->returnPressed();
    w->AddButton->click();
    std::vector<std::string> items;
    for (int r = 0; r < 5; ++r)
        items.push_back(
            MainForm->StimulusGrid->model()->index(r, 0).data().toString().toStdString());
    EXPECT_EQ(items, (std::vector<std::string>{"etxe", "ahal", "akats", "mendi", ""}));
    // Each added item keeps its design cell and row as its own columns "cell" and "row" (etxe,
    // the first cell's, was typed before).
    const StringGrid& grid = MainForm->WS().OutputGrid;
    EXPECT_EQ(grid.Cell(2, 0), "cell");
    EXPECT_EQ(grid.Cell(3, 0), "row");
    EXPECT_EQ(grid.Cell(2, 1), "");
    for (int r = 2; r <= 4; ++r) {
        int c = 0;
        while (c < 4 && w->RowsTable->item(0, c)->text().toStdString() != grid.Cell(1, r)) ++c;
        ASSERT_LT(c, 4) << grid.Cell(1, r);
        EXPECT_EQ(grid.Cell(2, r), w->RowsTable->horizontalHeaderItem(c)->text().toStdString());
        EXPECT_EQ(grid.Cell(3, r), "1");
    }

    // "Utzi" in the progress dialog stops the run; the table keeps the last rows.
    QTimer::singleShot(0, [w] {
        if (auto* progress = w->findChild<QProgressDialog*>()) progress->cancel();
    });
    EXPECT_FALSE(w->RunDesign());
    EXPECT_EQ(w->StatusLabel->text().toStdString(), "Utzita");
    EXPECT_EQ(w->RowsTable->rowCount(), 1);

    // "rule-pronunciations" ticks "Sasihitzak arauz ahoskatu" and stays in the text the form
    // writes (and the window saves); the nonwords of the pool are measured by the rules.
    ASSERT_TRUE(w->LoadDesign(test::TestData("selection/engine/rules.design")));
    EXPECT_TRUE(w->RulePronBox->isChecked());
    w->RowsSpin->setValue(1);
    EXPECT_EQ(w->DesignEdit->toPlainText().toStdString(),
              "pool items nonwords.txt\nrule-pronunciations\nsplit LUZ_F 4-4 5-5\n"
              "generate 1 match first seed 3\n");
    ASSERT_TRUE(w->RunDesign());
    EXPECT_EQ(w->RowsTable->item(0, 0)->text().toStdString(), "qatu");
    EXPECT_EQ(w->RowsTable->item(0, 1)->text().toStdString(), "hetxea");
    w->RulePronBox->setChecked(false);
    EXPECT_EQ(w->DesignEdit->toPlainText().toStdString(),
              "pool items nonwords.txt\nsplit LUZ_F 4-4 5-5\ngenerate 1 match first seed 3\n");
    DestroyWindows();
}

// The "Txostena" tab: the batch command's report of the same run (select.design, one row: no
// spread, no test), as text; "Gorde txostena" writes it tab-separated, or as the text for a .txt.
TEST(SelectorWindow, ReportTabShowsAndSavesTheBalanceReport) {
    test::RecordingFeedback fb;
    CreateWindows(test::TestData("selection/engine"), std::nullopt, &fb);
    MainForm->Selector1->trigger();
    auto* w = MainForm->findChild<TSelectorWindow*>();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->ResultsTabs->tabText(2).toStdString(), "Txostena");
    EXPECT_FALSE(w->SaveReportButton->isEnabled());
    ASSERT_TRUE(w->LoadDesign(test::TestData("selection/engine/select.design")));
    ASSERT_TRUE(w->RunDesign());
    const std::string text = w->ReportEdit->toPlainText().toStdString();
    EXPECT_EQ(text.rfind("largest standardised difference among the controls: none\n\ncells\n", 0),
              0u)
        << text;
    EXPECT_NE(text.find("lexicon sources: Hand-made counts of sixty words. Licence: CC0.\n"),
              std::string::npos);
    EXPECT_EQ(w->SaveReportButton->text().toStdString(), "Gorde txostena");
    test::TempDir dir;
    ASSERT_TRUE(w->SaveReport(dir / "report.tsv"));
    ASSERT_TRUE(w->SaveReport(dir / "report.txt"));
    const std::string tsv = test::ReadBytes(dir / "report.tsv");
    EXPECT_EQ(tsv.rfind("# largest standardised difference among the controls: none\r\n\r\n"
                        "# cells\r\ncell\tn\tfield\tmean\tsd\tmin\tmedian\tmax\r\n"
                        "A1_B1\t1\tH_MAIZT\t5.0000\tNA\t5.0000\t5.0000\t5.0000\r\n",
                        0),
              0u)
        << tsv;
    EXPECT_EQ(test::ReadBytes(dir / "report.txt").rfind("largest standardised difference", 0), 0u);
    // The values of an item on hover; the plots saved in a folder.
    EXPECT_EQ(w->RowsTable->item(0, 0)->toolTip().toStdString(),
              "USER1: 120.00\nH_MAIZT: 5.00\nLUZ_L: 4");
    // "Balioak": every chosen item with its values, sorted by the numbers on a header press, and
    // saved as the long table.
    EXPECT_EQ(w->ResultsTabs->tabText(1).toStdString(), "Balioak");
    const auto line = [&](int row) {
        std::string text;
        for (int c = 0; c < w->ValuesTable->columnCount(); ++c)
            text += (c ? " " : "") + w->ValuesTable->item(row, c)->text().toStdString();
        return text;
    };
    ASSERT_EQ(w->ValuesTable->rowCount(), 4);
    EXPECT_EQ(w->ValuesTable->horizontalHeaderItem(5)->text().toStdString(), "H_MAIZT");
    EXPECT_EQ(line(0), "1 A1_B1 ahal 1 120.00 5.00 4");
    w->ValuesTable->sortByColumn(5, Qt::DescendingOrder); // 300, 80, 5, 3
    EXPECT_EQ(line(0), "1 A2_B1 etxe 0 140.00 300.00 4");
    EXPECT_EQ(line(3), "1 A1_B2 akats 0 130.00 3.00 5");
    ASSERT_TRUE(w->SaveValues(dir / "values.tsv"));
    ASSERT_TRUE(w->RunDesign()); // a new run shows its rows in their order again
    EXPECT_EQ(line(0), "1 A1_B1 ahal 1 120.00 5.00 4");
    EXPECT_EQ(test::ReadBytes(dir / "values.tsv"),
              "row\tcell\titem\tis_reference\tUSER1\tH_MAIZT\tLUZ_L\r\n"
              "1\tA1_B1\tahal\t1\t120.00\t5.00\t4\r\n1\tA1_B2\takats\t0\t130.00\t3.00\t5\r\n"
              "1\tA2_B1\tetxe\t0\t140.00\t300.00\t4\r\n1\tA2_B2\tmendi\t0\t150.00\t80.00\t5\r\n");
    // "Irudiak": a chart per field, a series per cell in its colour, one point per row.
    EXPECT_EQ(w->ResultsTabs->tabText(3).toStdString(), "Irudiak");
    ASSERT_EQ(w->PlotFieldCombo->count(), 3);
    w->PlotFieldCombo->setCurrentIndex(2);
    EXPECT_EQ(w->PlotView->chart()->title().toStdString(), "USER1");
    w->PlotFieldCombo->setCurrentIndex(0);
    EXPECT_EQ(w->PlotView->chart()->title().toStdString(), "H_MAIZT");
    const QList<QAbstractSeries*> series = w->PlotView->chart()->series();
    ASSERT_EQ(series.size(), 4);
    auto* a2b1 = qobject_cast<QScatterSeries*>(series[2]);
    ASSERT_NE(a2b1, nullptr);
    EXPECT_EQ(a2b1->color().name().toStdString(), "#009e73");
    ASSERT_EQ(a2b1->count(), 1);
    EXPECT_EQ(a2b1->at(0).y(), 300.0);
    ASSERT_TRUE(w->SavePlots(dir.Path()));
    EXPECT_EQ(test::ReadBytes(dir / "USER1.svg").rfind("<svg xmlns=", 0), 0u);
    EXPECT_EQ(test::ReadBytes(dir / "USER1.png").rfind("\x89PNG\r\n", 0), 0u);
    DestroyWindows();
}

} // namespace
} // namespace zirtel
