// TSelectorWindow: "Estimuluen hautatzailea", the stimulus selector in a window. The design is
// built in the form (pool, lemmas, filter/split/control lines, rows, reference choice, seed),
// written in the editor, or loaded from a design file (and saved to one): form and editor follow
// each other; "Hautatu" measures the
// pool and generates the rows under a progress dialog that "Utzi" cancels; the rows fill the
// table; "Gehitu zerrendara" hands the chosen items (those of the selected rows, or of every
// row) to the main window's item list.
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

namespace zirtel {

class Feedback;
class Workspace;

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
    QTableWidget* RowsTable;

    // Runs the design in the editor. False when it has an error (shown in StatusLabel) or the
    // run was cancelled.
    bool RunDesign();
    // Loads or saves a design file (as the buttons do after their file dialogs).
    bool LoadDesign(const std::filesystem::path& path);
    bool SaveDesign(const std::filesystem::path& path);
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
};

} // namespace zirtel
