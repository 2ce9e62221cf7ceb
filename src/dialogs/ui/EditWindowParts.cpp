#include "dialogs/ui/EditWindowParts.h"

#include "app/AppContext.h"
#include "link/ui/BusyGate.h"
#include "platform/ui/WindowPlacement.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace rer {

QPushButton* NamedButton(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

GrpSmWindow::GrpSmWindow(AppContext& ctx, QWidget* parent, const char* name, Words caption)
    : QWidget(parent, Qt::Window), ctx_(ctx) {
    setObjectName(QString::fromLatin1(name));
    setAttribute(Qt::WA_DeleteOnClose);
    FitToScreen(*this);
    // "[*]": the mark of data changed since the last open, save, read or write.
    setWindowTitle(say(caption) + QStringLiteral("[*]"));
}

QString GrpSmWindow::say(Words w) const {
    return ctx_.pick(QString::fromUtf8(w.jp), QString::fromUtf8(w.en));
}

QPushButton* GrpSmWindow::command(const char* name, Words caption, std::function<void()> click) {
    QPushButton* b = NamedButton(this, name, say(caption));
    connect(b, &QPushButton::clicked, this, [this, click = std::move(click)] {
        click();
        showModified();
    });
    return b;
}

QPushButton* GrpSmWindow::closeCommand(const char* name) {
    QPushButton* b = NamedButton(this, name, say({"閉じる", "Close"}));
    connect(b, &QPushButton::clicked, this, &QWidget::close);
    return b;
}

void GrpSmWindow::layOut(QLayout* table, QWidget* head, std::initializer_list<QPushButton*> commands,
                         QPushButton* close) {
    auto* side = new QVBoxLayout;
    if (head) side->addWidget(head);
    for (QPushButton* b : commands) side->addWidget(b);
    side->addStretch();
    side->addWidget(close);
    auto* top = new QHBoxLayout(this);
    top->addLayout(table);
    top->addLayout(side);
}

void GrpSmWindow::gateControllerCommands(std::initializer_list<QPushButton*> commands) {
    auto* gate = new BusyGate(ctx_.link.ct, this);
    for (QPushButton* b : commands) gate->add(b);
}

void GrpSmWindow::placeBesideMainWindow() { PlaceBesideMainWindow(this, parentWidget()); }

void GrpSmWindow::showModified() { setWindowModified(tableEditor().modified()); }

void GrpSmWindow::closeEvent(QCloseEvent* e) {
    // A command waiting for the controller or a dialog finishes first; the
    // edits go only when the user says so.
    if (!tableEditor().busy()) storeFocusedBox();
    const bool close = tableEditor().mayClose();
    showModified();
    if (!close) {
        e->ignore();
        return;
    }
    QWidget::closeEvent(e);
}

} // namespace rer
