#pragma once
#include <QString>
#include <cstdint>

namespace rer {

// Public variables of the main window that other windows read or set.
struct MainState {
    QString Error_Posi;          // positions that failed the last check
    bool SyuryoCancel = false;   // the last close was cancelled
    bool HozonCancel = false;    // the last Save As was cancelled or failed
    QString TitleOfShowFile;     // name of the position file shown
    bool DataAriFlg = false;     // the grid holds position data
    int16_t SumOfMukoPosi = 0;   // invalid positions of the last check
    bool PosiDataCheckError = false;
};

} // namespace rer
