#pragma once
#include "app/ProgramState.h"

#include <QString>

namespace rer {

class AppContext;
class MainWindowPort;

// 0 when the model code is well formed (size of 3 characters, speed letter
// A to Z, stroke 10 to 999), else 1.
int CheckDevCode(const QString& size, const QString& speed, int stroke);

// 1 only when the series' catalogue file cannot be read (after its message),
// else 0.
int CheckDevListFile(AppContext& ctx, int newTypeFlag, const QString& series,
                     const QString& size, const QString& speed, int stroke);

// Lead of the matching catalogue record, 0 when there is none.
int GetDevLead(AppContext& ctx, int newTypeFlag, const QString& series, const QString& size,
               const QString& speed, int stroke);

// Pulses per revolution of the matching catalogue record, 0 when there is none.
int GetDevPPR(AppContext& ctx, int newTypeFlag, const QString& series, const QString& size,
              const QString& speed, int stroke);

// Loads the catalogue of each axis of the product (LoadDeviceList / W3kLoadDeviceList).
void LoadDeviceList(AppContext& ctx, Product p, int flag);

// Looks the committed models up and sets lead and pulses per revolution; sets
// DevNotFound with its message when a model is missing.
void ApplyDeviceList(AppContext& ctx, Product p);

// Largest position in pulses and in mm of each axis (Culc_MaxPulse / CalcMaxMm).
void CulcMaxPulse(AppContext& ctx, Product p);
void CalcMaxMm(AppContext& ctx, Product p);

// Model labels and pulse-rate texts of the main window.
void ShowDeviceName(AppContext& ctx, Product p, MainWindowPort& win);
void ShowPulseRate(AppContext& ctx, Product p, MainWindowPort& win);

} // namespace rer
