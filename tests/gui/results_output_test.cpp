#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <sstream>

#include "cli/batch.h"
#include "gui/analysis_option_form.h"
#include "gui/main_form.h"
#include "gui/neigh_window.h"
#include "gui/windows.h"
#include "support/recording_feedback.h"
#include "support/test_paths.h"

namespace zirtel {
namespace {

using test::RecordedMessage;

class ResultsWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        CreateWindows(test::TestData("results_output"), std::nullopt, &Fb);
        Output = MainForm->OutputGrid;
    }
    void TearDown() override { DestroyWindows(); }
    void Type(const QString& text) {
        MainForm->EditLine->setText(text);
        emit MainForm->EditLine->returnPressed();
    }
    // Selects grid rows top..bottom, columns left..right of the results view.
    void SelectInView(int left, int top, int right, int bottom) {
        auto* model = Output->model();
        Output->selectionModel()->select(
            QItemSelection(model->index(top - 1, left), model->index(bottom - 1, right)),
            QItemSelectionModel::ClearAndSelect);
    }
    static std::string Clipboard() { return QGuiApplication::clipboard()->text().toStdString(); }

    test::RecordingFeedback Fb;
    QTableView* Output = nullptr;
};

// The window and the batch mode, on the same items and options, write the same bytes: the
// results file and the orthographic neighbour list.
TEST_F(ResultsWindow, WindowAndBatchModeWriteIdenticalFiles) {
    test::TempDir dir;
    QTimer::singleShot(0, [] {
        for (const char* box : {"Log_FreqBox", "LenLBox", "RepBox", "CV_OBox", "OrthSyllBox",
                                "NBox", "IncludeAdditionNsBox", "IncludeDeletionNsBox"})
            AnalysisOptionForm->Box(box)->setChecked(true);
        AnalysisOptionForm->OKBtn->click();
    });
    MainForm->Options1->trigger();
    MainForm->ChooseOpenFile = [] {
        return QString::fromStdString(test::TestData("results_output/items.txt").string());
    };
    MainForm->OpenInputFile1->trigger();
    MainForm->NeighbourStats1->trigger();
    // The save dialog's default extension is .txt.
    MainForm->ChooseSaveFile = [&dir] { return QString::fromStdString((dir / "window").string()); };
    Fb.Clear();
    MainForm->SaveOutputFile1->trigger();
    EXPECT_EQ(Fb.Messages,
              (std::vector<RecordedMessage>{{"", "Irteera gordeta", MessageButtons::OkCancel}}));
    NeighWindow->ChooseSaveFile = [&dir] {
        return QString::fromStdString((dir / "window_n.txt").string());
    };
    NeighWindow->Saveneighbourlist1->trigger();

    const std::string items = test::TestData("results_output/items.txt").string();
    const std::string data = test::TestData("results_output").string();
    const std::string out = (dir / "batch.txt").string(), list = (dir / "batch_n.txt").string();
    const char* argv[] = {"zirtel",
                          "--batch",
                          items.c_str(),
                          "--data-dir",
                          data.c_str(),
                          "--fields",
                          "n,ort_silab,kb_o,erREP,luz_l,LOG10_MAIZT,H_MAIZT",
                          "--include-additions",
                          "--include-deletions",
                          "-o",
                          out.c_str(),
                          "--neighbours",
                          list.c_str()};
    std::ostringstream batchOut, batchErr;
    EXPECT_EQ(RunBatch(static_cast<int>(std::size(argv)), argv, batchOut, batchErr), 0);

    const std::string window = test::ReadBytes(dir / "window.txt");
    EXPECT_EQ(
        window.substr(0, window.find('\n') + 1),
        "Sarrera \t  H_MAIZT \t LOG10_MAIZT \tORT_SILAB\t  ERREP \t LUZ_L \t KB_O \t   N   \t\r\n");
    EXPECT_EQ(test::ReadBytes(dir / "batch.txt"), window);
    // etxe and etxea are each other's addition and deletion neighbours.
    const std::string windowList = test::ReadBytes(dir / "window_n.txt");
    EXPECT_NE(windowList.find("ETXEA   \tetxe    \r\n"), std::string::npos) << windowList;
    EXPECT_EQ(test::ReadBytes(dir / "batch_n.txt"), windowList);
}

TEST_F(ResultsWindow, SaveDialogCancelledOrFailing) {
    test::TempDir dir;
    Type("etxe");
    MainForm->NeighbourStats1->trigger();
    Fb.Clear();
    MainForm->ChooseSaveFile = [] { return QString(); };
    MainForm->SaveOutputFile1->trigger();
    EXPECT_TRUE(Fb.Messages.empty());
    MainForm->ChooseSaveFile = [&dir] {
        return QString::fromStdString((dir / "no" / "out.txt").string());
    };
    MainForm->SaveOutputFile1->trigger();
    EXPECT_EQ(Fb.Messages, (std::vector<RecordedMessage>{{"Fitxategi-errorea",
                                                          "Ezin da gorde irteera-fitxategia: " +
                                                              (dir / "no" / "out.txt").string() +
                                                              ": No such file or directory",
                                                          MessageButtons::OkCancel}}));
    MainForm->ChooseSaveFile = [&dir] { return QString::fromStdString((dir / "r.txt").string()); };
    MainForm->SaveOutputFile1->trigger();
    EXPECT_EQ(test::ReadBytes(dir / "r.txt"),
              "Sarrera \t  H_MAIZT \t\r\netxe\t 120.50\t\r\n\t\t\r\n");
}

TEST_F(ResultsWindow, CopyingTheSelectionAndEverything) {
    Type("etxe");
    Type("mendi");
    Type(QString::fromUtf8("ñabar"));
    MainForm->NeighbourStats1->trigger();
    QClipboard* clip = QGuiApplication::clipboard();

    // "&Kopiatu": the selection of the view, tabs between cells, CR LF after each row.
    SelectInView(1, 1, 2, 2);
    MainForm->Copy2->trigger();
    EXPECT_EQ(Clipboard(), "etxe\t 120.50\r\nmendi\t  42.25\r\n");
    SelectInView(2, 3, 2, 3);
    MainForm->Copy2->trigger();
    EXPECT_EQ(Clipboard(), "   3.00\r\n");
    SelectInView(1, 3, 1, 3);
    MainForm->Copy2->trigger();
    EXPECT_EQ(clip->text(), QString::fromUtf8("ñabar\r\n"));

    // A press on a field's header selects it from the header row down to the last item.
    MainForm->OutputGridHeaderClick(2);
    MainForm->Copy2->trigger();
    EXPECT_EQ(Clipboard(), "  H_MAIZT \r\n 120.50\r\n  42.25\r\n   3.00\r\n");

    // Ctrl+C copies the results even from the entry line, whose own text stays out.
    MainForm->show();
    QApplication::setActiveWindow(MainForm);
    SelectInView(2, 2, 2, 2);
    MainForm->EditLine->setText("zzz");
    MainForm->EditLine->selectAll();
    MainForm->EditLine->setFocus();
    clip->setText("before");
    QTest::keyClick(MainForm->EditLine, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), "  42.25\r\n");
    Output->setFocus();
    SelectInView(1, 1, 1, 2);
    clip->setText("before");
    QTest::keyClick(Output, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), "etxe\r\nmendi\r\n");
    // ... and from the editor of an item cell.
    QTableView* stimulus = MainForm->StimulusGrid;
    stimulus->setFocus();
    stimulus->edit(stimulus->model()->index(0, 0));
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, nullptr);
    ASSERT_NE(editor, stimulus);
    clip->setText("before");
    QTest::keyClick(editor, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), "etxe\r\nmendi\r\n");
    QTest::keyClick(editor, Qt::Key_Escape);

    // The pop-up's commands copy only when a grid opened the menu; otherwise a beep.
    clip->setText("before");
    Fb.Beeps = 0;
    MainForm->Copyall1->trigger();
    MainForm->Copy1->trigger();
    EXPECT_EQ(Fb.Beeps, 2);
    EXPECT_EQ(Clipboard(), "before");
    emit Output->customContextMenuRequested(QPoint(5, 5));
    MainForm->PopupMenu1->hide();
    MainForm->Copyall1->trigger();
    EXPECT_EQ(clip->text(),
              QString::fromUtf8("Sarrera \t  H_MAIZT \r\netxe\t 120.50\r\nmendi\t  42.25\r\n"
                                "ñabar\t   3.00\r\n"));
    SelectInView(2, 1, 2, 1);
    MainForm->Copy1->trigger();
    EXPECT_EQ(Clipboard(), " 120.50\r\n");
    EXPECT_EQ(Fb.Beeps, 2);
}

} // namespace
} // namespace zirtel
