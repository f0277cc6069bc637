// The main window driven by real key presses and mouse clicks: cell editing, the paste shortcut
// in the entry line, header clicks, quick entry and the grids' shared top row.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "core/fields/fields.h"
#include "gui/analysis_option_form.h"
#include "gui/application.h"
#include "gui/main_form.h"
#include "gui/windows.h"
#include "support/recording_feedback.h"
#include "support/test_paths.h"

namespace zirtel {
namespace {

class KeysAndClicks : public ::testing::Test {
  protected:
    void SetUp() override {
        CreateWindows(test::TestData("foundation"), std::nullopt, &Fb);
        Output = MainForm->OutputGrid;
        Stimulus = MainForm->StimulusGrid;
        MainForm->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(MainForm));
    }
    void TearDown() override { DestroyWindows(); }
    std::string Cell(QTableView* v, int gridRow, int col) {
        return v->model()->index(gridRow - 1, col).data().toString().toStdString();
    }
    void Type(const QString& text) {
        MainForm->EditLine->setText(text);
        emit MainForm->EditLine->returnPressed();
    }
    // Sends the keys to whichever widget has the focus, as a keyboard does.
    static void Keys(const QString& text) {
        for (QChar ch : text) QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
    }
    // The cell editor commits on Enter through a queued call: the events are processed.
    static void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, mods);
        QCoreApplication::processEvents();
    }

    test::RecordingFeedback Fb;
    QTableView* Output = nullptr;
    QTableView* Stimulus = nullptr;
};

// A cell of the item grid edited by typing over it and committed with Enter becomes an item;
// a second cell with the same word is refused and emptied.
TEST_F(KeysAndClicks, TypingIntoAnItemCellAndPressingEnterEntersTheItem) {
    Stimulus->setFocus();
    Stimulus->setCurrentIndex(Stimulus->model()->index(2, 0)); // grid row 3
    Keys("Etxe");
    Key(Qt::Key_Return);
    EXPECT_EQ(Cell(Stimulus, 3, 0), "Etxe");
    EXPECT_EQ(Cell(Output, 3, 1), "Etxe"); // copied unchanged
    EXPECT_EQ(MainForm->WS().NextRow, 4);  // past the item, so a save holds it
    EXPECT_TRUE(Fb.Messages.empty());

    Stimulus->setFocus();
    Stimulus->setCurrentIndex(Stimulus->model()->index(4, 0)); // grid row 5
    Keys("etxe");
    Key(Qt::Key_Return);
    ASSERT_EQ(Fb.Messages.size(), 1u);
    EXPECT_EQ(Fb.Messages[0].Caption, "Abisua");
    EXPECT_EQ(Fb.Messages[0].Text, "Elementu hori dagoeneko sartuta dago.");
    EXPECT_EQ(Cell(Stimulus, 5, 0), "");
    EXPECT_EQ(Cell(Output, 5, 1), "");

    // The entered item is analysed like any other.
    MainForm->NeighbourStats1->trigger();
    EXPECT_EQ(Cell(Output, 3, 2), "   9.00");
}

// Ctrl+V in the entry line is the menu's paste: the clipboard lines become items and are
// analysed; nothing is inserted into the entry line.
TEST_F(KeysAndClicks, CtrlVInTheEntryLinePastesItems) {
    QGuiApplication::clipboard()->setText("Etxe\r\nmendi");
    MainForm->EditLine->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), MainForm->EditLine);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(MainForm->EditLine->text(), "");
    EXPECT_EQ(Cell(Stimulus, 1, 0), "etxe");
    EXPECT_EQ(Cell(Stimulus, 2, 0), "mendi");
    EXPECT_EQ(Cell(Output, 1, 2), "   9.00");
    EXPECT_EQ(Cell(Output, 2, 2), "  40.00");
    EXPECT_EQ(MainForm->WS().NextRow, 3);
}

// Enter in the entry line adds the item; F9 with the focus there analyses it.
TEST_F(KeysAndClicks, EnterAndFunctionKeysFromTheEntryLine) {
    MainForm->EditLine->setFocus();
    Keys("Mendi");
    Key(Qt::Key_Return);
    EXPECT_EQ(Cell(Stimulus, 1, 0), "mendi");
    EXPECT_EQ(MainForm->EditLine->text(), "");
    Key(Qt::Key_F9);
    EXPECT_EQ(Cell(Output, 1, 2), "  40.00");
}

// A press on a field's header selects its cells from the header down to the last item; Ctrl+C
// then copies the header and the values.
TEST_F(KeysAndClicks, HeaderClickSelectsTheFieldAndCtrlCCopiesIt) {
    Type("etxe");
    Type("mendi");
    MainForm->NeighbourStats1->trigger();
    QHeaderView* header = Output->horizontalHeader();
    const int x = header->sectionViewportPosition(2) + 10;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(x, 10));
    const GridRect sel = MainForm->Grids().Output.Selection;
    EXPECT_EQ(sel.Left, 2);
    EXPECT_EQ(sel.Right, 2);
    EXPECT_EQ(sel.Top, 0);
    EXPECT_EQ(sel.Bottom, 2);
    MainForm->EditLine->setFocus();
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
              "  H_MAIZT \r\n   9.00\r\n  40.00\r\n");
}

// A press on a results cell moves the item selection only within the first 90 pixels of the
// grid, even where the first column is wider (H_MAIZT is 103 pixels wide with 2 decimals).
TEST_F(KeysAndClicks, OnlyAPressInTheFirst90PixelsSelectsTheItemRows) {
    Type("etxe");
    Type("mendi");
    MainForm->WS().AssignColumns(); // with 2 decimals now: 103 pixels
    MainForm->RefreshGrids();
    ASSERT_EQ(Output->columnWidth(2), 103);
    ASSERT_EQ(MainForm->Grids().Stimulus.Selection.Top, 2);
    const int y = Output->rowViewportPosition(0) + 10; // grid row 1
    QTest::mouseClick(Output->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(95, y));
    EXPECT_EQ(MainForm->Grids().Stimulus.Selection.Top, 2);
    EXPECT_EQ(MainForm->Grids().Stimulus.Selection.Bottom, 2);
    QTest::mouseClick(Output->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(85, y));
    EXPECT_EQ(MainForm->Grids().Stimulus.Selection.Top, 1);
    EXPECT_EQ(MainForm->Grids().Stimulus.Selection.Bottom, 1);
}

// F9 analyses the item rows selected with the mouse and leaves both grids where they were.
TEST_F(KeysAndClicks, F9AnalysesTheClickedRowsAndKeepsTheTopRow) {
    for (const char* w : {"aita", "ama", "ardo", "baso", "bat", "bi", "egun", "etxe"}) Type(w);
    Output->verticalScrollBar()->setValue(2); // top row 3
    const QRect row5 = Stimulus->visualRect(Stimulus->model()->index(4, 0));
    const QRect row6 = Stimulus->visualRect(Stimulus->model()->index(5, 0));
    QTest::mouseClick(Stimulus->viewport(), Qt::LeftButton, Qt::NoModifier, row5.center());
    QTest::mouseClick(Stimulus->viewport(), Qt::LeftButton, Qt::ShiftModifier, row6.center());
    Key(Qt::Key_F9);
    EXPECT_EQ(Cell(Output, 4, 2), "");
    EXPECT_EQ(Cell(Output, 5, 2), " 900.00"); // bat
    EXPECT_EQ(Cell(Output, 6, 2), " 300.00"); // bi
    EXPECT_EQ(Cell(Output, 7, 2), "");
    EXPECT_EQ(Output->verticalScrollBar()->value(), 2);
    EXPECT_EQ(Stimulus->verticalScrollBar()->value(), 2);
    EXPECT_TRUE(Fb.Messages.empty());
}

// With every box ticked all 88 fields get a column: the results grid widens past its 67
// columns, to 90 (the hidden columns 0 and 1, then 88 fields in catalogue order).
TEST_F(KeysAndClicks, EveryFieldTickedWidensTheResultsGrid) {
    Type("etxe");
    QTimer::singleShot(0, [] {
        for (QCheckBox* box : AnalysisOptionForm->findChildren<QCheckBox*>()) box->setChecked(true);
        AnalysisOptionForm->OKBtn->click();
    });
    MainForm->Options1->trigger();
    // Column 0, the items, then one column per field.
    EXPECT_EQ(MainForm->WS().NextCol, kFieldCount + 2);
    ASSERT_EQ(Output->model()->columnCount(), kFieldCount + 2);
    auto header = [this](int col) {
        return Output->model()->headerData(col, Qt::Horizontal).toString().toStdString();
    };
    EXPECT_EQ(header(2), "Undefined"); // user field 1, no file loaded
    EXPECT_EQ(header(5), "  H_MAIZT ");
    EXPECT_EQ(header(60), " NATL ");
    EXPECT_EQ(header(61), "  AZPIM  ");
    EXPECT_EQ(header(66), "  NGAIN  ");
    EXPECT_EQ(header(67), "  FSM1_TP  ");
    EXPECT_EQ(header(84), "  OSM3_MAX  ");
    EXPECT_EQ(Output->columnWidth(84), 90);
    EXPECT_EQ(header(87), " ZIPF ");
    EXPECT_EQ(header(88), " AHOS_ITURRI ");
    EXPECT_EQ(Cell(Output, 1, 5), "   9.00");
    EXPECT_EQ(Cell(Output, 1, 28), "   4");            // LUZ_L
    EXPECT_EQ(Cell(Output, 1, 29), "VCCV           "); // KB_O
}

// The analysis options dialog opens maximised and modal, captioned "Analisi-aukerak".
TEST_F(KeysAndClicks, OptionsDialogIsMaximisedAndModal) {
    ASSERT_NE(AnalysisOptionForm, nullptr);
    bool maximised = false, modal = false;
    QTimer::singleShot(0, [&] {
        maximised = AnalysisOptionForm->isMaximized();
        modal = AnalysisOptionForm->isModal();
        AnalysisOptionForm->CancelBtn->click();
    });
    MainForm->Options1->trigger();
    EXPECT_TRUE(maximised);
    EXPECT_TRUE(modal);
    EXPECT_EQ(AnalysisOptionForm->windowTitle(), "Analisi-aukerak");
}

// Quick entry: before any item exists, F9 enters the entry line's text at row 1 and analyses
// it; the top rows stay where they were.
TEST_F(KeysAndClicks, QuickEntryWithF9) {
    MainForm->EditLine->setText(" Mendi ");
    MainForm->EditLine->setFocus();
    Key(Qt::Key_F9);
    EXPECT_EQ(Cell(Stimulus, 1, 0), "mendi");
    EXPECT_EQ(Cell(Output, 1, 1), "mendi");
    EXPECT_EQ(Cell(Output, 1, 2), "  40.00");
    EXPECT_EQ(MainForm->EditLine->text(), "");
    EXPECT_EQ(MainForm->WS().NextRow, 2);
    EXPECT_TRUE(Fb.Messages.empty());
}

// Typed items scroll both grids so that the next free row stays in view, and the grids grow
// when the items reach their last row.
TEST_F(KeysAndClicks, TypedEntryScrollsBothGridsAndGrowsThem) {
    const int visible = Output->viewport()->height() / 25;
    ASSERT_GT(visible, 3);
    ASSERT_LT(visible, 29);
    const char* words[] = {"aa", "ab", "ac", "ad", "ae", "af", "ag", "ah", "ai", "aj",
                           "ak", "al", "am", "an", "ao", "ap", "aq", "ar", "as", "at",
                           "au", "av", "aw", "ax", "ay", "az", "ba", "bb", "bc", "bd"};
    QSignalSpy inserted(Output->model(), &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(Output->model(), &QAbstractItemModel::modelReset);
    for (const char* w : words) Type(w);
    EXPECT_EQ(MainForm->WS().NextRow, 31);
    // The rows are announced as inserted at the end, one at a time; the view is never reset.
    EXPECT_EQ(inserted.size(), 2);
    EXPECT_EQ(reset.size(), 0);
    // 30 items: the 30-row results grid grew to hold row 31 (one row after each item from 29 on).
    EXPECT_EQ(Output->model()->rowCount(), 31);
    // The next free row (31) is the last visible row: top row 31 - visible + 1.
    EXPECT_EQ(Output->verticalScrollBar()->value() + 1, 31 - visible + 1);
    EXPECT_EQ(Stimulus->verticalScrollBar()->value(), Output->verticalScrollBar()->value());
    // The rows stay level: an item is drawn at the height of its results, also with the results
    // scrolled to their end.
    for (int row : {10, 30}) {
        const QModelIndex item = Stimulus->model()->index(row - 1, 0);
        const QModelIndex result = Output->model()->index(row - 1, 2);
        EXPECT_EQ(Stimulus->visualRect(item).top(), Output->visualRect(result).top()) << row;
    }
    // Scrolling the results scrolls the items with them.
    Output->verticalScrollBar()->setValue(2);
    EXPECT_EQ(Stimulus->verticalScrollBar()->value(), 2);
    EXPECT_EQ(Stimulus->visualRect(Stimulus->model()->index(9, 0)).top(),
              Output->visualRect(Output->model()->index(9, 2)).top());
    // Back at the end, and after the window grows (the end of the range moves).
    Output->verticalScrollBar()->setValue(Output->verticalScrollBar()->maximum());
    MainForm->resize(MainForm->width(), MainForm->height() + 60);
    QCoreApplication::processEvents();
    EXPECT_EQ(Stimulus->verticalScrollBar()->value(), Output->verticalScrollBar()->value());
    EXPECT_EQ(Stimulus->visualRect(Stimulus->model()->index(29, 0)).top(),
              Output->visualRect(Output->model()->index(29, 2)).top());
}

// The application is titled "Zirtel" without a display name, which the window system would add
// to every caption ("Zirtelak (Zirtel) — Zirtel", "Errorea — Zirtel").
TEST(Captions, TitleAddsNothingToTheCaptions) {
    const QString before = QCoreApplication::applicationName();
    SetApplicationTitle(*qApp);
    EXPECT_EQ(QCoreApplication::applicationName(), "Zirtel");
    QCoreApplication::setApplicationName("Probe");
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), "Probe");
    QCoreApplication::setApplicationName(before);
}

} // namespace
} // namespace zirtel
