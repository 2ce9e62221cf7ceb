#pragma once
#include "setup/ParamEditor.h"
#include "setup/ui/QtActuatorDialogs.h"

#include <QWidget>
#include <array>
#include <map>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace rer {

class AppContext;

// The parameter window of a product over the shared editor logic:
// frmParameta2 (two axes) and frm3KParameta2 (one axis with BCD ENABLE).
class frmParameta2 : public QWidget, public ParamWindowPort {
    Q_OBJECT
public:
    frmParameta2(AppContext& ctx, MainCommandFrame* main, QWidget* parent = nullptr,
                 Product p = Product::TwoAxis);
    ~frmParameta2() override;

    Product product() const { return p_; }
    ParamEditor& editor() { return *editor_; }

    // Public operations.
    void ParametaHyoji() { editor_->ParametaHyoji(); }
    void W3kParametaHyoji() { editor_->ParametaHyoji(); }
    void TorikomiParametaValue() { editor_->TorikomiParametaValue(); }
    void ParametaValueCheck() { editor_->ParametaValueCheck(); }

    // ParamWindowPort.
    ParaControls Controls() const override;
    void SetControls(const ParaControls& c) override;
    void SetCommandButtonsEnabled(bool on) override;

    // Controls (member 0 axis 1, member 1 axis 2; null where the row has none).
    QLineEdit* box(int row, int member = 0) const;
    QComboBox* combo(int row, int member = 0) const;
    QRadioButton* optOverRideUmu(int i) const { return opt_[static_cast<size_t>(i)]; }
    QCheckBox* chkTokuParaChange() const { return chk_; }
    QPushButton* button(const QString& name) const;
    QTabWidget* SSTabPrm() const { return tab_; }
    QGroupBox* frame(const QString& name) const;

    // Events.
    void chkTokuParaChange_Click();
    void cmdCalculate_Click();
    // Puts a stroke from the calculator into the STROKE box of an axis and
    // moves the focus on.
    void InputStroke(int axis, const QString& text);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    // The title's mark: values changed since the last open, save, read or write.
    void showModified();
    void build();
    void setLocked(bool locked);
    void setTabOrder();
    void focusRow(int row, int member);
    QPushButton* addButton(QWidget* parent, const char* name, const QString& caption);

    AppContext& ctx_;
    Product p_;
    QtActuatorDialogs dialogs_;
    std::unique_ptr<ParamEditor> editor_;
    std::array<std::array<QLineEdit*, 2>, kParaRowCount + 1> boxes_{};
    std::array<std::array<QComboBox*, 2>, kParaRowCount + 1> combos_{};
    std::array<QRadioButton*, 2> opt_{};
    bool spUnlocked_ = false; // the special parameters take input
    QCheckBox* chk_ = nullptr;
    QTabWidget* tab_ = nullptr;
    std::map<QString, QPushButton*> buttons_;
    std::map<QString, QGroupBox*> frames_;
    std::map<QObject*, std::pair<int, int>> boxOf_; // box -> row, member
};

// The one-axis window.
class frm3KParameta2 : public frmParameta2 {
    Q_OBJECT
public:
    frm3KParameta2(AppContext& ctx, MainCommandFrame* main, QWidget* parent = nullptr)
        : frmParameta2(ctx, main, parent, Product::OneAxis) {}
};

} // namespace rer
