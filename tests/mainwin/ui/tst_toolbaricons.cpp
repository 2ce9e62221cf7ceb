// The pictures of the main window's toolbar: the desktop theme's standard
// icons where the theme has them, pictures of the program's own where it
// has none, never an unrelated picture of the style.
#include "mainwin/ui/frmMain.h"
#include "testsupport/AppFixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QStyle>
#include <QTemporaryDir>
#include <QtTest>

using namespace rer;
using rer::test::TestApp;

namespace {

QImage Picture(const QIcon& icon) { return icon.pixmap(QSize(24, 24)).toImage().convertToFormat(QImage::Format_ARGB32); }

struct ThemeIcon {
    int position;
    const char* name;
    QColor colour;
};
const ThemeIcon kThemeIcons[] = {
    {1, "document-new", QColor(10, 20, 30)},   {2, "document-open", QColor(40, 50, 60)},
    {3, "document-save", QColor(70, 80, 90)},  {5, "document-print", QColor(100, 110, 120)},
    {11, "edit-copy", QColor(130, 140, 150)},  {12, "edit-paste", QColor(160, 170, 180)},
};

} // namespace

class tst_toolbaricons : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void takesTheDesktopThemesIcons() {
        // A theme that has the standard icons, each a square of its own colour.
        QTemporaryDir dir;
        const QString theme = dir.filePath(QStringLiteral("rertest"));
        QVERIFY(QDir().mkpath(theme + QStringLiteral("/24x24/actions")));
        QFile index(theme + QStringLiteral("/index.theme"));
        QVERIFY(index.open(QIODevice::WriteOnly));
        index.write("[Icon Theme]\nName=rertest\nDirectories=24x24/actions\n\n"
                    "[24x24/actions]\nSize=24\nType=Fixed\nContext=Actions\n");
        index.close();
        for (const ThemeIcon& t : kThemeIcons) {
            QImage img(24, 24, QImage::Format_ARGB32);
            img.fill(t.colour);
            QVERIFY(img.save(theme + QStringLiteral("/24x24/actions/%1.png").arg(QLatin1String(t.name))));
        }
        QIcon::setThemeSearchPaths({dir.path()});
        QIcon::setThemeName(QStringLiteral("rertest"));

        TestApp app;
        frmMain w(app.ctx);
        for (const ThemeIcon& t : kThemeIcons)
            QVERIFY2(Picture(w.toolButton(t.position)->icon()).pixelColor(12, 12) == t.colour, t.name);
        QIcon::setThemeName(QString());
    }

    void drawsItsOwnWhereTheThemeHasNone() {
        QIcon::setThemeSearchPaths({});
        QIcon::setThemeName(QString());
        TestApp app;
        frmMain w(app.ctx);
        // Every picture present, and no two alike.
        QList<QImage> pictures;
        for (int pos : {1, 2, 3, 5, 7, 8, 9, 11, 12}) {
            const QImage p = Picture(w.toolButton(pos)->icon());
            QVERIFY2(!p.isNull(), qPrintable(QString::number(pos)));
            QVERIFY2(!pictures.contains(p), qPrintable(QString::number(pos)));
            pictures << p;
        }
        // Print, Copy and Paste are no picture the style has for something else.
        QList<QImage> standard;
        for (int sp = QStyle::SP_TitleBarMenuButton; sp <= int(QStyle::SP_LineEditClearButton); ++sp)
            standard << Picture(w.style()->standardIcon(QStyle::StandardPixmap(sp)));
        for (int pos : {5, 11, 12})
            QVERIFY2(!standard.contains(Picture(w.toolButton(pos)->icon())), qPrintable(QString::number(pos)));
    }
};

QTEST_MAIN(tst_toolbaricons)
#include "tst_toolbaricons.moc"
