#include "platform/HelpViewer.h"

namespace rer {

bool FakeHelpViewer::fileExists(const QString& path) const {
    for (const auto& e : existing)
        if (e == path) return true;
    return false;
}

} // namespace rer
