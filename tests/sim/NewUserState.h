#pragma once
#include "sim/CtSim.h"

#include <QString>

namespace rer::sim {

// The controller as a new user meets it: the parameters of the actuator the
// program starts with on both axes, at their factory values from the list
// files in dataDir, every position valid (as a new table of the program has
// them, a few of them moved along the stroke), and groups and macros that the
// group and macro windows write back as they read them. False, with the
// reason, when the list files cannot be read; the state is then left as it
// was.
bool LoadNewUserState(CtSimState& state, const QString& dataDir, QString* why = nullptr);

} // namespace rer::sim
