// TPseudowordForm ("Sasihitz-sortzailea"): makes pseudowords for templates taken from the entry
// line or the selected items, shows them in a table with a tick per row, appends the ticked ones
// to the item list ("Gehitu zerrendara") and saves the table. A bar and "Utzi" show and stop a
// run between walks.
#pragma once

#include <QAbstractTableModel>
#include <QMainWindow>
#include <functional>
#include <memory>
#include <vector>

#include "core/generator/pseudoword_generator.h"
#include "core/lexicon/spelling_dictionary.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableView;

namespace zirtel {

class TMainForm;

// The results: a tick column, then the generator's columns.
class PseudowordModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;
    void SetRows(std::vector<GeneratedPseudoword> rows);
    const std::vector<GeneratedPseudoword>& Rows() const { return Rows_; }
    bool Ticked(int row) const { return Ticks_[static_cast<std::size_t>(row)]; }
    // Ticks every row.
    void TickAll();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  private:
    std::vector<GeneratedPseudoword> Rows_;
    std::vector<std::vector<std::string>> Cells_;
    std::vector<bool> Ticks_;
};

class TPseudowordForm : public QMainWindow {
    Q_OBJECT
  public:
    explicit TPseudowordForm(TMainForm& main, QWidget* parent = nullptr);

    QPlainTextEdit* TemplatesEdit;
    QSpinBox* NBox;
    QLineEdit* OverlapEdit;
    QLineEdit* SeedEdit;
    QCheckBox* LengthBox;
    QCheckBox* ForeignWordsBox;
    QCheckBox* NotSpanishBox;
    QSpinBox* MaxSpanishNBox;
    QCheckBox* DictionaryWordsBox; // words of the Basque spelling dictionary allowed
    QLineEdit* ExcludeEdit;
    QPushButton* ExcludeBtn;
    QPushButton* GenerateBtn;
    QTableView* ResultsView;
    QPushButton* AllBtn;      // "Guztiak": ticks every row
    QPushButton* LikenessBtn; // "Hitz-itxura": the word-likeness check of the rows
    QPushButton* AddBtn;
    QPushButton* SaveBtn;
    QProgressBar* ProgressBar1;
    QPushButton* CancelBtn;
    QLabel* StatusLabel;
    PseudowordModel* Model;

    // Chooses the file of the save dialog, and of the exclude file; empty when cancelled.
    // Tests replace them.
    std::function<QString()> ChooseSaveFile;
    std::function<QString()> ChooseExcludeFile;
    // Called between walks while a run goes on (tests press "Utzi" here).
    std::function<void()> DuringRun;

    // Fills the templates from the main window: its entry line, else its selected items; templates
    // typed or edited in the window are kept.
    void TakeTemplates();

  public slots:
    void GenerateBtnClick();
    void AddBtnClick();
    void AllBtnClick();
    void LikenessBtnClick();
    void SaveBtnClick();
    void ExcludeBtnClick();
    void CancelBtnClick();

  private:
    void SetRunning(bool running);
    TMainForm& Main_;
    bool Running_ = false;
    bool CancelPressed_ = false;
    // The Basque spelling dictionary, read on the first run that leaves its words out.
    std::unique_ptr<SpellingDictionary> Dictionary_;
};

} // namespace zirtel
