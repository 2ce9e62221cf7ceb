#include "setup/ui/frmParameta2.h"

#include "app/AppContext.h"
#include "link/ui/BusyGate.h"
#include "setup/ui/TypedKey.h"
#include "setup/ui/frmDevice.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTabWidget>

namespace rer {

namespace {

// Twips to pixels at the usual 15 twips to a pixel.
constexpr int px(int twips) { return twips / 15; }
constexpr int kRowHeight = 17;
constexpr int kRowPitch = 18;

struct FrameDef {
    const char* name;
    int left, top, width, height; // twips
    const char* en;
    const char* jp;
    bool columns;   // per-axis frame with the "AXIS 1" / "AXIS 2" headings
    int boxWidth;   // twips
    std::vector<int> rows;
};

const std::vector<FrameDef>& Frames() {
    static const std::vector<FrameDef> f = {
        {"framHomePara", 240, 120, 4575, 2175, "HOME PARAMETER", "原点復帰ﾊﾟﾗﾒｰﾀ", true, 1215, {1, 2, 3, 4, 5, 6}},
        {"frmVelPara", 240, 2400, 4575, 3135, "VEL PARAMETER", "速度ﾊﾟﾗﾒｰﾀ", true, 1215,
         {7, 8, 9, 10, 11, 12, 13, 14, 15, 16}},
        {"framAxisPara", 240, 5640, 4575, 1935, "AXIS PARAMETER", "軸ﾊﾟﾗﾒｰﾀ", true, 1215, {17, 18, 19, 20, 21}},
        {"framPgPara", 5040, 120, 4575, 1095, "PG PARAMETER", "PGﾊﾟﾗﾒｰﾀ", true, 1335, {22, 23}},
        {"framEtcPara", 5040, 1320, 4575, 1575, "Etc PARAMETER", "その他ﾊﾟﾗﾒｰﾀ", false, 1935, {24, 25, 26, 27, 28}},
        {"framTokusyuPara", 5040, 3000, 4575, 2295, "SP PARAMETER", "特殊ﾊﾟﾗﾒｰﾀ", false, 1935,
         {29, 30, 31, 32, 33, 34, 35}},
    };
    return f;
}

QString RowLabel(int row, Product p) {
    const bool one = p == Product::OneAxis;
    switch (row) {
        case 1: return QStringLiteral("1. OFFSET");
        case 2: return QStringLiteral("2. PUSH");
        case 3: return QStringLiteral("3. VEL");
        case 4: return QStringLiteral("4. OFSVEL");
        case 5: return QStringLiteral("5. PUSHVEL");
        case 6: return one ? QStringLiteral("6. HOME SEQ") : QStringLiteral("6. SEQ");
        case 16: return QStringLiteral("10. JOG VEL");
        case 17: return QStringLiteral("1. STROKE");
        case 18: return QStringLiteral("2. LEAD");
        case 19: return QStringLiteral("3. PULSE");
        case 20: return QStringLiteral("4. AutoDrive");
        case 21: return QStringLiteral("5. TYPE");
        case 22: return QStringLiteral("1. FUNCTION");
        case 23: return QStringLiteral("2. ALM");
        case 24: return QStringLiteral("1. HOME OUT");
        case 25: return QStringLiteral("2. ALM CODE");
        case 26: return QStringLiteral("3. GRP ENABLE");
        case 27: return QStringLiteral("4. SM TIMEOUT");
        case 28: return QStringLiteral("5. SM TIMER");
        case 29: return QStringLiteral("1. PG TIMER");
        case 30: return QStringLiteral("2. 1 AXIS");
        case 31: return one ? QStringLiteral("2. AUTO HOME") : QStringLiteral("3. AUTO HOME");
        case 32: return one ? QStringLiteral("3. O-R ENABLE") : QStringLiteral("4. O-R ENABLE");
        case 33: return one ? QStringLiteral("4. OVERRIDE") : QStringLiteral("5. OVERRIDE");
        case 34: return one ? QStringLiteral("5. LS TIMER") : QStringLiteral("6. LS TIMER");
        case 35: return QStringLiteral("6. BCD ENABLE");
        default: return QStringLiteral("%1. VEL%1").arg(row - 6); // 7..15
    }
}

const char* BoxName(int row) {
    static const char* const kNames[] = {
        "", "txtHomeOffset", "txtHomePush", "txtHomeVel", "txtHomeOfsVel", "txtHomePushVel", "txtHomeOrder",
        "txtAxisVel1", "txtAxisVel2", "txtAxisVel3", "txtAxisVel4", "txtAxisVel5", "txtAxisVel6", "txtAxisVel7",
        "txtAxisVel8", "txtAxisVel9", "txtJogHighVel", "txtAxisStroke", "txtAxisLead", "txtAxisPulse",
        "comboAxisAutoDrv", "comboEtcVtOrKz", "comboPgFunc", "txtPgAlarm", "comboHomeOut", "comboEtcAlmCode",
        "comboEtcGrpEnable", "comboSmInTimer", "txtSmTimeoutTimer", "txtPgCheckTimer", "comboOneAxis",
        "comboAutoHome", "optOverRideUmu", "txtOverRide", "txtLsSerchTimer", "comboBCD"};
    return kNames[row];
}

// A command button whose caption wraps onto a second line, as the window's
// captions are longer than the buttons are wide.
class WrapButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionButton o;
        initStyleOption(&o);
        o.text.clear();
        painter.drawControl(QStyle::CE_PushButton, o);
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
        painter.drawText(rect().adjusted(3, 2, -3, -2), Qt::AlignCenter | Qt::TextWordWrap, text());
    }
};

} // namespace

frmParameta2::frmParameta2(AppContext& ctx, MainCommandFrame* main, QWidget* parent, Product p)
    : QWidget(parent, Qt::Window), ctx_(ctx), p_(p), dialogs_(ctx, this) {
    setObjectName(p == Product::TwoAxis ? QStringLiteral("frmParameta2") : QStringLiteral("frm3KParameta2"));
    editor_ = std::make_unique<ParamEditor>(ctx, p, *this, main, &dialogs_);
    build();
    // The controller commands stay off while another window's job holds it.
    auto* gate = new BusyGate(ctx_.link.ct, this);
    for (const char* n : {"cmdParaRead", "cmdParaWrite", "cmdConpareCT"}) gate->add(button(QString::fromLatin1(n)));
}

void frmParameta2::closeEvent(QCloseEvent* e) {
    // A command waits in an event loop of its own (a transfer, a message):
    // the window stays until it ends.
    if (editor_->running()) {
        e->ignore();
        return;
    }
    QWidget::closeEvent(e);
}

frmParameta2::~frmParameta2() {
    // No focus-loss test while the controls go away.
    for (auto& [o, rm] : boxOf_) o->removeEventFilter(this);
}

QPushButton* frmParameta2::addButton(QWidget* parent, const char* name, const QString& caption, int left,
                                     int top, int width, int height) {
    auto* b = new WrapButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(px(left), px(top), px(width), px(height));
    buttons_[b->objectName()] = b;
    return b;
}

void frmParameta2::build() {
    const bool two = p_ == Product::TwoAxis;
    auto T = [this](const char* jp, const char* en) {
        return ctx_.pick(QString::fromUtf8(jp), QString::fromUtf8(en));
    };
    setWindowTitle(T("パラメータ", "PARAMETER"));
    setFixedSize(px(9870), px(7770));

    for (const FrameDef& fd : Frames()) {
        auto* g = new QGroupBox(T(fd.jp, fd.en), this);
        g->setObjectName(QString::fromLatin1(fd.name));
        g->setGeometry(px(fd.left), px(fd.top), px(fd.width), px(fd.height));
        frames_[g->objectName()] = g;
        const int boxW = px(fd.boxWidth);
        const int col0 = fd.columns ? (two ? px(fd.width) - 2 * boxW - 14 : px(2280)) : px(2040);
        const int col1 = two ? col0 + boxW + 8 : px(fd.width) + 40; // one axis: out of sight
        int y = fd.columns ? 30 : 16;
        if (fd.columns) {
            for (int m = 0; m < 2; ++m) {
                auto* h = new QLabel(QStringLiteral("AXIS %1").arg(m + 1), g);
                h->setGeometry(m == 0 ? col0 : col1, 14, boxW, 14);
                h->setAlignment(Qt::AlignCenter);
                h->setVisible(two);
            }
        }
        if (std::string(fd.name) == "framTokusyuPara") {
            chk_ = new QCheckBox(T("特殊ﾊﾟﾗﾒｰﾀを変更する", "Change SP PARAMETER"), g);
            chk_->setObjectName(QStringLiteral("chkTokuParaChange"));
            chk_->setGeometry(8, 14, px(fd.width) - 16, 17);
            y = 32;
        }
        for (int row : fd.rows) {
            if (row > ParaLastRow(p_)) continue;
            const bool hiddenRow = !two && (row == kSeqRow || row == kOneAxisRow);
            auto* label = new QLabel(RowLabel(row, p_), g);
            const int rowY = hiddenRow ? y : y;
            label->setGeometry(hiddenRow ? px(fd.width) + 40 : 8, rowY, 110, kRowHeight);
            label->setVisible(!hiddenRow);
            if (row == 17) {
                QPushButton* calc = addButton(g, "cmdCalculate", T("計算", "calc"), 0, 0, 615, 255);
                calc->move(76, rowY);
                connect(calc, &QPushButton::clicked, this, [this] { cmdCalculate_Click(); });
            }
            const ParaRowSpec s = ParaSpec(row, p_);
            const int members = s.perAxis ? 2 : 1;
            for (int m = 0; m < members; ++m) {
                const bool out = hiddenRow || (m == 1 && !two);
                const int x = out ? px(fd.width) + 40 : (m == 0 ? col0 : col1);
                QWidget* w = nullptr;
                const QString name = QString::fromLatin1(BoxName(row));
                if (s.kind == ParaCtl::Text) {
                    auto* e = new QLineEdit(g);
                    e->setAlignment(Qt::AlignCenter);
                    e->installEventFilter(this);
                    boxOf_[e] = {row, m};
                    boxes_[static_cast<size_t>(row)][static_cast<size_t>(m)] = e;
                    w = e;
                } else if (s.kind == ParaCtl::Combo) {
                    auto* c = new QComboBox(g);
                    if (!out) {
                        const QStringList items = ParaComboItems(row, p_, ctx_.opt.LanguageNo);
                        for (int i = 0; i < items.size(); ++i) c->addItem(items[i], i); // item datum = its digit
                    }
                    c->setCurrentIndex(-1);
                    combos_[static_cast<size_t>(row)][static_cast<size_t>(m)] = c;
                    w = c;
                } else {
                    for (int i = 0; i < 2; ++i) {
                        auto* r = new QRadioButton(i == 0 ? T("無効", "Disable") : T("有効", "Enable"), g);
                        r->setObjectName(QStringLiteral("optOverRideUmu%1").arg(i));
                        r->setGeometry(col0 + i * (boxW / 2), rowY, boxW / 2, kRowHeight);
                        opt_[static_cast<size_t>(i)] = r;
                    }
                    opt_[0]->setChecked(true);
                }
                if (w) {
                    w->setObjectName(members == 2 ? QStringLiteral("%1_%2").arg(name).arg(m) : name);
                    w->setGeometry(x, rowY, boxW, kRowHeight);
                    if (out) {
                        w->setEnabled(false);
                        w->setVisible(false);
                    }
                }
            }
            if (!hiddenRow) y += kRowPitch;
        }
    }

    addButton(this, "cmdParaFilePrint", T("保存ﾌｧｲﾙの印刷", "Print Data in file"), 5280, 5400, 1095, 615);
    addButton(this, "cmdParaPrint", T("表示ﾊﾟﾗﾒｰﾀの印刷", "Print Data indicated"), 6840, 5400, 1095, 615);
    addButton(this, "cmdIniPrm", T("出荷時設定ﾊﾟﾗﾒｰﾀ", "Initial Parameter"), 8400, 5400, 1095, 615);
    tab_ = new QTabWidget(this);
    tab_->setObjectName(QStringLiteral("SSTabPrm"));
    tab_->setGeometry(px(5160), px(6120), px(4455), px(1455));
    auto* fileTab = new QWidget;
    auto* ctTab = new QWidget;
    tab_->addTab(fileTab, T("ファイル", "FILE "));
    tab_->addTab(ctTab, T("コントローラ", "CONTROLLER"));
    const int bt = 600 - 360; // inside the page, below the tab row
    addButton(fileTab, "cmdReadParaFile", T("ファイルの 読み込み", "File open"), 240, bt, 1095, 615);
    addButton(fileTab, "cmdSaveParaFile", T("ファイルへ 保存する", "File save"), 1680, bt, 1095, 615);
    addButton(fileTab, "cmdConpareFile", T(" ファイルと 照合", "Verify"), 3120, bt, 1095, 615);
    addButton(ctTab, "cmdParaRead", T("コントローラ から読込み", "Read from C/T"), 240, bt, 1095, 615);
    addButton(ctTab, "cmdParaWrite", T("コントローラ へ書き込み", "Write to C/T"), 1680, bt, 1095, 615);
    addButton(ctTab, "cmdConpareCT", T("コントローラと照合", "Verify"), 3120, bt, 1095, 615);
    tab_->setCurrentIndex(1);
    for (auto& [name, b] : buttons_) {
        b->setStyleSheet(QStringLiteral("font-size: 8pt"));
        b->setToolTip(b->text());
    }

    ParamEditor& e = *editor_;
    const std::pair<const char*, void (ParamEditor::*)()> commands[] = {
        {"cmdParaRead", &ParamEditor::cmdParaRead_Click},
        {"cmdParaWrite", &ParamEditor::cmdParaWrite_Click},
        {"cmdConpareCT", &ParamEditor::cmdConpareCT_Click},
        {"cmdConpareFile", &ParamEditor::cmdConpareFile_Click},
        {"cmdReadParaFile", &ParamEditor::cmdReadParaFile_Click},
        {"cmdSaveParaFile", &ParamEditor::cmdSaveParaFile_Click},
        {"cmdParaFilePrint", &ParamEditor::cmdParaFilePrint_Click},
        {"cmdParaPrint", &ParamEditor::cmdParaPrint_Click},
        {"cmdIniPrm", &ParamEditor::cmdIniPrm_Click},
    };
    for (const auto& [name, fn] : commands)
        connect(buttons_[QString::fromLatin1(name)], &QPushButton::clicked, this, [&e, f = fn] { (e.*f)(); });
    connect(chk_, &QCheckBox::toggled, this, [this] { chkTokuParaChange_Click(); });
    setLocked(true);
    setTabOrder();
    if (QLineEdit* first = box(1, 0)) first->setFocus();
}

void frmParameta2::setTabOrder() {
    std::vector<QWidget*> order;
    auto add = [&order](QWidget* w) {
        if (w) order.push_back(w);
    };
    auto addRow = [&](int row) {
        for (int m = 0; m < 2; ++m) {
            add(box(row, m));
            add(combo(row, m));
        }
    };
    for (int row = 1; row <= 28; ++row) addRow(row);
    add(chk_);
    for (int row : {kPgTimerRow, kOneAxisRow, 31}) addRow(row);
    for (const char* name : {"cmdParaFilePrint", "cmdParaPrint", "cmdIniPrm"}) add(button(QString::fromLatin1(name)));
    add(tab_);
    for (const char* name : {"cmdParaRead", "cmdParaWrite", "cmdConpareCT", "cmdReadParaFile", "cmdSaveParaFile",
                             "cmdConpareFile", "cmdCalculate"})
        add(button(QString::fromLatin1(name)));
    add(opt_[0]);
    add(opt_[1]);
    for (int row : {33, 34, 35}) addRow(row);
    for (size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

void frmParameta2::setLocked(bool locked) {
    const bool two = p_ == Product::TwoAxis;
    std::vector<QWidget*> fields = {boxes_[kPgTimerRow][0], combos_[31][0], boxes_[33][0], boxes_[34][0]};
    if (two || locked) fields.push_back(combos_[kOneAxisRow][0]); // the one-axis window never unlocks it
    if (!two) fields.push_back(combos_[ParaRow::BcdEnable][0]);
    for (QWidget* w : fields) {
        if (!w) continue;
        if (!two && w == combos_[kOneAxisRow][0]) {
            w->setEnabled(false);
            continue;
        }
        w->setEnabled(!locked);
        QPalette pal = w->palette();
        pal.setColor(QPalette::Base, locked ? QColor(0xE0, 0xE0, 0xE0) : QApplication::palette().color(QPalette::Base));
        w->setPalette(pal);
    }
    for (QRadioButton* r : opt_) r->setEnabled(!locked);
}

void frmParameta2::chkTokuParaChange_Click() {
    if (chk_->isChecked()) {
        if (editor_->ConfirmSpUnlock())
            setLocked(false);
        else
            chk_->setChecked(false); // runs this again, which locks
    } else {
        setLocked(true);
    }
}

void frmParameta2::cmdCalculate_Click() {
    frmDevice calc(ctx_, p_, this);
    if (calc.runModal()) InputStroke(calc.targetAxis(), calc.result());
}

void frmParameta2::InputStroke(int axis, const QString& text) {
    const int a = p_ == Product::TwoAxis ? axis : 0;
    if (QLineEdit* b = box(17, a)) b->setText(text);
    const ParaFocus next = a == 0 && p_ == Product::TwoAxis ? ParaFocus{17, 1} : ParaFocus{18, 0};
    focusRow(next.row, next.member);
}

QLineEdit* frmParameta2::box(int row, int member) const {
    if (row < 1 || row > 35 || member < 0 || member > 1) return nullptr;
    return boxes_[static_cast<size_t>(row)][static_cast<size_t>(member)];
}

QComboBox* frmParameta2::combo(int row, int member) const {
    if (row < 1 || row > 35 || member < 0 || member > 1) return nullptr;
    return combos_[static_cast<size_t>(row)][static_cast<size_t>(member)];
}

QPushButton* frmParameta2::button(const QString& name) const {
    auto it = buttons_.find(name);
    return it == buttons_.end() ? nullptr : it->second;
}

QGroupBox* frmParameta2::frame(const QString& name) const {
    auto it = frames_.find(name);
    return it == frames_.end() ? nullptr : it->second;
}

ParaControls frmParameta2::Controls() const {
    ParaControls c;
    for (size_t r = 0; r < 36; ++r)
        for (size_t m = 0; m < 2; ++m) {
            if (boxes_[r][m]) c.text[r][m] = boxes_[r][m]->text();
            if (combos_[r][m]) c.combo[r][m] = combos_[r][m]->currentIndex();
        }
    c.opt = {opt_[0]->isChecked(), opt_[1]->isChecked()};
    return c;
}

void frmParameta2::SetControls(const ParaControls& c) {
    for (size_t r = 0; r < 36; ++r)
        for (size_t m = 0; m < 2; ++m) {
            if (boxes_[r][m]) boxes_[r][m]->setText(c.text[r][m]);
            if (combos_[r][m]) {
                const int i = c.combo[r][m];
                combos_[r][m]->setCurrentIndex(i >= 0 && i < combos_[r][m]->count() ? i : -1);
            }
        }
    if (c.opt[1])
        opt_[1]->setChecked(true);
    else
        opt_[0]->setChecked(true);
}

void frmParameta2::SetCommandButtonsEnabled(bool on) {
    for (const char* name : {"cmdReadParaFile", "cmdSaveParaFile", "cmdParaRead", "cmdParaWrite", "cmdConpareFile",
                             "cmdConpareCT", "cmdParaFilePrint", "cmdParaPrint", "cmdIniPrm", "cmdCalculate"})
        if (QPushButton* b = button(QString::fromLatin1(name))) b->setEnabled(on);
}

void frmParameta2::focusRow(int row, int member) {
    if (QLineEdit* b = box(row, member)) {
        b->setFocus();
        return;
    }
    if (QComboBox* c = combo(row, member)) c->setFocus();
}

bool frmParameta2::eventFilter(QObject* o, QEvent* e) {
    auto it = boxOf_.find(o);
    if (it == boxOf_.end()) return QWidget::eventFilter(o, e);
    const auto [row, member] = it->second;
    auto* le = static_cast<QLineEdit*>(o);
    if (e->type() == QEvent::KeyPress) {
        const int code = TypedKeyCode(*static_cast<QKeyEvent*>(e));
        if (code == 0) return false;
        switch (ParaKeyFilter(code, static_cast<int>(le->text().size()), le->hasSelectedText(),
                              ParaSpec(row, p_).maxChars)) {
            case KeyAction::Accept: return false;
            case KeyAction::Drop: return true;
            case KeyAction::Next: {
                const QLineEdit* pg = box(kPgTimerRow, 0);
                const ParaFocus f = ParaEnterTarget(row, member, p_, pg && pg->isEnabled());
                focusRow(f.row, f.member);
                return true;
            }
        }
    } else if (e->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(e)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;
        if (!ParaBoxAccepts(row, p_, le->text())) {
            le->clear();
            QApplication::beep();
        }
    }
    return false;
}

} // namespace rer
