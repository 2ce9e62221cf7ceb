#include "testsupport/FakeFileDialogs.h"

namespace rer {

// The next scripted answer; Cancel when the script is used up.
std::optional<QString> FakeFileDialogs::next() {
    if (paths.empty()) return std::nullopt;
    const bool cancel = !paths.front().has_value();
    const QString path = cancel ? QString() : *paths.front();
    paths.pop_front();
    if (cancel) return std::nullopt;
    return path;
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
