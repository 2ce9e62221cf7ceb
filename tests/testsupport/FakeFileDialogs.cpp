#include "testsupport/FakeFileDialogs.h"

namespace rer {

std::optional<QString> FakeFileDialogs::next() {
    if (paths.empty()) return std::nullopt;
    auto p = paths.front();
    paths.pop_front();
    return p;
}

std::optional<QString> FakeFileDialogs::showOpen(const FileDialogRequest& r) {
    opened.push_back(r);
    return next();
}

std::optional<QString> FakeFileDialogs::showSave(const FileDialogRequest& r) {
    saved.push_back(r);
    return next();
}

bool FakeFileDialogs::printer() {
    ++printerShown;
    if (printerAnswers.empty()) return true;
    const bool ok = printerAnswers.front();
    printerAnswers.pop_front();
    return ok;
}

bool FakeFileDialogs::pageSetup(int16_t) {
    ++pageSetupShown;
    return true;
}

} // namespace rer
