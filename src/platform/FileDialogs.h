#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace rer {

// One use of the common file dialog.
struct FileDialogRequest {
    QString title;
    // Pairs of description and pattern separated by "|":
    // "Position Data(*.kzd)|*.kzd|All files(*.*)|*.*".
    QString filter;
    QString fileName;       // proposed name (Save As) or start file
    QString defaultExt;     // added to a name typed without extension
    bool mustExist = false; // Open: the file must exist
    bool confirmOverwrite = false; // Save As: ask before replacing
};

// The Open, Save As and print dialogs. Cancel gives nothing.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual std::optional<QString> open(const FileDialogRequest& r) = 0;
    virtual std::optional<QString> save(const FileDialogRequest& r) = 0;
    // The print dialog: false when cancelled.
    virtual bool printer() = 0;
    // The printer set-up: the printer, paper and orientation that later
    // prints start from; nothing is printed. False when cancelled.
    virtual bool pageSetup(int16_t languageNo) = 0;
};

// The filter in Qt's form: "Position Data(*.kzd) (*.kzd);;All files(*.*) (*)".
QString ToQtFilter(const QString& pairs);
// The path with the default extension added when the name has none.
QString WithDefaultExt(const QString& path, const QString& ext);

// Test double: answers from a script (a path, or nothing for Cancel) and
// records every request. An empty script cancels.
class FakeFileDialogs : public FileDialogs {
public:
    std::optional<QString> open(const FileDialogRequest& r) override;
    std::optional<QString> save(const FileDialogRequest& r) override;
    bool printer() override;
    bool pageSetup(int16_t languageNo) override;

    void answer(std::optional<QString> path) { paths.push_back(std::move(path)); }
    void answerPrinter(bool ok) { printerAnswers.push_back(ok); }

    std::deque<std::optional<QString>> paths;
    std::deque<bool> printerAnswers;
    std::vector<FileDialogRequest> opened;
    std::vector<FileDialogRequest> saved;
    int printerShown = 0;
    int pageSetupShown = 0;

private:
    std::optional<QString> next();
};

} // namespace rer
