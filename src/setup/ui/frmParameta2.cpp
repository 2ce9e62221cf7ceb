#include "setup/ui/frmParameta2.h"

#include "app/AppContext.h"
#include "link/ui/BusyGate.h"
#include "platform/ui/BoxValidator.h"
#include "setup/ui/frmDevice.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace rer {

namespace {

// Twips to pixels at the usual 15 twips to a pixel.
constexpr int px(int twips) { return twips / 15; }

struct FrameDef {
    const char* name;
    bool right;     // in the right-hand column of the window
    const char* en;
    const char* jp;
    bool columns;   // per-axis frame with the "AXIS 1" / "AXIS 2" headings
    int boxWidth;   // twips
    std::vector<int> rows;
};

const std::vector<FrameDef>& Frames() {
    static const std::vector<FrameDef> f = {
        {"framHomePara", false, "HOME PARAMETER", "原点復帰ﾊﾟﾗﾒｰﾀ", true, 1215, {1, 2, 3, 4, 5, 6}},
        {"frmVelPara", false, "VEL PARAMETER", "速度ﾊﾟﾗﾒｰﾀ", true, 1215, {7, 8, 9, 10, 11, 12, 13, 14, 15, 16}},
        {"framAxisPara", false, "AXIS PARAMETER", "軸ﾊﾟﾗﾒｰﾀ", true, 1215, {17, 18, 19, 20, 21}},
        {"framPgPara", true, "PG PARAMETER", "PGﾊﾟﾗﾒｰﾀ", true, 1335, {22, 23}},
        {"framEtcPara", true, "Etc PARAMETER", "その他ﾊﾟﾗﾒｰﾀ", false, 1935, {24, 25, 26, 27, 28}},
        {"framTokusyuPara", true, "SP PARAMETER", "特殊ﾊﾟﾗﾒｰﾀ", false, 1935, {29, 30, 31, 32, 33, 34, 35}},
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

QPushButton* frmParameta2::addButton(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    buttons_[b->objectName()] = b;
    return b;
}

void frmParameta2::build() {
    const bool two = p_ == Product::TwoAxis;
    auto T = [this](const char* jp, const char* en) {
        return ctx_.pick(QString::fromUtf8(jp), QString::fromUtf8(en));
    };
    setWindowTitle(T("パラメータ", "PARAMETER"));

    // Two columns of frames; each frame a grid of row label, (the calc
    // button), and the value of axis 1 and axis 2. Controls that the one-axis
    // window keeps out of sight stay out of the grids, hidden.
    auto* leftColumn = new QVBoxLayout;
    auto* rightColumn = new QVBoxLayout;
    const int rowHeight = fontMetrics().height() + 8; // a text and the box around it
    for (const FrameDef& fd : Frames()) {
        auto* g = new QGroupBox(T(fd.jp, fd.en), this);
        g->setObjectName(QString::fromLatin1(fd.name));
        frames_[g->objectName()] = g;
        (fd.right ? rightColumn : leftColumn)->addWidget(g);
        auto* grid = new QGridLayout(g);
        grid->setContentsMargins(8, 4, 8, 6);
        grid->setVerticalSpacing(1);
        grid->setColumnStretch(0, 1);
        const int boxW = px(fd.boxWidth);
        const int valueSpan = fd.columns ? 1 : 2;
        int r = 0;
        if (fd.columns) {
            for (int m = 0; m < 2; ++m) {
                auto* h = new QLabel(QStringLiteral("AXIS %1").arg(m + 1), g);
                h->setAlignment(Qt::AlignCenter);
                if (two)
                    grid->addWidget(h, 0, 2 + m);
                else
                    h->hide();
            }
            if (two) ++r;
        }
        if (std::string(fd.name) == "framTokusyuPara") {
            chk_ = new QCheckBox(T("特殊ﾊﾟﾗﾒｰﾀを変更する", "Change SP PARAMETER"), g);
            chk_->setObjectName(QStringLiteral("chkTokuParaChange"));
            grid->addWidget(chk_, r++, 0, 1, 4);
        }
        for (int row : fd.rows) {
            if (row > ParaLastRow(p_)) continue;
            const bool hiddenRow = !two && (row == kSeqRow || row == kOneAxisRow);
            auto* label = new QLabel(RowLabel(row, p_), g);
            if (hiddenRow)
                label->hide();
            else
                grid->addWidget(label, r, 0);
            if (row == 17) {
                QPushButton* calc = addButton(g, "cmdCalculate", T("計算", "calc"));
                // A small button beside the label: its caption and the frame around it.
                calc->setFixedWidth(std::max(px(615), calc->fontMetrics().horizontalAdvance(calc->text()) + 16));
                grid->addWidget(calc, r, 1);
                connect(calc, &QPushButton::clicked, this, [this] { cmdCalculate_Click(); });
            }
            const ParaRowSpec s = ParaSpec(row, p_);
            const int members = s.perAxis ? 2 : 1;
            for (int m = 0; m < members; ++m) {
                const bool out = hiddenRow || (m == 1 && !two);
                QWidget* w = nullptr;
                const QString name = QString::fromLatin1(BoxName(row));
                if (s.kind == ParaCtl::Text) {
                    auto* e = new QLineEdit(g);
                    e->setAlignment(Qt::AlignCenter);
                    e->setMinimumWidth(boxW);
                    e->setFixedHeight(rowHeight);
                    SetBoxRule(e, ParaBoxRule(row, p_));
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
                    c->setSizeAdjustPolicy(QComboBox::AdjustToContents);
                    c->setMinimumWidth(boxW);
                    c->setFixedHeight(rowHeight);
                    combos_[static_cast<size_t>(row)][static_cast<size_t>(m)] = c;
                    w = c;
                } else {
                    auto* pair = new QHBoxLayout;
                    for (int i = 0; i < 2; ++i) {
                        auto* rb = new QRadioButton(i == 0 ? T("無効", "Disable") : T("有効", "Enable"), g);
                        rb->setObjectName(QStringLiteral("optOverRideUmu%1").arg(i));
                        pair->addWidget(rb);
                        opt_[static_cast<size_t>(i)] = rb;
                    }
                    pair->addStretch();
                    grid->addLayout(pair, r, 2, 1, valueSpan);
                    opt_[0]->setChecked(true);
                }
                if (w) {
                    w->setObjectName(members == 2 ? QStringLiteral("%1_%2").arg(name).arg(m) : name);
                    if (out) {
                        w->setEnabled(false);
                        w->setVisible(false);
                    } else {
                        grid->addWidget(w, r, 2 + m, 1, valueSpan);
                    }
                }
            }
            if (!hiddenRow) ++r;
        }
    }

    auto* printButtons = new QHBoxLayout;
    printButtons->addWidget(addButton(this, "cmdParaFilePrint", T("保存ﾌｧｲﾙの印刷", "Print Data in file")));
    printButtons->addWidget(addButton(this, "cmdParaPrint", T("表示ﾊﾟﾗﾒｰﾀの印刷", "Print Data indicated")));
    printButtons->addWidget(addButton(this, "cmdIniPrm", T("出荷時設定ﾊﾟﾗﾒｰﾀ", "Initial Parameter")));
    tab_ = new QTabWidget(this);
    tab_->setObjectName(QStringLiteral("SSTabPrm"));
    auto* fileTab = new QWidget;
    auto* ctTab = new QWidget;
    tab_->addTab(fileTab, T("ファイル", "FILE "));
    tab_->addTab(ctTab, T("コントローラ", "CONTROLLER"));
    auto* fileButtons = new QHBoxLayout(fileTab);
    fileButtons->addWidget(addButton(fileTab, "cmdReadParaFile", T("ファイルの 読み込み", "File open")));
    fileButtons->addWidget(addButton(fileTab, "cmdSaveParaFile", T("ファイルへ 保存する", "File save")));
    fileButtons->addWidget(addButton(fileTab, "cmdConpareFile", T(" ファイルと 照合", "Verify")));
    auto* ctButtons = new QHBoxLayout(ctTab);
    ctButtons->addWidget(addButton(ctTab, "cmdParaRead", T("コントローラ から読込み", "Read from C/T")));
    ctButtons->addWidget(addButton(ctTab, "cmdParaWrite", T("コントローラ へ書き込み", "Write to C/T")));
    ctButtons->addWidget(addButton(ctTab, "cmdConpareCT", T("コントローラと照合", "Verify")));
    tab_->setCurrentIndex(1);
    // The nine command buttons all of one size, that of the widest caption:
    // each caption on one line.
    QSize commandSize;
    for (auto& [name, b] : buttons_)
        if (name != QLatin1String("cmdCalculate")) commandSize = commandSize.expandedTo(b->sizeHint());
    for (auto& [name, b] : buttons_)
        if (name != QLatin1String("cmdCalculate")) b->setMinimumSize(commandSize);
    rightColumn->addStretch();
    rightColumn->addLayout(printButtons);
    rightColumn->addWidget(tab_);
    leftColumn->addStretch();

    auto* top = new QHBoxLayout(this);
    top->addLayout(leftColumn);
    top->addLayout(rightColumn);
    top->setSizeConstraint(QLayout::SetFixedSize);

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
    // What the box takes is its validator's rule; the filter only turns
    // Enter into a move to the next box.
    if (e->type() == QEvent::KeyPress) {
        if (!IsEnterKey(*static_cast<QKeyEvent*>(e))) return false;
        const QLineEdit* pg = box(kPgTimerRow, 0);
        const ParaFocus f = ParaEnterTarget(row, member, p_, pg && pg->isEnabled());
        focusRow(f.row, f.member);
        return true;
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
