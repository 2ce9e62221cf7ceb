#include "setup/ui/DeviceDialog.h"

#include "app/AppContext.h"
#include "platform/ui/BoxValidator.h"
#include "platform/ui/WindowPlacement.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace rer {

namespace {

QString indexed(const QString& name, int index) {
    return name + QLatin1Char('_') + QString::number(index);
}

} // namespace

DeviceDialog::DeviceDialog(AppContext& ctx, Product p, QWidget* parent)
    : QDialog(parent), ctx_(ctx), model_(ctx, p) {
    setModal(true);
    FitToScreen(*this);
    auto* layout = new QVBoxLayout(this);
    lblDeviceSetumei = new QLabel(this);
    lblDeviceSetumei->setObjectName(QStringLiteral("lblDeviceSetumei"));
    layout->addWidget(lblDeviceSetumei);
    for (int a = 0; a < model_.axisCount(); ++a) {
        buildAxis(a);
        layout->addWidget(frames_[a].framAxis);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cmdDeviceSet = new QPushButton(QStringLiteral("OK"), this);
    cmdDeviceSet->setObjectName(QStringLiteral("cmdDeviceSet"));
    cmdDeviceSet->setDefault(true);
    cmdDeviceCancel = new QPushButton(this);
    cmdDeviceCancel->setObjectName(QStringLiteral("cmdDeviceCancel"));
    buttons->addWidget(cmdDeviceSet);
    buttons->addWidget(cmdDeviceCancel);
    layout->addLayout(buttons);
    connect(cmdDeviceSet, &QPushButton::clicked, this, &DeviceDialog::cmdDeviceSet_Click);
    connect(cmdDeviceCancel, &QPushButton::clicked, this, &DeviceDialog::cmdDeviceCancel_Click);
}

void DeviceDialog::buildAxis(int a) {
    AxisFrame& f = frames_[a];
    const int n = a + 1;
    f.framAxis = new QGroupBox(this);
    f.framAxis->setObjectName(QStringLiteral("framAxis%1").arg(n));
    auto* grid = new QGridLayout(f.framAxis);

    // Series and actuator type.
    auto* series = new QButtonGroup(f.framAxis);
    auto* seriesBox = new QWidget(f.framAxis);
    auto* seriesLayout = new QVBoxLayout(seriesBox);
    for (int i = 0; i < 2; ++i) {
        f.optKzSelect[i] = new QRadioButton(seriesBox);
        f.optKzSelect[i]->setObjectName(indexed(QStringLiteral("optKzSelect%1").arg(n), i));
        series->addButton(f.optKzSelect[i], i);
        seriesLayout->addWidget(f.optKzSelect[i]);
        connect(f.optKzSelect[i], &QRadioButton::toggled, this, [this, a, i](bool on) {
            if (on && !syncing_) run([&] { model_.optKzSelect_Click(a, i); });
        });
    }
    grid->addWidget(seriesBox, 0, 0);
    f.framNewOrOld = new QGroupBox(f.framAxis);
    f.framNewOrOld->setObjectName(QStringLiteral("framNewOrOld%1").arg(n));
    auto* type = new QButtonGroup(f.framNewOrOld);
    auto* typeLayout = new QVBoxLayout(f.framNewOrOld);
    for (int i = 0; i < 2; ++i) {
        f.optNewOrOld[i] = new QRadioButton(f.framNewOrOld);
        f.optNewOrOld[i]->setObjectName(indexed(QStringLiteral("optNewOrOld%1").arg(n), i));
        type->addButton(f.optNewOrOld[i], i);
        typeLayout->addWidget(f.optNewOrOld[i]);
        connect(f.optNewOrOld[i], &QRadioButton::toggled, this, [this, a, i](bool on) {
            if (on && !syncing_) run([&] { model_.optNewOrOld_Click(a, i); });
        });
    }
    grid->addWidget(f.framNewOrOld, 0, 1, 1, 2);

    // Size, speed and stroke.
    auto makeCombo = [&](const char* label, const char* combo, QLabel*& l, QComboBox*& c, int col) {
        l = new QLabel(f.framAxis);
        l->setObjectName(indexed(QString::fromLatin1(label), a));
        c = new QComboBox(f.framAxis);
        c->setObjectName(indexed(QString::fromLatin1(combo), a));
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
        // What the user types stays as typed: no completion from the list.
        c->setCompleter(nullptr);
        c->installEventFilter(this);
        grid->addWidget(l, 1, col);
        grid->addWidget(c, 2, col);
    };
    makeCombo("lblDeviceSize", "comboDeviceSize", f.lblDeviceSize, f.comboDeviceSize, 0);
    makeCombo("lblDeviceSpeed", "comboDeviceSpeed", f.lblDeviceSpeed, f.comboDeviceSpeed, 1);
    makeCombo("lblDeviceStroke", "comboDeviceStroke", f.lblDeviceStroke, f.comboDeviceStroke, 2);
    connect(f.comboDeviceSize, &QComboBox::editTextChanged, this, [this, a](const QString& t) {
        if (!syncing_) model_.axis(a).comboDeviceSize.text = t;
    });
    connect(f.comboDeviceSpeed, &QComboBox::editTextChanged, this, [this, a](const QString& t) {
        if (!syncing_) model_.axis(a).comboDeviceSpeed.text = t;
    });
    connect(f.comboDeviceStroke, &QComboBox::editTextChanged, this, [this, a](const QString& t) {
        if (!syncing_) model_.axis(a).comboDeviceStroke.text = t;
    });
    connect(f.comboDeviceSize, &QComboBox::textActivated, this, [this, a](const QString& t) {
        if (syncing_) return;
        model_.axis(a).comboDeviceSize.text = t;
        run([&] { model_.comboDeviceSize_Changed(a); });
    });
    connect(f.comboDeviceSpeed, &QComboBox::textActivated, this, [this, a](const QString& t) {
        if (syncing_) return;
        model_.axis(a).comboDeviceSpeed.text = t;
        run([&] { model_.comboDeviceSpeed_Changed(a); });
    });

    // Options.
    f.chkDevPgUse = new QCheckBox(f.framAxis);
    f.chkDevPgUse->setObjectName(indexed(QStringLiteral("chkDevPgUse"), a));
    connect(f.chkDevPgUse, &QCheckBox::toggled, this, [this, a](bool on) {
        if (!syncing_) model_.axis(a).pgChecked = on;
    });
    f.chkDevVsiyou = new QCheckBox(f.framAxis);
    f.chkDevVsiyou->setObjectName(indexed(QStringLiteral("chkDevVsiyou"), a));
    grid->addWidget(f.chkDevPgUse, 3, 0);
    grid->addWidget(f.chkDevVsiyou, 3, 1);

    // Home method.
    f.pictureHomeMethod = new QFrame(f.framAxis);
    f.pictureHomeMethod->setObjectName(QStringLiteral("pictureHomeMethod%1").arg(n));
    f.pictureHomeMethod->setFrameShape(QFrame::StyledPanel);
    auto* home = new QGridLayout(f.pictureHomeMethod);
    f.lblHomeMethod = new QLabel(f.pictureHomeMethod);
    f.lblHomeMethod->setObjectName(QStringLiteral("lblHomeMethod%1").arg(n));
    home->addWidget(f.lblHomeMethod, 0, 0, 1, 2);
    auto* method = new QButtonGroup(f.pictureHomeMethod);
    for (int i = 0; i < 2; ++i) {
        f.optHomeMethod[i] = new QRadioButton(f.pictureHomeMethod);
        f.optHomeMethod[i]->setObjectName(indexed(QStringLiteral("optHomeMethod%1").arg(n), i));
        method->addButton(f.optHomeMethod[i], i);
        home->addWidget(f.optHomeMethod[i], 1, i);
        connect(f.optHomeMethod[i], &QRadioButton::toggled, this, [this, a, i](bool on) {
            if (on && !syncing_) model_.axis(a).optHomeMethod = i;
        });
    }
    f.lblPush = new QLabel(f.pictureHomeMethod);
    f.lblPush->setObjectName(QStringLiteral("lblPush%1").arg(n));
    f.lblSensor = new QLabel(f.pictureHomeMethod);
    f.lblSensor->setObjectName(QStringLiteral("lblSensor%1").arg(n));
    home->addWidget(f.lblPush, 2, 0);
    home->addWidget(f.lblSensor, 2, 1);
    grid->addWidget(f.pictureHomeMethod, 4, 0, 1, 3);
}

void DeviceDialog::SetCaptions() {
    const DeviceSelect& m = model_;
    setWindowTitle(m.caption(QStringLiteral("window")));
    lblDeviceSetumei->setText(m.caption(QStringLiteral("lblDeviceSetumei")));
    cmdDeviceSet->setText(m.caption(QStringLiteral("cmdDeviceSet")));
    cmdDeviceCancel->setText(m.caption(QStringLiteral("cmdDeviceCancel")));
    for (int a = 0; a < m.axisCount(); ++a) {
        AxisFrame& f = frames_[a];
        f.framAxis->setTitle(m.caption(QStringLiteral("framAxis%1").arg(a + 1)));
        for (int i = 0; i < 2; ++i) {
            f.optKzSelect[i]->setText(m.caption(QStringLiteral("optKzSelect%1").arg(i)));
            f.optNewOrOld[i]->setText(m.caption(QStringLiteral("optNewOrOld%1").arg(i)));
            f.optHomeMethod[i]->setText(m.caption(QStringLiteral("optHomeMethod%1").arg(i)));
        }
        f.framNewOrOld->setTitle(m.caption(QStringLiteral("framNewOrOld")));
        f.lblDeviceSize->setText(m.caption(QStringLiteral("lblDeviceSize")));
        f.lblDeviceSpeed->setText(m.caption(QStringLiteral("lblDeviceSpeed")));
        f.lblDeviceStroke->setText(m.caption(QStringLiteral("lblDeviceStroke")));
        f.chkDevPgUse->setText(m.caption(QStringLiteral("chkDevPgUse")));
        f.chkDevVsiyou->setText(m.caption(QStringLiteral("chkDevVsiyou")));
        f.lblHomeMethod->setText(m.caption(QStringLiteral("lblHomeMethod")));
        f.lblPush->setText(m.caption(QStringLiteral("lblPush%1").arg(a + 1)));
        f.lblSensor->setText(m.caption(QStringLiteral("lblSensor")));
    }
}

void DeviceDialog::Form_Load() {
    // Beside the main window, also when a parameter window opened it.
    PlaceBesideMainWindow(this, parentWidget());
    SetCaptions();
    run([&] { model_.Form_Load(); });
}

bool DeviceDialog::runModal() {
    Form_Load();
    exec();
    return model_.DeviceSelectCancel;
}

template <class F> void DeviceDialog::run(F&& f) {
    f();
    sync();
}

void DeviceDialog::sync() {
    syncing_ = true;
    for (int a = 0; a < model_.axisCount(); ++a) syncAxis(a);
    syncing_ = false;
}

void DeviceDialog::syncAxis(int a) {
    const DeviceAxisControls& c = model_.axis(a);
    AxisFrame& f = frames_[a];
    f.optKzSelect[c.optKzSelect == 0 ? 0 : 1]->setChecked(true);
    f.optNewOrOld[c.optNewOrOld == 0 ? 0 : 1]->setChecked(true);
    f.framNewOrOld->setEnabled(c.newOrOldEnabled);

    auto fill = [](QComboBox* box, const DeviceComboBox& m) {
        QStringList now;
        for (int i = 0; i < box->count(); ++i) now << box->itemText(i);
        const QStringList want(m.items.begin(), m.items.end());
        if (now != want) {
            box->clear();
            for (int i = 0; i < want.size(); ++i) box->addItem(want[i], i);
        }
        box->setEditText(m.text);
    };
    fill(f.comboDeviceSize, c.comboDeviceSize);
    fill(f.comboDeviceSpeed, c.comboDeviceSpeed);
    fill(f.comboDeviceStroke, c.comboDeviceStroke);

    f.chkDevPgUse->setVisible(c.pgVisible);
    f.chkDevPgUse->setEnabled(c.pgEnabled);
    f.chkDevPgUse->setChecked(c.pgChecked);
    f.pictureHomeMethod->setEnabled(c.homeMethodEnabled);
    f.optHomeMethod[c.optHomeMethod == 1 ? 1 : 0]->setChecked(true);
}

bool DeviceDialog::eventFilter(QObject* o, QEvent* e) {
    // Enter in a box (its list closed) is OK, as a click on OK: the box is
    // left first.
    if (e->type() == QEvent::KeyPress && IsEnterKey(*static_cast<QKeyEvent*>(e)) && !done_) {
        auto* box = qobject_cast<QComboBox*>(o);
        if (box && !box->view()->isVisible()) {
            cmdDeviceSet->setFocus(Qt::OtherFocusReason);
            cmdDeviceSet->click();
            return true;
        }
    }
    // Leaving a box, not its drop-down list opening or another window (a
    // message box) taking the focus.
    const auto leaves = [e] {
        const Qt::FocusReason r = static_cast<QFocusEvent*>(e)->reason();
        return r != Qt::PopupFocusReason && r != Qt::ActiveWindowFocusReason;
    };
    if (e->type() == QEvent::FocusOut && !syncing_ && !done_ && leaves()) {
        for (int a = 0; a < model_.axisCount(); ++a) {
            if (o == frames_[a].comboDeviceSize) run([&] { model_.comboDeviceSize_Changed(a); });
            if (o == frames_[a].comboDeviceSpeed) run([&] { model_.comboDeviceSpeed_Changed(a); });
        }
    }
    return QDialog::eventFilter(o, e);
}

void DeviceDialog::cmdDeviceSet_Click() {
    if (done_) return;
    done_ = true;
    model_.cmdDeviceSet_Click();
    accept();
}

void DeviceDialog::cmdDeviceCancel_Click() { reject(); }

void DeviceDialog::reject() {
    if (!done_) {
        done_ = true;
        model_.cmdDeviceCancel_Click();
    }
    QDialog::reject();
}

} // namespace rer
