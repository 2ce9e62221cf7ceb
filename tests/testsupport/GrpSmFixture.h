#pragma once
// The group and macro window logic over the simulated controller, the file
// dialog and printer doubles, with a recorder for the window.
#include "dialogs/GrpWindow.h"
#include "dialogs/SmWindow.h"
#include "link/CtError.h"
#include "testsupport/LinkFixture.h"
#include "testsupport/TransferFixture.h"

#include <QTemporaryDir>

namespace rer::test {

// Records what the logic asks of the window, and whether the commands are on.
struct WindowRecorder : GrpWindowView, SmWindowView {
    QStringList calls;
    bool buttonsOn = true;
    bool selectorOn = true;
    int shows = 0;

    void GrpCMDBTN_Muko() override { calls << QStringLiteral("Muko"); buttonsOn = false; }
    void GrpCMDBTN_Yuko() override { calls << QStringLiteral("Yuko"); buttonsOn = true; }
    void GrpDataHyoji() override { ++shows; }
    void SM_CMDBTN_Muko() override { calls << QStringLiteral("Muko"); buttonsOn = false; }
    void SM_CMDBTN_Yuko() override { calls << QStringLiteral("Yuko"); buttonsOn = true; }
    void SM_AllMuko() override { calls << QStringLiteral("AllMuko"); buttonsOn = selectorOn = false; }
    void SM_AllYuko() override { calls << QStringLiteral("AllYuko"); buttonsOn = selectorOn = true; }
    void SmDataHyoji() override { ++shows; }
};

struct GrpSmWorld : LinkWorld {
    ProgressRecorder bar;
    WindowRecorder view;
    QTemporaryDir dir;

    explicit GrpSmWorld(int16_t language = 2)
        : LinkWorld({.language = language, .doubles = Doubles::FileDialogs | Doubles::Printer}) {
        link->setProgress(&bar);
        Get_ErrorList(ctx);
    }
    QString tmp(const QString& name) const { return dir.filePath(name); }
    bool printed() const { return !printer.texts().empty(); }
};

} // namespace rer::test
