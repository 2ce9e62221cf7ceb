#include "files/FileHeader.h"

namespace rer {

bool OpenTaggedFile(AppContext& ctx, DataFileReader& r, const QString& path, const QString& kind,
                    const QString& refusal, FileReadFailure* why) {
    QString tag, k;
    if (!r.open(path) || !r.nextText(tag) || !r.nextText(k)) {
        if (why) why->reason = r.error();
        return false;
    }
    if (tag != QLatin1String("VO-D6") || k != kind) {
        ctx.message(refusal);
        if (why) why->told = true;
        return false;
    }
    return true;
}

} // namespace rer
