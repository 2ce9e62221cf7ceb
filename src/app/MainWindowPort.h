#pragma once
#include "app/ProgramState.h"

#include <QString>

namespace rer {

// What the start-up routines and the catalogue labels need of the main
// window. frmMain implements it; logic tests use a recorder.
class MainWindowPort {
public:
    virtual ~MainWindowPort() = default;
    // Shows the main window; its load runs on the first showing.
    virtual void Show() = 0;
    // Sets up the position grid of the product (W6flgdData_Init / W3KflgdData_Init).
    virtual void GridInit(Product p) = 0;
    // The actuator change of the main window (cmdChangeDev_Click / cmdChangeDevW3k_Click).
    virtual void ChangeDevice(Product p) = 0;
    // Model label of an axis (lblDeviceType / lblDeviceTypeW3k).
    virtual void SetDeviceLabel(Product p, int axis, const QString& text) = 0;
    // A text panel of the status bar, numbered from 1.
    virtual void SetStatusPanel(int panel, const QString& text) = 0;
    // Puts the input focus on the invisible text box txtDummy.
    virtual void FocusDummy() = 0;
};

} // namespace rer
