#pragma once
#include <QString>

namespace rer {

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No, Retry };

// Message boxes as the program uses them: a text, a title, an icon and a set
// of buttons; the answer is the button pressed.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MsgAnswer show(const QString& text, const QString& title, MsgIcon icon,
                           MsgButtons buttons) = 0;
};

} // namespace rer
