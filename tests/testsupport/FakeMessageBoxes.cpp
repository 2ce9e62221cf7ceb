#include "testsupport/FakeMessageBoxes.h"

#include <QEventLoop>
#include <QTimer>
#include <utility>

namespace rer {

MsgAnswer FakeMessageBoxes::show(const QString& text, const QString& title, MsgIcon icon,
                                 MsgButtons buttons) {
    shown.push_back({text, title, icon, buttons});
    if (holdMs > 0) {
        QEventLoop box;
        QTimer::singleShot(std::exchange(holdMs, 0), &box, &QEventLoop::quit);
        box.exec();
    }
    if (!script.empty()) {
        MsgAnswer a = script.front();
        script.pop_front();
        return a;
    }
    switch (buttons) {
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel: return MsgAnswer::Yes;
    case MsgButtons::RetryCancel: return MsgAnswer::Retry;
    default: return MsgAnswer::Ok;
    }
}

bool FakeMessageBoxes::anyContains(const QString& part) const {
    for (const auto& s : shown)
        if (s.text.contains(part)) return true;
    return false;
}

} // namespace rer
