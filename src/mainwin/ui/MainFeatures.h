#pragma once
#include "app/ProgramState.h"

namespace rer {

class AppContext;
class frmMain;

// The main window's features, each in its own file. frmMain calls them at
// the named points; each registers the commands it builds.

// Controller link (MainLink.cpp): serial port, poller, timers, lamps, reset,
// modes and version.
void InstallLinkCommands(frmMain& w, AppContext& ctx);   // construction
void MainLinkLoad(frmMain& w, AppContext& ctx);          // load: error list
void MainLinkUnload(frmMain& w, AppContext& ctx);        // unload: port closed

// Actuator change (MainActuator.cpp).
void InstallActuatorCommands(frmMain& w, AppContext& ctx);
void RunActuatorChange(frmMain& w, AppContext& ctx, Product p);

// Position grids, editing, rows and clipboard, position files (MainGrid.cpp).
void InstallGridCommands(frmMain& w, AppContext& ctx);
void InitPositionGrid(frmMain& w, AppContext& ctx, Product p);

// Position print and printer set-up (MainPrint.cpp).
void InstallPrintCommands(frmMain& w, AppContext& ctx);
// Options dialog with its restart notices, and the about box (MainOptions.cpp).
void InstallOptionCommands(frmMain& w, AppContext& ctx);
// Position files and position data with the controller (MainPosition.cpp):
// New, Open, Save, Save As, Read, Write and the verifications.
void InstallPositionCommands(frmMain& w, AppContext& ctx);
// Group-data and sequence-macro windows, shown not modal (MainGrpSm.cpp).
void InstallGrpSmCommands(frmMain& w, AppContext& ctx);
// The parameter window of the product in use (MainParam.cpp).
void InstallParamCommands(frmMain& w, AppContext& ctx);
// Motion test, jog and teach, I/O monitor (MainMotion.cpp).
void InstallMotionCommands(frmMain& w, AppContext& ctx);

} // namespace rer
