#pragma once
#include "dialogs/GrpSmEditor.h"

#include <QString>
#include <QWidget>
#include <functional>
#include <initializer_list>

class QCloseEvent;
class QLayout;
class QPushButton;

namespace rer {

class AppContext;

// A push button carrying its control name.
QPushButton* NamedButton(QWidget* parent, const char* name, const QString& caption);

// What the group-data and the sequence-macro windows share: a window of its
// own (not modal) carrying its name and caption, deleted when closed, with
// its table on the left and its commands on the right, that stays open while
// one of its commands runs and asks before it gives edits up.
class GrpSmWindow : public QWidget {
    Q_OBJECT
public:
    GrpSmWindow(AppContext& ctx, QWidget* parent, const char* name, Words caption);

protected:
    QString say(Words w) const;
    // A command button: its control name, its caption, what a click runs.
    QPushButton* command(const char* name, Words caption, std::function<void()> click);
    // Close, which closes the window.
    QPushButton* closeCommand(const char* name);
    // The table on the left; on the right `head` (when given), the commands
    // and, at the foot, Close.
    void layOut(QLayout* table, QWidget* head, std::initializer_list<QPushButton*> commands, QPushButton* close);
    // The commands that start a controller job: off while another window's
    // job holds the controller.
    void gateControllerCommands(std::initializer_list<QPushButton*> commands);
    // 500 twips right of and below the main window's top-left corner.
    void placeBesideMainWindow();

    // The window's logic.
    virtual GrpSmEditor& tableEditor() = 0;
    // Text typed into a box that still has the focus goes to the table.
    virtual void storeFocusedBox() {}
    // The title's mark: the table changed since the opening or the last
    // open, save, read or write.
    void showModified();
    // Stays open while a command runs, and when the user keeps the edits.
    void closeEvent(QCloseEvent* e) override;

    AppContext& ctx_;
};

} // namespace rer
