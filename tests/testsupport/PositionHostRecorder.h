#pragma once
// Records what the position commands ask of the main window and answers its
// dialogs from a script.
#include "app/AppContext.h"
#include "dialogs/ShogoResult.h"
#include "mainwin/PositionCommands.h"
#include "testsupport/AppFixture.h"

#include <deque>
#include <optional>
#include <utility>

namespace rer::test {

struct PositionHostRecorder : PositionHost {
    explicit PositionHostRecorder(AppContext& c) : ctx(c) {}

    MainWindowPort& window() override { return win; }
    void CommandsOff() override { calls << QStringLiteral("Off"); ++off; }
    void CommandsOn() override { calls << QStringLiteral("On"); ++on; }
    void LineCmd_Muko() override { calls << QStringLiteral("LineOff"); }
    void SetFileLabel(const QString& text) override { fileLabel = text; }
    // The next range (nothing = Cancel); with no script, all positions.
    void SelectRange() override {
        ++rangeShown;
        std::optional<std::pair<int, int>> r = std::make_pair(1, 399);
        if (!ranges.empty()) {
            r = ranges.front();
            ranges.pop_front();
        }
        if (!r) {
            ctx.pos.SelectPosiCancel = true;
            return;
        }
        ctx.pos.PosiRangeStart = int16_t(r->first);
        ctx.pos.PosiRangeEnd = int16_t(r->second);
    }
    int SelectShogo() override { return shogoChoice; }
    void ShowShogoResult(Product p) override {
        ++resultsShown;
        resultRows = ShogoResultRows(ctx, p);
    }

    AppContext& ctx;
    RecordingMainWindow win;
    QStringList calls;
    int off = 0, on = 0;
    QString fileLabel = QStringLiteral("(unset)");
    std::deque<std::optional<std::pair<int, int>>> ranges;
    int rangeShown = 0;
    int shogoChoice = 0;
    int resultsShown = 0;
    std::vector<ShogoRow> resultRows;
};

} // namespace rer::test
