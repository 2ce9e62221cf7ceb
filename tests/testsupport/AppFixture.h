#pragma once
#include "app/MainWindowPort.h"
#include "testsupport/TestApp.h"

#include <QStringList>

namespace rer::test {

// Records what the logic asks of the main window.
class RecordingMainWindow : public MainWindowPort {
public:
    void Show() override { calls << QStringLiteral("Show"); }
    void GridInit(Product p) override { calls << (p == Product::TwoAxis ? QStringLiteral("GridInit2") : QStringLiteral("GridInit1")); }
    void ChangeDevice(Product p) override { calls << (p == Product::TwoAxis ? QStringLiteral("ChangeDevice2") : QStringLiteral("ChangeDevice1")); }
    void SetDeviceLabel(Product p, int axis, const QString& text) override {
        labels[2 * ProductSlot(p) + size_t(axis)] = text;
    }
    void SetStatusPanel(int panel, const QString& text) override {
        if (panel >= 1 && panel <= 5) panels[panel - 1] = text;
    }
    void FocusDummy() override { calls << QStringLiteral("FocusDummy"); }

    QStringList calls;
    QString labels[4]; // two-axis 0, 1; one-axis 0, 1
    QString panels[5];
};

} // namespace rer::test
