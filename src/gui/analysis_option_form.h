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

  private:
    Workspace& WS_;
    std::map<QString, QCheckBox*> Boxes_;
};

} // namespace zirtel
