#pragma once
#include "platform/HelpViewer.h"

namespace rer {

// Opens the help file with the desktop's handler for its type.
class QtHelpViewer : public HelpViewer {
public:
    bool fileExists(const QString& path) const override;
    bool open(const QString& path) override;
};

} // namespace rer
