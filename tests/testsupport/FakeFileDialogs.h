#pragma once
// File and print dialogs that answer from a script (a path, or nothing for
// Cancel) and record every request. An empty script cancels a file dialog
// and confirms the print dialog.
#include "platform/FileDialogs.h"

#include <QString>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace rer {

class FakeFileDialogs : public FileDialogs {
public:
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

protected:
    std::optional<QString> showOpen(const FileDialogRequest& r) override;
    std::optional<QString> showSave(const FileDialogRequest& r) override;

private:
    std::optional<QString> next();
};

} // namespace rer
