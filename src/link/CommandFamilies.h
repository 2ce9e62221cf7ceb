#pragma once

namespace rer {

// The main window's enable families that a transfer calls itself after a
// failed exchange. The main window implements it; without one nothing is
// called.
class CommandFamilies {
public:
    virtual ~CommandFamilies() = default;
    virtual void CMDBTN_Yuko() = 0;
    virtual void ToolBar_Yuko() = 0;
    virtual void Menyu_Yuko() = 0;
};

} // namespace rer
