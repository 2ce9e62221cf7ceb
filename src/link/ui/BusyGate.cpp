#include "link/ui/BusyGate.h"

#include "link/ControllerLink.h"

#include <QEvent>
#include <QWidget>

namespace rer {

BusyGate::BusyGate(ControllerLink* link, QObject* parent) : QObject(parent) {
    if (!link) return;
    busy_ = link->busy();
    connect(link, &ControllerLink::busyChanged, this, &BusyGate::setBusy);
}

void BusyGate::add(QWidget* control) {
    if (!control) return;
    controls_.push_back({control, !control->testAttribute(Qt::WA_ForceDisabled)});
    control->installEventFilter(this);
    apply(controls_.back());
}

bool BusyGate::wanted(const QWidget* control) const {
    for (const Entry& e : controls_)
        if (e.w == control) return e.wanted;
    return control && !control->testAttribute(Qt::WA_ForceDisabled);
}

void BusyGate::setBusy(bool busy) {
    busy_ = busy;
    for (Entry& e : controls_) apply(e);
}

void BusyGate::apply(Entry& e) {
    if (!e.w) return;
    applying_ = true;
    e.w->setEnabled(e.wanted && !busy_);
    applying_ = false;
}

bool BusyGate::eventFilter(QObject* o, QEvent* ev) {
    if (ev->type() == QEvent::EnabledChange && !applying_) {
        for (Entry& e : controls_) {
            if (e.w != o) continue;
            // The window switched it: that is what it wants. While the
            // controller is busy it stays off.
            e.wanted = !e.w->testAttribute(Qt::WA_ForceDisabled);
            if (busy_ && e.wanted) apply(e);
            break;
        }
    }
    return QObject::eventFilter(o, ev);
}

} // namespace rer
