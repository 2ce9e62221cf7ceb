#pragma once
#include "app/ProgramState.h"
#include "files/GrpSmTables.h"

#include <QString>
#include <array>
#include <optional>

namespace rer {

class AppContext;
class ControllerLink;
struct ParaRecord;

// The multi-line transfers of parameters, group data and sequence macros.
//
// Every transfer returns 0 when it ran to its end, kLinkBusy when another job
// held the controller (nothing sent, nothing changed, nothing told) and 1
// otherwise; callers treat 1 as failure also where TusinError stayed False (a
// stop). TusinError is True after every other failure, which has been told to
// the user.
//
// A read decodes only after every reply has arrived and only when every
// field of every reply is hexadecimal; otherwise the target table is left as
// it was. A write checks every value before the first line goes out, sends
// the lines one by one, compares each reply with its line and commits with
// "0WE" only after the last line came back intact.

// Parameters: seven blocks "0RD"/"0WD", commit "0WE2". The one-axis product
// uses W3kCtLine, its own table and record, and BCD ENABLE in block "8".
int ReadParaFromCt(ControllerLink& link, Product p = Product::TwoAxis);
inline int W3kReadParaFromCt(ControllerLink& link) { return ReadParaFromCt(link, Product::OneAxis); }
// Builds the seven write lines of the product's record into its line buffer
// (elements 0 to 6). A value that is missing, negative or too wide for its
// field refuses them all: 1, TusinError True, a message naming the item, and
// the seven elements emptied so that no older lines can be sent instead.
int MakeParaWriteLines(AppContext& ctx, Product p = Product::TwoAxis);
// Sends the seven lines of the line buffer and the commit.
int WriteParaToCt(ControllerLink& link, Product p = Product::TwoAxis);
// One-axis: builds the lines, then sends them with the commit.
int W3kWriteParaToCt(ControllerLink& link);

// Group data: groups 1 to 99 ("01" to "63" on the wire) "0RG"/"0WG", commit
// "0WE3". The read fills GrpFileData, the write sends GrpData.
int ReadGrpDataFromCt(ControllerLink& link);
int WriteGrpDataToCt(ControllerLink& link);

// Sequence macros 1 to 9 "0RM"/"0WM", commit "0WE1". The read fills
// SmFileData, the write sends SmData.
int ReadSmDataFromCt(ControllerLink& link);
int WriteSmDataToCt(ControllerLink& link);

// ---- Line layouts (also for the tests and the simulator's users)

// Block digit of parameter line index 0..6: 0, 1, 2, 4, 5, 6, 8.
char ParaBlockDigit(int index);
// The write line of parameter line index 0..6 ("0WD" + digit + 32 hexadecimal
// characters), or the item whose value does not fit.
struct LineOrItem {
    QString line;
    QString badItem;   // set when the line cannot be built
    QString badValue;
};
LineOrItem ParaWriteLine(const ParaRecord& rec, Product p, int index);
LineOrItem GrpWriteLine(int group, int start, int end);
// Macro m (1..9) of the table: "0WM" + m + 16 pairs of command and data.
LineOrItem SmWriteLine(const SmTable& sm, int macro);

// "Communication error occurs!" CR LF "Receiving data is wrong!" in the
// language of the run.
QString ReceivingDataWrongText(const AppContext& ctx);

} // namespace rer

