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

bool ProgramKeyAccepted(QChar key, const QString& text, int selected) {
    if (key == QChar(8)) return true;
    if (key < QLatin1Char('0') || key > QLatin1Char('9')) return false;
    return selected > 0 || text.size() < 3;
}

int ProgramNextColumn(int col) { return col >= 1 && col <= 14 ? col + 1 : 1; }
int ProgramPreviousColumn(int col) { return col > 1 ? col - 1 : 1; }

QString ProgramFillText(int col) { return QLatin1Char(' ') + QString::number(col); }

} // namespace rer
