#pragma once
// A help viewer that records what was opened; files "exist" when listed.
#include "platform/HelpViewer.h"

#include <QString>
#include <algorithm>
#include <vector>

namespace rer {

class FakeHelpViewer : public HelpViewer {
public:
    bool fileExists(const QString& path) const override {
        return std::find(existing.begin(), existing.end(), path) != existing.end();
    }
    bool open(const QString& path) override {
        opened.push_back(path);
        return true;
    }
    std::vector<QString> existing;
    std::vector<QString> opened;
};

} // namespace rer
