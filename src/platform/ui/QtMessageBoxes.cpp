#include "platform/ui/QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QRegularExpression>

namespace rer {

namespace {

// A list such as "3,17,134,135," has no place where a line may break; a
// zero-width space after each comma lets the box wrap it like the Japanese
// list with "、", so that every number of a long list can be read.
QString Wrappable(const QString& text) {
    static const QRegularExpression comma(QStringLiteral(",(?=\\S)"));
    QString out = text;
    out.replace(comma, QStringLiteral(",\u200B"));
    return out;
}

} // namespace

MsgAnswer QtMessageBoxes::show(const QString& text, const QString& title, MsgIcon icon,
                               MsgButtons buttons) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText);
    box.setText(Wrappable(text));
    switch (icon) {
    case MsgIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MsgIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    }
    QMessageBox::StandardButtons b;
    QMessageBox::StandardButton escape = QMessageBox::NoButton;
    switch (buttons) {
    case MsgButtons::Ok: b = QMessageBox::Ok; escape = QMessageBox::Ok; break;
    case MsgButtons::OkCancel: b = QMessageBox::Ok | QMessageBox::Cancel; escape = QMessageBox::Cancel; break;
    case MsgButtons::YesNo: b = QMessageBox::Yes | QMessageBox::No; escape = QMessageBox::No; break;
    case MsgButtons::YesNoCancel:
        b = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        escape = QMessageBox::Cancel;
        break;
    case MsgButtons::RetryCancel: b = QMessageBox::Retry | QMessageBox::Cancel; escape = QMessageBox::Cancel; break;
    }
    box.setStandardButtons(b);
    box.setEscapeButton(escape);
    switch (box.exec()) {
    case QMessageBox::Ok: return MsgAnswer::Ok;
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    case QMessageBox::Retry: return MsgAnswer::Retry;
    default: return MsgAnswer::Cancel;
    }
}

} // namespace rer
