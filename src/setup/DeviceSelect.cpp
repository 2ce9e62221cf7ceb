#include "setup/DeviceSelect.h"

#include "app/AppContext.h"
#include "catalogue/Catalogue.h"
#include "files/Decimal.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace rer {

bool DeviceComboBox::contains(const QString& t) const {
    return std::find(items.begin(), items.end(), t) != items.end();
}

DeviceSelect::DeviceSelect(AppContext& ctx, Product p) : ctx_(ctx), product_(p) {}

AxisActuator& DeviceSelect::choice(int a) { return ctx_.dev.axes(product_)[a]; }

// The PG tick the option rules start from: the committed PG flag, which the
// one-axis product keeps in the shared table as well.
bool DeviceSelect::pgPreset(int a) const { return ctx_.dev.DevWithPG[a]; }

int DeviceSelect::StrokeOf(const QString& text) {
    const double r = RoundDecimal(LeadingNumber(text), 0, HalfRule::ToEven);
    if (!std::isfinite(r) || r < std::numeric_limits<int16_t>::min() ||
        r > std::numeric_limits<int16_t>::max())
        return 0;
    return int(r);
}

// ---- Load

void DeviceSelect::Form_Load() {
    auto& dev = ctx_.dev;
    for (int a = 0; a < axisCount(); ++a) {
        DeviceAxisControls& c = axes_[a];
        if (dev.DevIsKZ[a]) {
            // As a click on KZ leaves it: the PG box can be ticked, whether
            // or not the committed actuator has a PG.
            c.optKzSelect = 0;
            choice(a).Series = QStringLiteral("KZ");
            NewOrOld(a, true);
            c.pgEnabled = true;
            if (dev.DevNewType[a]) {
                c.optNewOrOld = 0;
                c.optHomeMethod = 1;
                HomeMethod(a, false);
                dev.SelNewType[a] = true;
            } else {
                c.optNewOrOld = 1;
                HomeMethod(a, true);
                dev.SelNewType[a] = false;
            }
        } else {
            c.optKzSelect = 1;
            choice(a).Series = QStringLiteral("VT");
            c.pgEnabled = false;
            dev.SelNewType[a] = false;
            NewOrOld(a, false);
            c.optHomeMethod = 0;
            HomeMethod(a, false);
        }
    }
    DeviceSelectCancel = false;
    for (int a = 0; a < axisCount(); ++a) {
        AxisActuator& x = choice(a);
        axes_[a].comboDeviceSize.text = x.Size;
        x.SelSize = x.Size;
        axes_[a].comboDeviceSpeed.text = x.Speed;
        x.SelSpeed = x.Speed;
        axes_[a].comboDeviceStroke.text = QString::number(x.Stroke);
        x.SelStroke = x.Stroke;
    }
    for (int a = 0; a < axisCount(); ++a) {
        if (pgPreset(a)) {
            // Shown ticked, so that the committed PG flag survives a missing
            // list file.
            axes_[a].pgEnabled = true;
            axes_[a].pgVisible = true;
            axes_[a].pgChecked = true;
        }
    }
    LoadDevListAll();
}

void DeviceSelect::LoadDevListAll() {
    if (LoadDeviceList(ctx_, product_, 1) == 0)
        for (int a = 0; a < axisCount(); ++a) RefreshAxis(a);
}

void DeviceSelect::LoadDevListOneAxis(int a) {
    if (LoadDeviceListAxis(ctx_, product_, a, 1) == 0) RefreshAxis(a);
}

// ---- Series and type

void DeviceSelect::optKzSelect_Click(int a, int index) {
    DeviceAxisControls& c = axes_[a];
    c.optKzSelect = index;
    if (index == 0) {
        choice(a).Series = QStringLiteral("KZ");
        NewOrOld(a, true);
        c.pgEnabled = true;
        ctx_.dev.SelNewType[a] = c.optNewOrOld == 0;
    } else {
        choice(a).Series = QStringLiteral("VT");
        c.pgEnabled = false;
        ctx_.dev.SelNewType[a] = false;
        NewOrOld(a, false);
    }
    // The series chooses the list file of this axis; no other axis is read.
    LoadDevListOneAxis(a);
}

void DeviceSelect::optNewOrOld_Click(int a, int index) {
    axes_[a].optNewOrOld = index;
    ctx_.dev.SelNewType[a] = index == 0;
    LoadDevListOneAxis(a);
}

// ---- Refreshes

void DeviceSelect::comboDeviceSize_Changed(int a) { RefreshAfterSize(a); }
void DeviceSelect::comboDeviceSpeed_Changed(int a) { RefreshAfterSpeed(a); }

void DeviceSelect::RefreshAxis(int a) {
    MakeSizeList(a);
    RefreshAfterSize(a);
}

void DeviceSelect::RefreshAfterSize(int a) {
    GetDevSpeedList(ctx_, product_, a, axes_[a].comboDeviceSize.text);
    MakeSpeedList(a);
    RefreshAfterSpeed(a);
}

void DeviceSelect::RefreshAfterSpeed(int a) {
    MakeStrokeList(a);
    OptionRules(a);
}

void DeviceSelect::MakeSizeList(int a) {
    const CatalogueSlot& slot = ctx_.cat.slots(product_)[a];
    DeviceComboBox& box = axes_[a].comboDeviceSize;
    box.items = slot.SizeList;
    const QString first = slot.SizeList.empty() ? QString() : slot.SizeList.front();
    if (!box.text.isEmpty()) {
        if (FindDevSize(ctx_, ctx_.dev.SelNewType[a], choice(a).Series, box.text) == 1)
            box.text = first;
    } else {
        const bool noSize = std::none_of(box.items.begin(), box.items.end(),
                                         [](const QString& t) { return !t.isEmpty(); });
        box.text = noSize ? choice(a).Size : first;
    }
}

void DeviceSelect::MakeSpeedList(int a) {
    const CatalogueSlot& slot = ctx_.cat.slots(product_)[a];
    DeviceComboBox& box = axes_[a].comboDeviceSpeed;
    box.items = slot.SpeedList;
    const QString& size = axes_[a].comboDeviceSize.text;
    if (size == QLatin1String("E35") || size == QLatin1String(" 20")) box.text = QStringLiteral("L");
    const QString& committed = choice(a).Speed;
    if (!committed.isEmpty()) {
        if (box.contains(committed))
            box.text = committed;
        else
            box.text = slot.SpeedList.empty() ? QString() : slot.SpeedList.front();
    }
}

void DeviceSelect::MakeStrokeList(int a) {
    const CatalogueSlot& slot = ctx_.cat.slots(product_)[a];
    DeviceComboBox& box = axes_[a].comboDeviceStroke;
    const int committed = choice(a).Stroke;
    const QString committedText = QString::number(committed);
    const QString& size = axes_[a].comboDeviceSize.text;
    const QString& speed = axes_[a].comboDeviceSpeed.text;
    box.items.clear();
    bool found = false;
    for (int r = 1; r <= slot.searchable(); ++r) {
        const DevListRecord& rec = slot.List[r];
        if (rec.size() != size || rec.speed() != speed) continue;
        if (rec.stroke() == double(committed)) found = true;
        box.items.push_back(ShortestText(rec.stroke()));
        box.text = found ? committedText : box.items.front();
    }
    if (committed != 0) {
        const bool listed = std::any_of(box.items.begin(), box.items.end(), [&](const QString& t) {
            return LeadingNumber(t) == double(committed);
        });
        box.text = listed ? committedText : (box.items.empty() ? QString() : box.items.front());
    }
}

void DeviceSelect::OptionRules(int a) {
    DeviceAxisControls& c = axes_[a];
    const QString size = c.comboDeviceSize.text;
    const QString speed = c.comboDeviceSpeed.text.trimmed();
    const int stroke = StrokeOf(c.comboDeviceStroke.text);
    const QString series = choice(a).Series;
    const bool newType = ctx_.dev.SelNewType[a];
    const int pg = GetDevPgCode(ctx_, newType, series, size, speed, stroke);
    const int vert = GetDevVertCode(ctx_, newType, series, size, speed, stroke);
    if (pg == 99 || vert == 99) return;

    switch (pg) {
    case 0: c.pgVisible = false; c.pgChecked = false; break;
    case 1: c.pgVisible = true; c.pgChecked = pgPreset(a); break;
    case 2: c.pgVisible = false; c.pgChecked = true; break;
    default: break; // a code the catalogue does not define leaves the box alone
    }
    switch (vert) {
    case 0: HomeMethod(a, false); c.optHomeMethod = 0; break;
    case 1: HomeMethod(a, true); c.optHomeMethod = choice(a).SelVertical ? 1 : 0; break;
    case 2: HomeMethod(a, false); c.optHomeMethod = 1; break;
    default: break;
    }
}

// ---- OK and Cancel

void DeviceSelect::cmdDeviceSet_Click() {
    auto& dev = ctx_.dev;
    for (int a = 0; a < axisCount(); ++a) {
        const DeviceAxisControls& c = axes_[a];
        AxisActuator& x = choice(a);
        const bool kz = c.optKzSelect == 0;
        x.SelSeries = kz ? QStringLiteral("KZ") : QStringLiteral("VT");
        dev.SelNewType[a] = kz && c.optNewOrOld == 0;
        x.SelSize = c.comboDeviceSize.text;
        x.SelSpeed = c.comboDeviceSpeed.text;
        x.SelStroke = static_cast<int16_t>(StrokeOf(c.comboDeviceStroke.text));
        const bool withPG = c.pgChecked && kz;
        if (product_ == Product::TwoAxis)
            dev.DevWithPG[a] = withPG;
        else
            x.SelWithPG = withPG;
        x.SelVertical = c.optHomeMethod == 1 && kz;
    }
    FindDevInfo(ctx_, product_);
    DeviceSelectCancel = false;
}

void DeviceSelect::cmdDeviceCancel_Click() { DeviceSelectCancel = true; }

// ---- Captions

QString DeviceSelect::caption(const QString& name) const {
    struct Caption { const char* name; const char* en; const char* jp; };
    static const Caption kCaptions[] = {
        {"lblDeviceSetumei", "Select Acutuator type,size,speed,stroke and click [OK]",
         "使用するアクチュエータの機種を選択して下さい。"},
        {"lblDeviceSize", "Size", "サイズ"},
        {"lblDeviceSpeed", "Speed", "スピード"},
        {"lblDeviceStroke", "Stroke", "ストローク"},
        {"chkDevPgUse", "with PG", "ＰＧ付き"},
        {"chkDevVsiyou", "V-TYPE", "垂直(V)仕様"},
        {"cmdDeviceCancel", "Cancel", "キャンセル"},
        {"cmdDeviceSet", "OK", "OK"},
        {"framNewOrOld", "Actuator", "ｱｸﾁｭｴｰﾀ"},
        {"optNewOrOld0", "Standard", "標準"},
        {"optNewOrOld1", "Old type", "旧型"},
        {"lblHomeMethod", "Home Method(former:Standard)", "原点復帰方式(旧 垂直仕様)"},
        {"optHomeMethod0", "Pushing", "押付け方式"},
        {"optHomeMethod1", "LS(Sensor)", "LS(ｾﾝｻ)方式"},
        {"lblPush1", "(former:Standard)", "(旧 標準仕様)"},
        {"lblPush2", "((former:Standard)", "(旧 標準仕様)"},
        {"lblSensor", "(former:Vertical)", "(旧 垂直仕様)"},
        {"optKzSelect0", "KZ", "KZ"},
        {"optKzSelect1", "VT", "VT"},
        {"window", "Select Device", "機種選択"},
    };
    if (name == QLatin1String("framAxis1") && product_ == Product::OneAxis)
        return ctx_.pick(QStringLiteral("機種設定"), QStringLiteral("DEVICE"));
    if (name == QLatin1String("framAxis1"))
        return ctx_.pick(QStringLiteral("１軸　機種設定"), QStringLiteral("1AXIS DEVICE"));
    if (name == QLatin1String("framAxis2"))
        return ctx_.pick(QStringLiteral("２軸　機種設定"), QStringLiteral("2AXIS DEVICE"));
    for (const Caption& c : kCaptions)
        if (name == QLatin1String(c.name))
            return ctx_.pick(QString::fromUtf8(c.jp), QString::fromUtf8(c.en));
    return QString();
}

} // namespace rer
