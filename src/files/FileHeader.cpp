#include "files/FileHeader.h"

#include "platform/FileWriter.h"

namespace rer {

void TellOtherKind(AppContext& ctx, const QString& refusal, const QString& path, FileReadFailure* why) {
    ctx.message(FileFailureMessage(refusal, path, QString()));
    if (why) why->told = true;
}

bool OpenTaggedFile(AppContext& ctx, DataFileReader& r, const QString& path, const QString& kind,
                    const QString& refusal, FileReadFailure* why) {
    QString tag, k;
    if (!r.open(path) || !r.nextText(tag) || !r.nextText(k)) {
        if (why) why->reason = r.error();
        return false;
    }
    if (tag != QLatin1String("VO-D6") || k != kind) {
        TellOtherKind(ctx, refusal, path, why);
        return false;
    }
    return true;
}

} // namespace rer
