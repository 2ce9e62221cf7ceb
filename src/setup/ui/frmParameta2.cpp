#include "setup/ui/frmParameta2.h"

#include "app/AppContext.h"
#include "link/ui/BusyGate.h"
#include "platform/ui/BoxValidator.h"
#include "setup/ui/frmDevice.h"
#include "platform/ui/WindowPlacement.h"

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

// Where each group's frame stands: in the right-hand column of the window or
// the left, and the width of its boxes (twips).
struct FrameLayout {
    ParaGroup group;
    bool right;
    int boxWidth;
};

constexpr FrameLayout kFrames[] = {
    {ParaGroup::Home, false, 1215}, {ParaGroup::Vel, false, 1215}, {ParaGroup::Axis, false, 1215},
    {ParaGroup::Pg, true, 1335},    {ParaGroup::Etc, true, 1935},  {ParaGroup::Special, true, 1935},
};
static_assert(std::size(kFrames) == std::size(kParaGroups), "one frame per parameter group");

// The calculator's button stands beside the STROKE label.
constexpr int kStrokeRow = ParaRowNamed("STROKE");

// The check box that unlocks the special parameters heads their frame.
constexpr bool HasSpecialRows(ParaGroup g) {
    for (const ParaRowDef& d : kParaRows)
        if (d.group == g && d.special) return true;
    return false;
}

} // namespace

frmParameta2::frmParameta2(AppContext& ctx, MainCommandFrame* main, QWidget* parent, Product p)
    : QWidget(parent, Qt::Window), ctx_(ctx), p_(p), dialogs_(ctx, this) {
    setObjectName(p == Product::TwoAxis ? QStringLiteral("frmParameta2") : QStringLiteral("frm3KParameta2"));
    FitToScreen(*this);
    editor_ = std::make_unique<ParamEditor>(ctx, p, *this, main, &dialogs_);
    build();
    // The controller commands stay off while another window's job holds it.
    auto* gate = new BusyGate(ctx_.link.ct, this);
    for (const char* n : {"cmdParaRead", "cmdParaWrite", "cmdConpareCT"}) gate->add(button(QString::fromLatin1(n)));
    // The title's mark follows every change of a control.
    for (const auto& row : boxes_)
        for (QLineEdit* b : row)
            if (b) connect(b, &QLineEdit::textChanged, this, &frmParameta2::showModified);
    for (const auto& row : combos_)
        for (QComboBox* c : row)
            if (c) connect(c, &QComboBox::currentIndexChanged, this, &frmParameta2::showModified);
    for (QRadioButton* r : opt_) connect(r, &QRadioButton::toggled, this, &frmParameta2::showModified);
    editor_->markClean();
    showModified();
}

void frmParameta2::showModified() { setWindowModified(editor_->modified()); }

void frmParameta2::closeEvent(QCloseEvent* e) {
    // A command waits in an event loop of its own (a transfer, a message):
    // the window stays until it ends. Edits go only when the user says so.
    if (!editor_->mayClose()) {
        showModified();
        e->ignore();
        return;
    }
    QWidget::closeEvent(e);
}

frmParameta2::~frmParameta2() {
    // No focus-loss test and no title mark while the controls go away.
    for (auto& [o, rm] : boxOf_) o->removeEventFilter(this);
    for (QWidget* w : findChildren<QWidget*>()) w->disconnect(this);
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
    // "[*]": the mark of values changed since the last open, save, read or write.
    setWindowTitle(T("パラメータ", "PARAMETER") + QStringLiteral("[*]"));

    // Two columns of frames; each frame a grid of row label, (the calc
    // button), and the value of axis 1 and axis 2. Controls that the one-axis
    // window keeps out of sight stay out of the grids, hidden.
    auto* leftColumn = new QVBoxLayout;
    auto* rightColumn = new QVBoxLayout;
    const int rowHeight = fontMetrics().height() + 8; // a text and the box around it
    for (const FrameLayout& fl : kFrames) {
        const ParaGroupDef& gd = ParaGroupOf(fl.group);
        const bool columns = ParaGroupPerAxis(fl.group); // per-axis frame with the "AXIS 1" / "AXIS 2" headings
        auto* g = new QGroupBox(T(gd.frameJp, gd.frameEn), this);
        g->setObjectName(QString::fromLatin1(gd.frame));
        frames_[g->objectName()] = g;
        (fl.right ? rightColumn : leftColumn)->addWidget(g);
        auto* grid = new QGridLayout(g);
        grid->setContentsMargins(8, 4, 8, 6);
        grid->setVerticalSpacing(1);
        grid->setColumnStretch(0, 1);
        const int boxW = px(fl.boxWidth);
        const int valueSpan = columns ? 1 : 2;
        int r = 0;
        if (columns) {
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
        if (HasSpecialRows(fl.group)) {
            chk_ = new QCheckBox(T("特殊ﾊﾟﾗﾒｰﾀを変更する", "Change SP PARAMETER"), g);
            chk_->setObjectName(QStringLiteral("chkTokuParaChange"));
            grid->addWidget(chk_, r++, 0, 1, 4);
        }
        for (const ParaRowDef& d : kParaRows) {
            if (d.group != fl.group || !d.in(p_)) continue;
            const int row = d.row;
            const bool hiddenRow = d.use(p_) == ParaUse::Hidden;
            auto* label = new QLabel(QString::fromLatin1(d.labelIn(p_)), g);
            if (hiddenRow)
                label->hide();
            else
                grid->addWidget(label, r, 0);
            if (row == kStrokeRow) {
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
                const QString name = QString::fromLatin1(d.box);
                if (s.kind == ParaCtl::Text) {
                    auto* e = new QLineEdit(g);
                    e->setAlignment(Qt::AlignCenter);
                    e->setMinimumWidth(boxW);
                    e->setFixedHeight(rowHeight);
                    SetBoxRule(e, ParaBoxRule(row, p_), ctx_.platform.beeper);
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
                    const ParaChoices& captions = d.input.choices;
                    auto* pair = new QHBoxLayout;
                    for (size_t i = 0; i < opt_.size(); ++i) {
                        auto* rb = new QRadioButton(T(captions.jp[i], captions.en[i]), g);
                        rb->setObjectName(name + QString::number(i));
                        pair->addWidget(rb);
                        opt_[i] = rb;
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
        connect(buttons_[QString::fromLatin1(name)], &QPushButton::clicked, this, [this, &e, f = fn] {
            (e.*f)();
            showModified();
        });
    connect(chk_, &QCheckBox::toggled, this, [this] { chkTokuParaChange_Click(); });
    setLocked(true);
    setTabOrder();
    if (QLineEdit* first = box(kParaRows[0].row, 0)) first->setFocus();
}

void frmParameta2::setTabOrder() {
    std::vector<QWidget*> order;
    auto add = [&order](QWidget* w) {
        if (w) order.push_back(w);
    };
    auto addRow = [&](const ParaRowDef& d) {
        if (d.input.ctl == ParaCtl::Option) {
            for (QRadioButton* r : opt_) add(r);
            return;
        }
        for (int m = 0; m < 2; ++m) {
            add(box(d.row, m));
            add(combo(d.row, m));
        }
    };
    // Frame by frame, row by row, axis 1 before axis 2; the lock's check box
    // heads the special parameters; the last rows come after the buttons.
    for (const ParaGroupDef& g : kParaGroups) {
        if (HasSpecialRows(g.id)) add(chk_);
        for (const ParaRowDef& d : kParaRows)
            if (d.group == g.id && !d.tabLast) addRow(d);
    }
    for (const char* name : {"cmdParaFilePrint", "cmdParaPrint", "cmdIniPrm"}) add(button(QString::fromLatin1(name)));
    add(tab_);
    for (const char* name : {"cmdParaRead", "cmdParaWrite", "cmdConpareCT", "cmdReadParaFile", "cmdSaveParaFile",
                             "cmdConpareFile", "cmdCalculate"})
        add(button(QString::fromLatin1(name)));
    for (const ParaRowDef& d : kParaRows)
        if (d.tabLast) addRow(d);
    for (size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

void frmParameta2::setLocked(bool locked) {
    spUnlocked_ = !locked;
    for (const ParaRowDef& d : kParaRows) {
        // What the product keeps out of use stays out of use.
        if (!d.special || !d.shown(p_)) continue;
        if (d.input.ctl == ParaCtl::Option) {
            for (QRadioButton* r : opt_) r->setEnabled(!locked); // only disabled, no colour
            continue;
        }
        for (int m = 0; m < 2; ++m) {
            QWidget* w = box(d.row, m);
            if (!w) w = combo(d.row, m);
            if (!w || !ParaRowShown(d.row, m, p_)) continue;
            w->setEnabled(!locked);
            QPalette pal = w->palette();
            pal.setColor(QPalette::Base, locked ? QColor(0xE0, 0xE0, 0xE0) : QApplication::palette().color(QPalette::Base));
            w->setPalette(pal);
        }
    }
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
    if (QLineEdit* b = box(kStrokeRow, a)) b->setText(text);
    const ParaFocus next = ParaEnterTarget(kStrokeRow, a, p_, spUnlocked_);
    focusRow(next.row, next.member);
}

QLineEdit* frmParameta2::box(int row, int member) const {
    if (row < 1 || row > kParaRowCount || member < 0 || member > 1) return nullptr;
    return boxes_[static_cast<size_t>(row)][static_cast<size_t>(member)];
}

QComboBox* frmParameta2::combo(int row, int member) const {
    if (row < 1 || row > kParaRowCount || member < 0 || member > 1) return nullptr;
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
    for (size_t r = 0; r < boxes_.size(); ++r)
        for (size_t m = 0; m < 2; ++m) {
            if (boxes_[r][m]) c.text[r][m] = boxes_[r][m]->text();
            if (combos_[r][m]) c.combo[r][m] = combos_[r][m]->currentIndex();
        }
    c.opt = {opt_[0]->isChecked(), opt_[1]->isChecked()};
    return c;
}

void frmParameta2::SetControls(const ParaControls& c) {
    for (size_t r = 0; r < boxes_.size(); ++r)
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
        const ParaFocus f = ParaEnterTarget(row, member, p_, spUnlocked_);
        focusRow(f.row, f.member);
        return true;
    } else if (e->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(e)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;
        if (!ParaBoxAccepts(row, p_, le->text())) {
            le->clear();
            ctx_.platform.beeper.beep();
        }
    }
    return false;
}

} // namespace rer
