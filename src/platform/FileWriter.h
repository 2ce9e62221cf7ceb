#pragma once
#include <QByteArray>
#include <QString>

class QFileDevice;

namespace rer {

// Writes `bytes` as the whole of the file at `path`: into a new file beside
// it, on the disk, and then in its place. The former file stays as it was
// when anything fails, and no new file is left behind. In a folder that
// takes no new file, a file that the user may write is written in place;
// a failure part way then says that the file is incomplete. Empty, or why it
// failed in the system's words ("File too large", "Read-only file system").
QString WriteWholeFile(const QString& path, const QByteArray& bytes);

// Why a file could not be opened, read or written: the system's words, in
// the user's language, where the failed call left them in `error` (errno),
// Qt's words otherwise.
QString FileFailureReason(const QFileDevice& f, int error);

// A failure message over the line that names the file and why it could not
// be written or read: "...\r\n/home/user/a.pmd: No space left on device";
// the file alone on that line when there is no reason to give.
QString FileFailureMessage(const QString& text, const QString& path, const QString& reason);

} // namespace rer
