// The neighbour list windows: TNeighWindow ("Orto-auzokide zerrenda") lists each analysed item's
// orthographic neighbours, TPhonNeighWindow ("Fon-auzokide zerrenda") its phonological ones,
// by kind and position. Both show an engine NeighbourList, save it as two-column text, follow the
// selected result row, and select an item in the results when its first row is clicked.
#pragma once

#include <string>
#include <string_view>

#include <QMainWindow>
#include <functional>

#include "core/feedback/messages.h"

class QAction;
class QLabel;
class QMenuBar;
class QTableView;

namespace zirtel {

class GridModel;
class NeighbourList;
class TMainForm;
class Workspace;

class NeighbourListWindow : public QMainWindow {
    Q_OBJECT
  public:
    struct Texts {
        const char* Caption;
        // The message of a save that failed, naming the file and why.
        Message (*SaveFailed)(std::string_view path, std::string_view reason);
        // Said below the list while none of the fields that fill it is shown.
        std::string NoFieldsText;
        bool (*Filled)(const Workspace&) = nullptr;
    };
    NeighbourListWindow(TMainForm& main, NeighbourList& list, Texts texts,
                        QWidget* parent = nullptr);

    QTableView* NeighList;
    QMenuBar* NeighMenu;
    QAction* Saveneighbourlist1;
    QAction* Exit1;
    QAction* MainForm1;
    QAction* NeighbourList1;
    QLabel* NoFieldsLabel; // in the status bar, shown while the list cannot fill
    // Chooses the file of the save dialog ("Save File"); empty when cancelled. Tests replace it.
    std::function<QString()> ChooseSaveFile;

    // Shows the list's current content.
    void RefreshList();
    NeighbourList& List() { return List_; }

  public slots:
    void Saveneighbourlist1Click();
    void MainForm1Click();
    void NeighListClick(const QModelIndex& index);

  private:
    TMainForm& Main_;
    NeighbourList& List_;
    Texts Texts_;
    GridModel* Model_;
};

class TNeighWindow : public NeighbourListWindow {
    Q_OBJECT
  public:
    explicit TNeighWindow(TMainForm& main, QWidget* parent = nullptr);
};

class TPhonNeighWindow : public NeighbourListWindow {
    Q_OBJECT
  public:
    explicit TPhonNeighWindow(TMainForm& main, QWidget* parent = nullptr);
};

} // namespace zirtel
