#pragma once
#include "platform/BoxEntry.h"

#include <QPointer>
#include <QValidator>
#include <functional>

class QKeyEvent;
class QLineEdit;

namespace rer {

class Beeper;

// The rule of one text box over everything that puts text into it: typed
// keys (Delete and Backspace included), the input method's commit, paste and
// drop. Text the program sets is shown as it is. What the box drops of an
// edit (a key it does not take, characters beyond its room) beeps once; the
// keypad's decimal key types "." into a number box whatever the layout.
class BoxValidator : public QValidator {
    Q_OBJECT
public:
    // Becomes the box's validator; `rule` is asked at every edit, so a rule
    // that depends on another control stays current.
    BoxValidator(QLineEdit* box, std::function<BoxRule()> rule, Beeper& beeper);

    State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QPointer<QLineEdit> box_;
    // The box as the events name it, taken while it is whole: a box being
    // destroyed still sends events (its focus going), and is then no line
    // edit any more.
    const QObject* boxObject_;
    std::function<BoxRule()> rule_;
    Beeper& beeper_;
    mutable QString last_; // the box's text before the edit being validated
};

// Gives the box the rule of a digit box (with the digits-only input hint).
BoxValidator* SetBoxRule(QLineEdit* box, const BoxRule& rule, Beeper& beeper);
BoxValidator* SetBoxRule(QLineEdit* box, std::function<BoxRule()> rule, Beeper& beeper);

// The text the key types into a box of the rule (BoxKeyText).
QString BoxKeyText(const BoxRule& rule, const QKeyEvent& k);

// Enter or Return without Ctrl or Alt: the key with which the boxes move the
// focus on instead of typing.
bool IsEnterKey(const QKeyEvent& k);

} // namespace rer
