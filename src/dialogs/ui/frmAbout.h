#pragma once
#include <QDialog>

class QLabel;
class QPushButton;

namespace rer {

class AppContext;
class SysInfoTools;

// The about box: title, version and description of the product in use, the
// caution with the maker's home-page address, and the button that starts
// the system-information program.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    frmAbout(AppContext& ctx, SysInfoTools& tools, QWidget* parent = nullptr);

    QLabel* label(const QString& name) const;
    QPushButton* cmdOK() const { return cmdOK_; }
    QPushButton* cmdSysInfo() const { return cmdSysInfo_; }

    void cmdOK_Click();
    void cmdSysInfo_Click();
    // Finds and starts the system-information program; the message when
    // there is none. The box stays open.
    void StartSysInfo();

private:
    void Form_Load();

    AppContext& ctx_;
    SysInfoTools& tools_;
    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblTitle2 = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QLabel* lblHpAddress = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdSysInfo_ = nullptr;
};

} // namespace rer
