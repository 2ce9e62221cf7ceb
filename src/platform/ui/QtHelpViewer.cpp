#include "platform/ui/QtHelpViewer.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace rer {

bool QtHelpViewer::fileExists(const QString& path) const {
    return QFileInfo(path).isFile();
}

bool QtHelpViewer::open(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace rer
