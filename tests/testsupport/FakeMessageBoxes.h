#pragma once
// Message boxes that record every message and answer from a script.
#include "platform/MessageBoxes.h"

#include <QString>
#include <deque>
#include <vector>

namespace rer {

// With the script empty it answers with the first button of the set (OK or
// Yes; Retry of Retry/Cancel).
class FakeMessageBoxes : public MessageBoxes {
public:
    struct Shown {
        QString text;
        QString title;
        MsgIcon icon;
        MsgButtons buttons;
    };

    MsgAnswer show(const QString& text, const QString& title, MsgIcon icon,
                   MsgButtons buttons) override;

    void answer(MsgAnswer a) { script.push_back(a); }
    // A user who reads the next box for ms before answering: the box holds
    // whoever showed it in an event loop of its own, as a modal box does.
    void holdNext(int ms) { holdMs = ms; }
    QString lastText() const { return shown.empty() ? QString() : shown.back().text; }
    bool anyContains(const QString& part) const;
    void clear() { shown.clear(); script.clear(); }

    std::vector<Shown> shown;
    std::deque<MsgAnswer> script;
    int holdMs = 0;
};

} // namespace rer
