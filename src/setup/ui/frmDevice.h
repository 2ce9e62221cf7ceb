#pragma once
#include "app/ProgramState.h"

#include <QDialog>
#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace rer {

class AppContext;

// The stroke calculator of a parameter window: frmDevice (two axes, with the
// choice of the axis that receives the result) and frm3KDevice (one axis).
class frmDevice : public QDialog {
    Q_OBJECT
public:
    frmDevice(AppContext& ctx, Product p, QWidget* parent = nullptr);

    // Shows the window modally; true when Input took a result.
    bool runModal();
    QString result() const;
    int targetAxis() const; // 0 axis 1, 1 axis 2

    void cmdCulStrokePulse_Click();
    void cmdInputStroke_Click();

    QLineEdit* txtStrokeTyo = nullptr;
    QLineEdit* txtRido = nullptr;
    QPushButton* cmdCulStrokePulse = nullptr;
    QPushButton* cmdInputStroke = nullptr;
    QLabel* lblStrokePulse = nullptr;
    std::array<QRadioButton*, 2> optActType{};
    std::array<QRadioButton*, 2> optInputSaki{}; // two-axis only
    QGroupBox* frmInputTarget = nullptr;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    AppContext& ctx_;
    Product p_;
};

using frm3KDevice = frmDevice;

} // namespace rer
