#pragma once
// Input as it reaches a box from a real desktop: keys with the text the X
// server gives them, the input method's commit, paste from the clipboard.

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QStringList>
#include <QTest>

namespace rer::test {

// The window shown and active, so that it takes the keys.
inline bool ShowActive(QWidget& w) {
    w.show();
    w.activateWindow();
    return QTest::qWaitForWindowActive(&w);
}

// A key with its text; on X11 Delete carries U+007F and Backspace U+0008.
inline void KeyWithText(QWidget* w, Qt::Key key, const QString& text, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, m, text);
    QKeyEvent release(QEvent::KeyRelease, key, m, text);
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
}
inline void DeleteKey(QWidget* w) { KeyWithText(w, Qt::Key_Delete, QString(QChar(0x7F))); }
inline void BackspaceKey(QWidget* w) { KeyWithText(w, Qt::Key_Backspace, QString(QChar(0x08))); }
// The keypad's decimal key as a German or French layout gives it: a comma.
inline void KeypadDecimalKey(QWidget* w) { KeyWithText(w, Qt::Key_Comma, QStringLiteral(","), Qt::KeypadModifier); }

// What the input method commits (after conversion) into the widget.
inline void ImeCommit(QWidget* w, const QString& text) {
    QInputMethodEvent e;
    e.setCommitString(text);
    QApplication::sendEvent(w, &e);
}

// The controls the Tab key visits from `from`, which has the focus, until it
// comes back there (at most `most`): their object names, a part of a control
// (the box of a spin box) by the control's name.
inline QStringList TabRing(QWidget* from, int most = 60) {
    const auto name = [](QWidget* w) {
        while (w->objectName().startsWith(QLatin1String("qt_spinbox")) && w->parentWidget()) w = w->parentWidget();
        return w->objectName();
    };
    QStringList ring;
    for (QWidget* w = from; w && ring.size() < most;) {
        ring << name(w);
        QTest::keyClick(w, Qt::Key_Tab);
        w = QApplication::focusWidget();
        if (w == from) break;
    }
    return ring;
}

// The text put on the clipboard and pasted with the paste shortcut.
inline void Paste(QWidget* w, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(w, Qt::Key_V, Qt::ControlModifier);
}

} // namespace rer::test
