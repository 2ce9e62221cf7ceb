// Every window and dialog of the program, opened in both languages and for
// both products, at its first size and shrunk to its smallest, shows its
// texts whole: no text of a label, button, check box, radio button, tab,
// frame title, combo-box item or grid cell is wider (or taller) than the
// control that shows it, no text runs into the next control, no window title
// is cut by the window's width, push buttons stand apart and none stretches
// across a row. The fonts the texts are drawn in are outline fonts without
// embedded bitmaps that tell "." from ",", and hold every character shown.
//
// With RER_SHOT_DIR set, every window (each tab page in front once) is also
// saved there as a picture.
#include "app/ui/formSelect.h"
#include "dialogs/About.h"
#include "dialogs/ui/frmAbout.h"
#include "dialogs/ui/frmDataShogo.h"
#include "dialogs/ui/frmGrp.h"
#include "dialogs/ui/frmOptions2.h"
#include "dialogs/ui/frmPrintSelect.h"
#include "dialogs/ui/frmSelectPosiNo.h"
#include "dialogs/ui/frmSqMcr.h"
#include "link/ui/frmTrance.h"
#include "mainwin/ui/frmMain.h"
#include "motion/ui/frmIOCheck.h"
#include "motion/ui/frmJOG.h"
#include "motion/ui/frmMove.h"
#include "setup/ui/frm3KDevice2.h"
#include "setup/ui/frmDevice.h"
#include "setup/ui/frmDevice2.h"
#include "setup/ui/frmParameta2.h"
#include "testsupport/ActuatorTestSupport.h"
#include "testsupport/GridTestContext.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRawFont>
#include <QSet>
#include <QSlider>
#include <QSpinBox>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTextBoundaryFinder>
#include <QToolButton>
#include <QtTest>
#include <functional>
#include <memory>

using namespace rer;
using namespace rer::test;

namespace {

// Room a window manager takes from the title bar for the window's icon and
// its buttons.
constexpr int kTitleBarRoom = 120;
// Two push buttons closer than this read as one (the usual spacing of a
// row of buttons).
constexpr int kButtonGap = 6;
// A push button stretched beyond this many times its natural width reads as
// a bar across the window rather than a button.
constexpr double kButtonStretch = 2.5;

// Bitmap strikes a font file may carry (TrueType, Apple and colour ones).
const char* const kBitmapTables[] = {"EBDT", "EBLC", "bdat", "bloc", "CBDT", "CBLC", "sbix"};

// Pixels of ink below the baseline when the text is drawn at a fraction of a
// pixel to the right.
int InkBelowBaseline(const QFont& f, const QString& text, qreal dx) {
    const QFontMetrics fm(f);
    QImage img(fm.horizontalAdvance(text) + 10, fm.height() * 3, QImage::Format_RGB32);
    img.fill(Qt::white);
    const int baseline = fm.height() + fm.ascent();
    QPainter p(&img);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(QPointF(4 + dx, baseline), text);
    p.end();
    int n = 0;
    for (int y = baseline; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 200) ++n;
    return n;
}

// A caption as shown: "&" marks the mnemonic, "&&" is an ampersand.
QString Shown(const QString& s) {
    QString r;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == QLatin1Char('&') && i + 1 < s.size()) ++i;
        r += s[i];
    }
    return r;
}

// The pieces of a text between which a line may break.
QStringList Unbreakable(const QString& text) {
    QStringList pieces;
    QTextBoundaryFinder f(QTextBoundaryFinder::Line, text);
    qsizetype from = 0;
    while (f.toNextBoundary() >= 0) {
        const QString piece = text.mid(from, f.position() - from).trimmed();
        if (!piece.isEmpty()) pieces << piece;
        from = f.position();
    }
    return pieces;
}

class Inspector {
public:
    Inspector(QWidget* window, QString tag) : window_(window), tag_(std::move(tag)) {}

    // Checks the window with each page of each tab control in front once.
    QStringList run() {
        settle();
        checkAll(QString());
        for (QTabWidget* tabs : window_->findChildren<QTabWidget*>()) {
            if (!tabs->isVisibleTo(window_)) continue;
            const int keep = tabs->currentIndex();
            for (int i = 0; i < tabs->count(); ++i) {
                tabs->setCurrentIndex(i);
                settle();
                checkAll(QStringLiteral("%1-%2").arg(tabs->objectName()).arg(i));
            }
            tabs->setCurrentIndex(keep);
            settle();
        }
        problems_.removeDuplicates();
        return problems_;
    }

private:
    static void settle() {
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    }

    QString where(const QWidget* w) const {
        QString path;
        for (const QWidget* p = w; p && p != window_; p = p->parentWidget())
            if (!p->objectName().isEmpty()) {
                path = p->objectName();
                break;
            }
        return QStringLiteral("%1 %2 %3").arg(tag_, window_->objectName(),
                                              path.isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : path);
    }

    static QString name(const QWidget* w) {
        return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
    }

    void problem(const QWidget* w, const QString& text, const QString& what) {
        problems_ << QStringLiteral("%1 \"%2\": %3").arg(where(w), text, what);
    }

    // One line of text in a rectangle.
    void fits(const QWidget* w, const QString& text, const QFontMetrics& fm, int width, int height) {
        const int need = fm.horizontalAdvance(text);
        if (need > width) problem(w, text, QStringLiteral("needs %1 px wide, has %2").arg(need).arg(width));
        else if (fm.height() > height)
            problem(w, text, QStringLiteral("needs %1 px high, has %2").arg(fm.height()).arg(height));
    }

    // The font a control draws its text in: an outline font without
    // embedded bitmaps, in which "25.500" does not read as "25,500": the
    // period sits on the baseline, the comma reaches below it.
    void checkFont(const QWidget* w) {
        const QFont f = w->font();
        if (fontsSeen_.contains(f.key())) return;
        fontsSeen_ << f.key();
        const QRawFont raw = QRawFont::fromFont(f);
        for (const char* table : kBitmapTables)
            if (!raw.fontTable(table).isEmpty())
                problem(w, raw.familyName(), QStringLiteral("the font carries embedded bitmaps (%1)").arg(QLatin1String(table)));
        for (qreal dx : {0.0, 0.25, 0.5, 0.75}) {
            if (InkBelowBaseline(f, QStringLiteral("25.500 0.015"), dx) > 0 ||
                InkBelowBaseline(f, QStringLiteral("25,500 0,015"), dx) == 0) {
                problem(w, raw.familyName() + QStringLiteral(" %1pt").arg(f.pointSizeF()),
                        QStringLiteral("\".\" and \",\" look alike"));
                return;
            }
        }
    }

    void checkFontCoverage(const QWidget* w, const QString& text) {
        checkFont(w);
        const QStringList families = w->font().families();
        for (const QChar c : text) {
            if (c.isSpace() || c.unicode() < 0x20) continue;
            bool covered = false;
            for (const QString& family : families) {
                QFont f(w->font());
                f.setFamilies({family});
                if (QRawFont::fromFont(f).supportsCharacter(c)) {
                    covered = true;
                    break;
                }
            }
            if (!covered) {
                problem(w, text, QStringLiteral("'%1' is in none of the fonts %2").arg(c).arg(families.join(QLatin1Char(','))));
                return;
            }
        }
    }

    void label(QLabel* l) {
        const QString text = l->text();
        if (text.isEmpty() || !l->pixmap().isNull()) return;
        if (l->textFormat() == Qt::RichText || (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(text))) return;
        checkFontCoverage(l, text);
        QRect r = l->contentsRect();
        const int m = l->margin();
        r.adjust(m, m, -m, -m);
        const QFontMetrics fm(l->font());
        if (l->frameWidth() > 0 && l->indent() < 0) {
            const int indent = fm.horizontalAdvance(QLatin1Char('x')) / 2;
            if (l->alignment() & Qt::AlignLeft) r.adjust(indent, 0, 0, 0);
            if (l->alignment() & Qt::AlignRight) r.adjust(0, 0, -indent, 0);
        }
        if (l->wordWrap()) {
            for (const QString& piece : Unbreakable(text)) {
                const int need = fm.horizontalAdvance(piece);
                if (need > r.width())
                    problem(l, text, QStringLiteral("\"%1\" needs %2 px wide, has %3").arg(piece).arg(need).arg(r.width()));
            }
            const QRect wrapped = fm.boundingRect(QRect(0, 0, r.width(), 10000), Qt::TextWordWrap | int(l->alignment() & Qt::AlignHorizontal_Mask), text);
            if (wrapped.height() > r.height())
                problem(l, text, QStringLiteral("needs %1 px high, has %2").arg(wrapped.height()).arg(r.height()));
            ink(l, QStyle::alignedRect(l->layoutDirection(), l->alignment(), wrapped.size(), r));
            return;
        }
        const QStringList lines = text.split(QLatin1Char('\n'));
        int widest = 0;
        for (const QString& line : lines) widest = std::max(widest, fm.horizontalAdvance(line));
        const int high = fm.height() + int(lines.size() - 1) * fm.lineSpacing();
        if (widest > r.width()) problem(l, text, QStringLiteral("needs %1 px wide, has %2").arg(widest).arg(r.width()));
        else if (high > r.height()) problem(l, text, QStringLiteral("needs %1 px high, has %2").arg(high).arg(r.height()));
        if (l->frameWidth() > 0) ink(l, l->rect());
        else ink(l, QStyle::alignedRect(l->layoutDirection(), l->alignment(), QSize(widest, high), r));
    }

    void button(QAbstractButton* b) {
        if (qobject_cast<QToolButton*>(b)) return; // icons of tool bars and tab scrollers
        const QString text = Shown(b->text());
        if (text.isEmpty()) return;
        checkFontCoverage(b, text);
        QStyleOptionButton o;
        o.initFrom(b);
        o.text = b->text();
        o.icon = b->icon();
        o.iconSize = b->iconSize();
        QStyle::SubElement contents = QStyle::SE_PushButtonContents;
        if (qobject_cast<QCheckBox*>(b)) contents = QStyle::SE_CheckBoxContents;
        else if (qobject_cast<QRadioButton*>(b)) contents = QStyle::SE_RadioButtonContents;
        else if (auto* p = qobject_cast<QPushButton*>(b)) {
            if (p->isFlat()) o.features |= QStyleOptionButton::Flat;
            if (p->autoDefault() || p->isDefault()) o.features |= QStyleOptionButton::AutoDefaultButton;
        }
        const QRect r = b->style()->subElementRect(contents, &o, b);
        int width = r.width();
        if (!o.icon.isNull()) width -= o.iconSize.width() + 4;
        const QFontMetrics fm(b->font());
        fits(b, text, fm, width, r.height());
        if (contents == QStyle::SE_PushButtonContents) {
            ink(b, b->rect(), true);
            const int natural = b->sizeHint().width();
            if (b->width() > kButtonStretch * natural)
                problem(b, text, QStringLiteral("stretched to %1 px, %2 times its natural width")
                                     .arg(b->width()).arg(double(b->width()) / natural, 0, 'f', 1));
        } else {
            ink(b, QRect(0, 0, std::min(b->width(), r.left() + fm.horizontalAdvance(text)), b->height()));
        }
    }

    void frame(QGroupBox* g) {
        const QString text = Shown(g->title());
        if (text.isEmpty()) return;
        checkFontCoverage(g, text);
        QStyleOptionGroupBox o;
        o.initFrom(g);
        // The title's own place: the frame less its margins on both sides.
        const int margin = g->isFlat() ? 0 : 8;
        int width = g->width() - 2 * margin;
        if (g->isCheckable())
            width -= g->style()->pixelMetric(QStyle::PM_IndicatorWidth, &o, g) +
                     g->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &o, g);
        const int need = QFontMetrics(g->font()).horizontalAdvance(text) + 1;
        if (need > width) problem(g, text, QStringLiteral("needs %1 px wide, has %2").arg(need).arg(width));
    }

    void tabs(QTabBar* bar) {
        const QFontMetrics fm(bar->font());
        const int space = bar->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, bar);
        for (int i = 0; i < bar->count(); ++i) {
            const QString text = Shown(bar->tabText(i));
            checkFontCoverage(bar, text);
            const QRect r = bar->tabRect(i);
            if (r.right() >= bar->width())
                problem(bar, text, QStringLiteral("tab ends at %1, the tab row is %2 px wide").arg(r.right() + 1).arg(bar->width()));
            const int need = fm.horizontalAdvance(text);
            if (need > r.width() - space)
                problem(bar, text, QStringLiteral("needs %1 px wide, has %2").arg(need).arg(r.width() - space));
        }
    }

    void combo(QComboBox* c) {
        QStyleOptionComboBox o;
        o.initFrom(c);
        o.editable = c->isEditable();
        o.frame = c->hasFrame();
        const QRect field = c->style()->subControlRect(QStyle::CC_ComboBox, &o, QStyle::SC_ComboBoxEditField, c);
        const QFontMetrics fm(c->font());
        for (int i = 0; i < c->count(); ++i) {
            checkFontCoverage(c, c->itemText(i));
            fits(c, c->itemText(i), fm, field.width() - 2, field.height());
        }
        ink(c, c->rect());
    }

    // The texts of the cells and headers of a grid in view.
    void cells(QAbstractItemView* v) {
        QAbstractItemModel* m = v->model();
        if (!m) return;
        const int margin = v->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, v) + 1;
        for (int row = 0; row < m->rowCount(); ++row)
            for (int col = 0; col < m->columnCount(); ++col) {
                const QModelIndex i = m->index(row, col);
                const QRect r = v->visualRect(i);
                if (!r.isValid() || !v->viewport()->rect().intersects(r)) continue;
                const QString text = i.data(Qt::DisplayRole).toString();
                if (text.isEmpty()) continue;
                QFont f = v->font();
                if (const QVariant vf = i.data(Qt::FontRole); vf.isValid()) f = vf.value<QFont>();
                fits(v, text, QFontMetrics(f), r.width() - 2 * margin, r.height());
            }
        auto* table = qobject_cast<QTableView*>(v);
        if (!table) return;
        const int headerMargin = v->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, v);
        for (Qt::Orientation o : {Qt::Horizontal, Qt::Vertical}) {
            QHeaderView* h = o == Qt::Horizontal ? table->horizontalHeader() : table->verticalHeader();
            if (!h->isVisibleTo(window_)) continue;
            const QFontMetrics fm(h->font());
            for (int s = 0; s < h->count(); ++s) {
                const QString text = m->headerData(s, o, Qt::DisplayRole).toString();
                if (text.isEmpty() || h->isSectionHidden(s) || h->sectionViewportPosition(s) >= h->width()) continue;
                const int size = h->sectionSize(s);
                if (o == Qt::Horizontal) fits(h, text, fm, size - 2 * headerMargin, h->height());
                else fits(h, text, fm, h->width() - 2 * headerMargin, size);
            }
        }
    }

    // Where a control's text or frame is drawn; push buttons are marked.
    struct Ink {
        const QWidget* w;
        QRect r; // in window coordinates
        bool push;
    };
    void ink(const QWidget* w, const QRect& local, bool push = false) {
        inks_.push_back({w, QRect(w->mapTo(window_, local.topLeft()), local.size()), push});
    }

    // No text runs into another control, and push buttons stand apart.
    void controlsApart() {
        for (const QWidget* w : window_->findChildren<QWidget*>()) {
            if (w->window() != window_ || !w->isVisibleTo(window_) || w->width() < 4 || w->height() < 4) continue;
            // Parts of a control: the box of an up-down, the headers of a grid.
            bool part = false;
            for (const QWidget* p = w->parentWidget(); p && p != window_; p = p->parentWidget())
                part = part || qobject_cast<const QAbstractSpinBox*>(p) || qobject_cast<const QAbstractItemView*>(p) ||
                       qobject_cast<const QComboBox*>(p);
            if (part) continue;
            if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
                qobject_cast<const QSlider*>(w) || qobject_cast<const QAbstractItemView*>(w) ||
                qobject_cast<const QProgressBar*>(w))
                ink(w, w->rect());
        }
        for (size_t i = 0; i < inks_.size(); ++i)
            for (size_t j = i + 1; j < inks_.size(); ++j) {
                const Ink& a = inks_[i];
                const Ink& b = inks_[j];
                if (a.w == b.w || a.w->isAncestorOf(b.w) || b.w->isAncestorOf(a.w)) continue;
                const int gap = a.push && b.push ? kButtonGap : 1;
                if (a.r.adjusted(-gap, -gap, gap, gap).intersects(b.r))
                    problems_ << QStringLiteral("%1 and %2 touch").arg(where(a.w), name(b.w));
            }
        inks_.clear();
    }

    void title() {
        QFont bold = window_->font();
        bold.setBold(true);
        const QString text = window_->windowTitle();
        const int need = QFontMetrics(bold).horizontalAdvance(text) + kTitleBarRoom;
        if (need > window_->width())
            problems_ << QStringLiteral("%1 title \"%2\": needs the window %3 px wide, it is %4")
                             .arg(tag_, text).arg(need).arg(window_->width());
    }

    void checkAll(const QString& page) {
        title();
        for (QWidget* w : window_->findChildren<QWidget*>()) {
            if (w->window() != window_ || !w->isVisibleTo(window_)) continue;
            if (auto* l = qobject_cast<QLabel*>(w)) label(l);
            else if (auto* b = qobject_cast<QAbstractButton*>(w)) button(b);
            else if (auto* c = qobject_cast<QComboBox*>(w)) combo(c);
            else if (auto* t = qobject_cast<QTabBar*>(w)) tabs(t);
            else if (auto* v = qobject_cast<QAbstractItemView*>(w)) cells(v);
            if (auto* g = qobject_cast<QGroupBox*>(w)) frame(g);
        }
        controlsApart();
        const QString dir = qEnvironmentVariable("RER_SHOT_DIR");
        if (!dir.isEmpty()) {
            QString name = tag_ + QLatin1Char('-') + window_->objectName();
            if (!page.isEmpty()) name += QLatin1Char('-') + page;
            window_->grab().save(QDir(dir).filePath(name.replace(QLatin1Char(' '), QLatin1Char('_')) + QStringLiteral(".png")));
        }
    }

    QWidget* window_;
    QString tag_;
    QStringList problems_;
    std::vector<Ink> inks_;
    QSet<QString> fontsSeen_;
};

// Shows a window as the program does and checks it.
QStringList Inspect(QWidget& w, const QString& tag) {
    w.show();
    if (!QTest::qWaitForWindowExposed(&w)) return {tag + QStringLiteral(" ") + w.objectName() + QStringLiteral(" not shown")};
    QStringList found = Inspector(&w, tag).run();
    // And as small as the user can make it.
    const QSize full = w.size();
    w.resize(w.minimumSize().expandedTo(w.minimumSizeHint()));
    found << Inspector(&w, tag + QStringLiteral(" smallest")).run();
    w.resize(full);
    w.hide();
    return found;
}

// The font the application started with, before the program chose its own.
QFont& DesktopFont() {
    static QFont f;
    return f;
}

} // namespace

class tst_windowtext : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyWindowShowsItsTextsWhole_data() {
        QTest::addColumn<int>("ctType");
        QTest::addColumn<int>("language");
        QTest::newRow("DI-D6 Japanese") << 1 << 1;
        QTest::newRow("DI-D6 English") << 1 << 2;
        QTest::newRow("DE-D3U Japanese") << 2 << 1;
        QTest::newRow("DE-D3U English") << 2 << 2;
    }
    void everyWindowShowsItsTextsWhole() {
        QFETCH(int, ctType);
        QFETCH(int, language);
        const QString tag = QStringLiteral("%1-%2").arg(ctType == 1 ? QStringLiteral("DI-D6") : QStringLiteral("DE-D3U"),
                                                        language == 1 ? QStringLiteral("jp") : QStringLiteral("en"));
        const Product p = ctType == 1 ? Product::TwoAxis : Product::OneAxis;
        GridTestContext t(ctType, language);
        t.set(QStringLiteral("Language"), QString::number(language));
        t.sys.country = QStringLiteral("Japan");
        QStringList problems;

        // As the program starts: the main window is built in the desktop's
        // font, then the start-up window decides the language and the
        // windows' font, and its OK brings the main window up.
        QApplication::setFont(DesktopFont());
        t.set(QStringLiteral("Controller"), QString::number(ctType));
        frmMain main(t.ctx);
        auto* select = new formSelect(t.ctx, main);
        select->Form_Load();
        problems << Inspect(*select, tag);
        select->show();
        select->cmdOK_Click();
        QCOMPARE(t.ctx.opt.LanguageNo, int16_t(language));
        QCOMPARE(t.ctx.opt.CtType, int16_t(ctType));
        problems << Inspect(main, tag);
        main.show();

        const auto check = [&](QWidget* w) {
            problems << Inspect(*w, tag);
            delete w;
        };
        check(ctType == 1 ? new frmParameta2(t.ctx, nullptr) : new frm3KParameta2(t.ctx, nullptr));
        check(new frmDevice(t.ctx, p));
        {
            TestPlatform pf;
            CatalogueApp app(pf, language);
            app.ctx.opt.CtType = int16_t(ctType);
            DeviceDialog* d = ctType == 1 ? static_cast<DeviceDialog*>(new frmDevice2(app.ctx))
                                          : static_cast<DeviceDialog*>(new frm3KDevice2(app.ctx));
            d->Form_Load();
            check(d);
        }
        check(new frmMove(t.ctx, &main, [](bool) {}));
        check(new frmJOG(t.ctx, p, &main));
        check(new frmIOCheck(t.ctx, &main));
        check(new frmGrp(t.ctx, &main));
        check(new frmSqMcr(t.ctx, &main));
        check(new frmPrintSelect(t.ctx, &main));
        check(new frmSelectPosiNo(t.ctx, &main));
        check(new frmDataShogo(t.ctx, &main));
        t.ctx.pos.PosiRangeStart = 1;
        t.ctx.pos.PosiRangeEnd = 3;
        t.ctx.pos.PosiShogoNgCount = 1;
        t.ctx.pos.of(p).PosiShogoKekka[2][0] = true;
        t.ctx.pos.of(p).PosiShogoKekka[2][11] = true;
        check(new frmSyogoKekka(t.ctx, p, &main));
        check(new frmOptions2(t.ctx, &main));
        {
            FakeSysInfoTools tools;
            check(new frmAbout(t.ctx, tools, &main));
        }
        {
            auto* trance = new frmTrance(t.ctx, &main);
            trance->setMaximum(10); // loads it
            check(trance);
        }
        for (const QString& s : problems) qWarning("%s", qPrintable(s));
        QCOMPARE(problems.size(), 0);
    }
};

int main(int argc, char** argv) {
    // A Japanese desktop: left to itself, fontconfig would draw the windows
    // in the system's preferred Japanese font. (Only fontconfig's language:
    // the locale stays the one the test runs under.)
    qputenv("FC_LANG", "ja");
    QApplication app(argc, argv);
    DesktopFont() = QApplication::font();
    tst_windowtext t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_windowtext.moc"
