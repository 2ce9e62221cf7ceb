#pragma once
#include "app/Language.h"
#include "app/ProgramState.h"
#include "app/Settings.h"
#include "catalogue/CatalogueTables.h"
#include "files/GrpSmTables.h"
#include "files/ParaTables.h"
#include "files/PositionTables.h"
#include "files/PrintState.h"
#include "link/LinkState.h"
#include "mainwin/GridState.h"
#include "mainwin/MainState.h"
#include "mainwin/PositionJobState.h"
#include "motion/MotionState.h"
#include "platform/Beeper.h"
#include "platform/Clipboard.h"
#include "platform/FileDialogs.h"
#include "platform/HelpViewer.h"
#include "platform/MessageBoxes.h"
#include "platform/PrintSurface.h"
#include "platform/SerialPort.h"
#include "platform/SettingsStore.h"
#include "platform/SystemInfo.h"
#include "setup/ParamEditState.h"

#include <QString>

namespace rer {

// The platform layers the program runs on, all in one place. The program
// builds the Qt ones; a test builds doubles. The layers behind pointers may
// be absent (a test that does not need them) or set after construction.
struct Platform {
    MessageBoxes& msg;
    SettingsStore& store;
    SystemInfo& sys;
    HelpViewer& help;
    Clipboard& clipboard;
    Beeper& beeper;                     // a dropped key, a cut entry, a refused value
    FileDialogs* fileDialogs = nullptr; // Open, Save As and print dialogs
    PrintSurface* printer = nullptr;    // the printer the listings draw on
    SerialPort* serial = nullptr;       // the serial line the main window's link uses
};

// The one application object: program-wide state grouped by concern, and the
// platform layers. Nothing of it is global: a test builds a fresh one.
class AppContext {
public:
    explicit AppContext(Platform p) : platform(p), settings(p.store) {
        settings.setSaveFailureReport([this](const QString& where) { SettingsNotSaved(where); });
    }
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    Platform platform;
    Settings settings;

    ProgramOptions opt;
    ActuatorChoice dev;
    TeachSettings teach;
    CatalogueTables cat;      // actuator catalogue of both products
    MainState main;           // public variables of the main window
    GridState grid;           // the position grids of the main window
    PositionTables pos;       // position tables of both products
    PositionJobState posJob;  // position file and controller commands
    ParameterTables para;     // parameter records, file tables and factory lists
    ParamEditState paraEdit;  // flags of the parameter windows
    GroupState grp;           // group data
    MacroState sm;            // sequence macros
    PrintState print;         // print dialog choices and listing metrics
    LinkState link;           // controller link: flags, receive state, error list, I/O words
    MotionState motion;       // I/O monitor and motion-test flags

    QString programDir;        // the folder of the program and its list files
    QString helpFile;          // absolute path of the help file

    // Text of a literal pair in the language of the run.
    QString pick(const QString& jp, const QString& en) const {
        return PickText(opt.LanguageNo, jp, en);
    }
    // String-table text by its Japanese id.
    QString res(int id) const { return LoadResString(id + opt.ResOffset); }
    // Sets the language and keeps ResOffset in step with it.
    void setLanguage(int16_t no) {
        opt.LanguageNo = no;
        opt.ResOffset = no == 1 ? 0 : 10000;
    }

    static QString title() { return QStringLiteral("RER6O250"); }
    // A message box; an empty title gives the program's title.
    // A box waits in an event loop of its own: while it is up, a controller
    // job that shows it counts as waiting.
    MsgAnswer message(const QString& text, MsgButtons buttons = MsgButtons::Ok,
                      MsgIcon icon = MsgIcon::None, const QString& caption = QString()) {
        NestedWait waiting(link);
        return platform.msg.show(text, caption.isEmpty() ? title() : caption, icon, buttons);
    }
    // A file beside the program.
    QString programFile(const QString& name) const;

private:
    void SettingsNotSaved(const QString& where);
};

} // namespace rer
