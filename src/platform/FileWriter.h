#pragma once
#include <QByteArray>
#include <QString>

namespace rer {

// Writes `bytes` as the whole of the file at `path`: into a new file beside
// it, on the disk, and then in its place. The former file stays as it was
// when anything fails, and no new file is left behind. Empty, or why it
// failed in the system's words ("File too large", "Read-only file system").
QString WriteWholeFile(const QString& path, const QByteArray& bytes);

// The line that names a file and why it could not be written, under a
// failure message: "/home/user/a.pmd: No space left on device".
QString FileFailureLine(const QString& path, const QString& reason);

} // namespace rer
