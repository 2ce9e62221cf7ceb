#include "platform/ui/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace rer {

QString QtClipboard::text() const {
    return QGuiApplication::clipboard()->text();
}

void QtClipboard::setText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

} // namespace rer
