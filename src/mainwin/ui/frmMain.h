#pragma once
#include "app/MainWindowPort.h"

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <functional>
#include <vector>

class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableView;
class QTimer;
class QToolBar;

namespace rer {

class AppContext;

// The main window of either product.
//
// Every button, menu item and toolbar button runs a named command. A command
// is "built" once a handler is registered for it; a control whose command is
// not built stays disabled whatever the enable families say.
class frmMain : public QMainWindow, public MainWindowPort {
    Q_OBJECT
public:
    explicit frmMain(AppContext& ctx, QWidget* parent = nullptr);
    ~frmMain() override;

    // MainWindowPort
    void Show() override;
    void GridInit(Product p) override;
    void ChangeDevice(Product p) override;
    void SetDeviceLabel(Product p, int axis, const QString& text) override;
    void SetStatusPanel(int panel, const QString& text) override;
    void FocusDummy() override;

    void Form_Load();
    AppContext& ctx() { return ctx_; }
    bool loaded() const { return loaded_; }

    // Enable and disable families. They nest: each _Muko starts a frame over
    // its controls and the matching _Yuko ends it; a control is on again only
    // when every frame over it has ended. The line commands are a state
    // rather than a frame: LineCmd_Muko (also the line part of CMDBTN_Muko
    // and Menyu_Muko) puts them off until LineCmd_Yuko.
    void CMDBTN_Muko();
    void CMDBTN_Yuko();
    void ToolBar_Muko();
    void ToolBar_Yuko();
    void Menyu_Muko();
    void Menyu_Yuko();
    void CTModeChange_Muko();
    void CTModeChange_Yuko();
    void LineCmd_Muko();
    void LineCmd_Yuko();
    // A frame over one button (cmdReset, cmdChangeDev, cmdChangeDevW3k).
    void Button_Muko(const QString& name);
    void Button_Yuko(const QString& name);

    // While a controller job holds the controller, the commands that would
    // start another one, and those that change what a job relies on (the
    // actuator, the options), are off; they come back as they were. While
    // the job is this window's own (a position read, write or verification,
    // a reset, a mode change, the version, the options, an actuator change)
    // the grid is locked too: its cells take no edit and the line and
    // clipboard commands are off, whatever the grid's focus asks.
    void setControllerBusy(bool busy);
    bool gridLocked() const { return gridLocked_; }

    void Culc_MaxPulse();
    void Culc_W3KMaxPulse();
    void W6flgdData_Init();
    void W3KflgdData_Init();
    void Change_DispUnit();
    void Change_W3kDispUnit();
    void PosiDataCheck();
    void W3kPosiDataCheck();
    void cmdChangeDev_Click();
    void cmdChangeDevW3k_Click();

    void mnuFileExit_Click();
    void tbToolBar_ButtonClick(const QString& key);
    void mnuViewToolBar_Click();
    void mnuViewStatusBar_Click();
    void mnuHelpContents_Click();

    // Commands: a handler for a name makes every control of that name usable.
    void registerCommand(const QString& command, std::function<void()> handler);
    bool hasCommand(const QString& command) const { return commands_.contains(command); }
    void runCommand(const QString& command);
    // The command a button, menu item or toolbar button runs; empty for others.
    QString commandOf(const QObject* control) const;

    // Controls by their names, for the other windows and the tests.
    QAction* menuItem(const QString& name) const;
    QMenu* menu(const QString& name) const;
    QPushButton* button(const QString& name) const;
    QAction* toolButton(int position) const; // 1..12, nullptr for separators
    QLabel* label(const QString& name) const;
    QTableView* grid(Product p) const;
    QToolBar* toolBar() const { return tbToolBar; }
    QLineEdit* txtDummy() const { return txtDummy_; }
    QLabel* statusPanel(int panel) const;

    // The change mark of the grid in use ("DataChange" or empty).
    QString gridTag(Product p) const;

Q_SIGNALS:
    // The window closed: the program ends.
    void programEnded();
    // The grid was locked for a job of this window (true) or freed (false).
    void gridLockChanged(bool locked);

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    struct Control {
        QObject* object;        // QAction or QWidget
        QString command;        // empty for a menu or submenu
        int off = 0;            // family frames that hold it off
        bool lineOff = false;   // the line commands' state
        bool jobStart = false;  // off while the controller is busy
        bool gridEdit = false;  // off while the grid is locked
    };

    void buildMenus();
    void buildToolBar();
    void buildStatusFrame(QWidget* parent);
    void buildDataFrame(QWidget* parent);
    void buildStatusBar();
    void MainCaption_Init();
    void Form_Unload();
    QAction* addItem(QMenu* m, const QString& name, const QString& command,
                     const QKeySequence& shortcut = {});
    QPushButton* addButton(QWidget* parent, const QString& name, const QString& command);
    void track(QObject* o, const QString& command);
    Control* control(QObject* o);
    // Starts (on = false) or ends (on = true) a family frame over o.
    void frame(QObject* o, bool on);
    void setLineOff(QObject* o, bool off);
    void apply(Control& c);
    void markJobStarters();
    // The line and clipboard commands (LineCmd_Muko / LineCmd_Yuko).
    QList<QObject*> lineCommands() const;
    void updateClock();
    // A bar the user hid: the window's height before and the height the
    // hide left.
    struct HiddenBar {
        int before = 0;
        int left = 0;
    };
    // Hides or shows a bar of the window and makes the window shorter by
    // the bar's height or taller by what hiding it took.
    void showBar(QWidget* bar, bool show, HiddenBar& hidden);

    AppContext& ctx_;
    bool loaded_ = false;
    bool closing_ = false;
    bool closeWhenFree_ = false; // closed while a job waited for the controller
    bool controllerBusy_ = false;
    bool gridLocked_ = false;
    HiddenBar toolBarHidden_;
    HiddenBar statusBarHidden_;

    QHash<QString, std::function<void()>> commands_;
    std::vector<Control> controls_;
    QHash<QString, QAction*> items_;
    QHash<QString, QMenu*> menus_;
    QHash<QString, QPushButton*> buttons_;
    QHash<QString, QLabel*> labels_;
    std::vector<QAction*> toolButtons_; // index 1..12

    QToolBar* tbToolBar = nullptr;
    QGroupBox* frmTrancefer = nullptr;
    QGroupBox* frmDataEdit = nullptr;
    QFrame* pictureW6Device = nullptr;
    QFrame* pictureW3kDevice = nullptr;
    QLabel* pictureLogo2 = nullptr;
    QTableView* flgdData = nullptr;
    QTableView* flgdDataW3k = nullptr;
    QLineEdit* txtEdit = nullptr;
    QLineEdit* txtDummy_ = nullptr;
    std::vector<QLabel*> statusPanels_;
    QTimer* clock_ = nullptr;
};

} // namespace rer
