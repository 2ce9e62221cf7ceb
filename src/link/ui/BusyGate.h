#pragma once
#include <QObject>
#include <QPointer>
#include <vector>

class QWidget;

namespace rer {

class ControllerLink;

// Keeps the controls of a window that would start a controller job off
// while a job holds the controller. The window goes on switching its
// controls as it always does; what it wants for each is kept apart and
// comes back unchanged when the controller is free again.
class BusyGate : public QObject {
    Q_OBJECT
public:
    // Without a link there is no controller to wait for.
    BusyGate(ControllerLink* link, QObject* parent);

    // A control that starts a controller job.
    void add(QWidget* control);
    // What the window itself wants for the control.
    bool wanted(const QWidget* control) const;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    struct Entry {
        QPointer<QWidget> w;
        bool wanted;
    };
    void setBusy(bool busy);
    void apply(Entry& e);

    std::vector<Entry> controls_;
    bool busy_ = false;
    bool applying_ = false;
};

} // namespace rer
