#pragma once
#include "app/AppContext.h"
#include "files/DataCodec.h"

namespace rer {

// Opens a data file whose first record is "VO-D6" and its kind ("PRM", "GRP",
// "SM"). False when the file cannot be read or is too short (no message), or
// when its tag or kind is another (after showing `refusal`).
bool OpenTaggedFile(AppContext& ctx, DataFileReader& r, const QString& path, const QString& kind,
                    const QString& refusal);

} // namespace rer
