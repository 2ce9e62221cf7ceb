#include "motion/ProgramRow.h"

namespace rer {

QString ProgramCellCommit(const QString& editorText, bool* refused) {
    const QString t = editorText.trimmed();
    bool ok = false;
    const int v = t.toInt(&ok);
    const bool good = ok && v >= 1 && v <= 399;
    if (refused) *refused = !good;
    return good ? t : QString();
}

int ProgramNextColumn(int col) { return col >= 1 && col <= 14 ? col + 1 : 1; }
int ProgramPreviousColumn(int col) { return col > 1 ? col - 1 : 1; }

QString ProgramFillText(int col) { return QLatin1Char(' ') + QString::number(col); }

} // namespace rer
