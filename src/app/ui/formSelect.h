#pragma once
#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace rer {

class AppContext;
class MainWindowPort;

// The first window: which controller is connected. Enter answers with OK
// (a focused button with itself), Escape and the close box with Exit.
class formSelect : public QDialog {
    Q_OBJECT
public:
    formSelect(AppContext& ctx, MainWindowPort& main, QWidget* parent = nullptr);

    // Version label, language, show, then the program-wide options.
    void Form_Load();

    void cmdOK_Click();
    void cmdExit_Click();
    void cmdHelp_Click();

    QRadioButton* optCTtype(int i) const { return opt_[i]; }

    // Escape and the close box: Exit.
    void reject() override;

Q_SIGNALS:
    // Exit: the program ends.
    void exitRequested();

private:
    AppContext& ctx_;
    MainWindowPort& main_;
    QGroupBox* Frame1;
    QRadioButton* opt_[2];
    QPushButton* cmdOK;
    QPushButton* cmdExit;
    QPushButton* cmdHelp;
    QLabel* lblVersion;
    bool done_ = false;
};

} // namespace rer
