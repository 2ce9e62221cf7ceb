#include "mainwin/ui/MainFeatures.h"

#include "app/AppContext.h"
#include "mainwin/PositionEditor.h"
#include "mainwin/ui/GridView.h"
#include "mainwin/ui/frmMain.h"
#include "platform/ui/BoxValidator.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTableView>

namespace rer {

namespace {

// The in-cell editor txtEdit over the grid of the product in use, and the
// grid's focus, key and leave-cell events.
class GridEditor : public QObject {
public:
    GridEditor(frmMain& w, AppContext& ctx) : QObject(&w), w_(w), ctx_(ctx) {
        txtEdit_ = w.findChild<QLineEdit*>(QStringLiteral("txtEdit"));
        txtEdit_->hide();
        txtEdit_->setStyleSheet(QStringLiteral("QLineEdit { background: rgb(192, 255, 255); }"));
        // The column's length limit and plain digits hold for typing, the
        // input method and paste alike.
        SetBoxRule(txtEdit_, [this] { return editRule(); }, ctx.platform.beeper);
        txtEdit_->installEventFilter(this);
        for (Product p : {Product::TwoAxis, Product::OneAxis}) {
            QTableView* v = w.grid(p);
            auto* gv = new GridView(ctx.grid.of(p), v);
            views_[ProductSlot(p)] = v;
            viewObjects_[ProductSlot(p)] = v;
            gv->onLeaveCell = [this, p] { if (p == product()) gridGotFocusOrLeft(); };
            gv->onMoved = [this, p] { if (p == product()) place(); };
            v->installEventFilter(this);
            connect(v, &QAbstractItemView::doubleClicked, this, [this, p] {
                if (p == product()) flgdDataEdit(32, QString());
            });
            for (QScrollBar* s : {v->verticalScrollBar(), v->horizontalScrollBar()})
                connect(s, &QScrollBar::valueChanged, this, [this, p] { if (p == product()) place(); });
        }
        ctx.grid.commitPendingEdit = [this] { commitPending(); };
        connect(&w, &frmMain::gridLockChanged, this, [this](bool locked) { gridLockChanged(locked); });
    }

    ~GridEditor() override { ctx_.grid.commitPendingEdit = nullptr; }

    // Text pending in the editor goes into its cell.
    void commitPending() {
        if (txtEdit_->isVisible()) EditTorikomi();
    }

    bool gridIsActive() const { return QApplication::focusWidget() == view(); }
    QTableView* view() const { return views_[ProductSlot(product())]; }

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (o == txtEdit_) {
            if (e->type() == QEvent::KeyPress) return editorKey(static_cast<QKeyEvent*>(e));
            return false;
        }
        if (e->type() != QEvent::FocusIn && e->type() != QEvent::KeyPress) return false;
        if (o != viewObjects_[ProductSlot(product())]) return false;
        if (e->type() == QEvent::FocusIn) {
            gridGotFocusOrLeft();
        } else if (e->type() == QEvent::KeyPress) {
            auto* k = static_cast<QKeyEvent*>(e);
            // The key that starts the editor types what it types there.
            const QString t = BoxKeyText(editRule(), *k);
            if (t.isEmpty() || k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab || t[0].unicode() == 127)
                return false;
            // A job of the window reads or writes the cells: typed keys go
            // nowhere.
            if (!w_.gridLocked()) flgdData_KeyPress(t[0].unicode(), t);
            return true;
        }
        return false;
    }

private:
    Product product() const { return ctx_.opt.product(); }
    PositionGrid& grid() { return ctx_.grid.of(product()); }

    // flgdData_GotFocus / flgdData_LeaveCell and the one-axis twins. While
    // a job of the window has the grid, the focus brings nothing back.
    void gridGotFocusOrLeft() {
        if (w_.gridLocked()) return;
        w_.LineCmd_Yuko();
        commitPending();
    }

    // A job of the window takes the grid (or gives it back). Text left in
    // the editor stays there, untouched, until the job ends; the line
    // commands come back at the end only where the grid has the focus.
    void gridLockChanged(bool locked) {
        txtEdit_->setEnabled(!locked);
        if (!locked && gridIsActive()) w_.LineCmd_Yuko();
    }

    void EditTorikomi() {
        const QString text = txtEdit_->text();
        txtEdit_->hide();
        const CommitOutcome out = rer::EditTorikomi(ctx_, product(), text);
        if (out.beep) ctx_.platform.beeper.beep();
    }

    // flgdData_KeyPress / flgdDataW3k_KeyPress.
    void flgdData_KeyPress(int keyAscii, const QString& text) {
        if (keyAscii == 13) {
            MoveAfterKey(grid(), product(), NavKey::Enter);
            return;
        }
        flgdDataEdit(keyAscii, text);
    }

    // Editing starts on the current cell, never while a job of the window
    // has the grid.
    void flgdDataEdit(int keyAscii, const QString& text) {
        PositionGrid& g = grid();
        if (w_.gridLocked() || g.Row() < 1 || g.Col() < 1) return;
        if (keyAscii >= 0 && keyAscii <= 32) {
            txtEdit_->setText(g.text(g.Row(), g.Col()));
            txtEdit_->setCursorPosition(int(txtEdit_->text().size()));
        } else {
            // The key starts the text as if typed into the editor.
            txtEdit_->setText(QString());
            txtEdit_->insert(text.left(1));
        }
        QTableView* v = view();
        if (txtEdit_->parentWidget() != v->viewport()) txtEdit_->setParent(v->viewport());
        place();
        txtEdit_->show();
        txtEdit_->setFocus();
        txtEdit_GotFocus();
    }

    // The editor over the current cell.
    void place() {
        QTableView* v = view();
        if (txtEdit_->parentWidget() != v->viewport()) return;
        const PositionGrid& g = grid();
        if (g.Row() < 1 || g.Col() < 1) return;
        auto* m = v->model();
        txtEdit_->setGeometry(v->visualRect(m->index(g.Row() - 1, g.Col() - 1)));
    }

    // What the editor takes over the current column: any character up to
    // the column's length (2, 7 or 20); digits of the number columns plain,
    // and the keypad's decimal key a "." there. Text put in when editing
    // starts is shown whole, however long.
    BoxRule editRule() const {
        const CellKind k = ColumnOf(product(), ctx_.grid.of(product()).Col()).kind;
        BoxRule r;
        r.digitsOnly = false;
        r.maxChars = k == CellKind::Comment ? 20 : k == CellKind::Posi ? 7 : 2;
        r.plainDigits = r.number = k != CellKind::Comment;
        return r;
    }

    void txtEdit_GotFocus() {
        const bool comment = ColumnOf(product(), grid().Col()).kind == CellKind::Comment;
        txtEdit_->setAttribute(Qt::WA_InputMethodEnabled, comment);
    }

    // Keys of the editor (txtEdit_KeyPress / EditKeyCode).
    bool editorKey(QKeyEvent* k) {
        switch (k->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: commitAndMove(NavKey::Enter); return true;
        case Qt::Key_Up: commitAndMove(NavKey::Up); return true;
        case Qt::Key_Right: commitAndMove(NavKey::Right); return true;
        case Qt::Key_Down: commitAndMove(NavKey::Down); return true;
        case Qt::Key_Escape:
            txtEdit_->hide();
            view()->setFocus();
            return true;
        default: break;
        }
        return false;
    }

    void commitAndMove(NavKey key) {
        commitPending();
        view()->setFocus();
        MoveAfterKey(grid(), product(), key);
    }

    frmMain& w_;
    AppContext& ctx_;
    QLineEdit* txtEdit_ = nullptr;
    QTableView* views_[2] = {nullptr, nullptr};
    QObject* viewObjects_[2] = {nullptr, nullptr}; // for the event filter
};

} // namespace

void InstallGridCommands(frmMain& w, AppContext& ctx) {
    auto* ed = new GridEditor(w, ctx);
    QPointer<GridEditor> editor(ed);
    // The line and clipboard commands do nothing while a job of the window
    // has the grid, also when they are run without their controls.
    auto lineCommand = [&w, &ctx](void (*proc)(AppContext&, Product)) {
        return [&w, &ctx, proc] {
            if (w.gridLocked()) return;
            proc(ctx, ctx.opt.product());
            w.FocusDummy();
        };
    };
    w.registerCommand(QStringLiteral("InsertLine"), lineCommand(&PosiGyoInsertProc));
    w.registerCommand(QStringLiteral("DeleteLine"), lineCommand(&PosiGyoDeleteProc));
    w.registerCommand(QStringLiteral("Copy"), [&w, &ctx, editor] {
        if (!editor || w.gridLocked()) return;
        const Product p = ctx.opt.product();
        PosiCopyProc(ctx, p, editor->gridIsActive());
    });
    w.registerCommand(QStringLiteral("Paste"), [&w, &ctx, editor] {
        if (!editor || w.gridLocked()) return;
        const Product p = ctx.opt.product();
        const bool active = editor->gridIsActive();
        PosiPasteProc(ctx, p, active);
        if (active) editor->view()->setFocus();
    });
}

void InitPositionGrid(frmMain&, AppContext& ctx, Product p) {
    // Text pending in the editor belongs to the table being replaced.
    if (ctx.grid.commitPendingEdit) ctx.grid.commitPendingEdit();
    SetUpPositionGrid(ctx, p);
}

} // namespace rer
