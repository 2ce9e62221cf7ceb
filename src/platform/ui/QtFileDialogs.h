#pragma once
#include "platform/FileDialogs.h"

class QPrinter;

namespace rer {

// QFileDialog, QPrintDialog and the printer set-up; both printer dialogs set
// up the printer that the listings then print on.
class QtFileDialogs : public FileDialogs {
public:
    explicit QtFileDialogs(QPrinter& printer) : printer_(printer) {}
    std::optional<QString> open(const FileDialogRequest& r) override;
    std::optional<QString> save(const FileDialogRequest& r) override;
    bool printer() override;
    bool pageSetup(int16_t languageNo) override;

private:
    QPrinter& printer_;
};

} // namespace rer
