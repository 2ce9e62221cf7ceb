#pragma once
#include <QIcon>
#include <QString>

class QStyle;

namespace rer {

// The picture of a main-window toolbar button by its key ("New", "Open",
// "Save", "Print", "Read", "Load", "Shogo", "Copy", "Paste"): the desktop
// theme's standard icon where the theme has one (document-new,
// document-open, document-save, document-print, edit-copy, edit-paste),
// else a picture of our own. A null icon for any other key.
QIcon ToolBarIcon(const QString& key, const QStyle& style);

} // namespace rer
