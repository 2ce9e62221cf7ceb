#include "platform/FileDialogs.h"

#include <QFileInfo>

namespace rer {

QString ToQtFilter(const QString& pairs) {
    const QStringList parts = pairs.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
        pattern.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
        out << parts[i] + QStringLiteral(" (") + pattern + QLatin1Char(')');
    }
    return out.join(QStringLiteral(";;"));
}

QString WithDefaultExt(const QString& path, const QString& ext) {
    if (ext.isEmpty() || path.isEmpty()) return path;
    if (!QFileInfo(path).suffix().isEmpty()) return path;
    return path + QLatin1Char('.') + ext;
}

QString FileFolders::startFolder(FileKind kind) const {
    const auto it = folders_.find(kind);
    return it != folders_.end() ? it->second : last_;
}

void FileFolders::remember(FileKind kind, const QString& path) {
    if (path.isEmpty()) return;
    const QString folder = QFileInfo(path).absolutePath();
    folders_[kind] = folder;
    last_ = folder;
}

std::optional<QString> FileDialogs::open(FileDialogRequest r) {
    r.folder = folders.startFolder(r.kind);
    auto path = showOpen(r);
    if (path) folders.remember(r.kind, *path);
    return path;
}

std::optional<QString> FileDialogs::save(FileDialogRequest r) {
    r.folder = folders.startFolder(r.kind);
    auto path = showSave(r);
    if (path) folders.remember(r.kind, *path);
    return path;
}

} // namespace rer
