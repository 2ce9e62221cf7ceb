#pragma once
#include <QColor>
#include <QLabel>

namespace rer {

// A round lamp picture that reports double-clicks.
class SignalLamp : public QLabel {
    Q_OBJECT
public:
    SignalLamp(const QString& name, const QColor& colour, QWidget* parent);

Q_SIGNALS:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* e) override;
};

} // namespace rer
