#pragma once
#include "platform/FileDialogs.h"

class QPrinter;

namespace rer {

// QFileDialog, QPrintDialog and the printer set-up; both printer dialogs set
// up the printer that the listings then print on.
class QtFileDialogs : public FileDialogs {
public:
    explicit QtFileDialogs(QPrinter& printer) : printer_(printer) {}
    bool printer() override;
    bool pageSetup(int16_t languageNo) override;

protected:
    std::optional<QString> showOpen(const FileDialogRequest& r) override;
    std::optional<QString> showSave(const FileDialogRequest& r) override;

private:
    QPrinter& printer_;
};

} // namespace rer
