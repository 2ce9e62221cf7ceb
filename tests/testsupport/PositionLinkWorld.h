#pragma once
// The position commands against the simulated controller: a program with an
// actuator on every axis (lead 6 mm, 400 pulses per revolution, stroke
// 100 mm: largest position 6667 pulses), its grid set up, a recording main
// window and progress window, and the link.
#include "files/PosiFile.h"
#include "mainwin/PositionCommands.h"
#include "mainwin/PositionEditor.h"
#include "testsupport/LinkFixture.h"
#include "testsupport/PositionHostRecorder.h"
#include "testsupport/TransferFixture.h"

#include <memory>

namespace rer::test {

struct PositionLinkWorld : LinkWorld {
    PositionHostRecorder host{ctx};
    ProgressRecorder progress;

    explicit PositionLinkWorld(int ctType = 1, bool mm = false, std::unique_ptr<SerialPort> p = nullptr)
        : LinkWorld({.language = 2, .ctType = int16_t(ctType), .mm = mm, .actuators = true, .doubles = Doubles::FileDialogs},
                    std::move(p)) {
        SetUpPositionGrid(ctx, product());
        link->setProgress(&progress);
        l().TusinTimeout = 1000;
    }
    Product product() const { return ctx.opt.product(); }
    PositionGrid& grid() { return ctx.grid.of(product()); }

    // Distinct valid values in every row (pulses shown).
    static int vel1(int r) { return r % 9 + 1; }
    static int posi1(int r) { return (r * 13) % 6667; }
    static int posi2(int r) { return (r * 7) % 6667; }
    static QString pulses(int n) { return QString::number(n).rightJustified(7, QLatin1Char(' ')); }
    void fillGrid() {
        PositionGrid& g = grid();
        const bool two = product() == Product::TwoAxis;
        for (int r = 1; r <= 399; ++r) {
            const QStringList cells =
                two ? QStringList{QString(), QString::number(vel1(r)), QString::number(r % 3 + 1), QString::number(r % 4),
                                  pulses(posi1(r)), QString::number((r + 3) % 9 + 1),
                                  QString::number((r + 1) % 3 + 1), QString::number((r + 2) % 4),
                                  pulses(posi2(r)), QString::number(r % 2), QString::number(r % 4),
                                  QString::number(r % 10), QStringLiteral("c%1").arg(r)}
                    : QStringList{QString(), QString::number(vel1(r)), QString::number(r % 3 + 1), QString::number(r % 4),
                                  pulses(posi1(r)), QString::number(r % 4), QString::number(r % 10),
                                  QStringLiteral("c%1").arg(r)};
            for (int c = 1; c < cells.size(); ++c) g.setText(r, c, cells[c]);
        }
    }
    // The STROKE parameter of an axis (0 or 1) in pulses.
    void setStroke(int axis, int pulses) {
        QByteArray& block = sim().state.paramBlocks[axis == 0 ? '0' : '4'];
        block.replace(14, 6, QByteArray::number(pulses, 16).toUpper().rightJustified(6, '0'));
    }
    // Requests of a command ("0WP") received by the controller.
    int count(const char* prefix) {
        int n = 0;
        for (const QByteArray& line : sim().received) n += line.startsWith(prefix) ? 1 : 0;
        return n;
    }
};

} // namespace rer::test
