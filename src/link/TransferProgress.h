#pragma once
#include "link/ControllerLink.h"
#include "link/LinkDisplay.h"

#include <QString>

namespace rer {

// The progress window of one transfer: shown for the lifetime of the object
// and unloaded once on every way out.
class TransferProgress {
public:
    TransferProgress(ControllerLink& link, int max, const QString& text) : view_(link.progress()) {
        if (!view_) return;
        view_->setMaximum(max);
        view_->setSetumei(text);
        view_->Show();
    }
    ~TransferProgress() { Unload(); }
    TransferProgress(const TransferProgress&) = delete;
    TransferProgress& operator=(const TransferProgress&) = delete;

    void setMaximum(int max) {
        if (view_) view_->setMaximum(max);
    }
    void setSetumei(const QString& text) {
        if (view_) view_->setSetumei(text);
    }
    void setValue(int v) {
        if (view_) view_->setValue(v);
    }
    void Unload() {
        if (view_) view_->Unload();
        view_ = nullptr;
    }

private:
    ProgressView* view_;
};

} // namespace rer
