#pragma once
#include "dialogs/GrpSmEditor.h"
#include "platform/BoxEntry.h"

#include <QString>

namespace rer {

// What the group window's logic needs of the window itself.
class GrpWindowView {
public:
    virtual ~GrpWindowView() = default;
    // Disable / enable the nine buttons and the page frame.
    virtual void GrpCMDBTN_Muko() = 0;
    virtual void GrpCMDBTN_Yuko() = 0;
    // Shows the current page of GrpData in the row boxes.
    virtual void GrpDataHyoji() = 0;
};

// Rows of one page of the group window.
constexpr int kGrpPageRows = 33;

// A group is valid when start and end are each 1 to 399 and start <= end.
bool GrpValid(int start, int end);

// What a group row box takes from the user: up to 3 digits.
constexpr BoxRule kGrpBoxRule = DigitBox(3);

// The logic of the group-data window: paging, the row boxes, the check and
// the nine commands over GrpData. Each opening starts from groups 1 to 1.
class GrpEditor : public GrpSmEditor {
public:
    GrpEditor(AppContext& ctx, GrpWindowView& view);

    // Some group of the last check is invalid.
    bool GrpMukoDataAri = false;

    // Every group (rows 0..99) reads 1 to 1; the first page.
    void Form_Load();
    // Checks groups GrpRangeStart..GrpRangeEnd; true when all are valid.
    bool GrpData_Check();

    // Page 0, 1, 2 (groups 1-33, 34-66, 67-99); anything else is page 0.
    void setPage(int index);
    int pageOffset() const { return offset_; }
    int groupOfRow(int row) const { return row + offset_ + 1; }
    // Row label after a page change: the group number and a point.
    QString rowLabel(int row) const { return QString::number(groupOfRow(row)) + QLatin1Char('.'); }
    // Row label of the opened window: one-digit numbers with a blank before.
    static QString initialRowLabel(int row);
    QString startText(int row) const;
    QString endText(int row) const;
    // The text of a row box that loses the focus goes to its group.
    void storeStart(int row, const QString& text);
    void storeEnd(int row, const QString& text);

    void cmdReadGrp_Click();
    void cmdWriteGrp_Click();
    void cmdGrpCtVerify_Click();
    void cmdGrpFileVerify_Click();
    void cmdGrpFileOpen_Click();
    void cmdGrpFileSave_Click();
    void cmdGrpDataPrint_Click();
    void cmdGrpFilePrint_Click();

private:
    void GrpDataKakikomi();
    // Groups 1 to 99: the range of the check and of the comparison.
    void wholeTable() override;
    // GrpData_Check over groups 1 to 99.
    bool checkTable() override;
    std::vector<int16_t> tableImage() const override;
    void commandsOff(Scope) override { view_.GrpCMDBTN_Muko(); }
    void commandsOn(Scope) override { view_.GrpCMDBTN_Yuko(); }
    void showTable() override { view_.GrpDataHyoji(); }
    void store(int row, int column, const QString& text);

    GrpWindowView& view_;
    int offset_ = 0;
};

} // namespace rer
