#pragma once
#include "testsupport/RecordingPrintSurface.h"

#include <vector>

namespace rer::test {

using PrintOp = RecordingPrintSurface::Op;

// The texts drawn, in order.
inline std::vector<PrintOp> textOps(const RecordingPrintSurface& ps) {
    std::vector<PrintOp> out;
    for (const PrintOp& op : ps.ops)
        if (op.kind == PrintOp::Text) out.push_back(op);
    return out;
}

// The nth drawing of a text (from 0); null when there is none.
inline const PrintOp* findText(const RecordingPrintSurface& ps, const QString& text, int nth = 0) {
    for (const PrintOp& op : ps.ops)
        if (op.kind == PrintOp::Text && op.text == text && nth-- == 0) return &op;
    return nullptr;
}

inline int countOps(const RecordingPrintSurface& ps, PrintOp::Kind k) {
    int n = 0;
    for (const PrintOp& op : ps.ops) n += op.kind == k;
    return n;
}

} // namespace rer::test
