// TSelectorWindow: "Estimuluen hautatzailea", the stimulus selector in a window. The design is
// built in the form (pool, lemmas, filter/split/control lines, rows, reference choice, seed),
// written in the editor, or loaded from a design file (and saved to one): form and editor follow
// each other; "Hautatu" measures the
// pool and generates the rows under a progress dialog that "Utzi" cancels; the rows fill the
// table; "Gehitu zerrendara" hands the chosen items (those of the selected rows, or of every
// row) to the main window's item list; the "Txostena" tab shows the rows' balance report, which
// "Gorde txostena" saves, and "Gorde irudiak" the fields' strip plots; a chosen item shows its
// values on hover, and the "Balioak" tab every chosen item's values.
#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTabWidget;
class QChartView;

namespace zirtel {

class Feedback;
class MeasuredItems;
class Workspace;
struct Selection;

class TSelectorWindow : public QWidget {
    Q_OBJECT
  public:
    // The items (Latin-1) and, for each, its own cells: its design cell's name and its row.
    using AppendItems = std::function<void(const std::vector<std::string>&,
                                           const std::vector<std::vector<std::string>>&)>;
    // `appDir`: the data folder; `append` receives the items of "Gehitu zerrendara";
    // `feedback`: the engine's messages (null: Qt message boxes).
    TSelectorWindow(std::filesystem::path appDir, AppendItems append, Feedback* feedback,
                    QWidget* parent = nullptr);
    ~TSelectorWindow() override;

    // The form.
    QComboBox* PoolCombo; // "hitzegia" or "item-fitxategia" (then PoolFileEdit)
    QLineEdit* PoolFileEdit;
    QCheckBox* LemmasBox;
    QCheckBox* RulePronBox;   // "Sasihitzak arauz ahoskatu": the design's rule-pronunciations line
    QTableWidget* LinesTable; // "Mota" (filter, split, control), "Eremua", "Balioak"
    QPushButton *AddLineButton, *RemoveLineButton;
    QSpinBox* RowsSpin;
    QComboBox* MatchCombo; // balanced, first, random
    QLineEdit* SeedEdit;   // empty: drawn on each run
    // The design as text.
    QPlainTextEdit* DesignEdit;
    QPushButton *LoadButton, *SaveButton, *RunButton, *AddButton;
    QLabel* StatusLabel;
    // "Errenkadak" (RowsTable), "Balioak" (ValuesTable), "Txostena" (ReportEdit), "Irudiak".
    QTabWidget* ResultsTabs;
    QTableWidget* RowsTable;
    // "Balioak": one line per chosen item (its row, cell, whether it is the row's reference) with
    // the values of the design's fields, as --long writes them; a header press sorts by the
    // unrounded values. "Gorde balioak" saves the table as --long does.
    QTableWidget* ValuesTable;
    QPushButton* SaveValuesButton;
    // The balance report of the rows, as text; "Gorde txostena" saves it (tab-separated, or the
    // text for a name ending in .txt).
    QPlainTextEdit* ReportEdit;
    QPushButton* SaveReportButton;
    // "Gorde irudiak": a strip plot per numeric field, as SVG and as PNG (twice the SVG's size).
    QPushButton* SavePlotsButton;
    // "Irudiak": the values of the chosen field, cell by cell, one colour per cell.
    QComboBox* PlotFieldCombo;
    QChartView* PlotView;

    // Runs the design in the editor. False when it has an error (shown in StatusLabel) or the
    // run was cancelled.
    bool RunDesign();
    // Loads or saves a design file (as the buttons do after their file dialogs).
    bool LoadDesign(const std::filesystem::path& path);
    bool SaveDesign(const std::filesystem::path& path);
    bool SaveReport(const std::filesystem::path& path);
    bool SaveValues(const std::filesystem::path& path);
    bool SavePlots(const std::filesystem::path& folder);
    void AddToList();

  private:
    void FormToText();
    void TextToForm();
    bool Syncing_ = false;
    std::filesystem::path AppDir_;
    std::filesystem::path DesignFolder_; // where a relative "pool items FILE" is looked for
    AppendItems Append_;
    std::unique_ptr<Feedback> OwnFeedback_;
    Feedback* Feedback_;
    std::unique_ptr<Workspace> Ws_;              // the selector's own, read on the first run
    std::vector<std::vector<std::string>> Rows_; // the items of each row, cell by cell
    std::vector<std::string> CellNames_;         // the design's cells, in the rows' order
    std::string ReportTsv_, ReportText_;         // the last run's report (UTF-8)
    std::vector<std::pair<std::string, std::string>> Plots_; // file name, SVG
    // Per plotted field, the unrounded values of each cell's items, and the cell names.
    std::vector<std::vector<std::vector<double>>> PlotValues_;
    std::vector<std::string> PlotCells_;
    std::string ValuesTsv_; // the values view as --long writes it
    void ShowPlot(int index);
    void ShowValues(const Selection& selection, const MeasuredItems& pool);
};

} // namespace zirtel
