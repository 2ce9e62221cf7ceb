#pragma once
#include "link/LinkDisplay.h"

#include <QWidget>

class QLabel;
class QProgressBar;

namespace rer {

class AppContext;

// The progress window of the multi-line transfers: what runs and how far it
// has come. Modeless, in front of the main window; only the transfer unloads
// it: its own close box only ends a wait for what the controller still owes.
class frmTrance : public QWidget, public ProgressView {
    Q_OBJECT
public:
    frmTrance(AppContext& ctx, QWidget* mainWindow);

    void setMaximum(int max) override;
    void setValue(int value) override;
    void setSetumei(const QString& text) override;
    void Show() override;
    void Unload() override;

    QLabel* lblSetumei() const { return lblSetumei_; }
    QProgressBar* prgBar1() const { return prgBar1_; }
    bool loaded() const { return loaded_; }

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void Form_Load();

    AppContext& ctx_;
    QWidget* main_;
    QLabel* lblSetumei_;
    QProgressBar* prgBar1_;
    bool loaded_ = false;
    bool unloading_ = false;
};

} // namespace rer
