#pragma once
// A parameter window without widgets, a recorder of the main window's
// command frame, and records whose every value lies in its range.
#include "setup/ActuatorDialogs.h"
#include "setup/ParamEditor.h"
#include "setup/ParamFields.h"

#include <QStringList>
#include <functional>

namespace rer::test {

// Rows the tests single out.
constexpr int kOneAxisRow = ParaRowNamed("1AXIS");
constexpr int kSeqRow = ParaRowNamed("SEQ");
constexpr int kPushRow = ParaRowNamed("PUSH");
constexpr int kStrokeRow = ParaRowNamed("STROKE");
constexpr int kJogVelRow = ParaRowNamed("JOGVEL");
constexpr int kPgTimerRow = ParaRowNamed("PG TIMER");

struct FakeParamWindow : ParamWindowPort {
    ParaControls c;
    bool buttonsEnabled = true;
    QStringList calls;
    ParaControls Controls() const override { return c; }
    void SetControls(const ParaControls& x) override { c = x; }
    void SetCommandButtonsEnabled(bool on) override {
        buttonsEnabled = on;
        calls << (on ? QStringLiteral("ParaCMDBTN_Yuko") : QStringLiteral("ParaCMDBTN_Muko"));
    }
};

struct FrameRecorder : MainCommandFrame {
    QStringList calls;
    void CMDBTN_Muko() override { calls << QStringLiteral("CMDBTN_Muko"); }
    void ToolBar_Muko() override { calls << QStringLiteral("ToolBar_Muko"); }
    void Menyu_Muko() override { calls << QStringLiteral("Menyu_Muko"); }
    void CMDBTN_Yuko() override { calls << QStringLiteral("CMDBTN_Yuko"); }
    void ToolBar_Yuko() override { calls << QStringLiteral("ToolBar_Yuko"); }
    void Menyu_Yuko() override { calls << QStringLiteral("Menyu_Yuko"); }
};

// The actuator dialog: runs `pick` (the user's choice) and answers its
// cancel flag.
struct ScriptedActuatorDialogs : ActuatorDialogs {
    std::function<bool(Product)> pick;
    int runs = 0;
    bool Run(Product p, bool) override {
        ++runs;
        return pick ? pick(p) : true;
    }
};

// Every value in its range and different from its neighbours where the range
// allows it.
inline ParaRecord ValidParaRecord(Product p, int seed = 0) {
    ParaRecord rec;
    for (int axis = 0; axis < 2; ++axis)
        for (int row = 1; row <= ParaLastRow(p); ++row) {
            const ParaRowSpec s = ParaSpec(row, p);
            const int span = s.hi - s.lo + 1;
            const int v = s.lo + (row + axis * 3 + seed) % (span > 0 ? span : 1);
            SetParaRecordValue(rec, row, axis, Value::number(v));
        }
    return rec;
}

// Controls showing a record.
inline ParaControls ControlsShowing(const ParaRecord& rec, Product p) {
    ParaControls c;
    ParaDisplay(rec, p, c);
    return c;
}

} // namespace rer::test
