#pragma once
#include "dialogs/GrpWindow.h"
#include "dialogs/ui/EditWindowParts.h"

#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace rer {

class AppContext;

// The group-data window: 99 groups of start and end position, 33 on a page,
// with read, write, verification, files and printing. Not modal; closing it
// deletes it.
class frmGrp : public GrpSmWindow, public GrpWindowView {
    Q_OBJECT
public:
    explicit frmGrp(AppContext& ctx, QWidget* parent = nullptr);
    ~frmGrp() override;

    GrpEditor& editor() { return editor_; }

    QLineEdit* txtGrpStartNo(int i) const { return txtGrpStartNo_[static_cast<size_t>(i)]; }
    QLineEdit* txtGrpEndNo(int i) const { return txtGrpEndNo_[static_cast<size_t>(i)]; }
    QLabel* lblGrpNo(int i) const { return lblGrpNo_[static_cast<size_t>(i)]; }
    QRadioButton* optGrpNo(int i) const { return optGrpNo_[static_cast<size_t>(i)]; }
    QGroupBox* framHyoujiNo() const { return framHyoujiNo_; }
    QLabel* lblStartPosi(int i) const { return lblStartPosi_[static_cast<size_t>(i)]; }
    QLabel* lblEndPosi(int i) const { return lblEndPosi_[static_cast<size_t>(i)]; }
    QPushButton* cmdReadGrp() const { return cmdReadGrp_; }
    QPushButton* cmdWriteGrp() const { return cmdWriteGrp_; }
    QPushButton* cmdGrpCtVerify() const { return cmdGrpCtVerify_; }
    QPushButton* cmdGrpFileVerify() const { return cmdGrpFileVerify_; }
    QPushButton* cmdGrpFileOpen() const { return cmdGrpFileOpen_; }
    QPushButton* cmdGrpFileSave() const { return cmdGrpFileSave_; }
    QPushButton* cmdGrpDataPrint() const { return cmdGrpDataPrint_; }
    QPushButton* cmdGrpFilePrint() const { return cmdGrpFilePrint_; }
    QPushButton* cmdCloseGrpWindow() const { return cmdCloseGrpWindow_; }

    void GrpCMDBTN_Muko() override;
    void GrpCMDBTN_Yuko() override;
    void GrpDataHyoji() override;
    void optGrpNo_Click(int index);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    GrpSmEditor& tableEditor() override { return editor_; }
    void storeFocusedBox() override;

private:
    void Form_Load();
    void buttons(bool on);
    // The row of a box and whether it is a start box; row -1 for none.
    std::pair<int, bool> rowOf(QObject* box) const;
    void store(int row, bool isStart, const QString& text);

    GrpEditor editor_;
    std::array<QLineEdit*, kGrpPageRows> txtGrpStartNo_{};
    std::array<QLineEdit*, kGrpPageRows> txtGrpEndNo_{};
    std::array<QLabel*, kGrpPageRows> lblGrpNo_{};
    std::array<QRadioButton*, 3> optGrpNo_{};
    QGroupBox* framHyoujiNo_ = nullptr;
    std::array<QLabel*, 2> lblStartPosi_{};
    std::array<QLabel*, 2> lblEndPosi_{};
    QPushButton* cmdReadGrp_ = nullptr;
    QPushButton* cmdWriteGrp_ = nullptr;
    QPushButton* cmdGrpCtVerify_ = nullptr;
    QPushButton* cmdGrpFileVerify_ = nullptr;
    QPushButton* cmdGrpFileOpen_ = nullptr;
    QPushButton* cmdGrpFileSave_ = nullptr;
    QPushButton* cmdGrpDataPrint_ = nullptr;
    QPushButton* cmdGrpFilePrint_ = nullptr;
    QPushButton* cmdCloseGrpWindow_ = nullptr;
};

} // namespace rer
