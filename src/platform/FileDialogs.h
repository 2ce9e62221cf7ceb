#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>
#include <map>
#include <optional>

namespace rer {

// The kinds of data file; each kind's dialogs start where one of its kind
// was last opened or saved.
enum class FileKind { Other, Position, Parameter, Group, Macro };

// One use of the common file dialog.
struct FileDialogRequest {
    FileKind kind = FileKind::Other;
    QString title;
    // Pairs of description and pattern separated by "|":
    // "Position Data(*.kzd)|*.kzd|All files(*.*)|*.*".
    QString filter;
    QString fileName;       // proposed name (Save As) or start file
    QString defaultExt;     // added to a name typed without extension
    bool mustExist = false; // Open: the file must exist
    bool confirmOverwrite = false; // Save As: ask before replacing
    // The folder the dialog starts in (empty: the working folder); open()
    // and save() fill it in from the folders of the run.
    QString folder;
};

// Where the file dialogs of the run start: the folder of the file of the
// same kind last opened or saved through one; before the first of a kind,
// the folder of the last file of any kind; before any, none (the working
// folder).
class FileFolders {
public:
    QString startFolder(FileKind kind) const;
    // A file chosen in a dialog of that kind.
    void remember(FileKind kind, const QString& path);

private:
    std::map<FileKind, QString> folders_;
    QString last_;
};

// The Open, Save As and print dialogs. Cancel gives nothing.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The dialog, started in the folder of the request's kind; a file chosen
    // moves that kind's folder to its own.
    std::optional<QString> open(FileDialogRequest r);
    std::optional<QString> save(FileDialogRequest r);
    // The print dialog: false when cancelled.
    virtual bool printer() = 0;
    // The printer set-up: the printer, paper and orientation that later
    // prints start from; nothing is printed. False when cancelled.
    virtual bool pageSetup(int16_t languageNo) = 0;

    FileFolders folders;

protected:
    virtual std::optional<QString> showOpen(const FileDialogRequest& r) = 0;
    virtual std::optional<QString> showSave(const FileDialogRequest& r) = 0;
};

// The filter in Qt's form: "Position Data(*.kzd) (*.kzd);;All files(*.*) (*)".
// The dialog lists the descriptions alone, as the program words them, and
// matches with the patterns after them.
QString ToQtFilter(const QString& pairs);
// The path with the default extension added when the name has none.
QString WithDefaultExt(const QString& path, const QString& ext);

} // namespace rer
