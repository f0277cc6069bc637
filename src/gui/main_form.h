// TMainForm: the main window. It owns the run's Workspace and forwards every user action to an
// engine operation, then shows the engine's grids again.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/analysis/results_style.h"
#include "core/analysis/workspace.h"
#include "gui/grid_presenter.h"
#include "gui/qt_feedback.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableView;
class QTableWidget;
class QFileDialog;

namespace zirtel {

class GridModel;
class TPseudowordForm;
class TSelectorWindow;

class TMainForm : public QMainWindow {
    Q_OBJECT
  public:
    // `appDir` is the program's data folder; `feedback` may be replaced in tests.
    TMainForm(std::filesystem::path appDir, Feedback* feedback = nullptr,
              QWidget* parent = nullptr);
    ~TMainForm() override;

    // The rest of start-up, once the window is shown: lexicon, user field 1, the input file.
    void Startup(const std::optional<std::filesystem::path>& inputFile);

    Workspace& WS() { return *WS_; }
    // What the grids' views show besides the cells: selections, top rows, widths.
    GridPresenter& Grids() { return *Grids_; }
    Feedback& UI() { return *Feedback_; }
    // Shows the engine's grids as they are now (the workspace calls it after each operation).
    void RefreshGrids();
    // Whether analysed results are shown that have not been saved since they changed.
    bool HasUnsavedResults() const;

    // Components
    QWidget* Panel1;
    QPushButton* Button1;
    QLabel* Label2;
    QLineEdit* EditLine;
    QPushButton* SingleItemBtn1;
    QPushButton* AnalyseAllBtn;
    QPushButton* SummaryBtn;
    QTableView* StimulusGrid;
    QTableView* OutputGrid;
    QTableWidget* SummaryGrid;
    // The filter line above the results ("N > 3") and the counter of the rows it shows.
    QWidget* FilterPanel;
    QLineEdit* FilterLine;
    QLabel* FilterCount;
    QMenu* PopupMenu1;

    // Menu commands
    QAction *NewInputFile1, *OpenInputFile1, *SaveOutputFile1, *Exit1;
    // "Gorde irteerako estatistikoak (TSV R/Python)": the plain table, missing values as the
    // view options' text (NA unless another is chosen).
    QAction* SaveOutputFile2;
    // "Gorde ezarpenak" / "Kargatu ezarpenak": the settings as a batch run's --settings file.
    QAction *SaveSettings1, *LoadSettings1;
    // "Azken fitxategiak": the items files read in this run, the last first.
    QMenu* RecentFiles1;
    QAction *Copy2, *Paste1;
    QAction *NeighbourStats1, *SelectedItems1, *Options1;
    QAction *Wholeword1, *Lemmas1;
    QAction* View1;
    QAction *MainWindow1, *Neighbourlist1, *Phonneighlist1, *Pseudowords1;
    QAction *Instructions1, *OutputFields1, *About1;
    QAction *Instructions3, *Instructions2, *About2;
    QAction *Copy1, *Copyall1;
    QAction* Selector1; // "Estimuluen hautatzailea"
    // "&Histograma" (window menu) and "Histograma" (the results' pop-up): the current column.
    QAction *Histogram1, *Histogram2;
    class THistogramWindow* HistogramWindow = nullptr; // made on first use
    // Enters the items (Latin-1) as typed entries, skipping those already in the list.
    // With `own`, each item's own cells for the columns "cell" and "row" (the selector's design
    // cell and row), which the list gets when it lacks them.
    void AppendItems(const std::vector<std::string>& items,
                     const std::vector<std::vector<std::string>>& own = {});

    // The folder the open and save dialogs start in (the input file's folder once one is read).
    QString DialogDir;
    // Chooses the file of the open dialog ("Open File"); empty when cancelled. Tests replace it.
    std::function<QString()> ChooseOpenFile;
    // Chooses the file of the save dialog ("Save File"); empty when cancelled. Tests replace it.
    std::function<QString()> ChooseSaveFile;
    // With a filter that hides rows, whether Save writes every row (true) or the shown ones;
    // nothing cancels the save. Asks by default; tests replace it.
    std::function<std::optional<bool>()> ChooseSaveAllRows;
    // The settings file to write or to read (JSON); empty when cancelled. Tests replace them.
    std::function<QString()> ChooseSettingsToSave, ChooseSettingsToOpen;
    // Reads an items file as "Ireki sarrerako fitxategia" does once it is chosen (asks about
    // unsaved results first); it joins the recent files.
    void OpenItemsFile(const QString& path);

  public slots:
    void NewInputFile1Click();
    void OpenInputFile1Click();
    void SaveOutputFile1Click();
    void SaveOutputFile2Click();
    void SaveSettings1Click();
    void LoadSettings1Click();
    void Copy2Click();
    void Copy1Click();
    void Copyall1Click();
    void Exit1Click();
    void Paste1Click();
    void NeighbourStats1Click();
    void SelectedItems1Click();
    void Options1Click();
    void Selector1Click();
    void Histogram1Click();
    void Wholeword1Click();
    void Lemmas1Click();
    void Neighbourlist1Click();
    void Phonneighlist1Click();
    // "&Sasihitz-sortzailea": shows the generator window, its templates taken from the entry
    // line or the selected items.
    void Pseudowords1Click();
    void Button1Click();
    void SingleItemBtn1Click();
    void AnalyseAllBtnClick();
    void OnEditLineKeyDown();
    void StimulusGridKeyDown(int row);
    void StimulusGridMouseDown();
    void OutputGridMouseDown(const QModelIndex& index);
    void OutputGridHeaderClick(int col);
    // A click on a results column's header: the rows sorted by its values; a second click on
    // the same header reverses the order.
    void OutputGridHeaderSort(int col);
    // Enter in the filter line: the rows that meet its condition are shown (all of them when
    // the line is empty).
    void FilterLineEntered();
    void OutputGridSelectCell();
    // Help menus and the view options (help files come from the program's data folder).
    void Instructions1Click();
    void Instructions3Click();
    void OutputFields1Click();
    void Instructions2Click();
    void About1Click();
    void About2Click();
    void View1Click();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // An items file dropped on the window is opened.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Unsaved results: "Gorde gabeko emaitzak daude. Gorde irten aurretik?" first.
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildMenus();
    void BuildPanel();
    void BuildGrids();
    void BuildFilterPanel();
    // Hides the rows the filter leaves out, and updates the counter.
    void ApplyFilter();
    // Runs the options dialog; on OK assigns the columns and analyses all items.
    void RunOptionsDialog();
    void UpdateVisibleRows();
    // Draws the items at the height of their results (see the definition).
    void AlignItemRows();
    bool EditLineLatin1(std::string& out);
    // Takes the results view's selection into the presenter before a copy.
    void ReadOutputSelection();
    // Saves the results through the save dialog; false when cancelled or not saved.
    bool SaveResults();
    bool SaveResults(ResultsStyle style, const char* defaultSuffix);
    // Asks `question` about unsaved results before they are lost (the window closes, a new list,
    // an input file): "Gorde", "Ez gorde" or "Utzi"; false cancels what was to follow.
    bool ConfirmDiscard(const char* question);
    // A results column the user resized: its width is kept, also for the field's column after
    // the columns are assigned again.
    void OutputColumnResized(int col, int newSize);
    // The fingerprint of the results (headers and field cells) when they were last saved.
    std::optional<std::uint64_t> SavedResults_;
    // ... and of the results the user chose not to save (not asked about again).
    std::optional<std::uint64_t> DiscardedResults_;
    // The control that opened the pop-up menu last.
    QPointer<QWidget> PopupComponent_;

    TPseudowordForm* PseudowordForm_ = nullptr; // made on first use
    std::unique_ptr<QtFeedback> OwnFeedback_;
    Feedback* Feedback_;
    std::unique_ptr<Workspace> WS_;
    std::unique_ptr<GridPresenter> Grids_;
    GridModel* OutputModel_;
    GridModel* StimulusModel_;
    bool Syncing_ = false;
    TSelectorWindow* Selector_ = nullptr; // created on first use
    // Where the last mouse press in the results grid's cells was (viewport x).
    int OutputPressX_ = 0;
    QStringList Recent_; // the recent items files, the last first
    void UpdateRecentFiles();
    void RememberItemsFile(const QString& path);
    QWidget* StimulusFoot_ = nullptr; // below the items, as high as the results' scroll bar
    // The column the rows were last sorted by, and whether the other way round.
    int SortCol_ = 0;
    bool SortDescending_ = false;
};

} // namespace zirtel
