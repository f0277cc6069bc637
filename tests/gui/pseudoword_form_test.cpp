// The generator window over the generator's hand-made lexicon (tests/data/generator): templates
// from the entry line or the selected items, a seeded run, ticks added to the item list, the
// saved table, a cancelled run.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>

#include "core/generator/pseudoword_table.h"
#include "gui/main_form.h"
#include "gui/pseudoword_form.h"
#include "gui/windows.h"
#include "support/recording_feedback.h"
#include "support/test_paths.h"

namespace zirtel {
namespace {

class PseudowordFormTest : public ::testing::Test {
  protected:
    void SetUp() override { CreateWindows(test::TestData("generator"), std::nullopt, &Fb); }
    void TearDown() override { DestroyWindows(); }
    void Type(const QString& text) {
        MainForm->EditLine->setText(text);
        emit MainForm->EditLine->returnPressed();
    }
    TPseudowordForm* Open() {
        MainForm->Pseudowords1->trigger();
        auto* form = MainForm->findChild<TPseudowordForm*>();
        if (form && !Tester)
            Tester = std::make_unique<QAbstractItemModelTester>(
                form->Model, QAbstractItemModelTester::FailureReportingMode::Fatal);
        return form;
    }
    std::string Cell(TPseudowordForm* f, int row, int col) {
        return f->Model->index(row, col).data().toString().toStdString();
    }
    test::RecordingFeedback Fb;
    std::unique_ptr<QAbstractItemModelTester> Tester;
};

TEST_F(PseudowordFormTest, SeededRunTicksAddedAndTableSaved) {
    EXPECT_EQ(MainForm->Pseudowords1->text(), "&Sasihitz-sortzailea");
    // The entry line gives the template.
    MainForm->EditLine->setText("gela");
    TPseudowordForm* form = Open();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->windowTitle(), "Sasihitz-sortzailea");
    EXPECT_EQ(form->TemplatesEdit->toPlainText(), "gela");
    EXPECT_EQ(form->NBox->value(), 10);
    EXPECT_EQ(form->OverlapEdit->text(), "2/3");
    EXPECT_TRUE(form->LengthBox->isChecked());
    EXPECT_FALSE(form->ForeignWordsBox->isChecked());

    form->SeedEdit->setText("42");
    form->GenerateBtn->click();
    ASSERT_EQ(form->Model->rowCount(), 8);
    // Basque headers in the window; the saved table keeps the file's (below).
    EXPECT_EQ(form->Model->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), "Sasihitza");
    EXPECT_EQ(form->Model->headerData(5, Qt::Horizontal, Qt::DisplayRole).toString(), "Desb. max.");
    // The batch command's seeded run without the foreign vela (the OLD20 columns aside): mela
    // first, gera last.
    EXPECT_EQ(Cell(form, 0, 2), "mela");
    EXPECT_EQ(Cell(form, 0, 3), "me-la");
    EXPECT_EQ(Cell(form, 0, 4), "3/4");
    EXPECT_EQ(Cell(form, 0, 9), "mE-lA");
    EXPECT_EQ(Cell(form, 1, 2), "zela");
    EXPECT_EQ(Cell(form, 7, 2), "gera");
    EXPECT_EQ(form->StatusLabel->text().toStdString(),
              "\"gela\": 8 sasihitz aurkitu dira (10 eskatuta): bilaketa-espazioa agortu da\n"
              "8 sasihitz, 1 txantiloi; hazia 42");
    // With foreign words and names too, the engine's run on every word: gala first, gola last.
    form->ForeignWordsBox->setChecked(true);
    form->GenerateBtn->click();
    EXPECT_EQ(Cell(form, 0, 2), "gala");
    EXPECT_EQ(Cell(form, 7, 2), "gola");
    form->ForeignWordsBox->setChecked(false);
    form->GenerateBtn->click();

    // Two ticks go to the item list.
    MainForm->EditLine->clear();
    form->Model->setData(form->Model->index(0, 0), Qt::Checked, Qt::CheckStateRole);
    form->Model->setData(form->Model->index(7, 0), Qt::Checked, Qt::CheckStateRole);
    form->AddBtn->click();
    EXPECT_EQ(MainForm->WS().Item(1), "mela");
    EXPECT_EQ(MainForm->WS().Item(2), "gera");
    EXPECT_EQ(MainForm->WS().Item(3), "");

    // The saved table is the batch command's.
    test::TempDir dir;
    const std::filesystem::path path = dir / "pseudowords.tsv";
    form->ChooseSaveFile = [&] { return QString::fromStdString(path.string()); };
    Fb.Clear();
    form->SaveBtn->click();
    EXPECT_EQ(test::ReadBytes(path), PseudowordTableText(form->Model->Rows()));
    EXPECT_EQ(test::ReadBytes(path).rfind("template\tpseudoword\tsyllables\t", 0), 0u);
    EXPECT_EQ(Fb.MessageLines(), std::vector<std::string>{": Irteera gordeta"});

    // The selected items give the templates when the entry line is empty; a bad overlap is
    // refused.
    Type("katu");
    MainForm->Grids().SelectStimulusRows(2, 3);
    form = Open();
    EXPECT_EQ(form->TemplatesEdit->toPlainText(), "gera\nkatu");
    form->OverlapEdit->setText("3/2");
    Fb.Clear();
    form->GenerateBtn->click();
    EXPECT_EQ(Fb.MessageLines(),
              std::vector<std::string>{"Abisua: Gainjartzea P/Q zatiki bat da, 0/1etik 1/1era "
                                       "(adibidez 2/3)."});

    // Templates typed in the window stay when it is opened again; minimised, it comes back.
    form->TemplatesEdit->clear();
    QTest::keyClicks(form->TemplatesEdit, "mahai");
    form->hide();
    form = Open();
    EXPECT_EQ(form->TemplatesEdit->toPlainText(), "mahai");
    form->showMinimized();
    form = Open();
    EXPECT_FALSE(form->windowState() & Qt::WindowMinimized);
    EXPECT_TRUE(form->isVisible());
}

// With the hand-made dictionary of tests/data/dictionary in the data folder (gala, mela and the
// name Gola), the seeded run of gela loses gala and mela and says so; "Hiztegiko hitzak ere"
// brings them back.
TEST_F(PseudowordFormTest, DictionaryWordsLeftOutUnlessAllowed) {
    DestroyWindows();
    test::TempDir dir;
    for (const char* file : {"nwfreq_EUS.txt", "jatorria_EUS.txt"})
        std::filesystem::copy_file(test::TestData("generator") / file, dir / file);
    for (const char* file : {"eu.aff", "eu.dic"})
        std::filesystem::copy_file(test::TestData("dictionary") / file, dir / file);
    CreateWindows(dir.Path(), std::nullopt, &Fb);
    MainForm->EditLine->setText("gela");
    TPseudowordForm* form = Open();
    EXPECT_EQ(form->DictionaryWordsBox->text(), "Hiztegiko hitzak ere");
    EXPECT_FALSE(form->DictionaryWordsBox->isChecked());
    form->SeedEdit->setText("42");
    form->GenerateBtn->click();
    ASSERT_EQ(form->Model->rowCount(), 6);
    EXPECT_EQ(Cell(form, 0, 2), "zela");
    EXPECT_EQ(Cell(form, 4, 2), "gola");
    EXPECT_EQ(form->StatusLabel->text().toStdString(),
              "\"gela\": 6 sasihitz aurkitu dira (10 eskatuta): bilaketa-espazioa agortu da\n"
              "2 hautagai baztertu dira hiztegiko hitzak direlako\n"
              "6 sasihitz, 1 txantiloi; hazia 42");
    form->DictionaryWordsBox->setChecked(true);
    form->GenerateBtn->click();
    ASSERT_EQ(form->Model->rowCount(), 8);
    EXPECT_EQ(Cell(form, 0, 2), "mela");
}

// "Guztiak" ticks every row; "Hitz-itxura" mixes the eight rows with eight lexicon words of four
// letters and tells the result under the run's status, once however often it is pressed.
TEST_F(PseudowordFormTest, AllTicksAndWordLikeness) {
    MainForm->EditLine->setText("gela");
    TPseudowordForm* form = Open();
    form->SeedEdit->setText("42");
    form->GenerateBtn->click();
    ASSERT_EQ(form->Model->rowCount(), 8);
    EXPECT_EQ(form->AllBtn->text(), "Guztiak");
    form->AllBtn->click();
    for (int r = 0; r < 8; ++r) EXPECT_TRUE(form->Model->Ticked(r)) << r;
    form->LikenessBtn->click();
    form->LikenessBtn->click();
    const std::string status = form->StatusLabel->text().toStdString();
    EXPECT_EQ(status.rfind("\"gela\": 8 sasihitz aurkitu dira (10 eskatuta): bilaketa-espazioa "
                           "agortu da\n8 sasihitz, 1 txantiloi; hazia 42\nHitz-itxura: 16 "
                           "katetatik ",
                           0),
              0u)
        << status;
    EXPECT_NE(status.find(" ondo sailkatu dira hurbilenaren arabera (%"), std::string::npos);
    EXPECT_EQ(status.find("Hitz-itxura"), status.rfind("Hitz-itxura"));
}

TEST_F(PseudowordFormTest, UtziStopsTheRun) {
    MainForm->EditLine->setText("gela");
    TPseudowordForm* form = Open();
    form->TemplatesEdit->setPlainText("gela\nkatu");
    form->SeedEdit->setText("1");
    form->DuringRun = [form] {
        EXPECT_TRUE(form->CancelBtn->isVisible());
        form->CancelBtn->click();
    };
    form->GenerateBtn->click();
    EXPECT_FALSE(form->CancelBtn->isVisible());
    EXPECT_EQ(form->Model->rowCount(), 0);
    EXPECT_EQ(form->StatusLabel->text().toStdString(),
              "\"gela\": 0 sasihitz aurkitu dira (10 eskatuta): bilaketa eten egin da\n"
              "\"katu\": 0 sasihitz aurkitu dira (10 eskatuta): bilaketa eten egin da\n"
              "0 sasihitz, 2 txantiloi; hazia 1");
}

} // namespace
} // namespace zirtel
