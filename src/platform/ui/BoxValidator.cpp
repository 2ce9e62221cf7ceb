#include "platform/ui/BoxValidator.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace rer {

BoxValidator::BoxValidator(QLineEdit* box, std::function<BoxRule()> rule)
    : QValidator(box), box_(box), rule_(std::move(rule)), last_(box->text()) {
    box->setValidator(this);
}

QValidator::State BoxValidator::validate(QString& input, int& pos) const {
    // The program's own text (setText leaves the box unmodified) is shown as
    // it is; only what the user changes is held to the rule.
    if (!box_ || !box_->isModified()) {
        last_ = input;
        return Acceptable;
    }
    const std::optional<QString> kept = BoxEdit(rule_(), last_, input, pos);
    if (!kept) return Invalid;
    input = *kept;
    last_ = input;
    return Acceptable;
}

void BoxValidator::fixup(QString& input) const {
    if (rule_().plainDigits) input = PlainDigits(input);
}

BoxValidator* SetBoxRule(QLineEdit* box, std::function<BoxRule()> rule) {
    if (rule().digitsOnly) box->setInputMethodHints(box->inputMethodHints() | Qt::ImhDigitsOnly);
    return new BoxValidator(box, std::move(rule));
}

BoxValidator* SetBoxRule(QLineEdit* box, const BoxRule& rule) {
    return SetBoxRule(box, [rule] { return rule; });
}

bool IsEnterKey(const QKeyEvent& k) {
    if (k.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    return k.key() == Qt::Key_Return || k.key() == Qt::Key_Enter;
}

} // namespace rer
