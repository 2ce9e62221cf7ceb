#include "platform/ui/QtFileDialogs.h"

#include "platform/ui/QtPageSetup.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace rer {

namespace {
// The dialog of a request. The descriptions of the program's filters hold
// their patterns already ("Position Data(*.kzd)"); the type list shows them
// as they stand, and the patterns that Qt matches follow them in Qt's form.
void setUp(QFileDialog& dlg, const FileDialogRequest& r) {
    // No folder of the run yet: the working folder, not wherever an earlier
    // dialog was left.
    dlg.setDirectory(r.folder.isEmpty() ? QDir::currentPath() : r.folder);
    const QString filters = ToQtFilter(r.filter);
    if (filters.isEmpty()) return;
    dlg.setOption(QFileDialog::HideNameFilterDetails);
    dlg.setNameFilters(filters.split(QStringLiteral(";;")));
}
} // namespace

std::optional<QString> QtFileDialogs::showOpen(const FileDialogRequest& r) {
    QFileDialog dlg(QApplication::activeWindow(), r.title);
    setUp(dlg, r);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(r.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!r.fileName.isEmpty()) dlg.selectFile(r.fileName);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
    return dlg.selectedFiles().first();
}

std::optional<QString> QtFileDialogs::showSave(const FileDialogRequest& r) {
    QFileDialog dlg(QApplication::activeWindow(), r.title);
    setUp(dlg, r);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    if (!r.defaultExt.isEmpty()) dlg.setDefaultSuffix(r.defaultExt);
    dlg.setOption(QFileDialog::DontConfirmOverwrite, !r.confirmOverwrite);
    if (!r.fileName.isEmpty()) dlg.selectFile(r.fileName);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
    return WithDefaultExt(dlg.selectedFiles().first(), r.defaultExt);
}

bool QtFileDialogs::printer() {
    QPrintDialog dlg(&printer_, QApplication::activeWindow());
    dlg.setOption(QAbstractPrintDialog::PrintSelection, false);
    dlg.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dlg.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    return dlg.exec() == QDialog::Accepted;
}

bool QtFileDialogs::pageSetup(int16_t languageNo) {
    QtPageSetupDialog dlg(printer_, languageNo, QApplication::activeWindow());
    return dlg.exec() == QDialog::Accepted;
}

} // namespace rer
