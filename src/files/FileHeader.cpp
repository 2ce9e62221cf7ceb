#include "files/FileHeader.h"

namespace rer {

bool OpenTaggedFile(AppContext& ctx, DataFileReader& r, const QString& path, const QString& kind,
                    const QString& refusal) {
    QString tag, k;
    if (!r.open(path) || !r.nextText(tag) || !r.nextText(k)) return false;
    if (tag != QLatin1String("VO-D6") || k != kind) {
        ctx.message(refusal);
        return false;
    }
    return true;
}

} // namespace rer
