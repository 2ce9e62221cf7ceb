#pragma once
#include "app/EditsQuestion.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace rer {

class AppContext;
class ControllerLink;
struct FileDialogRequest;
struct FileReadFailure;

// A literal text in both languages, Japanese first.
struct Words {
    const char* jp;
    const char* en;
};

// The number a row or step box stands for: its leading number, whole, within
// the range of a table cell; an empty box gives 0.
int16_t BoxNumber(const QString& text);

// What the group data and the sequence macros each have of their own: the
// file dialogs' filter and proposed name, and the services over the editor
// table (GrpData, SmData), the file table (GrpFileData, SmFileData) and their
// flags in the program's state.
struct TableKind {
    FileKind fileKind;           // the dialogs remember their folder per kind
    Words filter;
    const char* defaultExt;
    Words saveTitle;
    const char* saveName;
    Words saveInvalid;           // the check refused the table to be saved
    // Told by the window when the writer fails, over the file and the
    // reason (none: the writer tells).
    std::optional<Words> saveError;

    int (*ReadFromCt)(ControllerLink&);  // into the file table
    int (*WriteToCt)(ControllerLink&);   // from the editor table
    bool (*ReadFile)(AppContext&, const QString&, FileReadFailure*);
    // The reason of a failure in the last argument.
    bool (*WriteFile)(AppContext&, const QString&, QString*);
    void (*FileToEdit)(AppContext&);
    void (*EditToFile)(AppContext&);
    void (*Compare)(AppContext&);        // editor table against the file table
    bool (*Print)(AppContext&);          // the file table

    struct Flags {
        bool& FileError;        // the reader failed
        QString& FileName;      // the name the listing shows
        const bool& DiffFlag;   // the comparison found differences
        const QString& DiffText; // the differing numbers, " 2, 5,"
    };
    Flags (*flags)(AppContext&);
};

// The texts of a verification that found differences: the heading and what
// stands before the differing numbers.
struct VerifyWords {
    Words heading;
    Words numbers;
};

// The logic the group-data and the sequence-macro windows share: the frame of
// a command (the window's commands off for its whole run, a busy count), and
// the runs of the commands that read, write and verify against the controller
// or a file, open, save and print.
class GrpSmEditor {
public:
    GrpSmEditor(const GrpSmEditor&) = delete;
    GrpSmEditor& operator=(const GrpSmEditor&) = delete;

    // True while a command runs (the window must not close meanwhile).
    bool busy() const { return busy_ > 0; }

    // The editor table differs from what the window's opening, or the last
    // open, save, read or write left in it.
    bool modified() const { return tableImage() != clean_; }
    // Before the window closes: false while a command runs, or when the
    // user keeps the edits (Cancel, or a save that did not go through).
    bool mayClose();

    // What a command switches off while it runs: the window's commands, or
    // those and what chooses the part of the table on show.
    enum class Scope { Commands, All };
    struct Frame {
        Scope off;
        Scope on;
    };

protected:
    GrpSmEditor(AppContext& ctx, const TableKind& kind) : ctx_(ctx), kind_(kind) {}
    virtual ~GrpSmEditor() = default;

    // One command: off as the frame says for the whole run, on again on every
    // path.
    class Command;

    // The window's parts the runs use.
    virtual void commandsOff(Scope scope) = 0;
    virtual void commandsOn(Scope scope) = 0;
    virtual void showTable() = 0;
    // Checks the whole editor table; true when it is valid. Shows nothing.
    virtual bool checkTable() = 0;
    // The whole table becomes the range of what the table has one for (the
    // check and the comparison of the groups, the listing of the macros).
    virtual void wholeTable() = 0;
    // What of the editor table the user edits, in a form to compare.
    virtual std::vector<int16_t> tableImage() const = 0;
    // The editor table as it stands is that of a file or the controller.
    void markClean() { clean_ = tableImage(); }

    // The runs. Those with the controller hold it from start to end; a
    // request while another job holds it does nothing. `invalid` is the
    // message when the check fails; `refusal` what the window tells, over
    // the file's name and why, when the reader refused the file chosen and
    // has not told itself (a file of another kind it has).
    void readFromController(Frame f, Words question);
    void writeToController(Frame f, Words invalid, Words question);
    void verifyWithController(Frame f, Words invalid, const VerifyWords& result);
    void openFile(Frame f, Words title, Words refusal);
    void verifyWithFile(Frame f, Words invalid, Words title, Words refusal, const VerifyWords& result);
    void saveFile(Frame f);
    // Check; the question (when given); the editor table printed as
    // "INDICATED DATA".
    void printIndicated(Frame f, Words invalid, std::optional<Words> question);
    // The end of Print File, inside the caller's Command: the file chosen in
    // an open dialog, read and printed under its name.
    void printChosenFile(Words title, Words refusal);

    QString say(Words w) const;
    // OK/Cancel or Yes/No with the question icon; true on OK or Yes.
    bool ask(Words question, MsgButtons buttons);

    AppContext& ctx_;

private:
    bool checked(Words invalid);
    // Inside a command: check, Save As and write; true when written.
    bool saveTable();
    // Inside a command: asks before the edits are given up.
    bool mayGiveUpEdits(EditsAt at);
    bool readController();
    FileDialogRequest fileRequest(Words title) const;
    std::optional<QString> chooseAndRead(Words title, Words refusal);
    void showVerifyResult(const VerifyWords& result);

    const TableKind& kind_;
    int busy_ = 0;
    std::vector<int16_t> clean_;
};

class GrpSmEditor::Command {
public:
    Command(GrpSmEditor& e, Frame f) : e_(e), on_(f.on) {
        ++e_.busy_;
        e_.commandsOff(f.off);
    }
    ~Command() {
        e_.commandsOn(on_);
        --e_.busy_;
    }
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;

private:
    GrpSmEditor& e_;
    Scope on_;
};

} // namespace rer
