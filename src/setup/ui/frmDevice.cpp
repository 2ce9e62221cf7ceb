#include "setup/ui/frmDevice.h"

#include "app/AppContext.h"
#include "platform/ui/BoxValidator.h"
#include "platform/ui/WindowPlacement.h"
#include "setup/StrokeCalc.h"

#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace rer {

frmDevice::frmDevice(AppContext& ctx, Product p, QWidget* parent) : QDialog(parent), ctx_(ctx), p_(p) {
    auto T = [this](const char* jp, const char* en) { return ctx_.pick(QString::fromUtf8(jp), QString::fromUtf8(en)); };
    setObjectName(p == Product::TwoAxis ? QStringLiteral("frmDevice") : QStringLiteral("frm3KDevice"));
    setWindowTitle(T("計算", "Calculation"));
    setFixedSize(420, 300);
    FitToScreen(*this);
    PlaceBesideMainWindow(this, parent);

    auto* framActType = new QGroupBox(T("ｱｸﾁｭｴｰﾀ", "Actuator"), this);
    framActType->setObjectName(QStringLiteral("framActType"));
    framActType->setGeometry(10, 8, 400, 44);
    optActType[0] = new QRadioButton(T("RO-67R以外", "except RO-67R"), framActType);
    optActType[1] = new QRadioButton(QStringLiteral("RO-67R"), framActType);
    optActType[0]->setGeometry(10, 18, 180, 20);
    optActType[1]->setGeometry(200, 18, 180, 20);
    optActType[0]->setChecked(true);

    auto label = [this](const char* name, const QString& text, int x, int y, int w) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(x, y, w, 18);
        return l;
    };
    label("lblStroke", T("ストローク(mm)", "Stroke length(mm)"), 10, 62, 150);
    txtStrokeTyo = new QLineEdit(this);
    txtStrokeTyo->setObjectName(QStringLiteral("txtStrokeTyo"));
    txtStrokeTyo->setGeometry(170, 60, 70, 20);
    txtStrokeTyo->setToolTip(T("ストロークを整数で入力して下さい(600mmまで)", "integer:25 to 600"));
    label("lblRido", T("リード(mm)", "Lead(mm)"), 10, 88, 150);
    txtRido = new QLineEdit(this);
    txtRido->setObjectName(QStringLiteral("txtRido"));
    txtRido->setGeometry(170, 86, 70, 20);
    txtRido->setToolTip(T("リード(２，４，６，８，１２のいずれか)を入力して下さい", "integer:2 or 4 or 6 or 8 or 12"));
    cmdCulStrokePulse = new QPushButton(T("計算", "Calculate"), this);
    cmdCulStrokePulse->setObjectName(QStringLiteral("cmdCulStrokePulse"));
    cmdCulStrokePulse->setGeometry(260, 72, 70, 24);
    label("lblXaStroke", T("ストローク長（パルス）", "Stroke length(Pulse)"), 10, 118, 150);
    lblStrokePulse = new QLabel(this);
    lblStrokePulse->setObjectName(QStringLiteral("lblStrokePulse"));
    lblStrokePulse->setGeometry(170, 116, 90, 20);
    lblStrokePulse->setAutoFillBackground(true);
    QPalette pal = lblStrokePulse->palette();
    pal.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    lblStrokePulse->setPalette(pal);
    cmdInputStroke = new QPushButton(T("入力", "Input"), this);
    cmdInputStroke->setObjectName(QStringLiteral("cmdInputStroke"));
    cmdInputStroke->setDefault(true);
    cmdInputStroke->setGeometry(340, 112, 70, 24);

    frmInputTarget = new QGroupBox(T("入力先", "Input to"), this);
    frmInputTarget->setObjectName(QStringLiteral("frmInputTarget"));
    frmInputTarget->setGeometry(260, 140, 150, 44);
    optInputSaki[0] = new QRadioButton(QStringLiteral("AXIS 1"), frmInputTarget);
    optInputSaki[1] = new QRadioButton(QStringLiteral("AXIS 2"), frmInputTarget);
    optInputSaki[0]->setGeometry(6, 18, 70, 20);
    optInputSaki[1]->setGeometry(76, 18, 70, 20);
    optInputSaki[0]->setChecked(true);
    frmInputTarget->setVisible(p == Product::TwoAxis);

    label("LabelAboutRido", T("リードについて：", "ABOUT LEAD"), 10, 150, 240);
    const char* leads[] = {"6", "2", "8", "12", "4"};
    for (int i = 0; i < 5; ++i)
        label(QStringLiteral("Label%1").arg(i + 1).toLatin1().constData(),
              T("リード %1mm", "Lead %1 mm").arg(QString::fromLatin1(leads[i])),
              10, 170 + i * 22, 240);

    SetBoxRule(txtStrokeTyo, kStrokeBoxRule, ctx_.platform.beeper);
    SetBoxRule(txtRido, kLeadBoxRule, ctx_.platform.beeper);
    txtStrokeTyo->installEventFilter(this);
    txtRido->installEventFilter(this);
    connect(cmdCulStrokePulse, &QPushButton::clicked, this, [this] { cmdCulStrokePulse_Click(); });
    connect(cmdInputStroke, &QPushButton::clicked, this, [this] { cmdInputStroke_Click(); });
}

bool frmDevice::runModal() { return exec() == QDialog::Accepted; }

QString frmDevice::result() const { return lblStrokePulse->text(); }

int frmDevice::targetAxis() const { return p_ == Product::TwoAxis && optInputSaki[1]->isChecked() ? 1 : 0; }

void frmDevice::cmdCulStrokePulse_Click() {
    lblStrokePulse->setText(
        StrokePulseText(txtStrokeTyo->text(), txtRido->text(), optActType[1]->isChecked(), ctx_.opt.LanguageNo));
}

void frmDevice::cmdInputStroke_Click() {
    if (IsInvalidityText(lblStrokePulse->text())) return;
    accept();
}

bool frmDevice::eventFilter(QObject* o, QEvent* e) {
    auto* box = qobject_cast<QLineEdit*>(o);
    if (!box || (box != txtStrokeTyo && box != txtRido)) return QDialog::eventFilter(o, e);
    // What the box takes is its validator's rule; Enter moves the focus on.
    if (e->type() == QEvent::KeyPress) {
        if (!IsEnterKey(*static_cast<QKeyEvent*>(e))) return false;
        if (box == txtStrokeTyo) txtRido->setFocus();
        else cmdCulStrokePulse->setFocus();
        return true;
    } else if (e->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(e)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;
        const bool ok = box == txtStrokeTyo ? StrokeBoxAccepts(box->text()) : LeadBoxAccepts(box->text());
        if (!ok) {
            box->clear();
            ctx_.platform.beeper.beep();
        }
    }
    return false;
}

} // namespace rer
