#include "platform/ui/QtFileDialogs.h"

#include "platform/ui/QtPageSetup.h"

#include <QApplication>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace rer {

std::optional<QString> QtFileDialogs::showOpen(const FileDialogRequest& r) {
    QFileDialog dlg(QApplication::activeWindow(), r.title, r.folder, ToQtFilter(r.filter));
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(r.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!r.fileName.isEmpty()) dlg.selectFile(r.fileName);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
    return dlg.selectedFiles().first();
}

std::optional<QString> QtFileDialogs::showSave(const FileDialogRequest& r) {
    QFileDialog dlg(QApplication::activeWindow(), r.title, r.folder, ToQtFilter(r.filter));
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
