#pragma once
#include <QString>
#include <vector>

namespace rer {

// Shows the program's help file with the desktop's handler for it.
class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    virtual bool fileExists(const QString& path) const = 0;
    // Returns false when no handler could show it.
    virtual bool open(const QString& path) = 0;
};

// Test double: records what was opened; files "exist" when listed.
class FakeHelpViewer : public HelpViewer {
public:
    bool fileExists(const QString& path) const override;
    bool open(const QString& path) override {
        opened.push_back(path);
        return true;
    }
    std::vector<QString> existing;
    std::vector<QString> opened;
};

} // namespace rer
