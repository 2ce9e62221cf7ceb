#include "platform/ui/WindowPlacement.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMainWindow>
#include <QMargins>
#include <QPoint>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace rer {

QWidget* MainWindowOf(QWidget* w) {
    while (w && w->parentWidget()) w = w->parentWidget();
    return w;
}

void PlaceBesideMainWindow(QWidget* window, QWidget* opener) {
    if (QWidget* main = MainWindowOf(opener)) window->move(main->pos() + QPoint(33, 33));
}

namespace {

// The name of the scroll area that takes a window's content.
constexpr char kScrollName[] = "screenFitScroll";

// The frame the window manager put around `w`, the title bar on top and the
// borders, as the window system reports it now; none while `w` is not shown.
QMargins FrameOf(const QWidget& w) {
    const QWindow* handle = w.windowHandle();
    return w.isVisible() && handle ? handle->frameMargins() : QMargins();
}

bool Framed(const QWidget& w) { return !FrameOf(w).isNull(); }

// The frame last seen around a window of the program, which the next window
// gets too; before one is seen, room for a usual title bar and borders.
QMargins& LastFrame() {
    static QMargins frame(4, 30, 4, 4);
    return frame;
}

QMargins ExpectedFrame(const QWidget& w) { return Framed(w) ? FrameOf(w) : LastFrame(); }

// The screen `w` opens on: where it stands once it has a place (shown, or
// moved by the program), else the screen of the window that opens it.
QScreen* ScreenOf(const QWidget& w, bool placed) {
    const QWidget* at = placed || !w.parentWidget() ? &w : w.parentWidget()->window();
    if (QScreen* s = QGuiApplication::screenAt(at->geometry().center())) return s;
    return w.screen();
}

QSize Room(const QScreen& screen, const QMargins& frame) {
    return screen.availableGeometry().size().shrunkBy(frame).expandedTo(QSize(1, 1));
}

// Puts the content of `w` into a scroll area that fills the window: the
// central widget of a main window, what the layout of any other window
// places. The window may then be as small as `least`.
void Scroll(QWidget& w, const QSize& least) {
    if (w.findChild<QScrollArea*>(QLatin1String(kScrollName))) return;
    auto* mainWindow = qobject_cast<QMainWindow*>(&w);
    if (mainWindow ? !mainWindow->centralWidget() : !w.layout()) return;
    auto* area = new QScrollArea;
    area->setObjectName(QLatin1String(kScrollName));
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    if (mainWindow) {
        area->setWidget(mainWindow->takeCentralWidget());
        mainWindow->setCentralWidget(area);
    } else {
        // The window's own layout goes over to the content, and with it the
        // widgets it places; they show as they did.
        QList<QWidget*> shown;
        for (QWidget* c : w.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!c->isHidden()) shown << c;
        auto* content = new QWidget;
        content->setLayout(w.layout());
        area->setWidget(content);
        for (QWidget* c : shown)
            if (c->parentWidget() == content) c->show();
        auto* frame = new QVBoxLayout(&w);
        frame->setContentsMargins(0, 0, 0, 0);
        frame->addWidget(area);
    }
    area->show();
    w.setMinimumSize(least);
    w.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    w.layout()->activate();
}

// Fits `w` into the available area of its screen, with `frame` around it.
// `placed`: the window stands where it will show (it is shown, or the
// program moved it), so that its place is kept inside the area too.
void Fit(QWidget& w, const QMargins& frame, bool placed) {
    QScreen* screen = ScreenOf(w, placed);
    if (!screen) return;
    const QSize room = Room(*screen, frame);
    const QSize natural = w.size();
    if (natural.width() > room.width() || natural.height() > room.height()) {
        // The smallest size the content takes, also where the window's own
        // smallest size was set below it.
        QSize least = w.minimumSize();
        if (QLayout* l = w.layout()) least = least.expandedTo(l->totalMinimumSize());
        const bool scrolls = least.width() > room.width() || least.height() > room.height();
        // A window that scrolls is still as large as the screen allows.
        if (scrolls) Scroll(w, least.boundedTo(room));
        QSize size = natural.boundedTo(room);
        if (scrolls) {
            // Room for the scroll bar across the side that is cut.
            const int bar = w.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &w);
            if (natural.width() > room.width()) size.setHeight(std::min(room.height(), natural.height() + bar));
            if (natural.height() > room.height()) size.setWidth(std::min(room.width(), natural.width() + bar));
        }
        w.resize(size);
    }
    if (!placed) return;
    // The frame's top-left corner: where the window manager put it once it
    // is framed, else where the program placed it.
    const QRect area = screen->availableGeometry();
    const bool framed = Framed(w);
    // Where the window system has the window: the widget may not have heard
    // yet of a move the window manager made.
    const QPoint at = framed ? w.windowHandle()->geometry().topLeft() - QPoint(frame.left(), frame.top()) : w.pos();
    const QSize outer = w.size().grownBy(frame);
    const QPoint inside(std::max(area.left(), std::min(at.x(), area.left() + area.width() - outer.width())),
                        std::max(area.top(), std::min(at.y(), area.top() + area.height() - outer.height())));
    if (inside == at) return;
    if (framed)
        w.setGeometry(QRect(inside + QPoint(frame.left(), frame.top()), w.size()));
    else
        w.move(inside);
}

// Fits its window when it is shown, with the frame it expects, and again
// once the window manager has framed it, with the frame it got; and again
// whenever the framed window grows (a font that comes into effect after the
// show), or moves while it settles (a move the window system made; later
// moves are the user's own).
class ScreenFit : public QObject {
public:
    explicit ScreenFit(QWidget& window) : QObject(&window), window_(window) { window.installEventFilter(this); }

    bool eventFilter(QObject* o, QEvent* e) override {
        if (o == &window_ && e->type() == QEvent::Show) {
            Fit(window_, ExpectedFrame(window_), window_.testAttribute(Qt::WA_Moved));
            QWindow* handle = window_.windowHandle();
            if (handle && handle != handle_) {
                handle_ = handle;
                handle->installEventFilter(this);
            }
            framing_ = true;
        } else if ((o == &window_ || o == handle_) && !framing_ && window_.isVisible() && Framed(window_) &&
                   (e->type() == QEvent::Resize || (e->type() == QEvent::Move && settling_.isValid() &&
                                                    settling_.elapsed() < kSettleMs))) {
            if (!refitting_) {
                refitting_ = true;
                QMetaObject::invokeMethod(this, [this] {
                    refitting_ = false;
                    if (window_.isVisible() && Framed(window_)) Fit(window_, FrameOf(window_), true);
                }, Qt::QueuedConnection);
            }
        } else if (o == handle_ && e->type() == QEvent::Expose && framing_ && handle_->isExposed()) {
            framing_ = false;
            // After the window manager's own handling of the exposure.
            settling_.start();
            QMetaObject::invokeMethod(this, [this] {
                if (!window_.isVisible()) return;
                if (Framed(window_)) LastFrame() = FrameOf(window_);
                Fit(window_, ExpectedFrame(window_), true);
            }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    QWidget& window_;
    QPointer<QWindow> handle_;
    bool framing_ = false;
    bool refitting_ = false;
    // Since the window was framed.
    QElapsedTimer settling_;
    static constexpr qint64 kSettleMs = 2000;
};

} // namespace

void FitToScreen(QWidget& window) { new ScreenFit(window); }

QSize RoomOnScreen(const QWidget& window) {
    QScreen* screen = ScreenOf(window, Framed(window) || window.testAttribute(Qt::WA_Moved));
    return screen ? Room(*screen, ExpectedFrame(window)) : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

} // namespace rer
