#include "app/ui/WindowText.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOption>
#include <QTranslator>
#include <QWidget>
#include <algorithm>

namespace rer {

namespace {

constexpr int kWindowPointSize = 9;
// What a window manager's title bar takes beside the title: the window's
// icon, the minimise, maximise and close buttons and the margins.
constexpr int kTitleBarRoom = 140;

// The translator of Qt's own texts installed for the run, if any.
QPointer<QTranslator>& QtTranslator() {
    static QPointer<QTranslator> t;
    return t;
}

// A default button looks the same with and without the focus in some
// styles: it gets the style's focus frame inside it while it has the
// keyboard focus, as the other controls show theirs.
class FocusFrameStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    void drawControl(ControlElement e, const QStyleOption* o, QPainter* p, const QWidget* w) const override {
        QProxyStyle::drawControl(e, o, p, w);
        if (e != CE_PushButton) return;
        const auto* b = qstyleoption_cast<const QStyleOptionButton*>(o);
        if (!b || !(b->features & QStyleOptionButton::DefaultButton) || !(b->state & State_HasFocus) ||
            !(b->state & State_KeyboardFocusChange))
            return;
        QStyleOptionFocusRect f;
        f.QStyleOption::operator=(*b);
        f.rect = subElementRect(SE_PushButtonFocusRect, b, w);
        drawPrimitive(PE_FrameFocusRect, &f, p, w);
    }
};

} // namespace

QFont WindowFont(int languageNo) {
    QFont f;
    if (languageNo == 1)
        f.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
    else
        f.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("IPAPGothic")});
    f.setStyleHint(QFont::SansSerif);
    f.setPointSize(kWindowPointSize);
    return f;
}

void ApplyWindowStyle() {
    if (dynamic_cast<FocusFrameStyle*>(QApplication::style())) return;
    QApplication::setStyle(new FocusFrameStyle(QApplication::style()->name()));
}

bool ApplyWindowLanguage(int languageNo) {
    QApplication::setFont(WindowFont(languageNo));
    QPointer<QTranslator>& current = QtTranslator();
    if (current) {
        QCoreApplication::removeTranslator(current);
        delete current;
    }
    if (languageNo != 1) return true;
    auto* t = new QTranslator(QCoreApplication::instance());
    if (!t->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete t;
        return false;
    }
    QCoreApplication::installTranslator(t);
    current = t;
    return true;
}

void KeepTitleWhole(QWidget& window) {
    // Title bars draw in a bold font, often a point larger than the windows'.
    QFont f = window.font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() + 1);
    const int need = QFontMetrics(f).horizontalAdvance(window.windowTitle()) + kTitleBarRoom;
    window.setMinimumWidth(std::max(window.minimumWidth(), need));
}

} // namespace rer
