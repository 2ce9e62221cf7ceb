#pragma once
#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace rer {

class AppContext;

// What to print of the position data (grid or a file), the range and the
// line spacing. The parameter section is offered but never prints.
class frmPrintSelect : public QDialog {
    Q_OBJECT
public:
    frmPrintSelect(AppContext& ctx, QWidget* parent = nullptr);

    bool PrintCancel = false;
    bool GridPosiPrint = false;
    bool FilePosiPrint = false;
    bool CtrlParaPrint = false;
    bool FileParaPrint = false;
    QString PrintPosiFileName;
    QString PrintParaFileName;

    void cmdPrintSet_Click();
    void cmdSelectPosiFile_Click();
    void cmdSelectParaFile_Click();
    void reject() override; // Cancel, Escape and the close box

    QCheckBox* chkPrintPosi() const { return chkPrintPosi_; }
    QCheckBox* chkPrintPara() const { return chkPrintPara_; }
    QCheckBox* chkPrintGyokanS() const { return chkPrintGyokanS_; }
    QRadioButton* optPrintPosi(int i) const { return optPosi_[i]; }
    QRadioButton* optPrintPara(int i) const { return optPara_[i]; }
    QLineEdit* txtPrintStartPosi() const { return txtStart_; }
    QLineEdit* txtPrintEndPosi() const { return txtEnd_; }
    QLabel* lblPrintPosiName() const { return lblPosiName_; }
    QPushButton* cmdPrintSet() const { return cmdPrintSet_; }

    // Number of beeps given so far (a rejected range entry beeps).
    int beeps = 0;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void chkPrintPosi_Click();
    void chkPrintPara_Click();
    void optPrintPosi_Click();
    void optPrintPara_Click();
    void rangeLostFocus(bool start);
    void beep();
    bool fileChosen(QLabel* name, const QString& placeholder) const;
    QString posiPlaceholder() const;
    QString paraPlaceholder() const;

    AppContext& ctx_;
    QCheckBox* chkPrintPosi_;
    QCheckBox* chkPrintPara_;
    QCheckBox* chkPrintGyokanS_;
    QRadioButton* optPosi_[2];
    QRadioButton* optPara_[2];
    QLabel* lblPosiName_;
    QLabel* lblParaName_;
    QPushButton* cmdSelectPosiFile_;
    QPushButton* cmdSelectParaFile_;
    QLineEdit* txtStart_;
    QLineEdit* txtEnd_;
    QPushButton* cmdPrintSet_;
};

} // namespace rer
