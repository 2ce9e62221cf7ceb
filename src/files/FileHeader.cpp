#include "files/FileHeader.h"

#include "platform/FileWriter.h"

namespace rer {

void Because(FileReadFailure* why, const QString& reason) {
    if (why && why->reason.isEmpty()) why->reason = reason;
}

QString EmptyFileReason(const AppContext& ctx) {
    return ctx.pick(QStringLiteral("ファイルが空です"), QStringLiteral("the file is empty"));
}

QString CutShortReason(const AppContext& ctx) {
    return ctx.pick(QStringLiteral("ファイルが途中で切れています"), QStringLiteral("the file is cut short"));
}

QString StopReason(const AppContext& ctx, const DataFileReader& r) {
    const QString own = r.error(ctx.opt.LanguageNo);
    if (!own.isEmpty()) return own;
    return r.holdsNothing() ? EmptyFileReason(ctx) : CutShortReason(ctx);
}

QString CellReason(const QString& name, const QString& text) {
    return name + QStringLiteral(" = ") + text;
}

void TellOtherKind(AppContext& ctx, const QString& refusal, const QString& path, FileReadFailure* why) {
    ctx.message(FileFailureMessage(refusal, path, QString()));
    if (why) why->told = true;
}

bool OpenTaggedFile(AppContext& ctx, DataFileReader& r, const QString& path, const QString& kind,
                    const QString& refusal, FileReadFailure* why) {
    if (!r.open(path) || r.holdsNothing()) {
        Because(why, StopReason(ctx, r));
        return false;
    }
    QString tag, k;
    if (!r.nextText(tag)) {
        Because(why, StopReason(ctx, r));
        return false;
    }
    if (tag != QLatin1String("VO-D6")) {
        TellOtherKind(ctx, refusal, path, why);
        return false;
    }
    if (!r.nextText(k)) {
        Because(why, StopReason(ctx, r));
        return false;
    }
    if (k != kind) {
        TellOtherKind(ctx, refusal, path, why);
        return false;
    }
    return true;
}

bool EndsWhole(const AppContext& ctx, const DataFileReader& r, FileReadFailure* why) {
    if (r.endsWhole()) return true;
    Because(why, CutShortReason(ctx));
    return false;
}

} // namespace rer
