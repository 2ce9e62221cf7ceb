#include "dialogs/ui/frmSelectPosiNo.h"

#include "app/AppContext.h"
#include "app/ui/WindowText.h"
#include "platform/ui/WindowPlacement.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>

namespace rer {

frmSelectPosiNo::frmSelectPosiNo(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("frmSelectPosiNo"));
    FitToScreen(*this);
    setModal(true);
    ctx_.pos.SelectPosiCancel = false;
    setWindowTitle(ctx_.pick(QStringLiteral("データNoの設定"), QStringLiteral("Setting range of Data No.")));
    if (parent) move(parent->pos() + QPoint(33, 33)); // 500 twips

    auto* lblSetumei = new QLabel(ctx_.pick(QStringLiteral("操作を行うデータNoの範囲を設定します。"),
                                            QStringLiteral("Setting range of Data No. for operation.")), this);
    lblSetumei->setObjectName(QStringLiteral("lblSetumeiSelectNo"));
    opt_[0] = new QRadioButton(ctx_.pick(QStringLiteral("すべてのデータ"), QStringLiteral("All data")), this);
    opt_[0]->setObjectName(QStringLiteral("optSelectPosiNo0"));
    opt_[1] = new QRadioButton(ctx_.pick(QStringLiteral("選択したNoのデータ"), QStringLiteral("Data of Selected No.")), this);
    opt_[1]->setObjectName(QStringLiteral("optSelectPosiNo1"));
    lblStartPosiMoji = new QLabel(ctx_.pick(QStringLiteral("開始位置No"), QStringLiteral("Start Posi No")), this);
    lblStartPosiMoji->setObjectName(QStringLiteral("lblStartPosiMoji"));
    lblEndPosiMoji = new QLabel(ctx_.pick(QStringLiteral("終了位置No"), QStringLiteral("End Posi No")), this);
    lblEndPosiMoji->setObjectName(QStringLiteral("lblEndPosiMoji"));

    auto makeNumber = [this](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(name));
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setMinimumWidth(40);
        l->setAutoFillBackground(true);
        return l;
    };
    lblStartPosiNo = makeNumber("lblStartPosiNo");
    lblEndPosiNo = makeNumber("lblEndPosiNo");
    auto makeUpDown = [this](const char* name) {
        auto* s = new QSpinBox(this);
        s->setObjectName(QString::fromLatin1(name));
        s->setRange(1, 399);
        s->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
        s->setMaximumWidth(18);
        return s;
    };
    upStart_ = makeUpDown("UpDownStartPosiNo");
    upEnd_ = makeUpDown("UpDownEndPosiNo");
    auto makeSlider = [this](const char* name) {
        auto* s = new QSlider(Qt::Horizontal, this);
        s->setObjectName(QString::fromLatin1(name));
        s->setRange(1, 399);
        return s;
    };
    sldrStart_ = makeSlider("sldrStartPosiNo");
    sldrEnd_ = makeSlider("sldrEndPosiNo");

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdSelectPosiOk"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(ctx_.pick(QStringLiteral("キャンセル"), QStringLiteral("Cancel")), this);
    cancel->setObjectName(QStringLiteral("cmdSelectPosiCancel"));

    auto* g = new QGridLayout(this);
    g->addWidget(lblSetumei, 0, 0, 1, 4);
    g->addWidget(opt_[0], 1, 0, 1, 4);
    g->addWidget(opt_[1], 2, 0, 1, 4);
    g->addWidget(lblStartPosiMoji, 3, 0);
    g->addWidget(lblStartPosiNo, 3, 1);
    g->addWidget(upStart_, 3, 2);
    g->addWidget(sldrStart_, 3, 3);
    g->addWidget(lblEndPosiMoji, 4, 0);
    g->addWidget(lblEndPosiNo, 4, 1);
    g->addWidget(upEnd_, 4, 2);
    g->addWidget(sldrEnd_, 4, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    g->addLayout(buttons, 5, 0, 1, 4);
    KeepTitleWhole(*this);

    // The number labels drive their slider and up-down control; the sliders
    // carry the follow rule (the end follows the start up, the start follows
    // the end down), so a step of an up-down control follows it too.
    connect(sldrStart_, &QSlider::valueChanged, this, [this](int v) {
        setStart(v);
        if (endNo() < v) setEnd(v);
    });
    connect(sldrEnd_, &QSlider::valueChanged, this, [this](int v) {
        setEnd(v);
        if (startNo() > v) setStart(v);
    });
    connect(upStart_, &QSpinBox::valueChanged, this, [this](int v) { sldrStart_->setValue(v); });
    connect(upEnd_, &QSpinBox::valueChanged, this, [this](int v) { sldrEnd_->setValue(v); });
    connect(opt_[0], &QRadioButton::toggled, this, [this](bool on) { if (on) optSelectPosiNo_Click(0); });
    connect(opt_[1], &QRadioButton::toggled, this, [this](bool on) { if (on) optSelectPosiNo_Click(1); });
    connect(ok, &QPushButton::clicked, this, &frmSelectPosiNo::cmdSelectPosiOk_Click);
    connect(cancel, &QPushButton::clicked, this, &frmSelectPosiNo::cmdSelectPosiCancel_Click);

    setStart(1);
    setEnd(100);
    sldrStart_->setValue(1);
    sldrEnd_->setValue(100);
    opt_[0]->setChecked(true);
    optSelectPosiNo_Click(0);
}

int frmSelectPosiNo::startNo() const { return lblStartPosiNo->text().toInt(); }
int frmSelectPosiNo::endNo() const { return lblEndPosiNo->text().toInt(); }

void frmSelectPosiNo::setStart(int v) {
    lblStartPosiNo->setText(QString::number(v));
    upStart_->setValue(v);
    sldrStart_->setValue(v);
}

void frmSelectPosiNo::setEnd(int v) {
    lblEndPosiNo->setText(QString::number(v));
    upEnd_->setValue(v);
    sldrEnd_->setValue(v);
}

void frmSelectPosiNo::optSelectPosiNo_Click(int index) {
    const bool on = index == 1;
    for (QWidget* w : std::initializer_list<QWidget*>{lblStartPosiMoji, lblEndPosiMoji, lblStartPosiNo,
                                                      lblEndPosiNo, upStart_, upEnd_, sldrStart_, sldrEnd_})
        w->setEnabled(on);
    for (QLabel* l : {lblStartPosiNo, lblEndPosiNo}) {
        QPalette p = l->palette();
        p.setColor(QPalette::Window, on ? QColor(Qt::white) : palette().color(QPalette::Button));
        l->setPalette(p);
    }
}

void frmSelectPosiNo::cmdSelectPosiOk_Click() {
    if (opt_[0]->isChecked()) {
        ctx_.pos.PosiRangeStart = 1;
        ctx_.pos.PosiRangeEnd = 399;
    } else {
        ctx_.pos.PosiRangeStart = int16_t(startNo());
        ctx_.pos.PosiRangeEnd = int16_t(endNo());
    }
    accept();
}

void frmSelectPosiNo::cmdSelectPosiCancel_Click() {
    reject();
}

void frmSelectPosiNo::reject() {
    ctx_.pos.SelectPosiCancel = true;
    QDialog::reject();
}

} // namespace rer
