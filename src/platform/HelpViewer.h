#pragma once
#include <QString>

namespace rer {

// Shows the program's help file with the desktop's handler for it.
class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    virtual bool fileExists(const QString& path) const = 0;
    // Returns false when no handler could show it.
    virtual bool open(const QString& path) = 0;
};

} // namespace rer
