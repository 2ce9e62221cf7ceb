#include "platform/ui/WindowPlacement.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLayout>
#include <QMainWindow>
#include <QMargins>
#include <QPoint>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QSet>
#include <QStyle>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <vector>

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
// Its property: what stood around it in the window when it was made.
constexpr char kAroundName[] = "screenFitAround";

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

// The part of the screen's available area a window may cover. At a scale
// that is not a whole number, a pixel of the program is no whole number of
// the screen's pixels and the area's size is rounded: a pixel is kept free
// at its right and bottom edges, so that a window that fits does so on the
// screen too.
QRect Usable(const QScreen& screen) {
    QRect area = screen.availableGeometry();
    const qreal scale = screen.devicePixelRatio();
    if (!qFuzzyCompare(scale, std::round(scale))) area.adjust(0, 0, -1, -1);
    return area;
}

QSize Room(const QScreen& screen, const QMargins& frame) {
    return Usable(screen).size().shrunkBy(frame).expandedTo(QSize(1, 1));
}

QScrollArea* ScrollAreaOf(const QWidget& w) {
    return w.findChild<QScrollArea*>(QLatin1String(kScrollName), Qt::FindDirectChildrenOnly);
}

// The layout that places a window's content: the central widget's of a
// main window, the window's own of any other.
QLayout* ContentLayout(QWidget& w) {
    if (auto* mainWindow = qobject_cast<QMainWindow*>(&w))
        return mainWindow->centralWidget() ? mainWindow->centralWidget()->layout() : nullptr;
    return w.layout();
}

// Lays the window out again after a change of its layouts.
void Relayout(QWidget& w) {
    if (QLayout* content = ContentLayout(w); content && content != w.layout()) content->activate();
    if (QLayout* l = w.layout()) {
        l->invalidate();
        l->activate();
    }
}

// The smallest size the content of `w` takes, also where the window's own
// smallest size was set below it.
QSize Least(const QWidget& w) {
    QSize least = w.minimumSize();
    if (QLayout* l = w.layout()) least = least.expandedTo(l->totalMinimumSize());
    return least;
}

int ScrollBarExtent(const QWidget& w) { return w.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &w); }

// The scroll bars content of the smallest size `least` needs in `room`: a
// bar across one side takes room from the other.
struct Bars {
    bool vertical = false;
    bool horizontal = false;
};

Bars BarsFor(const QSize& least, const QSize& room, int bar) {
    Bars b;
    b.vertical = least.height() > room.height();
    b.horizontal = least.width() + (b.vertical ? bar : 0) > room.width();
    b.vertical = least.height() + (b.horizontal ? bar : 0) > room.height();
    b.horizontal = least.width() + (b.vertical ? bar : 0) > room.width();
    return b;
}

// What content of the smallest size `least` needs in `room` with its bars.
QSize WithBars(const QSize& least, const Bars& b, int bar) {
    return least + QSize(b.vertical ? bar : 0, b.horizontal ? bar : 0);
}

// A window only a few pixels larger than the room gives them from the
// margins around its content, rather than scroll for them; where that
// spares it no scroll bar, its margins stay as they were.
void Squeeze(QWidget& w, const QSize& room) {
    QLayout* content = ContentLayout(w);
    if (!content) return;
    const int bar = ScrollBarExtent(w);
    const QSize least = Least(w);
    const Bars before = BarsFor(least, room, bar);
    const QSize over = WithBars(least, before, bar) - room;
    const QMargins was = content->contentsMargins();
    int left = was.left(), right = was.right(), top = was.top(), bottom = was.bottom();
    bool changed = false;
    // Shrinks the margins `a` and `b` together by `by`, when they have as much.
    const auto give = [&changed](int& a, int& b, int by) {
        if (by <= 0 || by > a + b) return;
        const int fromA = std::clamp((by + 1) / 2, by - b, a);
        a -= fromA;
        b -= by - fromA;
        changed = true;
    };
    give(left, right, over.width());
    give(top, bottom, over.height());
    if (!changed) return;
    content->setContentsMargins(left, top, right, bottom);
    Relayout(w);
    const Bars after = BarsFor(Least(w), room, bar);
    if (after.vertical == before.vertical && after.horizontal == before.horizontal) {
        content->setContentsMargins(was);
        Relayout(w);
    }
}

// Puts the content of `w` into a scroll area that fills the window: the
// central widget of a main window, what the layout of any other window
// places.
QScrollArea* Scroll(QWidget& w) {
    if (QScrollArea* area = ScrollAreaOf(w)) return area;
    auto* mainWindow = qobject_cast<QMainWindow*>(&w);
    if (mainWindow ? !mainWindow->centralWidget() : !w.layout()) return nullptr;
    // Made in the window, so that what moves into it stays in the window:
    // Tab takes the content in its own order, and the scroll area itself is
    // no stop of Tab's (the focus brings what it reaches into view).
    auto* area = new QScrollArea(&w);
    area->setObjectName(QLatin1String(kScrollName));
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setFocusPolicy(Qt::NoFocus);
    if (mainWindow) {
        // The central widget goes over with its own Tab order.
        area->setWidget(mainWindow->takeCentralWidget());
        mainWindow->setCentralWidget(area);
    } else {
        // The window's own layout goes over to the content, and with it the
        // widgets it places; they show as they did.
        QList<QWidget*> shown;
        for (QWidget* c : w.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!c->isHidden() && c != area) shown << c;
        auto* content = new QWidget(area);
        content->setLayout(w.layout());
        area->setWidget(content);
        for (QWidget* c : shown)
            if (c->parentWidget() == content) c->show();
        auto* frame = new QVBoxLayout(&w);
        frame->setContentsMargins(0, 0, 0, 0);
        frame->addWidget(area);
    }
    area->show();
    // The smallest size is now that of the scroll area and what stands
    // around it (a main window's bars), which the layout works out.
    w.setMinimumSize(0, 0);
    w.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    Relayout(w);
    area->setProperty(kAroundName, (w.size() - area->size()).expandedTo(QSize(0, 0)));
    return area;
}

// The smallest size of the scroll area of a window that scrolls: what its
// content takes, where the room has it, with the room less what stood
// around the area when the window began to scroll. The window's smallest
// size then follows what stands around the area (a bar hidden or shown)
// and stays inside the room.
void BoundScrolled(QWidget& w, QScrollArea& area, const QSize& room) {
    QWidget* content = area.widget();
    if (!content) return;
    const int bar = ScrollBarExtent(w);
    const QSize around = area.property(kAroundName).toSize();
    const QSize avail = (room - around).expandedTo(QSize(1, 1));
    const QSize least = content->minimumSizeHint().expandedTo(content->minimumSize());
    area.setMinimumSize(WithBars(least, BarsFor(least, avail, bar), bar).boundedTo(avail));
    Relayout(w);
    // A smallest size of the window's own (a title kept whole) gives way.
    if (w.minimumWidth() > room.width()) w.setMinimumWidth(room.width());
    if (w.minimumHeight() > room.height()) w.setMinimumHeight(room.height());
}

// Fits `w` into the available area of its screen, with `frame` around it.
// `placed`: the window stands where it will show (it is shown, or the
// program moved it), so that its place is kept inside the area too.
void Fit(QWidget& w, const QMargins& frame, bool placed) {
    QScreen* screen = ScreenOf(w, placed);
    if (!screen) return;
    const QSize room = Room(*screen, frame);
    const int bar = ScrollBarExtent(w);
    QScrollArea* area = ScrollAreaOf(w);
    QSize size = w.size();
    if (!area) {
        QSize least = Least(w);
        if (least.width() > room.width() || least.height() > room.height()) {
            Squeeze(w, room);
            least = Least(w);
            size = w.size();
        }
        if (least.width() > room.width() || least.height() > room.height()) {
            // A window that scrolls is still as large as the screen allows,
            // with room for the bars across the sides that are cut.
            const Bars bars = BarsFor(least, room, bar);
            size = WithBars(size, bars, bar);
            area = Scroll(w);
        }
    }
    if (area) BoundScrolled(w, *area, room);
    size = size.boundedTo(room).expandedTo(w.minimumSize());
    if (size != w.size()) w.resize(size);
    if (!placed) return;
    // The frame's top-left corner: where the window manager put it once it
    // is framed, else where the program placed it.
    const QRect usable = Usable(*screen);
    const bool framed = Framed(w);
    // Where the window system has the window: the widget may not have heard
    // yet of a move the window manager made.
    const QPoint at = framed ? w.windowHandle()->geometry().topLeft() - QPoint(frame.left(), frame.top()) : w.pos();
    const QSize outer = w.size().grownBy(frame);
    const QPoint inside(std::max(usable.left(), std::min(at.x(), usable.left() + usable.width() - outer.width())),
                        std::max(usable.top(), std::min(at.y(), usable.top() + usable.height() - outer.height())));
    if (inside == at) return;
    if (framed)
        w.setGeometry(QRect(inside + QPoint(frame.left(), frame.top()), w.size()));
    else
        w.move(inside);
}

// Fits its window when it is shown, with the frame it expects, and again
// once the window manager has framed it, with the frame it got; and again
// whenever the framed window grows (a font that comes into effect after the
// show), or moves while it settles (a move the window system made). Once
// the user has moved or resized the window, its place is the user's: the
// program's own later resizes (a bar shown, a layout that grows) leave it
// where it stands, until the window opens again.
class ScreenFit : public QObject {
public:
    explicit ScreenFit(QWidget& window) : QObject(&window), window_(window) { window.installEventFilter(this); }

    bool eventFilter(QObject* o, QEvent* e) override {
        if (o == &window_ && e->type() == QEvent::Show) {
            userPlaced_ = false;
            asked_.clear();
            Fit(window_, ExpectedFrame(window_), window_.testAttribute(Qt::WA_Moved));
            QWindow* handle = window_.windowHandle();
            if (handle && handle != handle_) {
                handle_ = handle;
                handle->installEventFilter(this);
            }
            framing_ = true;
        } else if (o == &window_ && (e->type() == QEvent::Move || e->type() == QEvent::Resize)) {
            geometryChanged(*e);
        } else if (o == handle_ && e->type() == QEvent::Move && settling()) {
            refit();
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
    // A move or resize of the window: the program's own arrives as it asks
    // for it; one that the window system reports, and that is no echo of
    // what the program asked for, was made by the window manager, for the
    // user once the window has settled.
    void geometryChanged(const QEvent& e) {
        if (!window_.isVisible() || framing_ || !Framed(window_)) return;
        const QRect now = window_.geometry();
        const bool resize = e.type() == QEvent::Resize;
        if (!e.spontaneous()) {
            remember(now);
        } else if (!echo(now, resize) && !settling()) {
            userPlaced_ = true;
        }
        if (resize || settling()) refit();
    }

    bool settling() const { return settling_.isValid() && settling_.elapsed() < kSettleMs; }

    // The geometries the program asked for of late; the window system
    // reports each of them back, even after the program asked for the next.
    void remember(const QRect& r) {
        asked_.erase(std::remove_if(asked_.begin(), asked_.end(),
                                    [](const Asked& a) { return a.since.elapsed() > kEchoMs; }),
                     asked_.end());
        Asked a{r, {}};
        a.since.start();
        asked_.push_back(a);
    }
    // At a scale that is no whole number, the window system reports what
    // the program asked for rounded to its own pixels: a pixel off.
    bool echo(const QRect& r, bool resize) const {
        const qreal scale = window_.devicePixelRatioF();
        const int slack = qFuzzyCompare(scale, std::round(scale)) ? 0 : 1;
        const auto near = [slack](int a, int b) { return std::abs(a - b) <= slack; };
        return std::any_of(asked_.begin(), asked_.end(), [&](const Asked& a) {
            const QRect& g = a.geometry;
            return resize ? near(g.width(), r.width()) && near(g.height(), r.height())
                          : near(g.x(), r.x()) && near(g.y(), r.y());
        });
    }

    void refit() {
        if (userPlaced_ || refitting_) return;
        refitting_ = true;
        QMetaObject::invokeMethod(this, [this] {
            refitting_ = false;
            if (!userPlaced_ && window_.isVisible() && Framed(window_)) Fit(window_, FrameOf(window_), true);
        }, Qt::QueuedConnection);
    }

    struct Asked {
        QRect geometry;
        QElapsedTimer since;
    };

    QWidget& window_;
    QPointer<QWindow> handle_;
    bool framing_ = false;
    bool refitting_ = false;
    bool userPlaced_ = false;
    std::vector<Asked> asked_;
    // Since the window was framed.
    QElapsedTimer settling_;
    static constexpr qint64 kSettleMs = 2000;
    static constexpr qint64 kEchoMs = 2000;
};

// Keeps in sight what the user works on in a window whose content scrolls:
// the widget that has the focus, however it got it (Tab, Enter, a command
// that set it), and in a table the current cell, as the keys move it.
class FocusFollower : public QObject {
public:
    explicit FocusFollower(QObject* parent) : QObject(parent) {
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
            if (!now) return;
            for (QWidget* w = now; w && !w->isWindow(); w = w->parentWidget())
                if (auto* view = qobject_cast<QAbstractItemView*>(w)) follow(view);
            schedule();
        });
    }

private:
    // The current cell of `view`, when it moves while the view or its
    // editor has the focus.
    void follow(QAbstractItemView* view) {
        QItemSelectionModel* model = view->selectionModel();
        if (!model || followed_.contains(model)) return;
        followed_.insert(model);
        connect(model, &QObject::destroyed, this, [this, model] { followed_.remove(model); });
        QPointer<QAbstractItemView> v(view);
        connect(model, &QItemSelectionModel::currentChanged, this, [this, v] {
            if (v && (v->hasFocus() || v->isAncestorOf(QApplication::focusWidget()))) schedule();
        });
    }

    // Once the view has scrolled to its own current cell and the editor
    // stands over it.
    void schedule() {
        if (pending_) return;
        pending_ = true;
        QMetaObject::invokeMethod(this, [this] {
            pending_ = false;
            bringIntoView(QApplication::focusWidget());
        }, Qt::QueuedConnection);
    }

    static QScrollArea* AreaAround(QWidget* w) {
        for (QWidget* p = w->parentWidget(); p; p = p->parentWidget()) {
            auto* area = qobject_cast<QScrollArea*>(p);
            if (area && area->objectName() == QLatin1String(kScrollName)) return area;
            if (p->isWindow()) break;
        }
        return nullptr;
    }

    static void bringIntoView(QWidget* w) {
        // A widget that takes no focus from the user (a window's hidden
        // focus target) is nothing the user works on.
        if (!w || w->focusPolicy() == Qt::NoFocus) return;
        QScrollArea* area = AreaAround(w);
        if (!area || !area->widget()) return;
        // The whole widget, not only a text cursor in it; in a table its
        // current cell, as far as the table shows it.
        QWidget* at = w;
        QRect r = w->rect();
        if (auto* view = qobject_cast<QAbstractItemView*>(w)) {
            const QRect cell = view->visualRect(view->currentIndex()).intersected(view->viewport()->rect());
            if (!cell.isEmpty()) {
                at = view->viewport();
                r = cell;
            }
        }
        r = QRect(at->mapTo(area->widget(), r.topLeft()), r.size()).adjusted(-kMargin, -kMargin, kMargin, kMargin);
        // What is larger than the area shows from its top-left corner.
        r.setSize(r.size().boundedTo(area->viewport()->size()));
        const QPoint half(r.width() / 2, r.height() / 2);
        area->ensureVisible(r.left() + half.x(), r.top() + half.y(), r.width() - half.x(), r.height() - half.y());
    }

    static constexpr int kMargin = 2;
    QSet<QItemSelectionModel*> followed_;
    bool pending_ = false;
};

} // namespace

void FitToScreen(QWidget& window) {
    static QPointer<FocusFollower> follower;
    if (!follower) follower = new FocusFollower(qApp);
    new ScreenFit(window);
}

QSize RoomOnScreen(const QWidget& window) {
    QScreen* screen = ScreenOf(window, Framed(window) || window.testAttribute(Qt::WA_Moved));
    return screen ? Room(*screen, ExpectedFrame(window)) : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

} // namespace rer
