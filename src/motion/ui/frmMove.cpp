#include "motion/ui/frmMove.h"

#include "app/AppContext.h"
#include "link/ControllerLink.h"
#include "link/ui/BusyGate.h"
#include "motion/ProgramRow.h"
#include "platform/ui/BoxValidator.h"
#include "platform/ui/FocusTarget.h"
#include "platform/ui/WindowPlacement.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QStyledItemDelegate>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace rer {

namespace {
QString L(const char* s) { return QString::fromLatin1(s); }

QLabel* Lamp(const QString& name, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setFixedSize(16, 16);
    l->setStyleSheet(QStringLiteral("background: rgb(0,200,0); border-radius: 8px;"));
    l->setVisible(false);
    return l;
}
// The in-cell editor of the program row: up to three digits; a value outside
// 1..399 empties the cell. Enter, Right and Left commit silently; leaving the
// cell any other way (a click elsewhere) commits with a beep for a refused
// value.
class ProgramCellDelegate : public QStyledItemDelegate {
public:
    ProgramCellDelegate(QObject* parent, Beeper& beeper) : QStyledItemDelegate(parent), beeper_(beeper) {}
    std::function<void(int)> onNavigate; // +1 Enter / Right, -1 Left
    std::function<void()> onRefusedLeave; // the beep of a refused value left otherwise
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override {
        auto* e = new QLineEdit(parent);
        e->setObjectName(QStringLiteral("txtEdit2"));
        e->setAlignment(Qt::AlignCenter);
        SetBoxRule(e, kProgramCellRule, beeper_);
        e->installEventFilter(const_cast<ProgramCellDelegate*>(this));
        return e;
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        bool refused = false;
        const QString kept = ProgramCellCommit(static_cast<QLineEdit*>(editor)->text(), &refused);
        if (refused && !byKey_ && onRefusedLeave) onRefusedLeave();
        model->setData(index, kept);
    }
    bool eventFilter(QObject* o, QEvent* e) override {
        auto* ed = qobject_cast<QLineEdit*>(o);
        if (ed && e->type() == QEvent::KeyPress) {
            auto* k = static_cast<QKeyEvent*>(e);
            const int dir = k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter || k->key() == Qt::Key_Right ? 1
                            : k->key() == Qt::Key_Left                                                            ? -1
                                                                                                                  : 0;
            if (dir != 0) {
                byKey_ = true;
                Q_EMIT commitData(ed);
                byKey_ = false;
                Q_EMIT closeEditor(ed, QAbstractItemDelegate::NoHint);
                if (onNavigate) onNavigate(dir);
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(o, e);
    }

private:
    Beeper& beeper_;
    bool byKey_ = false; // the commit of Enter, Right or Left
};

} // namespace

template <class T> T* frmMove::make(const char* name, QWidget* parent) {
    T* w = new T(parent);
    w->setObjectName(L(name));
    return w;
}

QPushButton* frmMove::button(const QString& n) const { return findChild<QPushButton*>(n); }
QCheckBox* frmMove::check(const QString& n) const { return findChild<QCheckBox*>(n); }
QRadioButton* frmMove::option(const QString& n) const { return findChild<QRadioButton*>(n); }
QSlider* frmMove::slider(const QString& n) const { return findChild<QSlider*>(n); }
QSpinBox* frmMove::upDown(const QString& n) const { return findChild<QSpinBox*>(n); }
QLineEdit* frmMove::text(const QString& n) const { return findChild<QLineEdit*>(n); }

frmMove::frmMove(AppContext& ctx, QWidget* mainWindow, std::function<void(bool)> mainRunLock)
    : QWidget(mainWindow, Qt::Window), ctx_(ctx), runs_(ctx, *this), mainRunLock_(std::move(mainRunLock)) {
    setObjectName(L("frmMove"));
    FitToScreen(*this);
    setAttribute(Qt::WA_DeleteOnClose);
    const auto pk = [this](const char* jp, const char* en) { return ctx_.pick(QString::fromUtf8(jp), L(en)); };

    SSTab1_ = make<QTabWidget>("SSTab1", this);
    SSTab1_->addTab(buildSelective(), pk("選択移動", "Selective Move"));
    SSTab1_->addTab(buildContinual(), pk("連続移動", "Continual Move"));
    SSTab1_->addTab(buildGroup(), pk("ｸﾞﾙｰﾌﾟ移動", "Group Move"));

    auto* cmdHome = make<QPushButton>("cmdHome", this);
    cmdHome->setText(pk("原点復帰", "Home"));
    auto* lblKanryoiti = make<QLabel>("lblKanryoiti", this);
    lblKanryoiti->setText(pk("移動完了位置", "Position"));
    lblkanryoNo_ = make<QLabel>("lblkanryoNo", this);
    lblkanryoNo_->setFrameShape(QFrame::Panel);
    lblkanryoNo_->setMinimumWidth(50);
    auto* lblOutput12 = make<QLabel>("lblOutput12", this);
    lblOutput12->setText(pk("出力", "OUT"));
    imgOut1Green_ = Lamp(L("imgOut1Green"), this);
    imgOut2Green_ = Lamp(L("imgOut2Green"), this);
    auto* cmdGrpMoveStop = make<QPushButton>("cmdGrpMoveStop", this);
    cmdGrpMoveStop->setText(pk("強制終了", "Forced ending"));
    auto* cmdMoveWinClose = make<QPushButton>("cmdMoveWinClose", this);
    cmdMoveWinClose->setText(pk("閉じる", "Close"));
    txtDummy_ = NewFocusTarget(this);

    auto* status = new QHBoxLayout;
    status->addWidget(cmdHome);
    status->addWidget(lblKanryoiti);
    status->addWidget(lblkanryoNo_);
    status->addWidget(lblOutput12);
    status->addWidget(imgOut1Green_);
    status->addWidget(imgOut2Green_);
    status->addStretch();
    status->addWidget(txtDummy_);
    status->addWidget(cmdGrpMoveStop);
    status->addWidget(cmdMoveWinClose);
    auto* top = new QVBoxLayout(this);
    top->addWidget(SSTab1_);
    top->addLayout(status);

    connect(cmdHome, &QPushButton::clicked, this, [this] { runs_.cmdHome_Click(); });
    connect(cmdGrpMoveStop, &QPushButton::clicked, this, [this] { runs_.cmdGrpMoveStop_Click(); });
    connect(cmdMoveWinClose, &QPushButton::clicked, this, [this] { close(); });

    // Form load.
    setWindowTitle(pk("移動テスト", "Move Test"));
    if (mainWindow) move(mainWindow->pos() + QPoint(33, 33)); // 500 twips
    if (ControllerLink* l = ctx_.link.ct) l->setMoveDisplay(this);

    // The run buttons stay off while another window's job holds the controller.
    auto* gate = new BusyGate(ctx_.link.ct, this);
    for (const char* n : {"cmdHome", "cmdMove", "cmdSelectMove", "cmdGrpMove"}) gate->add(button(L(n)));
}

frmMove::~frmMove() {
    if (ControllerLink* l = ctx_.link.ct)
        if (l->moveDisplay() == this) l->setMoveDisplay(nullptr);
}

QWidget* frmMove::buildSelective() {
    const auto pk = [this](const char* jp, const char* en) { return ctx_.pick(QString::fromUtf8(jp), L(en)); };
    auto* page = new QWidget(this);
    flgdProgram_ = make<QTableWidget>("flgdProgram", page);
    flgdProgram_->setRowCount(1);
    flgdProgram_->setColumnCount(16);
    flgdProgram_->verticalHeader()->hide();
    QStringList heads{QString()};
    for (int c = 1; c <= 15; ++c) heads << QString::number(c);
    flgdProgram_->setHorizontalHeaderLabels(heads);
    auto* title = new QTableWidgetItem(pk("位置No.", "Posi No."));
    title->setFlags(Qt::ItemIsEnabled);
    flgdProgram_->setItem(0, 0, title);
    for (int c = 1; c <= 15; ++c) {
        auto* it = new QTableWidgetItem;
        it->setTextAlignment(Qt::AlignCenter);
        flgdProgram_->setItem(0, c, it);
    }
    // Column 0 as wide as its caption ("Posi No."), the 15 program columns
    // share the rest.
    flgdProgram_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    flgdProgram_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    auto* delegate = new ProgramCellDelegate(flgdProgram_, ctx_.platform.beeper);
    flgdProgram_->setItemDelegate(delegate);
    flgdProgram_->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked);
    flgdProgram_->setTabKeyNavigation(false);
    // Enter and Right commit and go to the next cell (15 wraps to 1); Left
    // commits and goes one cell back.
    delegate->onRefusedLeave = [this] {
        ++beeps;
        QApplication::beep();
    };
    delegate->onNavigate = [this](int dir) {
        const int col = flgdProgram_->currentColumn();
        flgdProgram_->setCurrentCell(0, dir > 0 ? ProgramNextColumn(col) : ProgramPreviousColumn(col));
        flgdProgram_->setFocus();
    };
    flgdProgram_->setFixedHeight(60);
    auto* cmdMove = make<QPushButton>("cmdMove", page);
    cmdMove->setText(pk("移動", "Move"));
    auto* cmdTmpStop = make<QPushButton>("cmdTmpStop", page);
    cmdTmpStop->setText(pk("一時停止", "Pause"));
    auto* cmdStop = make<QPushButton>("cmdStop", page);
    cmdStop->setText(pk("停止", "Stop"));
    auto* cmdInp1toF = make<QPushButton>("cmdInp1toF", page);
    cmdInp1toF->setText(QStringLiteral("1 to 15"));
    auto* cmdDataClear = make<QPushButton>("cmdDataClear", page);
    cmdDataClear->setText(pk("全消去", "Clear"));
    auto* opt0 = make<QRadioButton>("optSelectMode0", page);
    opt0->setText(pk("連続", "Continual"));
    opt0->setChecked(true);
    auto* opt1 = make<QRadioButton>("optSelectMode1", page);
    opt1->setText(QStringLiteral("Step"));
    auto* chkRepeat = make<QCheckBox>("chkRepeat", page);
    chkRepeat->setText(pk("くり返し", "Repeat"));
    auto* chkTimerUse = make<QCheckBox>("chkTimerUse", page);
    chkTimerUse->setText(pk("タイマー", "Timer"));
    auto* lblTimer = make<QLabel>("lblTimer", page);
    lblTimer->setText(pk("停止時間(100msec)", "Wait (100msec)"));
    auto* txtTimer = make<QLineEdit>("txtTimer", page);
    txtTimer->setText(QStringLiteral("10"));
    SetBoxRule(txtTimer, kWaitBoxRule, ctx_.platform.beeper);
    txtTimer->setEnabled(false);
    lblTimer->setEnabled(false);
    auto* chkNoSqMcr1 = make<QCheckBox>("chkNoSqMcr1", page);
    chkNoSqMcr1->setText(pk("SMなし", "SM Skip"));

    auto* g = new QGridLayout(page);
    g->addWidget(flgdProgram_, 0, 0, 1, 6);
    g->addWidget(opt0, 1, 0);
    g->addWidget(opt1, 1, 1);
    g->addWidget(chkRepeat, 1, 2);
    g->addWidget(chkNoSqMcr1, 1, 3);
    g->addWidget(cmdInp1toF, 1, 4);
    g->addWidget(cmdDataClear, 1, 5);
    g->addWidget(chkTimerUse, 2, 0);
    g->addWidget(lblTimer, 2, 1);
    g->addWidget(txtTimer, 2, 2);
    g->addWidget(cmdMove, 2, 3);
    g->addWidget(cmdTmpStop, 2, 4);
    g->addWidget(cmdStop, 2, 5);
    // Tab goes through the page as it is laid out: the row, then line by line.
    SetTabChain({flgdProgram_, opt0, opt1, chkRepeat, chkNoSqMcr1, cmdInp1toF, cmdDataClear, chkTimerUse, txtTimer,
                 cmdMove, cmdTmpStop, cmdStop});

    connect(cmdMove, &QPushButton::clicked, this, [this] {
        readSettings();
        runs_.cmdMove_Click();
    });
    connect(cmdTmpStop, &QPushButton::clicked, this, [this] { runs_.cmdTmpStop_Click(); });
    connect(cmdStop, &QPushButton::clicked, this, [this] { runs_.cmdStop_Click(); });
    connect(cmdInp1toF, &QPushButton::clicked, this, [this] {
        for (int c = 1; c <= 15; ++c) flgdProgram_->item(0, c)->setText(ProgramFillText(c));
    });
    connect(cmdDataClear, &QPushButton::clicked, this, [this] {
        for (int c = 1; c <= 15; ++c) flgdProgram_->item(0, c)->setText(QString());
    });
    lblTimer->setToolTip(pk("設定値は100msec単位です。例：10(1秒)", "Unit for setting is 100msec. (e.g. 10 = 1 second)"));
    txtTimer->setToolTip(pk("100msec単位で入力して下さい。例：10(1秒)", "Input with 100msec unit."));
    // Enter writes the wait as a plain number and goes on to "Repeat".
    connect(txtTimer, &QLineEdit::returnPressed, this, [txtTimer, chkRepeat] {
        txtTimer->setText(QString::number(txtTimer->text().trimmed().toInt()));
        chkRepeat->setFocus();
    });
    connect(chkTimerUse, &QCheckBox::toggled, this, [lblTimer, txtTimer](bool on) {
        lblTimer->setEnabled(on);
        txtTimer->setEnabled(on);
    });
    return page;
}

QWidget* frmMove::buildContinual() {
    const auto pk = [this](const char* jp, const char* en) { return ctx_.pick(QString::fromUtf8(jp), L(en)); };
    auto* page = new QWidget(this);
    auto* g = new QGridLayout(page);
    const char* names[2][3] = {{"lblRepMovStart", "sldrStartPosiNo", "UpDownStartPosiNo"},
                               {"lblRepMovEnd", "sldrEndPosiNo", "UpDownEndPosiNo"}};
    for (int k = 0; k < 2; ++k) {
        auto* t = make<QLabel>(names[k][0], page);
        t->setText(k == 0 ? pk("ｽﾀｰﾄ位置No", "Start Posi") : pk("終了位置No", "End Posi"));
        auto* s = make<QSlider>(names[k][1], page);
        s->setOrientation(Qt::Horizontal);
        s->setRange(1, 399);
        s->setSingleStep(1);
        s->setPageStep(5);
        auto* u = make<QSpinBox>(names[k][2], page);
        u->setRange(1, 399);
        s->setValue(k == 0 ? 1 : 10);
        u->setValue(k == 0 ? 1 : 10);
        g->addWidget(t, k, 0);
        g->addWidget(s, k, 1);
        g->addWidget(u, k, 2);
    }
    QSlider* sStart = slider(L("sldrStartPosiNo"));
    QSlider* sEnd = slider(L("sldrEndPosiNo"));
    QSpinBox* uStart = upDown(L("UpDownStartPosiNo"));
    QSpinBox* uEnd = upDown(L("UpDownEndPosiNo"));
    auto* framMoveWay = make<QGroupBox>("framMoveWay", page);
    framMoveWay->setTitle(pk("移動方法", "Move Way"));
    auto* wl = new QHBoxLayout(framMoveWay);
    auto* way0 = make<QRadioButton>("optMoveWay0", framMoveWay);
    way0->setText(pk("連続", "Continual"));
    way0->setChecked(true);
    auto* way1 = make<QRadioButton>("optMoveWay1", framMoveWay);
    way1->setText(pk("単移動", "Step"));
    wl->addWidget(way0);
    wl->addWidget(way1);
    auto* chkRepeat2 = make<QCheckBox>("chkRepeat2", page);
    chkRepeat2->setText(pk("くり返し", "Repeat"));
    auto* chkNoSqMcr2 = make<QCheckBox>("chkNoSqMcr2", page);
    chkNoSqMcr2->setText(pk("SMなし", "SM Skip"));
    auto* chkTimerUse2 = make<QCheckBox>("chkTimerUse2", page);
    chkTimerUse2->setText(pk("タイマー", "Timer"));
    auto* lblTimer2 = make<QLabel>("lblTimer2", page);
    lblTimer2->setText(pk("停止時間(100msec)", "Wait (100msec)"));
    auto* txtTimer2 = make<QLineEdit>("txtTimer2", page);
    txtTimer2->setText(QStringLiteral("10"));
    // Not limited in length, but a wait is digits: never a text that reads as 0.
    SetBoxRule(txtTimer2, DigitBox(0), ctx_.platform.beeper);
    txtTimer2->setEnabled(false);
    lblTimer2->setEnabled(false);
    auto* cmdSelectMove = make<QPushButton>("cmdSelectMove", page);
    cmdSelectMove->setText(pk("移動", "Move"));
    auto* cmdTempStop2 = make<QPushButton>("cmdTempStop2", page);
    cmdTempStop2->setText(pk("一時停止", "Pause"));
    auto* cmdStop2 = make<QPushButton>("cmdStop2", page);
    cmdStop2->setText(pk("停止", "Stop"));
    g->addWidget(framMoveWay, 2, 0, 1, 2);
    g->addWidget(chkRepeat2, 2, 2);
    g->addWidget(chkNoSqMcr2, 3, 0);
    g->addWidget(chkTimerUse2, 3, 1);
    g->addWidget(lblTimer2, 4, 0);
    g->addWidget(txtTimer2, 4, 1);
    // The run buttons at the right, each as wide as its caption needs.
    auto* runButtons = new QHBoxLayout;
    runButtons->addStretch();
    runButtons->addWidget(cmdSelectMove);
    runButtons->addWidget(cmdTempStop2);
    runButtons->addWidget(cmdStop2);
    g->addLayout(runButtons, 5, 0, 1, 3);

    // Start and end follow each other: in a continual run the start never
    // passes the end; a single move keeps the end on the start.
    connect(sStart, &QSlider::valueChanged, this, [=](int v) {
        if (way1->isChecked() || v > sEnd->value()) sEnd->setValue(v);
        uStart->setValue(v);
    });
    connect(sEnd, &QSlider::valueChanged, this, [=](int v) {
        if (way0->isChecked() && v < sStart->value()) sStart->setValue(v);
        uEnd->setValue(v);
    });
    connect(uStart, &QSpinBox::valueChanged, sStart, &QSlider::setValue);
    connect(uEnd, &QSpinBox::valueChanged, sEnd, &QSlider::setValue);
    connect(way0, &QRadioButton::clicked, this, [this] { optMoveWay_Click(0); });
    connect(way1, &QRadioButton::clicked, this, [this] { optMoveWay_Click(1); });
    connect(chkTimerUse2, &QCheckBox::toggled, this, [lblTimer2, txtTimer2](bool on) {
        lblTimer2->setEnabled(on);
        txtTimer2->setEnabled(on);
    });
    connect(cmdSelectMove, &QPushButton::clicked, this, [this] {
        readSettings();
        runs_.cmdSelectMove_Click();
    });
    connect(cmdTempStop2, &QPushButton::clicked, this, [this] { runs_.cmdTempStop2_Click(); });
    connect(cmdStop2, &QPushButton::clicked, this, [this] { runs_.cmdStop2_Click(); });
    return page;
}

void frmMove::optMoveWay_Click(int index) {
    const bool single = index == 1;
    upDown(L("UpDownEndPosiNo"))->setEnabled(!single);
    slider(L("sldrEndPosiNo"))->setEnabled(!single);
    slider(L("sldrEndPosiNo"))->setValue(slider(L("sldrStartPosiNo"))->value());
    check(L("chkTimerUse2"))->setEnabled(!single);
    check(L("chkRepeat2"))->setEnabled(!single);
    const bool timer = !single && check(L("chkTimerUse2"))->isChecked();
    findChild<QLabel*>(L("lblTimer2"))->setEnabled(timer);
    text(L("txtTimer2"))->setEnabled(timer);
}

QWidget* frmMove::buildGroup() {
    const auto pk = [this](const char* jp, const char* en) { return ctx_.pick(QString::fromUtf8(jp), L(en)); };
    auto* page = new QWidget(this);
    auto* g = new QGridLayout(page);
    auto* t = make<QLabel>("lblGrpNoHyoji", page);
    t->setText(pk("グループNo", "Group No"));
    auto* s = make<QSlider>("sldrGrpNo", page);
    s->setOrientation(Qt::Horizontal);
    s->setRange(1, 99);
    s->setPageStep(5);
    auto* u = make<QSpinBox>("UpDown2", page);
    u->setRange(1, 99);
    auto* cmdGrpMove = make<QPushButton>("cmdGrpMove", page);
    cmdGrpMove->setText(pk("移動", "Move"));
    g->addWidget(t, 0, 0);
    g->addWidget(s, 0, 1);
    g->addWidget(u, 0, 2);
    g->addWidget(cmdGrpMove, 1, 0);
    connect(s, &QSlider::valueChanged, u, &QSpinBox::setValue);
    connect(u, &QSpinBox::valueChanged, s, &QSlider::setValue);
    connect(cmdGrpMove, &QPushButton::clicked, this, [this] {
        readSettings();
        runs_.cmdGrpMove_Click();
    });
    return page;
}

void frmMove::readSettings() {
    MoveRunSettings& s = runs_.s;
    for (int c = 1; c <= 15; ++c) s.program[size_t(c)] = flgdProgram_->item(0, c)->text();
    s.selectStep = option(L("optSelectMode1"))->isChecked();
    s.repeat = check(L("chkRepeat"))->isChecked();
    s.timerUse = check(L("chkTimerUse"))->isChecked();
    s.timer = text(L("txtTimer"))->text();
    s.noSqMcr1 = check(L("chkNoSqMcr1"))->isChecked();
    s.startPosiNo = upDown(L("UpDownStartPosiNo"))->value();
    s.endPosiNo = upDown(L("UpDownEndPosiNo"))->value();
    s.singleMove = option(L("optMoveWay1"))->isChecked();
    s.repeat2 = check(L("chkRepeat2"))->isChecked();
    s.timerUse2 = check(L("chkTimerUse2"))->isChecked();
    s.timer2 = text(L("txtTimer2"))->text();
    s.noSqMcr2 = check(L("chkNoSqMcr2"))->isChecked();
    s.grpNo = upDown(L("UpDown2"))->value();
}

void frmMove::closeEvent(QCloseEvent* e) {
    // A run waits in an event loop of its own: the window stays until it ends.
    if (runs_.running()) {
        e->ignore();
        return;
    }
    QWidget::closeEvent(e);
}

void frmMove::setOutLamp(int out, bool on) { imgOutGreen(out)->setVisible(on); }
void frmMove::setKanryoNo(const QString& t) { lblkanryoNo_->setText(t); }

void frmMove::setRunControlsEnabled(bool on) {
    for (const char* n : {"cmdMove", "cmdInp1toF", "cmdDataClear", "cmdHome", "cmdSelectMove", "cmdGrpMove",
                          "cmdMoveWinClose"})
        button(L(n))->setEnabled(on);
    for (const char* n : {"chkRepeat", "chkTimerUse", "chkNoSqMcr1", "chkNoSqMcr2"}) check(L(n))->setEnabled(on);
    for (const char* n : {"optSelectMode0", "optSelectMode1", "optMoveWay0", "optMoveWay1"})
        option(L(n))->setEnabled(on);
    for (const char* n : {"UpDownStartPosiNo", "UpDown2"}) upDown(L(n))->setEnabled(on);
    for (const char* n : {"sldrStartPosiNo", "sldrGrpNo"}) slider(L(n))->setEnabled(on);
    const bool single = option(L("optMoveWay1"))->isChecked();
    // The end controls, repeat and timer of a single move stay off.
    upDown(L("UpDownEndPosiNo"))->setEnabled(on && !single);
    slider(L("sldrEndPosiNo"))->setEnabled(on && !single);
    check(L("chkRepeat2"))->setEnabled(on && !single);
    check(L("chkTimerUse2"))->setEnabled(on && !single);
    text(L("txtTimer"))->setEnabled(on && check(L("chkTimerUse"))->isChecked());
    text(L("txtTimer2"))->setEnabled(on && !single && check(L("chkTimerUse2"))->isChecked());
}

void frmMove::setTabControlEnabled(bool on) { SSTab1_->setEnabled(on); }

void frmMove::setTabEnabled(int tab, bool on) {
    // Disabling the tab the user is on would make the tab control show
    // another one: its page goes off instead, under its own tab.
    if (tab == SSTab1_->currentIndex()) SSTab1_->widget(tab)->setEnabled(on);
    else SSTab1_->setTabEnabled(tab, on);
}
void frmMove::setProgramGridEnabled(bool on) { flgdProgram_->setEnabled(on); }
void frmMove::setMainRunLock(bool locked) {
    if (mainRunLock_) mainRunLock_(locked);
}
void frmMove::focusDummy() { txtDummy_->setFocus(); }

} // namespace rer
