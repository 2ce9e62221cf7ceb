#pragma once
#include "setup/DeviceSelect.h"

#include <QDialog>
#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace rer {

class AppContext;

// The window of an actuator selection dialog: one frame per axis over the
// dialog logic of DeviceSelect. frmDevice2 and frm3KDevice2 are its two
// forms.
class DeviceDialog : public QDialog {
    Q_OBJECT
public:
    DeviceDialog(AppContext& ctx, Product p, QWidget* parent = nullptr);

    // Runs the load (captions, committed model, catalogue) before showing.
    void Form_Load();
    // Load and run modally; returns the cancel flag.
    bool runModal();

    DeviceSelect& model() { return model_; }

    // OK and Cancel; the close box and Escape act as Cancel.
    void cmdDeviceSet_Click();
    void cmdDeviceCancel_Click();
    void reject() override;

    // Controls of axis a (0 or 1).
    struct AxisFrame {
        QGroupBox* framAxis = nullptr;
        std::array<QRadioButton*, 2> optKzSelect{};
        QGroupBox* framNewOrOld = nullptr;
        std::array<QRadioButton*, 2> optNewOrOld{};
        QLabel* lblDeviceSize = nullptr;
        QLabel* lblDeviceSpeed = nullptr;
        QLabel* lblDeviceStroke = nullptr;
        QComboBox* comboDeviceSize = nullptr;
        QComboBox* comboDeviceSpeed = nullptr;
        QComboBox* comboDeviceStroke = nullptr;
        QCheckBox* chkDevPgUse = nullptr;
        QCheckBox* chkDevVsiyou = nullptr;
        QFrame* pictureHomeMethod = nullptr;
        QLabel* lblHomeMethod = nullptr;
        std::array<QRadioButton*, 2> optHomeMethod{};
        QLabel* lblPush = nullptr;
        QLabel* lblSensor = nullptr;
    };
    const AxisFrame& frame(int a) const { return frames_[a]; }
    QPushButton* okButton() const { return cmdDeviceSet; }
    QPushButton* cancelButton() const { return cmdDeviceCancel; }

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void buildAxis(int a);
    void SetCaptions();
    // Shows what the logic holds.
    void sync();
    void syncAxis(int a);
    // Runs a logic event and shows its outcome.
    template <class F> void run(F&& f);

    AppContext& ctx_;
    DeviceSelect model_;
    std::array<AxisFrame, 2> frames_;
    QLabel* lblDeviceSetumei = nullptr;
    QPushButton* cmdDeviceSet = nullptr;
    QPushButton* cmdDeviceCancel = nullptr;
    bool syncing_ = false;
    bool done_ = false;
};

} // namespace rer
