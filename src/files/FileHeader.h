#pragma once
#include "app/AppContext.h"
#include "files/DataCodec.h"

namespace rer {

// How a reader refused a file, for the window that called it: whether the
// reader has told the user itself (a file of another kind), and the system's
// words for why the file could not be read, where there are any.
struct FileReadFailure {
    bool told = false;
    QString reason;
};

// Tells that the file is of another kind than the reader's: its refusal,
// over the file's name. The window that called the reader tells no more.
void TellOtherKind(AppContext& ctx, const QString& refusal, const QString& path, FileReadFailure* why);

// Opens a data file whose first record is "VO-D6" and its kind ("PRM", "GRP",
// "SM"). False when the file cannot be read or is too short (no message), or
// when its tag or kind is another (after showing `refusal`); `why`, when
// given, says which.
bool OpenTaggedFile(AppContext& ctx, DataFileReader& r, const QString& path, const QString& kind,
                    const QString& refusal, FileReadFailure* why = nullptr);

} // namespace rer
