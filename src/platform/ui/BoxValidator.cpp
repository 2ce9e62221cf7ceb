#include "platform/ui/BoxValidator.h"

#include "platform/Beeper.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace rer {

BoxValidator::BoxValidator(QLineEdit* box, std::function<BoxRule()> rule, Beeper& beeper)
    : QValidator(box), box_(box), boxObject_(box), rule_(std::move(rule)), beeper_(beeper), last_(box->text()) {
    box->setValidator(this);
    box->installEventFilter(this);
}

QValidator::State BoxValidator::validate(QString& input, int& pos) const {
    // The program's own text (setText leaves the box unmodified) is shown as
    // it is; only what the user changes is held to the rule.
    if (!box_ || !box_->isModified()) {
        last_ = input;
        return Acceptable;
    }
    bool dropped = false;
    const std::optional<QString> kept = BoxEdit(rule_(), last_, input, pos, &dropped);
    if (dropped) beeper_.beep();
    if (!kept) return Invalid;
    input = *kept;
    last_ = input;
    return Acceptable;
}

void BoxValidator::fixup(QString& input) const {
    if (rule_().plainDigits) input = PlainDigits(input);
}

bool BoxValidator::eventFilter(QObject* o, QEvent* e) {
    if (o != boxObject_ || e->type() != QEvent::KeyPress) return false;
    const auto* k = static_cast<QKeyEvent*>(e);
    const QString text = BoxKeyText(rule_(), *k);
    if (text == k->text()) return false;
    // The box takes the key's own text as if typed: its rule, undo and all.
    QKeyEvent mapped(k->type(), Qt::Key_Period, k->modifiers(), k->nativeScanCode(), k->nativeVirtualKey(),
                     k->nativeModifiers(), text, k->isAutoRepeat(), k->count());
    QCoreApplication::sendEvent(box_, &mapped);
    e->setAccepted(mapped.isAccepted());
    return true;
}

BoxValidator* SetBoxRule(QLineEdit* box, std::function<BoxRule()> rule, Beeper& beeper) {
    if (rule().digitsOnly) box->setInputMethodHints(box->inputMethodHints() | Qt::ImhDigitsOnly);
    return new BoxValidator(box, std::move(rule), beeper);
}

BoxValidator* SetBoxRule(QLineEdit* box, const BoxRule& rule, Beeper& beeper) {
    return SetBoxRule(box, [rule] { return rule; }, beeper);
}

QString BoxKeyText(const BoxRule& rule, const QKeyEvent& k) {
    return BoxKeyText(rule, k.key(), k.modifiers().testFlag(Qt::KeypadModifier), k.text());
}

bool IsEnterKey(const QKeyEvent& k) {
    if (k.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    return k.key() == Qt::Key_Return || k.key() == Qt::Key_Enter;
}

} // namespace rer
