#pragma once
#include <functional>

namespace rer {

class AppContext;

// What would give the edits of a window up.
enum class EditsAt {
    Close,   // the window closes
    Replace, // a file or the factory values take their place
    Read,    // the controller's data take their place
};

// The question before a window gives its user's edits up, as the main
// window asks before it ends: Yes saves through `save` (true when it saved),
// No gives them up, Cancel keeps everything as it was. True when the caller
// may go on: No, or Yes and the save went through.
bool MayGiveUpEdits(AppContext& ctx, EditsAt at, const std::function<bool()>& save);

} // namespace rer
