#pragma once
#include <QByteArray>
#include <QString>

class QFileDevice;

namespace rer {

// Why something could not be written, in the program's two languages,
// Japanese first; empty when nothing failed. What the system or Qt says in
// words of its own, for which the program has none, stands in both.
struct WriteFailure {
    QString jp;
    QString en;

    bool failed() const { return !jp.isEmpty() || !en.isEmpty(); }
    // The text for LanguageNo (1 Japanese, otherwise English).
    QString text(int languageNo) const { return languageNo == 1 ? jp : en; }
};

// The system's reason for an error number in the program's two languages:
// texts of the program's own for the common failures of a save (no space
// left, file too large, read-only, permission denied, ...), the system's
// words for the rest.
WriteFailure SystemReason(int error);

// Writes `bytes` as the whole of the file at `path`: into a new file beside
// it, on the disk, and then in its place. The former file stays as it was
// when anything fails, and no new file is left beside it.
//
// In a folder that takes no new file, a file that the user may write is
// written in place instead. Its former content is first copied, whole and
// on the disk, into the program's folder in the user's cache (see
// InPlaceCopyFolder), and the copy is removed once the new file is whole.
// When no copy can be kept, the file is not written at all. When the write
// in place fails part way, or the program ends meanwhile, the copy stays,
// and the failure says where it is.
WriteFailure WriteWholeFile(const QString& path, const QByteArray& bytes);

// Where the copies of files written in place are kept: "RER6O250" in the
// user's cache folder ($XDG_CACHE_HOME, else ~/.cache). A copy is named after
// its file, behind a mark of the file's full path, so that files of one name
// in different folders keep copies of their own.
QString InPlaceCopyFolder();

// Why a file could not be opened, read or written: the system's words, in
// the user's language, where the failed call left them in `error` (errno),
// Qt's words otherwise.
WriteFailure FileFailureReason(const QFileDevice& f, int error);

// A failure message over the line that names the file and why it could not
// be written or read: "...\r\n/home/user/a.pmd: No space left on device";
// the file alone on that line when there is no reason to give.
QString FileFailureMessage(const QString& text, const QString& path, const QString& reason);

} // namespace rer
