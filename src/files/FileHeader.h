#pragma once
#include "app/AppContext.h"
#include "files/DataCodec.h"

namespace rer {

// How a reader refused a file, for the window that called it: whether the
// reader has told the user itself (a file of another kind), and why the
// file could not be read, in the window's language (the system's words
// where the system gave the reason).
struct FileReadFailure {
    bool told = false;
    QString reason;
};

// Keeps the first reason of a failed read; the later ones follow from it.
void Because(FileReadFailure* why, const QString& reason);

// The readers' own reasons, in the window's language.
QString EmptyFileReason(const AppContext& ctx);    // "the file is empty"
QString CutShortReason(const AppContext& ctx);     // "the file is cut short"
// Why the reader could not give its next item: its own trouble (the
// system's words, a number too large), an empty file, or a file cut short.
QString StopReason(const AppContext& ctx, const DataFileReader& r);
// A cell that the reader cannot take, named with the text it holds:
// "Group No.5 END = 12abc", as a parameter cell is named "PUSH(1) = 70000".
QString CellReason(const QString& name, const QString& text);

// Tells that the file is of another kind than the reader's: its refusal,
// over the file's name. The window that called the reader tells no more.
void TellOtherKind(AppContext& ctx, const QString& refusal, const QString& path, FileReadFailure* why);

// Opens a data file whose first record is "VO-D6" and its kind ("PRM", "GRP",
// "SM"). False when the file cannot be read, is empty or cut short (no
// message; `why` says why), or when its tag or kind is another (after
// showing `refusal`; `why` says that it was told).
bool OpenTaggedFile(AppContext& ctx, DataFileReader& r, const QString& path, const QString& kind,
                    const QString& refusal, FileReadFailure* why = nullptr);

// After the last item a reader takes: false, with the reason, when the
// file's last record has no line end (the file was cut inside it).
bool EndsWhole(const AppContext& ctx, const DataFileReader& r, FileReadFailure* why);

} // namespace rer
