#pragma once
#include "link/LinkState.h"

namespace rer {

class ControllerLink;

// Reads the input ("0RI") and output ("0RO") words into IoInput / IoOutput.
// 0 read, 1 failed (the tables as they were; TusinError tells a failure
// that was shown), kLinkBusy refused: another job holds the controller, and
// nothing was sent or changed.
int ReadIoState(ControllerLink& link);

// Applies the flip requests to IoOutput and writes the output word ("0WO");
// the same results.
int WriteOutputState(ControllerLink& link);

// One hexadecimal character of the wire into its four bits (weights 8, 4, 2,
// 1); a character that is not hexadecimal reads as 0.
void IoDigitToBits(QChar c, std::array<bool, 4>& bits);
// The "0WO" line of an output table.
QString OutputLine(const LinkState::IoLampTable& out);

} // namespace rer
