#include "app/AppContext.h"

#include <QDir>

namespace rer {

QString AppContext::programFile(const QString& name) const {
    return QDir(programDir).filePath(name);
}

void AppContext::SettingsNotSaved(const QString& where) {
    QString text = pick(QStringLiteral("設定を保存できませんでした。変更した設定は次回の起動時には残りません。"),
                        QStringLiteral("The settings could not be saved. The change will be lost at the next start."));
    if (!where.isEmpty()) text += QStringLiteral("\r\n") + where;
    message(text, MsgButtons::Ok, MsgIcon::Exclamation);
}

} // namespace rer
