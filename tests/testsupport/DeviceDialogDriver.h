#pragma once
// Drives the real actuator dialogs the way a user does: clicks, list picks,
// typing and leaving a box.

#include "app/AppContext.h"
#include "setup/ui/DeviceDialog.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <memory>

namespace rer::test {

// A dialog loaded and shown as the active window, ready for input.
template <class Dialog> std::unique_ptr<Dialog> OpenDialog(AppContext& ctx) {
    auto d = std::make_unique<Dialog>(ctx);
    d->Form_Load();
    d->show();
    d->activateWindow();
    if (!QTest::qWaitForWindowActive(d.get())) qWarning("the dialog did not become active");
    return d;
}

// Picks an entry of a combo box from its drop-down list.
inline bool PickFromList(QComboBox* box, const QString& text) {
    const int i = box->findText(text);
    if (i < 0) return false;
    box->showPopup();
    QAbstractItemView* view = box->view();
    if (!QTest::qWaitFor([&] { return view->isVisible(); })) return false;
    const QRect r = view->visualRect(view->model()->index(i, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, r.center());
    return QTest::qWaitFor([&] { return !view->isVisible(); });
}

// Types a text into an editable box, replacing what it held, and leaves it
// for another control.
inline void TypeAndLeave(QComboBox* box, const QString& text, QWidget* next) {
    box->setFocus(Qt::TabFocusReason);
    QLineEdit* e = box->lineEdit();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    QTest::keyClicks(e, text);
    next->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
}

// On the indicator: a button stretched by its layout is not hit beyond its text.
inline void ClickOption(QRadioButton* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2)); }

inline QStringList Entries(const QComboBox* box) {
    QStringList l;
    for (int i = 0; i < box->count(); ++i) l << box->itemText(i);
    return l;
}

} // namespace rer::test
