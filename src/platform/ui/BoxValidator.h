#pragma once
#include "platform/BoxEntry.h"

#include <QPointer>
#include <QValidator>
#include <functional>

class QKeyEvent;
class QLineEdit;

namespace rer {

// The rule of one text box over everything that puts text into it: typed
// keys (Delete and Backspace included), the input method's commit, paste and
// drop. Text the program sets is shown as it is.
class BoxValidator : public QValidator {
    Q_OBJECT
public:
    // Becomes the box's validator; `rule` is asked at every edit, so a rule
    // that depends on another control stays current.
    BoxValidator(QLineEdit* box, std::function<BoxRule()> rule);

    State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;

private:
    QPointer<QLineEdit> box_;
    std::function<BoxRule()> rule_;
    mutable QString last_; // the box's text before the edit being validated
};

// Gives the box the rule of a digit box (with the digits-only input hint).
BoxValidator* SetBoxRule(QLineEdit* box, const BoxRule& rule);
BoxValidator* SetBoxRule(QLineEdit* box, std::function<BoxRule()> rule);

// Enter or Return without Ctrl or Alt: the key with which the boxes move the
// focus on instead of typing.
bool IsEnterKey(const QKeyEvent& k);

} // namespace rer
