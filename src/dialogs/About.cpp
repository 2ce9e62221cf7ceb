#include "dialogs/About.h"

#include "app/AppContext.h"
#include "app/StartUp.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace rer {

AboutTexts AboutBoxTexts(const AppContext& ctx) {
    const bool two = ctx.opt.CtType == 1;
    AboutTexts t;
    t.title = two ? QStringLiteral("DI-D6") : QStringLiteral("DE-D3U");
    t.title2 = two ? QStringLiteral("(KZ 2AXES PC-Software)") : QStringLiteral("(KZ 1AXIS PC-Software)");
    t.version = QStringLiteral("Version ") + VersionText();
    t.caption = t.title + ctx.pick(QStringLiteral(" ﾊﾞｰｼﾞｮﾝ情報..."), QStringLiteral(" Version Information..."));
    t.description = ctx.pick(
        t.title + QStringLiteral("では、KZの位置ﾃﾞｰﾀ・ﾊﾟﾗﾒｰﾀｰ・ｸﾞﾙｰﾌﾟﾃﾞｰﾀ・ｼｰｹﾝｽﾏｸﾛﾃﾞｰﾀの編集や移動ﾃｽﾄが行えます。"),
        QStringLiteral("Editing of position data or parameters or group data or sequence macro data and test "
                       "running can be done by PC Software."));
    t.disclaimer = ctx.pick(
        QStringLiteral("警告: ...予告なくソフトの仕様等を変更することがあります。"
                       "Norvikのホームページで最新バージョンのソフトを入手して下さい。"),
        QStringLiteral("Caution : Specification may be changed without previous announcement. "
                       "Download the latest version of ") +
            t.title + QStringLiteral(" from Norvik Home Page. URL:"));
    t.hpAddress = QStringLiteral("https://www.norvik.example/");
    return t;
}

// ---- The desktop

bool DesktopSysInfoTools::namedProgram(QString& program) {
    program = qEnvironmentVariable("RER6O250_SYSINFO").trimmed();
    return !program.isEmpty();
}

QStringList DesktopSysInfoTools::knownPrograms() {
    return {QStringLiteral("kinfocenter"), QStringLiteral("hardinfo2"), QStringLiteral("hardinfo")};
}

bool DesktopSysInfoTools::desktopProgram(QString& folder, QString& fileName) {
    for (const QString& name : knownPrograms()) {
        const QString path = QStandardPaths::findExecutable(name);
        if (path.isEmpty()) continue;
        const QFileInfo fi(path);
        folder = fi.absolutePath();
        fileName = fi.fileName();
        return true;
    }
    return false;
}

bool DesktopSysInfoTools::fileExists(const QString& path) {
    const QFileInfo fi(path);
    return fi.isFile() && fi.isExecutable();
}

bool DesktopSysInfoTools::start(const QString& program) {
    // A path of a program file as it stands, else a command line.
    if (QFileInfo(program).isFile()) return QProcess::startDetached(program, {});
    QStringList args = QProcess::splitCommand(program);
    if (args.isEmpty()) return false;
    const QString exe = args.takeFirst();
    return QProcess::startDetached(exe, args);
}

// ---- StartSysInfo

bool StartSysInfo(AppContext& ctx, SysInfoTools& tools) {
    bool ok = false;
    QString program;
    QString folder, fileName;
    if (tools.namedProgram(program)) {
        ok = tools.start(program);
    } else if (tools.desktopProgram(folder, fileName)) {
        const QString path = QDir(folder).filePath(fileName);
        ok = tools.fileExists(path) && tools.start(path);
    }
    if (!ok)
        ctx.message(ctx.pick(QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません"),
                             QStringLiteral("You can't look system information,now.")));
    return ok;
}

} // namespace rer
