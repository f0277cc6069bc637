// TAnalysisOptionForm: the analysis options dialog ("Analisi-aukerak"). Its check boxes show and
// change the workspace's option state directly; OK and Cancel only close it (the ticks stay as
// the user left them either way).
#pragma once

#include <QDialog>
#include <map>

class QCheckBox;
class QGroupBox;
class QPushButton;

namespace zirtel {

class Workspace;

class TAnalysisOptionForm : public QDialog {
    Q_OBJECT
  public:
    TAnalysisOptionForm(Workspace& ws, QWidget* parent = nullptr);

    // Shows the boxes' ticks, captions and enabled states from the workspace.
    void Refresh();
    QCheckBox* Box(const QString& name) const { return Boxes_.at(name); }
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* User1LoadFile;
    QPushButton* User2LoadFile;
    QPushButton* User3LoadFile;

  public slots:
    void OKBtnClick();
    void CancelBtnClick();
    // "Bete": the main window's open dialog, then the chosen file into user field 1, 2 or 3.
    // The dialog stays open.
    void User1LoadFileClick();
    void User2LoadFileClick();
    void User3LoadFileClick();

  private:
    void LoadUserFile(int number);
    Workspace& WS_;
    std::map<QString, QCheckBox*> Boxes_;
};

} // namespace zirtel
