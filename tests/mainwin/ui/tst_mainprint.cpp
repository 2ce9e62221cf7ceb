// The position print of the real main window: File/Print and the toolbar
// button through the print-selection dialog to the printer, the printer
// set-up, and one real print to PDF.
#include "dialogs/ui/frmPrintSelect.h"
#include "mainwin/PositionEditor.h"
#include "mainwin/ui/frmMain.h"
#include "platform/ui/QtFileDialogs.h"
#include "platform/ui/QtPageSetup.h"
#include "platform/ui/QtPrintSurface.h"
#include "testsupport/GridTestContext.h"
#include "testsupport/PdfLayout.h"
#include "testsupport/PrintOps.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

using namespace rer;
using rer::test::GridTestContext;
using Op = RecordingPrintSurface::Op;

namespace {

struct Window {
    explicit Window(int ctType, int language = 2) : t(ctType, language, false), w(t.ctx) {
        t.ctx.opt.NotJapan = language != 1;
        w.Show();
        t.commitActuators();
        t.ctx.setLanguage(int16_t(language));
        w.label(QStringLiteral("lblDeviceType0"))->setText(QStringLiteral("KZ- 28A-100"));
        w.label(QStringLiteral("lblDeviceType1"))->setText(QStringLiteral("KZ- 28A-100"));
        w.label(QStringLiteral("lblDeviceTypeW3k0"))->setText(QStringLiteral("KZ- 28A-100"));
        w.activateWindow();
        if (!QTest::qWaitForWindowActive(&w)) qWarning("window not active");
        p = productOf(ctType);
    }
    ~Window() {
        t.msg.answer(MsgAnswer::No);
        t.msg.answer(MsgAnswer::Ok);
        w.close();
    }

    // Runs a command; `onDialog` is called with the print-selection dialog
    // when it opens (it must close it). Returns whether the dialog opened.
    bool run(const QString& command, std::function<void(frmPrintSelect&)> onDialog) {
        bool opened = false;
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* d = qobject_cast<frmPrintSelect*>(QApplication::activeModalWidget());
            if (!d || !d->isVisible()) return;
            poll.stop();
            opened = true;
            onDialog(*d);
            if (d->isVisible()) d->reject();
        });
        poll.start();
        w.runCommand(command);
        return opened;
    }

    GridTestContext t;
    frmMain w;
    Product p;
};

bool printed(const RecordingPrintSurface& ps, const QString& text) { return rer::test::findText(ps, text) != nullptr; }

} // namespace

class MainPrint : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void commandsAreBuilt();
    void gridPrintFromTheMenuAndTheToolbar();
    void pendingEditorTextIsPrinted();
    void cancelledOrRefusedPrintsNothing();
    void filePrintOfTheOneAxisProduct();
    void pageSetupShowsThePrinterSetUpOnly();
    void pageSetupChoosesPaperAndOrientationOfLaterPrints();
    void realPrintToPdf();
    void aPrintToAFileThatCannotBeWrittenIsToldAndKeepsTheFile();
    void pagesReadClean_data();
    void pagesReadClean();
};

void MainPrint::commandsAreBuilt() {
    Window win(1);
    QVERIFY(win.w.hasCommand(QStringLiteral("Print")));
    QVERIFY(win.w.hasCommand(QStringLiteral("PageSetup")));
    QVERIFY(win.w.menuItem(QStringLiteral("mnuFilePrint"))->isEnabled());
    QVERIFY(win.w.menuItem(QStringLiteral("mnuFilePageSetup"))->isEnabled());
    QCOMPARE(win.w.menuItem(QStringLiteral("mnuFilePrint"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    QVERIFY(win.w.toolButton(5)->isEnabled());
}

void MainPrint::gridPrintFromTheMenuAndTheToolbar() {
    Window win(1);
    win.t.ctx.grid.flgdData.setText(2, 12, QStringLiteral("second"));
    win.t.files.answerPrinter(true);
    const bool resetBefore = win.w.button(QStringLiteral("cmdReset"))->isEnabled();
    bool enabledMeanwhile = true;
    const bool opened = win.run(QStringLiteral("Print"), [&](frmPrintSelect& d) {
        enabledMeanwhile = win.w.toolButton(5)->isEnabled() || win.w.toolButton(2)->isEnabled();
        d.txtPrintStartPosi()->setText(QStringLiteral("2"));
        d.txtPrintEndPosi()->setText(QStringLiteral("3"));
        d.cmdPrintSet_Click();
    });
    QVERIFY(opened);
    QVERIFY(!enabledMeanwhile); // the toolbar is off during the print
    const RecordingPrintSurface& ps = win.t.printer;
    QCOMPARE(win.t.files.printerShown, 1);
    QVERIFY(printed(ps, QStringLiteral("DI-D6 Position Data")));
    QVERIFY(printed(ps, QStringLiteral("AXIS1:KZ- 28A-100    / AXIS2:KZ- 28A-100")));
    QVERIFY(printed(ps, QStringLiteral("Page:1")));
    QVERIFY(printed(ps, QStringLiteral(":second")));
    QVERIFY(printed(ps, QStringLiteral("3")));
    QVERIFY(!printed(ps, QStringLiteral("4")));
    QCOMPARE(ps.ops.back().kind, Op::EndDoc);
    QVERIFY(win.w.toolButton(5)->isEnabled());
    QCOMPARE(win.w.button(QStringLiteral("cmdReset"))->isEnabled(), resetBefore);

    // The toolbar button runs the same print.
    win.t.printer.ops.clear();
    win.t.files.answerPrinter(true);
    QVERIFY(win.run(QStringLiteral("Print"), [](frmPrintSelect& d) { d.cmdPrintSet_Click(); }));
    QVERIFY(printed(win.t.printer, QStringLiteral("399")));
    win.t.printer.ops.clear();
    win.t.files.answerPrinter(true);
    bool viaToolbar = false;
    QTimer::singleShot(0, [&] {}); // keep the event loop busy for the poll
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* d = qobject_cast<frmPrintSelect*>(QApplication::activeModalWidget())) {
            poll.stop();
            viaToolbar = true;
            d->cmdPrintSet_Click();
        }
    });
    poll.start();
    win.w.toolButton(5)->trigger();
    QVERIFY(viaToolbar);
    QVERIFY(printed(win.t.printer, QStringLiteral("Page:1")));
}

void MainPrint::pendingEditorTextIsPrinted() {
    Window win(1);
    QTableView* v = win.w.grid(Product::TwoAxis);
    const QModelIndex idx = v->model()->index(0, 11); // row 1, COMMENT
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, v->visualRect(idx).center());
    for (QChar ch : QStringLiteral("pending")) QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
    auto* editor = win.w.findChild<QLineEdit*>(QStringLiteral("txtEdit"));
    QVERIFY(editor->isVisible());
    win.t.files.answerPrinter(true);
    QVERIFY(win.run(QStringLiteral("Print"), [](frmPrintSelect& d) {
        d.txtPrintEndPosi()->setText(QStringLiteral("1"));
        d.cmdPrintSet_Click();
    }));
    QVERIFY(!editor->isVisible());
    QCOMPARE(win.t.ctx.grid.flgdData.text(1, 12), QStringLiteral("pending"));
    QVERIFY(printed(win.t.printer, QStringLiteral(":pending")));
}

void MainPrint::cancelledOrRefusedPrintsNothing() {
    Window win(1);
    // Cancel in the print-selection dialog.
    QVERIFY(win.run(QStringLiteral("Print"), [](frmPrintSelect& d) { d.reject(); }));
    QCOMPARE(win.t.files.printerShown, 0);
    // Cancel in the printer dialog: silent.
    win.t.files.answerPrinter(false);
    QVERIFY(win.run(QStringLiteral("Print"), [](frmPrintSelect& d) { d.cmdPrintSet_Click(); }));
    QCOMPARE(win.t.files.printerShown, 1);
    QVERIFY(win.t.printer.ops.empty());
    QVERIFY(win.t.msg.shown.empty());
    // Invalid grid data: the check's message, no dialog.
    win.t.ctx.grid.flgdData.setText(4, 1, QStringLiteral("12"));
    win.t.msg.answer(MsgAnswer::Ok);
    QVERIFY(!win.run(QStringLiteral("Print"), [](frmPrintSelect&) {}));
    QVERIFY(!win.t.msg.shown.empty());
    QVERIFY(win.t.printer.ops.empty());
    QVERIFY(win.w.toolButton(5)->isEnabled());
}

void MainPrint::filePrintOfTheOneAxisProduct() {
    Window win(2);
    const QString path = QDir(QStringLiteral(RER_TEST_DATA)).filePath(QStringLiteral("posi_w3k.kzd"));
    win.t.files.answer(path);
    win.t.files.answerPrinter(true);
    QVERIFY(win.run(QStringLiteral("Print"), [](frmPrintSelect& d) {
        d.optPrintPosi(1)->setChecked(true);
        d.cmdSelectPosiFile_Click();
        d.cmdPrintSet_Click();
    }));
    const RecordingPrintSurface& ps = win.t.printer;
    QVERIFY(printed(ps, QStringLiteral("DE-D3U Position Data")));
    QVERIFY(printed(ps, QStringLiteral("File Name") + path));
    QVERIFY(printed(ps, QStringLiteral("AXIS1:KZ- 28L-100")));
    QVERIFY(printed(ps, QStringLiteral("POSI1(Pls)")));
    QVERIFY(printed(ps, QStringLiteral(":一軸")));
    QCOMPARE(ps.ops.back().kind, Op::EndDoc);
}

void MainPrint::pageSetupShowsThePrinterSetUpOnly() {
    Window win(1);
    win.t.files.answerPrinter(true);
    win.w.menuItem(QStringLiteral("mnuFilePageSetup"))->trigger();
    QCOMPARE(win.t.files.pageSetupShown, 1);
    QCOMPARE(win.t.files.printerShown, 0); // not a print dialog
    QVERIFY(win.t.printer.ops.empty());
    QVERIFY(win.t.msg.shown.empty());
}

void MainPrint::pageSetupChoosesPaperAndOrientationOfLaterPrints() {
    Window win(1);
    QTemporaryDir dir;
    QtPrintSurface surface;
    QPrinter& printer = surface.printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    QtFileDialogs dialogs(printer);
    win.t.ctx.platform.fileDialogs = &dialogs;

    // File > Printer: the set-up dialog, not a print dialog; Cancel changes nothing.
    const auto setUp = [&win](std::function<void(QtPageSetupDialog&)> act) {
        bool setUpShown = false, otherShown = false;
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QWidget* m = QApplication::activeModalWidget();
            if (!m || !m->isVisible()) return;
            poll.stop();
            if (auto* d = qobject_cast<QtPageSetupDialog*>(m)) {
                setUpShown = true;
                act(*d);
            } else if (auto* other = qobject_cast<QDialog*>(m)) {
                otherShown = true;
                other->reject();
            }
        });
        poll.start();
        win.w.menuItem(QStringLiteral("mnuFilePageSetup"))->trigger();
        return setUpShown && !otherShown;
    };
    QVERIFY(setUp([](QtPageSetupDialog& d) {
        QCOMPARE(d.windowTitle(), QStringLiteral("Printer Setup"));
        QCOMPARE(d.comboPaper()->currentText(), QPageSize(QPageSize::A4).name());
        QVERIFY(d.optOrientation(0)->isChecked());
        d.comboPaper()->setCurrentIndex(d.comboPaper()->findData(int(QPageSize::A5)));
        d.optOrientation(1)->setChecked(true);
        d.reject();
    }));
    QCOMPARE(printer.pageLayout().pageSize().id(), QPageSize::A4);
    QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Portrait);

    QVERIFY(setUp([](QtPageSetupDialog& d) {
        d.comboPaper()->setCurrentIndex(d.comboPaper()->findData(int(QPageSize::A5)));
        d.optOrientation(1)->setChecked(true);
        d.accept();
    }));
    QCOMPARE(printer.pageLayout().pageSize().id(), QPageSize::A5);
    QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);
    QVERIFY(surface.pageWidth() > surface.pageHeight());

    // The next print comes out on landscape A5.
    const QString pdf = dir.filePath(QStringLiteral("a5.pdf"));
    printer.setOutputFileName(pdf);
    win.t.ctx.platform.fileDialogs = &win.t.files;
    win.t.ctx.platform.printer = &surface;
    win.t.files.answerPrinter(true);
    QVERIFY(win.run(QStringLiteral("Print"), [](frmPrintSelect& d) { d.cmdPrintSet_Click(); }));
    win.t.ctx.platform.printer = &win.t.printer;
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (tool.isEmpty()) QSKIP("pdfinfo is not installed");
    QProcess p;
    p.start(tool, {pdf});
    QVERIFY(p.waitForFinished(30000));
    const QString info = QString::fromUtf8(p.readAllStandardOutput());
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+59[56](\\.\\d+)? x 4(19|20)(\\.\\d+)? pts"))),
             qPrintable(info));
}

void MainPrint::realPrintToPdf() {
    Window win(1, 1); // Japanese
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("posi.pdf"));
    QtPrintSurface surface;
    surface.printer().setOutputFormat(QPrinter::PdfFormat);
    surface.printer().setOutputFileName(pdf);
    surface.printer().setPageSize(QPageSize(QPageSize::A4));
    win.t.ctx.platform.printer = &surface;
    win.t.ctx.grid.flgdData.setText(1, 12, QStringLiteral("原点付近"));
    win.t.ctx.grid.flgdData.setText(399, 12, QStringLiteral("last"));
    win.t.files.answerPrinter(true);
    QVERIFY(win.run(QStringLiteral("Print"), [](frmPrintSelect& d) { d.cmdPrintSet_Click(); }));
    win.t.ctx.platform.printer = &win.t.printer;
    QVERIFY(QFileInfo(pdf).size() > 0);

    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty()) QSKIP("pdftotext is not installed");
    QProcess p;
    p.start(tool, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QVERIFY(p.waitForFinished(30000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    const QStringList pages = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    const int last = win.t.ctx.print.PrintPageNo;
    QVERIFY(last > 1);
    QCOMPARE(pages.size(), last);
    QVERIFY(pages[0].contains(QStringLiteral("DI-D6 位置データ")));
    QVERIFY(pages[0].contains(QStringLiteral("Page:1")));
    QVERIFY(pages[0].contains(QStringLiteral("速度")));
    QVERIFY(pages[0].contains(QStringLiteral(":原点付近")));
    QVERIFY(pages[0].contains(QStringLiteral("AXIS1:KZ- 28A-100")));
    QVERIFY(pages[1].contains(QStringLiteral("Page:2")));
    QVERIFY(pages.last().contains(QStringLiteral("Page:%1").arg(last)));
    QVERIFY(pages.last().contains(QStringLiteral(":last")));

    // A file, in English and in pulses: every position of the range, with
    // the file's name, models and values.
    const QString pdf2 = dir.filePath(QStringLiteral("file.pdf"));
    surface.printer().setOutputFileName(pdf2);
    win.t.ctx.platform.printer = &surface;
    win.t.ctx.setLanguage(2);
    const QString path = QDir(QStringLiteral(RER_TEST_DATA)).filePath(QStringLiteral("posi_new.kzd"));
    win.t.files.answer(path);
    win.t.files.answerPrinter(true);
    QVERIFY(win.run(QStringLiteral("Print"), [](frmPrintSelect& d) {
        d.optPrintPosi(1)->setChecked(true);
        d.cmdSelectPosiFile_Click();
        d.cmdPrintSet_Click();
    }));
    win.t.ctx.platform.printer = &win.t.printer;
    QProcess p2;
    p2.start(tool, {QStringLiteral("-layout"), pdf2, QStringLiteral("-")});
    QVERIFY(p2.waitForFinished(30000));
    const QString fileText = QString::fromUtf8(p2.readAllStandardOutput());
    QCOMPARE(fileText.split(QLatin1Char('\f'), Qt::SkipEmptyParts).size(), int(win.t.ctx.print.PrintPageNo));
    for (const QString& want : {QStringLiteral("DI-D6 Position Data"), QStringLiteral("File Name") + path,
                                QStringLiteral("AXIS1:KZ- 28L-100"), QStringLiteral("POSI1(Pls)"),
                                QStringLiteral("999999"), QStringLiteral("-99999"), QStringLiteral(":原点付近"),
                                QStringLiteral("Page:1")})
        QVERIFY2(fileText.contains(want), qPrintable(want));
}

// File > Print to a PDF whose name is taken by a folder: the user is told
// once, with the file and the reason, the folder stays, and a print to a
// file that can be written replaces the former file.
void MainPrint::aPrintToAFileThatCannotBeWrittenIsToldAndKeepsTheFile() {
    Window win(1, 1); // Japanese
    QTemporaryDir dir;
    const QString taken = dir.filePath(QStringLiteral("taken.pdf"));
    QVERIFY(QDir().mkpath(taken));
    QtPrintSurface surface;
    surface.printer().setOutputFormat(QPrinter::PdfFormat);
    surface.printer().setOutputFileName(taken);
    win.t.ctx.platform.printer = &surface;
    win.t.files.answerPrinter(true);
    QVERIFY(win.run(QStringLiteral("Print"), [](frmPrintSelect& d) { d.cmdPrintSet_Click(); }));
    QCOMPARE(win.t.msg.shown.size(), size_t(1));
    const QString told = win.t.msg.shown.back().text;
    QVERIFY2(told.startsWith(QStringLiteral("ファイルへの印刷でエラーが発生しました。\r\n") + taken + QStringLiteral(": ")),
             qPrintable(told));
    QVERIFY(QFileInfo(taken).isDir());
    QVERIFY(win.w.toolButton(5)->isEnabled());

    const QString pdf = dir.filePath(QStringLiteral("posi.pdf"));
    QFile former(pdf);
    QVERIFY(former.open(QIODevice::WriteOnly));
    former.write("former");
    former.close();
    surface.printer().setOutputFileName(pdf);
    win.t.msg.clear();
    win.t.files.answerPrinter(true);
    QVERIFY(win.run(QStringLiteral("Print"), [](frmPrintSelect& d) { d.cmdPrintSet_Click(); }));
    win.t.ctx.platform.printer = &win.t.printer;
    QVERIFY(win.t.msg.shown.empty());
    QFile out(pdf);
    QVERIFY(out.open(QIODevice::ReadOnly));
    const QByteArray bytes = out.readAll();
    QVERIFY(bytes.startsWith("%PDF-") && bytes.trimmed().endsWith("%%EOF"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1); // nothing left beside it
}

void MainPrint::pagesReadClean_data() {
    QTest::addColumn<int>("ctType");
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("file");
    QTest::addColumn<bool>("mm");
    QTest::addColumn<bool>("narrow");
    for (int ct : {1, 2})
        for (int language : {1, 2}) {
            const char* product = ct == 1 ? "two-axis" : "one-axis";
            const char* lang = language == 1 ? "ja" : "en";
            QTest::addRow("%s %s grid", product, lang) << ct << language << false << false << false;
            QTest::addRow("%s %s grid mm narrow", product, lang) << ct << language << false << true << true;
            QTest::addRow("%s %s file narrow", product, lang) << ct << language << true << false << true;
            QTest::addRow("%s %s file mm", product, lang) << ct << language << true << true << false;
        }
}

// All 399 positions with the widest values they can hold, from the grid and
// from a file, at both spacings: no two texts of a line run into each other
// and no rule strikes a text on any page.
void MainPrint::pagesReadClean() {
    QFETCH(int, ctType);
    QFETCH(int, language);
    QFETCH(bool, file);
    QFETCH(bool, mm);
    QFETCH(bool, narrow);
    if (!rer::test::havePoppler()) QSKIP("poppler-utils is not installed");
    Window win(ctType, language);
    win.t.ctx.opt.DispMmUnit = mm;
    const bool two = ctType == 1;
    QTemporaryDir dir;
    // As long as the grid takes, in the widest characters.
    const QString comment = QStringLiteral("原点付近の待機位置ＷＡＩＴ１２３４５６７");
    QString path;
    if (file) {
        path = dir.filePath(QStringLiteral("wide.kzd"));
        QString text = two ? QStringLiteral("\"VO-D6\",\"KZ- 28L-100\",\"KZ- 28L-100\",\"NEW\",\"NEW\"\r\n")
                           : QStringLiteral("\"VO-D6\",\"KZ- 28L-100\",\"\",\"NEW\",\"OLD\"\r\n");
        for (int r = 1; r <= 399; ++r)
            text += two ? QStringLiteral("%1,9,3,3,6667,9,3,3,6667,1,3,9,\"%2\"\r\n").arg(r).arg(comment)
                        : QStringLiteral("%1,9,3,3,6667,,,,,,3,9,\"%2\"\r\n").arg(r).arg(comment);
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QStringEncoder sjis("Shift_JIS");
        f.write(sjis(text));
    } else {
        PositionGrid& g = win.t.ctx.grid.of(win.p);
        const QString posi = mm ? QStringLiteral("100.005") : QStringLiteral("   6667");
        const QStringList row = two ? QStringList{QString(), QStringLiteral("9"), QStringLiteral("3"), QStringLiteral("3"),
                                                  posi, QStringLiteral("9"), QStringLiteral("3"), QStringLiteral("3"),
                                                  posi, QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("9"), comment}
                                    : QStringList{QString(), QStringLiteral("9"), QStringLiteral("3"), QStringLiteral("3"),
                                                  posi, QStringLiteral("3"), QStringLiteral("9"), comment};
        for (int r = 1; r <= 399; ++r)
            for (int c = 1; c < row.size(); ++c) g.setText(r, c, row[c]);
        if (mm) { // the header of the grid in millimetres
            g.setText(0, 4, language == 1 ? QStringLiteral("位置(mm)") : QStringLiteral("Posi(mm)"));
            if (two) g.setText(0, 8, g.text(0, 4));
        }
    }

    QtPrintSurface surface;
    surface.printer().setOutputFormat(QPrinter::PdfFormat);
    surface.printer().setPageSize(QPageSize(QPageSize::A4));
    const QString pdf = dir.filePath(QStringLiteral("posi.pdf"));
    surface.printer().setOutputFileName(pdf);
    rer::test::TextKeepingSurface keeping(surface);
    win.t.ctx.platform.printer = &keeping;
    if (file) win.t.files.answer(path);
    win.t.files.answerPrinter(true);
    QVERIFY(win.run(QStringLiteral("Print"), [&](frmPrintSelect& d) {
        if (file) {
            d.optPrintPosi(1)->setChecked(true);
            d.cmdSelectPosiFile_Click();
        }
        d.chkPrintGyokanS()->setChecked(narrow);
        d.cmdPrintSet_Click();
    }));
    win.t.ctx.platform.printer = &win.t.printer;
    QVERIFY2(win.t.msg.shown.empty(), qPrintable(win.t.msg.shown.empty() ? QString() : win.t.msg.shown.back().text));
    QVERIFY(win.t.ctx.print.PrintPageNo > 1);
    QVERIFY(keeping.texts.contains(QStringLiteral("399")) || keeping.texts.contains(QStringLiteral(" 399")));
    rer::test::keepForLooking(pdf, QStringLiteral("posi-%1-%2-%3%4%5.pdf")
                                       .arg(ctType)
                                       .arg(language)
                                       .arg(file ? QStringLiteral("file") : QStringLiteral("grid"))
                                       .arg(mm ? QStringLiteral("-mm") : QString())
                                       .arg(narrow ? QStringLiteral("-narrow") : QString()));
    const QStringList faults = rer::test::layoutFaults(pdf, keeping.texts);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

QTEST_MAIN(MainPrint)
#include "tst_mainprint.moc"
