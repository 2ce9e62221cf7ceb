#pragma once
#include "platform/BoxEntry.h"

#include <QString>
#include <cstdint>

namespace rer {

// The stroke calculator (frmDevice / frm3KDevice) without its window.

// The stroke box takes up to 3 digits (mm), the lead box up to 2.
constexpr BoxRule kStrokeBoxRule = DigitBox(3);
constexpr BoxRule kLeadBoxRule = DigitBox(2);

// The result label for a stroke and a lead as typed: the stroke in pulses
// (stroke / lead x pulses per revolution, first to one decimal, then up to
// the next whole pulse unless that decimal is 0), or "Invalidity" / "不正値"
// for an empty or out-of-range box or a stroke too small to give a pulse.
// ro67r: the special model with 192 pulses per revolution instead of 400.
QString StrokePulseText(const QString& strokeText, const QString& leadText, bool ro67r, int16_t languageNo);
// True when the label holds no result ("Invalidity" / "不正値").
bool IsInvalidityText(const QString& label);
// The leaving checks: false when the box must be emptied with a beep.
bool StrokeBoxAccepts(const QString& text);
bool LeadBoxAccepts(const QString& text);

} // namespace rer
