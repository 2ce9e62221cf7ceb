#pragma once
#include <QString>
#include <cstdint>

namespace rer {

// What the print dialog chose, and the page metrics of the listings.
struct PrintState {
    int16_t PrintPosiFrom = 1;
    int16_t PrintPosiTo = 399;
    bool PrintNarrow = false;     // "The spacing to print is narrowed."
    bool PrintFileFlag = false;   // the table printed was read from a file
    // The position-data choice of the print-selection dialog, kept for the
    // listing once the dialog has closed.
    bool GridPosiPrint = false;
    bool FilePosiPrint = false;
    QString PrintPosiFileName;
    int16_t PrintPageNo = 1;
    // Page metrics of the position listing, whole millimetres.
    int32_t PrintLineHeight = 0;
    int32_t PrintLineHeight2 = 0;
    int32_t PrintLines = 0;
    int32_t PrintLines2 = 0;
    int32_t PrintPageHeight = 0;
    double PrintRightX = 0;
};

} // namespace rer
