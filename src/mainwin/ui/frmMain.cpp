#include "mainwin/ui/frmMain.h"

#include "app/AppContext.h"
#include "app/StartUp.h"
#include "catalogue/Catalogue.h"
#include "link/ControllerLink.h"
#include "mainwin/MainFrame.h"
#include "mainwin/PositionEditor.h"
#include "mainwin/ui/MainFeatures.h"
#include "mainwin/ui/ToolBarIcons.h"
#include "platform/ui/FocusTarget.h"
#include "platform/ui/WindowPlacement.h"

#include <QAction>
#include <QCloseEvent>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdlib>

namespace rer {

namespace {

// A round lamp of one colour.
QLabel* makeLamp(QWidget* parent, const QString& name, const QColor& colour) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    QPixmap pm(14, 14);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(colour);
    p.setPen(QColor(80, 80, 80));
    p.drawEllipse(1, 1, 12, 12);
    l->setPixmap(pm);
    l->setFixedSize(16, 16);
    return l;
}

// A status-bar panel as wide as the longest text it shows, in the font it
// has now (the windows' font is chosen after the main window is built); on a
// screen too narrow for all the panels, at least as wide as the text it
// shows now, where the bar has room, and that text cut short with "..."
// where it has not.
class StatusPanel : public QLabel {
public:
    StatusPanel(QStringList samples, QWidget* parent) : QLabel(parent), samples_(std::move(samples)) {}
    QSize sizeHint() const override {
        int width = QLabel::sizeHint().width();
        for (const QString& s : samples_)
            width = std::max(width, fontMetrics().horizontalAdvance(s) + 2 * (frameWidth() + margin()));
        return {width, QLabel::sizeHint().height()};
    }

protected:
    void paintEvent(QPaintEvent* e) override {
        const QRect r = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
        if (fontMetrics().horizontalAdvance(text()) <= r.width()) {
            QLabel::paintEvent(e);
            return;
        }
        QPainter p(this);
        drawFrame(&p);
        p.drawText(r, int(alignment()), fontMetrics().elidedText(text(), Qt::ElideRight, r.width()));
    }

private:
    QStringList samples_;
};

// The room a status bar keeps between two of its panels: the spacing of the
// row it lays them out in.
int PanelGap(QStatusBar& bar) {
    if (QLayout* column = bar.layout())
        for (int i = 0; i < column->count(); ++i)
            if (QLayout* row = column->itemAt(i)->layout(); row && row->spacing() >= 0) return row->spacing();
    return bar.style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing, nullptr, &bar);
}

// Keeps a main window as wide as its status bar's panels need, also when
// the windows' font changes after the window is built, as far as its screen
// has room.
class StatusBarWidth : public QObject {
public:
    StatusBarWidth(QMainWindow* window, QStatusBar* bar) : QObject(bar), window_(window) {
        bar->installEventFilter(this);
    }
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::LayoutRequest)
            window_->setMinimumWidth(
                std::min(static_cast<QWidget*>(o)->sizeHint().width(), RoomOnScreen(*window_).width()));
        return false;
    }

private:
    QMainWindow* window_;
};

// Toolbar positions and their keys; 4, 6 and 10 are separators.
const char* const kToolKeys[13] = {nullptr, "New", "Open", "Save", nullptr, "Print", nullptr,
                                   "Read", "Load", "Shogo", nullptr, "Copy", "Paste"};
// The command each toolbar key runs.
const char* const kToolCommands[13] = {nullptr, "FileNew", "FileOpen", "FileSave", nullptr,
                                       "Print", nullptr, "PosiRead", "PosiWrite", "PosiVerify",
                                       nullptr, "Copy", "Paste"};

} // namespace

frmMain::frmMain(AppContext& ctx, QWidget* parent) : QMainWindow(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("RER6O250"));
    FitToScreen(*this);

    buildMenus();
    buildToolBar();

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    buildStatusFrame(central);
    buildDataFrame(central);
    layout->addWidget(frmTrancefer);
    layout->addWidget(frmDataEdit, 1);
    setCentralWidget(central);

    buildStatusBar();

    // Commands of the frame itself.
    registerCommand(QStringLiteral("Exit"), [this] { mnuFileExit_Click(); });
    registerCommand(QStringLiteral("ViewToolBar"), [this] { mnuViewToolBar_Click(); });
    registerCommand(QStringLiteral("ViewStatusBar"), [this] { mnuViewStatusBar_Click(); });
    registerCommand(QStringLiteral("HelpContents"), [this] { mnuHelpContents_Click(); });
    InstallLinkCommands(*this, ctx_);
    InstallActuatorCommands(*this, ctx_);
    InstallGridCommands(*this, ctx_);
    InstallPrintCommands(*this, ctx_);
    InstallOptionCommands(*this, ctx_);
    InstallPositionCommands(*this, ctx_);
    InstallGrpSmCommands(*this, ctx_);
    InstallParamCommands(*this, ctx_);
    InstallMotionCommands(*this, ctx_);
    markJobStarters();

    clock_ = new QTimer(this);
    clock_->setInterval(1000);
    connect(clock_, &QTimer::timeout, this, &frmMain::updateClock);
    resize(980, 720);
}

frmMain::~frmMain() = default;

void frmMain::track(QObject* o, const QString& command) {
    controls_.push_back({o, command});
    apply(controls_.back());
}

frmMain::Control* frmMain::control(QObject* o) {
    if (!o) return nullptr;
    for (auto& c : controls_)
        if (c.object == o) return &c;
    return nullptr;
}

// The one place that switches the main window's controls.
void frmMain::apply(Control& c) {
    const bool built = c.command.isEmpty() || commands_.contains(c.command);
    const bool on = built && c.off == 0 && !c.lineOff && !(controllerBusy_ && c.jobStart) &&
                    !(gridLocked_ && c.gridEdit);
    if (auto* a = qobject_cast<QAction*>(c.object))
        a->setEnabled(on);
    else if (auto* w = qobject_cast<QWidget*>(c.object))
        w->setEnabled(on);
}

void frmMain::frame(QObject* o, bool on) {
    if (Control* c = control(o)) {
        // An end without its start (a stray _Yuko) ends nothing.
        c->off = on ? std::max(0, c->off - 1) : c->off + 1;
        apply(*c);
    }
}

void frmMain::setLineOff(QObject* o, bool off) {
    if (Control* c = control(o)) {
        c->lineOff = off;
        apply(*c);
    }
}

void frmMain::setControllerBusy(bool busy) {
    controllerBusy_ = busy;
    // Closed while a job waited: the job has ended.
    if (!busy && closeWhenFree_) {
        closeWhenFree_ = false;
        QTimer::singleShot(0, this, [this] { close(); });
    }
    const ControllerLink* link = ctx_.link.ct;
    const bool locked = busy && link && link->holder() == static_cast<const void*>(this);
    const bool lockChanged = locked != gridLocked_;
    gridLocked_ = locked;
    for (auto& c : controls_)
        if (c.jobStart || c.gridEdit) apply(c);
    if (lockChanged) Q_EMIT gridLockChanged(locked);
}

void frmMain::markJobStarters() {
    QList<QObject*> starters;
    for (const char* n : {"cmdPosiRead", "cmdPosiLoad", "cmdPosiVerify", "cmdReset", "cmdOpenIoWin",
                          "cmdJogTeach", "cmdChangeDev", "cmdChangeDevW3k"})
        starters << button(QString::fromLatin1(n));
    for (const char* n : {"mnuFileGetfromCt", "mnuFileLoadtoCt", "mnuFileShogoCt", "mnuShowState", "mnuTeaching",
                          "mnuShowCtversion", "mnuModeChange", "mnuModeTrancefer", "mnuModeGaibu", "mnuViewOption"})
        starters << menuItem(QString::fromLatin1(n));
    for (int pos : {7, 8, 9}) starters << toolButtons_[size_t(pos)];
    for (QObject* o : starters)
        if (Control* c = control(o)) c->jobStart = true;
    // The line and clipboard commands change or read the grid a job of this
    // window reads or writes.
    for (QObject* o : lineCommands())
        if (Control* c = control(o)) c->gridEdit = true;
}

void frmMain::registerCommand(const QString& command, std::function<void()> handler) {
    commands_.insert(command, std::move(handler));
    for (auto& c : controls_)
        if (c.command == command) apply(c);
}

void frmMain::runCommand(const QString& command) {
    const auto it = commands_.find(command);
    if (it != commands_.end()) {
        auto handler = *it; // the handler may register commands itself
        handler();
    }
}

QString frmMain::commandOf(const QObject* control) const {
    for (const auto& c : controls_)
        if (c.object == control) return c.command;
    return QString();
}

QAction* frmMain::addItem(QMenu* m, const QString& name, const QString& command,
                          const QKeySequence& shortcut) {
    auto* a = m->addAction(name);
    a->setObjectName(name);
    if (!shortcut.isEmpty()) {
        a->setShortcut(shortcut);
        a->setShortcutContext(Qt::WindowShortcut);
    }
    items_.insert(name, a);
    connect(a, &QAction::triggered, this, [this, command] { runCommand(command); });
    track(a, command);
    return a;
}

QPushButton* frmMain::addButton(QWidget* parent, const QString& name, const QString& command) {
    auto* b = new QPushButton(name, parent);
    b->setObjectName(name);
    buttons_.insert(name, b);
    connect(b, &QPushButton::clicked, this, [this, command] { runCommand(command); });
    track(b, command);
    return b;
}

void frmMain::buildMenus() {
    auto menuOf = [this](QMenu* parentMenu, const QString& name) {
        QMenu* m = parentMenu ? parentMenu->addMenu(name) : menuBar()->addMenu(name);
        m->setObjectName(name);
        m->menuAction()->setObjectName(name);
        menus_.insert(name, m);
        track(m->menuAction(), QString());
        return m;
    };
    QMenu* file = menuOf(nullptr, QStringLiteral("mnuFile"));
    addItem(file, QStringLiteral("mnuFileNew"), QStringLiteral("FileNew"), QKeySequence(Qt::CTRL | Qt::Key_N));
    addItem(file, QStringLiteral("mnuFileOpen"), QStringLiteral("FileOpen"), QKeySequence(Qt::CTRL | Qt::Key_O));
    addItem(file, QStringLiteral("mnuFileGetfromCt"), QStringLiteral("PosiRead"));
    file->addSeparator()->setObjectName(QStringLiteral("mnuFileBar1"));
    addItem(file, QStringLiteral("mnuFileSave"), QStringLiteral("FileSave"), QKeySequence(Qt::CTRL | Qt::Key_S));
    addItem(file, QStringLiteral("mnuFileSaveAs"), QStringLiteral("FileSaveAs"));
    addItem(file, QStringLiteral("mnuFileLoadtoCt"), QStringLiteral("PosiWrite"));
    file->addSeparator()->setObjectName(QStringLiteral("mnuFileBar2"));
    QMenu* shogo = menuOf(file, QStringLiteral("mnuFileShogo"));
    addItem(shogo, QStringLiteral("mnuFileShogoFile"), QStringLiteral("PosiVerifyFile"));
    addItem(shogo, QStringLiteral("mnuFileShogoCt"), QStringLiteral("PosiVerifyCt"));
    file->addSeparator()->setObjectName(QStringLiteral("mnuFileBar3"));
    addItem(file, QStringLiteral("mnuFilePageSetup"), QStringLiteral("PageSetup"));
    addItem(file, QStringLiteral("mnuFilePrint"), QStringLiteral("Print"), QKeySequence(Qt::CTRL | Qt::Key_P));
    file->addSeparator()->setObjectName(QStringLiteral("mnuFileBar4"));
    addItem(file, QStringLiteral("mnuFileExit"), QStringLiteral("Exit"));

    QMenu* edit = menuOf(nullptr, QStringLiteral("mnuEdit"));
    addItem(edit, QStringLiteral("mnuEditGyoInsert"), QStringLiteral("InsertLine"));
    addItem(edit, QStringLiteral("mnuEditGyoDelete"), QStringLiteral("DeleteLine"));
    edit->addSeparator()->setObjectName(QStringLiteral("mnuEditBar1"));
    addItem(edit, QStringLiteral("mnuEditCopy"), QStringLiteral("Copy"), QKeySequence(Qt::CTRL | Qt::Key_C));
    addItem(edit, QStringLiteral("mnuEditPaste"), QStringLiteral("Paste"), QKeySequence(Qt::CTRL | Qt::Key_V));

    QMenu* view = menuOf(nullptr, QStringLiteral("mnuView"));
    QAction* tb = addItem(view, QStringLiteral("mnuViewToolBar"), QStringLiteral("ViewToolBar"));
    tb->setCheckable(true);
    tb->setChecked(true);
    QAction* sb = addItem(view, QStringLiteral("mnuViewStatusBar"), QStringLiteral("ViewStatusBar"));
    sb->setCheckable(true);
    sb->setChecked(true);
    view->addSeparator()->setObjectName(QStringLiteral("mnuViewBar1"));
    addItem(view, QStringLiteral("mnuShowState"), QStringLiteral("mnuShowState"));
    addItem(view, QStringLiteral("mnuShowMove"), QStringLiteral("mnuShowMove"));
    addItem(view, QStringLiteral("mnuShowGroup"), QStringLiteral("mnuShowGroup"));
    addItem(view, QStringLiteral("mnuShowSqMcr"), QStringLiteral("mnuShowSqMcr"));
    addItem(view, QStringLiteral("mnuShowParameta"), QStringLiteral("OpenParaWindow"));
    addItem(view, QStringLiteral("mnuTeaching"), QStringLiteral("OpenJogWindow"));
    addItem(view, QStringLiteral("mnuViewOption"), QStringLiteral("mnuViewOption"));
    addItem(view, QStringLiteral("mnuShowCtversion"), QStringLiteral("mnuShowCtversion"));
    QMenu* mode = menuOf(view, QStringLiteral("mnuModeChange"));
    addItem(mode, QStringLiteral("mnuModeTrancefer"), QStringLiteral("mnuModeTrancefer"));
    addItem(mode, QStringLiteral("mnuModeGaibu"), QStringLiteral("mnuModeGaibu"));

    QMenu* help = menuOf(nullptr, QStringLiteral("mnuHelp"));
    addItem(help, QStringLiteral("mnuHelpContents"), QStringLiteral("HelpContents"));
    help->addSeparator()->setObjectName(QStringLiteral("mnuHelpBar1"));
    addItem(help, QStringLiteral("mnuHelpAbout"), QStringLiteral("mnuHelpAbout"));
}

void frmMain::buildToolBar() {
    tbToolBar = addToolBar(QStringLiteral("tbToolBar"));
    tbToolBar->setObjectName(QStringLiteral("tbToolBar"));
    tbToolBar->setMovable(false);
    toolButtons_.assign(13, nullptr);
    for (int pos = 1; pos <= 12; ++pos) {
        if (!kToolKeys[pos]) {
            tbToolBar->addSeparator();
            continue;
        }
        const QString key = QString::fromLatin1(kToolKeys[pos]);
        auto* a = tbToolBar->addAction(ToolBarIcon(key, *style()), key);
        a->setObjectName(QStringLiteral("tbToolBar_") + key);
        a->setData(key);
        connect(a, &QAction::triggered, this, [this, key] { tbToolBar_ButtonClick(key); });
        toolButtons_[pos] = a;
        track(a, QString::fromLatin1(kToolCommands[pos]));
    }
}

void frmMain::buildStatusFrame(QWidget* parent) {
    frmTrancefer = new QGroupBox(parent);
    frmTrancefer->setObjectName(QStringLiteral("frmTrancefer"));
    auto* grid = new QGridLayout(frmTrancefer);

    auto addLabel = [this](QWidget* p, const QString& name, const QString& text) {
        auto* l = new QLabel(text, p);
        l->setObjectName(name);
        labels_.insert(name, l);
        return l;
    };

    // Actuator type of both axes (two-axis) or of the one axis.
    grid->addWidget(addLabel(frmTrancefer, QStringLiteral("lblShowDev"), QString()), 0, 0);
    pictureW6Device = new QFrame(frmTrancefer);
    pictureW6Device->setObjectName(QStringLiteral("pictureW6Device"));
    {
        auto* l = new QGridLayout(pictureW6Device);
        l->setContentsMargins(0, 0, 0, 0);
        l->addWidget(addLabel(pictureW6Device, QStringLiteral("lblAxisNo1"), QStringLiteral("<1>")), 0, 0);
        l->addWidget(addLabel(pictureW6Device, QStringLiteral("lblDeviceType0"), QString()), 0, 1);
        l->addWidget(addLabel(pictureW6Device, QStringLiteral("lblAxisNo2"), QStringLiteral("<2>")), 1, 0);
        l->addWidget(addLabel(pictureW6Device, QStringLiteral("lblDeviceType1"), QString()), 1, 1);
        l->addWidget(addButton(pictureW6Device, QStringLiteral("cmdChangeDev"), QStringLiteral("cmdChangeDev")), 0, 2, 2, 1);
        l->setColumnStretch(1, 1);
    }
    pictureW3kDevice = new QFrame(frmTrancefer);
    pictureW3kDevice->setObjectName(QStringLiteral("pictureW3kDevice"));
    {
        auto* l = new QGridLayout(pictureW3kDevice);
        l->setContentsMargins(0, 0, 0, 0);
        l->addWidget(addLabel(pictureW3kDevice, QStringLiteral("lblDeviceTypeW3k0"), QString()), 0, 0);
        l->addWidget(addButton(pictureW3kDevice, QStringLiteral("cmdChangeDevW3k"), QStringLiteral("cmdChangeDevW3k")), 0, 1);
        l->setColumnStretch(0, 1);
    }
    grid->addWidget(pictureW6Device, 0, 1);
    grid->addWidget(pictureW3kDevice, 1, 1);

    // File name.
    grid->addWidget(addLabel(frmTrancefer, QStringLiteral("lblFilelabel"), QString()), 2, 0);
    QLabel* fileName = addLabel(frmTrancefer, QStringLiteral("lblFileName"), QString());
    fileName->setFrameShape(QFrame::Panel);
    fileName->setFrameShadow(QFrame::Sunken);
    grid->addWidget(fileName, 2, 1);

    // Lamps and the controller error display.
    auto* lamps = new QHBoxLayout;
    QLabel* jotai = addLabel(frmTrancefer, QStringLiteral("lblJotai"), QStringLiteral("RS-232C"));
    lamps->addWidget(jotai);
    QLabel* portGreen = makeLamp(frmTrancefer, QStringLiteral("imgPortGreen"), QColor(0, 200, 0));
    QLabel* portLed = makeLamp(frmTrancefer, QStringLiteral("imgPortLed"), QColor(255, 255, 255));
    labels_.insert(portGreen->objectName(), portGreen);
    labels_.insert(portLed->objectName(), portLed);
    portGreen->hide();
    lamps->addWidget(portGreen);
    lamps->addWidget(portLed);
    lamps->addSpacing(12);
    lamps->addWidget(addLabel(frmTrancefer, QStringLiteral("lblHome"), QString()));
    QLabel* homeGreen = makeLamp(frmTrancefer, QStringLiteral("imgHomeGreen"), QColor(0, 200, 0));
    QLabel* homeWhite = makeLamp(frmTrancefer, QStringLiteral("imgHomeWhite"), QColor(255, 255, 255));
    labels_.insert(homeGreen->objectName(), homeGreen);
    labels_.insert(homeWhite->objectName(), homeWhite);
    homeGreen->hide();
    lamps->addWidget(homeGreen);
    lamps->addWidget(homeWhite);
    lamps->addSpacing(12);
    lamps->addWidget(addLabel(frmTrancefer, QStringLiteral("lblError"), QStringLiteral("ALARM")));
    QLabel* alarmLed = makeLamp(frmTrancefer, QStringLiteral("imgAlarmLed"), QColor(230, 0, 0));
    QLabel* alarmGreen = makeLamp(frmTrancefer, QStringLiteral("imgAlarmGreen"), QColor(0, 200, 0));
    labels_.insert(alarmLed->objectName(), alarmLed);
    labels_.insert(alarmGreen->objectName(), alarmGreen);
    alarmLed->hide();
    lamps->addWidget(alarmLed);
    lamps->addWidget(alarmGreen);
    lamps->addWidget(addLabel(frmTrancefer, QStringLiteral("lblAlarmNo"), QString()));
    lamps->addWidget(addLabel(frmTrancefer, QStringLiteral("lblErrorComment"), QString()), 1);
    lamps->addWidget(addButton(frmTrancefer, QStringLiteral("cmdReset"), QStringLiteral("cmdReset")));
    grid->addLayout(lamps, 3, 0, 1, 2);

    pictureLogo2 = new QLabel(QStringLiteral("<b>RER6O250</b>"), frmTrancefer);
    pictureLogo2->setObjectName(QStringLiteral("pictureLogo2"));
    pictureLogo2->hide();
    grid->addWidget(pictureLogo2, 0, 2);
    grid->setColumnStretch(1, 1);
}

void frmMain::buildDataFrame(QWidget* parent) {
    frmDataEdit = new QGroupBox(parent);
    frmDataEdit->setObjectName(QStringLiteral("frmDataEdit"));
    auto* l = new QHBoxLayout(frmDataEdit);

    flgdData = new QTableView(frmDataEdit);
    flgdData->setObjectName(QStringLiteral("flgdData"));
    flgdDataW3k = new QTableView(frmDataEdit);
    flgdDataW3k->setObjectName(QStringLiteral("flgdDataW3k"));
    txtEdit = new QLineEdit(frmDataEdit);
    txtEdit->setObjectName(QStringLiteral("txtEdit"));
    txtEdit->hide();
    txtDummy_ = NewFocusTarget(frmDataEdit);

    auto* grids = new QVBoxLayout;
    grids->addWidget(flgdData);
    grids->addWidget(flgdDataW3k);
    grids->addWidget(txtDummy_);
    l->addLayout(grids, 1);

    auto* cmds = new QVBoxLayout;
    for (const auto& [name, command] : std::initializer_list<std::pair<const char*, const char*>>{
             {"cmdPosiFileOpen", "FileOpen"},
             {"cmdPosiSaveFile", "FileSaveAs"},
             {"cmdPosiVerify", "PosiVerify"},
             {"cmdPosiRead", "PosiRead"},
             {"cmdPosiLoad", "PosiWrite"},
             {"cmdInsertLine", "InsertLine"},
             {"cmdDeleteLine", "DeleteLine"}})
        cmds->addWidget(addButton(frmDataEdit, QString::fromLatin1(name), QString::fromLatin1(command)));
    cmds->addSpacing(16);
    for (const auto& [name, command] : std::initializer_list<std::pair<const char*, const char*>>{
             {"cmdOpenIoWin", "cmdOpenIoWin"},
             {"cmdOpenMoveWin", "cmdOpenMoveWin"},
             {"cmdOpenGrpWindow", "cmdOpenGrpWindow"},
             {"cmdSqMcrWinOpen", "cmdSqMcrWinOpen"},
             {"cmdParaHyoji", "OpenParaWindow"},
             {"cmdJogTeach", "OpenJogWindow"},
             {"cmdMakePosiHelp", "cmdMakePosiHelp"}})
        cmds->addWidget(addButton(frmDataEdit, QString::fromLatin1(name), QString::fromLatin1(command)));
    buttons_.value(QStringLiteral("cmdMakePosiHelp"))->hide();
    cmds->addStretch();
    l->addLayout(cmds);
}

void frmMain::buildStatusBar() {
    for (int i = 0; i < 5; ++i) {
        // The longest texts each panel shows in either language: the
        // controller version, the pulse rate of an axis, the date, the time.
        const QStringList samples =
            i == 0   ? QStringList{QStringLiteral("The version of this C/T is 000"),
                                   QStringLiteral("ｺﾝﾄﾛｰﾗのﾊﾞｰｼﾞｮﾝ情報 なし")}
            : i < 3  ? QStringList{QStringLiteral("<1>1mm = 888.888Pulse / 1Pulse= 0.888mm"),
                                   QStringLiteral("<1>1mm = 888.888ﾊﾟﾙｽ / 1ﾊﾟﾙｽ= 0.888mm")}
            : i == 3 ? QStringList{QStringLiteral("0000/00/00")}
                     : QStringList{QStringLiteral("00:00")};
        auto* l = new StatusPanel(samples, statusBar());
        l->setObjectName(QStringLiteral("sbStatusBar_Panel%1").arg(i + 1));
        statusBar()->addPermanentWidget(l, i < 3 ? 1 : 0);
        statusPanels_.push_back(l);
    }
    statusBar()->setObjectName(QStringLiteral("sbStatusBar"));
    statusBar()->setSizeGripEnabled(false);
    // The last panel (the clock) keeps from the window's edge the room the
    // panels keep between them.
    statusBar()->setContentsMargins(0, 0, PanelGap(*statusBar()), 0);
    new StatusBarWidth(this, statusBar());
}

QAction* frmMain::menuItem(const QString& name) const {
    if (auto* a = items_.value(name)) return a;
    if (auto* m = menus_.value(name)) return m->menuAction();
    return nullptr;
}
QMenu* frmMain::menu(const QString& name) const { return menus_.value(name); }
QPushButton* frmMain::button(const QString& name) const { return buttons_.value(name); }
QAction* frmMain::toolButton(int position) const {
    return position >= 1 && position <= 12 ? toolButtons_[position] : nullptr;
}
QLabel* frmMain::label(const QString& name) const { return labels_.value(name); }
QTableView* frmMain::grid(Product p) const { return p == Product::TwoAxis ? flgdData : flgdDataW3k; }
QLabel* frmMain::statusPanel(int panel) const {
    return panel >= 1 && panel <= 5 ? statusPanels_[panel - 1] : nullptr;
}

QString frmMain::gridTag(Product p) const {
    return ctx_.grid.of(p).Tag;
}

// ---- MainWindowPort

void frmMain::Show() {
    if (!loaded_) {
        loaded_ = true;
        Form_Load();
    }
    show();
}

void frmMain::GridInit(Product p) {
    if (p == Product::TwoAxis)
        W6flgdData_Init();
    else
        W3KflgdData_Init();
}

void frmMain::ChangeDevice(Product p) {
    if (p == Product::TwoAxis)
        cmdChangeDev_Click();
    else
        cmdChangeDevW3k_Click();
}

void frmMain::SetDeviceLabel(Product p, int axis, const QString& text) {
    const QString name = p == Product::TwoAxis ? QStringLiteral("lblDeviceType%1").arg(axis)
                                               : QStringLiteral("lblDeviceTypeW3k%1").arg(axis);
    if (QLabel* l = labels_.value(name)) l->setText(text);
}

void frmMain::SetStatusPanel(int panel, const QString& text) {
    if (QLabel* l = statusPanel(panel)) l->setText(text);
}

void frmMain::FocusDummy() {
    txtDummy_->setFocus();
}

// ---- Load and close

void frmMain::Form_Load() {
    const bool two = ctx_.opt.CtType == 1;
    const bool one = ctx_.opt.CtType == 2;
    if (two || one) {
        flgdDataW3k->setVisible(one);
        flgdDataW3k->setEnabled(one);
        flgdData->setVisible(two);
        flgdData->setEnabled(two);
    }
    pictureW3kDevice->setVisible(!two);
    pictureW3kDevice->setEnabled(!two);
    pictureW6Device->setVisible(two);
    pictureW6Device->setEnabled(two);
    if (two) pictureW6Device->raise();

    const bool hideHelp = LoadMainSettings(ctx_);
    menuItem(QStringLiteral("mnuHelpContents"))->setVisible(!hideHelp);

    for (auto& a : ctx_.dev.two) {
        a.Size.clear();
        a.Speed.clear();
        a.Stroke = 0;
    }
    ctx_.opt.HomeDone = false;
    MainLinkLoad(*this, ctx_);

    if (two) W6flgdData_Init();
    if (one) W3KflgdData_Init();
    txtEdit->clear();
    MainCaption_Init();
    labels_.value(QStringLiteral("lblFileName"))->setText(ctx_.main.TitleOfShowFile);
    const QString title = MainWindowTitle(ctx_.opt.CtType);
    if (!title.isEmpty()) setWindowTitle(title);
    LineCmd_Muko();

    updateClock();
    clock_->start();
}

void frmMain::MainCaption_Init() {
    const int lang = ctx_.opt.LanguageNo;
    auto setCaption = [&](const QString& name) {
        const QString t = MainCaption(lang, name);
        if (QPushButton* b = buttons_.value(name)) b->setText(t);
        else if (QLabel* l = labels_.value(name)) l->setText(t);
        else if (QAction* a = menuItem(name)) {
            a->setText(t);
            if (QMenu* m = menus_.value(name)) m->setTitle(t);
        }
    };
    frmTrancefer->setTitle(MainCaption(lang, QStringLiteral("frmTrancefer")));
    frmDataEdit->setTitle(MainCaption(lang, QStringLiteral("frmDataEdit")));
    for (const char* n : {"lblShowDev", "cmdChangeDev", "cmdChangeDevW3k", "lblFilelabel", "cmdReset",
                          "lblHome", "cmdPosiFileOpen", "cmdPosiSaveFile", "cmdPosiVerify",
                          "cmdPosiRead", "cmdPosiLoad", "cmdInsertLine", "cmdDeleteLine",
                          "cmdOpenIoWin", "cmdOpenMoveWin", "cmdOpenGrpWindow", "cmdSqMcrWinOpen",
                          "cmdParaHyoji", "cmdJogTeach"})
        setCaption(QString::fromLatin1(n));
    labels_.value(QStringLiteral("lblJotai"))->setToolTip(MainCaption(lang, QStringLiteral("lblJotai.toolTip")));
    for (auto it = menus_.cbegin(); it != menus_.cend(); ++it) setCaption(it.key());
    for (auto it = items_.cbegin(); it != items_.cend(); ++it) setCaption(it.key());
    for (int pos = 1; pos <= 12; ++pos)
        if (QAction* a = toolButtons_[pos]) a->setToolTip(MainToolTip(lang, pos));
    ctx_.main.TitleOfShowFile = ctx_.pick(QStringLiteral("新規作成"), QStringLiteral("New Data"));
}

void frmMain::closeEvent(QCloseEvent* e) {
    if (closing_) {
        e->accept();
        return;
    }
    if (ctx_.link.ct && ctx_.link.ct->busy()) {
        // A job that waits for what the controller still owes is stopped
        // first: the window closes once it has ended.
        if (ctx_.link.ct->cleaningUp() && ctx_.link.ct->StopWait()) {
            closeWhenFree_ = true;
            e->ignore();
            return;
        }
        ctx_.message(ctx_.pick(QStringLiteral("コントローラとの通信中です。終了してから閉じてください。"),
                               QStringLiteral("Communicating with the controller. Close the window after it has ended.")));
        e->ignore();
        return;
    }
    // The windows beside it that hold edits (parameters, groups, macros)
    // ask about them first; one the user keeps open keeps the program running.
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->isWindow() && child->isVisible() && child->isWindowModified() && !child->close()) {
            e->ignore();
            return;
        }
    // Text pending in the in-cell editor counts as an edit.
    if (ctx_.grid.commitPendingEdit) ctx_.grid.commitPendingEdit();
    const Product p = ctx_.opt.product();
    std::function<void()> saveAs;
    if (commands_.contains(QStringLiteral("FileSaveAs")))
        saveAs = [this] { runCommand(QStringLiteral("FileSaveAs")); };
    if (!QueryUnload(ctx_, gridTag(p), saveAs)) {
        e->ignore();
        return;
    }
    closing_ = true;
    e->accept();
    Form_Unload();
}

void frmMain::Form_Unload() {
    clock_->stop();
    MainLinkUnload(*this, ctx_);
    SaveOnUnload(ctx_);
    Q_EMIT programEnded();
}

void frmMain::mnuFileExit_Click() {
    close();
}

void frmMain::tbToolBar_ButtonClick(const QString& key) {
    for (int pos = 1; pos <= 12; ++pos) {
        if (kToolKeys[pos] && key == QLatin1String(kToolKeys[pos])) {
            runCommand(QString::fromLatin1(kToolCommands[pos]));
            return;
        }
    }
}

void frmMain::mnuViewToolBar_Click() {
    QAction* item = menuItem(QStringLiteral("mnuViewToolBar"));
    const bool hide = tbToolBar->isVisible();
    item->setChecked(!hide);
    showBar(tbToolBar, !hide, toolBarHidden_);
    pictureLogo2->setVisible(hide);
}

void frmMain::mnuViewStatusBar_Click() {
    QAction* item = menuItem(QStringLiteral("mnuViewStatusBar"));
    const bool hide = statusBar()->isVisible();
    item->setChecked(!hide);
    showBar(statusBar(), !hide, statusBarHidden_);
}

void frmMain::showBar(QWidget* bar, bool show, HiddenBar& hidden) {
    const int now = height();
    const int barHeight = bar->height();
    bar->setVisible(show);
    // The window's smallest height follows the bar first, so that a window
    // at its smallest height is not held at the height it had.
    layout()->invalidate();
    layout()->activate();
    if (show) {
        // A window left as the hide made it gets back the height it had;
        // the window system may have rounded the hide's height by a pixel
        // at a scale that is no whole number.
        resize(width(), std::abs(now - hidden.left) <= 1 ? hidden.before : now + hidden.before - hidden.left);
    } else {
        resize(width(), now - barHeight);
        hidden = {now, height()};
    }
}

void frmMain::mnuHelpContents_Click() {
    ShowHelpFile(ctx_, ctx_.res(618));
}

void frmMain::updateClock() {
    statusPanels_[3]->setText(QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd")));
    statusPanels_[4]->setText(QTime::currentTime().toString(QStringLiteral("HH:mm")));
}

// ---- Families

namespace {
const char* const kCmdButtons[] = {"cmdPosiFileOpen", "cmdPosiSaveFile", "cmdPosiLoad", "cmdPosiRead",
                                   "cmdPosiVerify", "cmdOpenIoWin", "cmdOpenMoveWin", "cmdOpenGrpWindow",
                                   "cmdSqMcrWinOpen", "cmdParaHyoji", "cmdJogTeach", "cmdReset"};
const char* const kLineButtons[] = {"cmdInsertLine", "cmdDeleteLine"};
const int kToolButtons[] = {1, 2, 3, 5, 7, 8, 9, 11, 12};
const char* const kMenuItems[] = {"mnuFileNew", "mnuFileOpen", "mnuFileGetfromCt", "mnuFileSave",
                                  "mnuFileSaveAs", "mnuFileShogo", "mnuFileLoadtoCt", "mnuFilePageSetup",
                                  "mnuFilePrint", "mnuEdit", "mnuShowCtversion", "mnuModeChange", "mnuView"};
const char* const kLineMenuItems[] = {"mnuEditGyoInsert", "mnuEditGyoDelete"};
const char* const kClipMenuItems[] = {"mnuEditCopy", "mnuEditPaste"};
} // namespace

void frmMain::CMDBTN_Muko() {
    for (const char* n : kCmdButtons) frame(button(QString::fromLatin1(n)), false);
    for (const char* n : kLineButtons) setLineOff(button(QString::fromLatin1(n)), true);
}

void frmMain::CMDBTN_Yuko() {
    for (const char* n : kCmdButtons) frame(button(QString::fromLatin1(n)), true);
}

void frmMain::ToolBar_Muko() {
    for (int pos : kToolButtons) frame(toolButtons_[size_t(pos)], false);
}

void frmMain::ToolBar_Yuko() {
    for (int pos : kToolButtons) frame(toolButtons_[size_t(pos)], true);
}

void frmMain::Menyu_Muko() {
    for (const char* n : kMenuItems) frame(menuItem(QString::fromLatin1(n)), false);
    for (const char* n : kLineMenuItems) setLineOff(menuItem(QString::fromLatin1(n)), true);
}

void frmMain::Menyu_Yuko() {
    for (const char* n : kMenuItems) frame(menuItem(QString::fromLatin1(n)), true);
}

void frmMain::CTModeChange_Muko() { frame(menuItem(QStringLiteral("mnuModeChange")), false); }
void frmMain::CTModeChange_Yuko() { frame(menuItem(QStringLiteral("mnuModeChange")), true); }

void frmMain::Button_Muko(const QString& name) { frame(button(name), false); }
void frmMain::Button_Yuko(const QString& name) { frame(button(name), true); }

QList<QObject*> frmMain::lineCommands() const {
    QList<QObject*> list;
    for (const char* n : kLineButtons) list << button(QString::fromLatin1(n));
    for (int pos : {11, 12}) list << toolButtons_[size_t(pos)];
    for (const char* n : kLineMenuItems) list << menuItem(QString::fromLatin1(n));
    for (const char* n : kClipMenuItems) list << menuItem(QString::fromLatin1(n));
    return list;
}

void frmMain::LineCmd_Muko() {
    for (QObject* o : lineCommands()) setLineOff(o, true);
}

void frmMain::LineCmd_Yuko() {
    for (QObject* o : lineCommands()) setLineOff(o, false);
}

// ---- Actuator and grid services

void frmMain::Culc_MaxPulse() { CulcMaxPulse(ctx_, Product::TwoAxis); }
void frmMain::Culc_W3KMaxPulse() { CulcMaxPulse(ctx_, Product::OneAxis); }

void frmMain::W6flgdData_Init() { InitPositionGrid(*this, ctx_, Product::TwoAxis); }
void frmMain::W3KflgdData_Init() { InitPositionGrid(*this, ctx_, Product::OneAxis); }
void frmMain::Change_DispUnit() { ChangeDispUnitHeaders(ctx_, Product::TwoAxis); }
void frmMain::Change_W3kDispUnit() { ChangeDispUnitHeaders(ctx_, Product::OneAxis); }
void frmMain::PosiDataCheck() { rer::PosiDataCheck(ctx_, Product::TwoAxis); }
void frmMain::W3kPosiDataCheck() { rer::PosiDataCheck(ctx_, Product::OneAxis); }

void frmMain::cmdChangeDev_Click() { RunActuatorChange(*this, ctx_, Product::TwoAxis); }
void frmMain::cmdChangeDevW3k_Click() { RunActuatorChange(*this, ctx_, Product::OneAxis); }

} // namespace rer
