#pragma once
#include "app/ProgramState.h"

#include <QString>
#include <array>
#include <vector>

namespace rer {

class AppContext;

// An editable combo box as the dialog logic sees it: its entries and its text.
struct DeviceComboBox {
    std::vector<QString> items;
    QString text;

    bool contains(const QString& t) const;
};

// What the controls of one axis frame show.
struct DeviceAxisControls {
    int optKzSelect = 0;          // series: 0 "KZ", 1 "VT"
    int optNewOrOld = 0;          // actuator type: 0 standard, 1 old type
    bool newOrOldEnabled = true;  // the type frame and its options
    DeviceComboBox comboDeviceSize;
    DeviceComboBox comboDeviceSpeed;
    DeviceComboBox comboDeviceStroke;
    bool pgVisible = false;       // chkDevPgUse
    bool pgEnabled = false;
    bool pgChecked = false;
    bool homeMethodEnabled = true; // the home-method container, its options and labels
    int optHomeMethod = 0;        // 0 pushing, 1 LS sensor
};

// The actuator selection dialog without its window: frmDevice2 (two axes)
// and frm3KDevice2 (one axis) are this logic with two or one axis frame.
//
// The dialog works on the shared choice of its product: it reads the
// committed model, keeps the working series and type (DevSeries /
// W3kDevSeries, SelNewType) and the product's catalogue slots up to date
// while it is open, and on OK writes the chosen values and looks the model
// up (FindDevInfo). The opener commits the choice.
class DeviceSelect {
public:
    DeviceSelect(AppContext& ctx, Product p);

    Product product() const { return product_; }
    int axisCount() const { return AxesOf(product_); }
    DeviceAxisControls& axis(int a) { return axes_[a]; }
    const DeviceAxisControls& axis(int a) const { return axes_[a]; }

    // Public variables of the dialog.
    bool DeviceSelectCancel = false;
    bool PgCheckHyoji = false;     // set by the opener; the dialog does not read it

    // Events.
    void Form_Load();
    void optKzSelect_Click(int a, int index);
    void optNewOrOld_Click(int a, int index);
    // A size or speed picked from the list, or the box left.
    void comboDeviceSize_Changed(int a);
    void comboDeviceSpeed_Changed(int a);
    void cmdDeviceSet_Click();
    // Cancel and the close box.
    void cmdDeviceCancel_Click();

    // Caption of a control by its name in the language of the run; empty for
    // a name without a caption of its own.
    QString caption(const QString& name) const;

    // The whole-number value of a stroke box text; 0 when it has none.
    static int StrokeOf(const QString& text);

private:
    AxisActuator& choice(int a);
    bool pgPreset(int a) const;
    void LoadDevListAll();
    void LoadDevListOneAxis(int a);
    void RefreshAxis(int a);
    void RefreshAfterSize(int a);
    void RefreshAfterSpeed(int a);
    void MakeSizeList(int a);
    void MakeSpeedList(int a);
    void MakeStrokeList(int a);
    void OptionRules(int a);
    void NewOrOld(int a, bool on) { axes_[a].newOrOldEnabled = on; }
    void HomeMethod(int a, bool on) { axes_[a].homeMethodEnabled = on; }

    AppContext& ctx_;
    Product product_;
    std::array<DeviceAxisControls, 2> axes_;
};

} // namespace rer
