// Every window's Open that refuses a file says so once, in the window's
// language, with the file's name: binary files, a UTF-8 byte-order mark,
// empty files, files cut short and files of another kind through the real
// position windows of both products, the group and macro windows and the
// parameter windows of both products. The window stays as it was.
#include "dialogs/ui/frmGrp.h"
#include "dialogs/ui/frmSqMcr.h"
#include "files/GrpSmFiles.h"
#include "files/ParaFile.h"
#include "mainwin/ui/frmMain.h"
#include "setup/ui/frmParameta2.h"
#include "testsupport/EditsQuestions.h"
#include "testsupport/InputEvents.h"
#include "testsupport/ParamFixture.h"
#include "testsupport/TestApp.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using namespace rer;
using namespace rer::test;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

// The windows with an Open, and the kinds of file they open.
enum class Win { Posi2, Posi1, Grp, Sm, Para2, Para1 };
enum class Kind { Posi, Grp, Sm, Para };

constexpr Win kWindows[] = {Win::Posi2, Win::Posi1, Win::Grp, Win::Sm, Win::Para2, Win::Para1};

const char* nameOf(Win w) {
    switch (w) {
    case Win::Posi2: return "two-axis positions";
    case Win::Posi1: return "one-axis positions";
    case Win::Grp: return "groups";
    case Win::Sm: return "macros";
    case Win::Para2: return "two-axis parameters";
    case Win::Para1: return "one-axis parameters";
    }
    return "";
}
const char* nameOf(Kind k) {
    switch (k) {
    case Kind::Posi: return "position";
    case Kind::Grp: return "group";
    case Kind::Sm: return "macro";
    case Kind::Para: return "parameter";
    }
    return "";
}

Kind kindOf(Win w) {
    switch (w) {
    case Win::Posi2:
    case Win::Posi1: return Kind::Posi;
    case Win::Grp: return Kind::Grp;
    case Win::Sm: return Kind::Sm;
    case Win::Para2:
    case Win::Para1: return Kind::Para;
    }
    return Kind::Posi;
}

Product productOf(Win w) { return w == Win::Posi1 || w == Win::Para1 ? Product::OneAxis : Product::TwoAxis; }

// The reader's own refusal of a file of another kind, and the window's word
// for any refusal, in the language.
QString readerRefusal(Win w, int16_t language) {
    const bool jp = language == 1;
    switch (kindOf(w)) {
    case Kind::Posi:
        if (!jp) return S("Not Position Data file for DI-D6. Opening file is canceled.");
        return w == Win::Posi2 ? S("DI-D6用のデータファイルではありません。データファイルの読み込みを中止します。")
                               : S("DE-D3U用のデータファイルではありません。データファイルの読み込みを中止します。");
    case Kind::Grp:
        return jp ? S("DI-D6用のＧＲＰデータファイルではありません。データファイルの読み込みを中止します。")
                  : S("Not GRP Data file for DI-D6. Opening file is canceled.");
    case Kind::Sm:
        return jp ? S("DI-D6用のＳＭデータファイルではありません。データファイルの読み込みを中止します。")
                  : S("Not SM Data file for DI-D6. Opening file is canceled.");
    case Kind::Para:
        return jp ? S("DI-D6用のパラメータファイルではありません。データファイルの読み込みを中止します。")
                  : S("Not parameter file for DI-D6. Opening file is canceled.");
    }
    return QString();
}
QString windowRefusal(Win w, int16_t language) {
    const bool jp = language == 1;
    switch (kindOf(w)) {
    case Kind::Posi: return jp ? S("位置データファイルの読み込みに失敗しました。") : S("Fail to open Position Data file.");
    case Kind::Grp: return jp ? S("ＧＲＰデータファイルの読み込みに失敗しました。") : S("Fail to open GRP Data file.");
    case Kind::Sm:
        return jp ? S("シーケンスマクロデータのファイル読み込みでエラーが発生しました。")
                  : S("An error occured while openig SM Data file.");
    case Kind::Para: return jp ? S("パラメータファイルの読み込みに失敗しました｡") : S("Fail to open parameter file.");
    }
    return QString();
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
}

// A good file of the kind, as the program writes it.
QByteArray goodFile(Kind k, Product p, const QString& dir) {
    if (k == Kind::Posi) {
        QByteArray text = "\"VO-D6\"\r\n\"KZ- 28A-100\",\"KZ- 28A-100\",\"OLD\",\"OLD\"\r\n";
        for (int n = 1; n <= 5; ++n)
            text += QByteArray::number(n) + ",\"5\",\"3\",\"0\",\"" + QByteArray::number(n * 100) +
                    "\",\"5\",\"3\",\"0\",\"100\",\"0\",\"0\",\"0\",\"\"\r\n";
        return text;
    }
    TestApp t({.language = 2, .doubles = Doubles::None});
    const QString path = QDir(dir).filePath(S("good"));
    for (size_t g = 1; g <= 99; ++g) t.ctx.grp.GrpData[g] = {int16_t(g), int16_t(g + 1), 0};
    for (size_t s = 0; s < 16; ++s) t.ctx.sm.SmData[s][0] = 0;
    t.ctx.para.of(p).rec = ValidParaRecord(p, 1);
    const bool ok = k == Kind::Grp  ? WriteGrpFile(t.ctx, path)
                    : k == Kind::Sm ? WriteSmFile(t.ctx, path)
                                    : WriteParaFile(t.ctx, p, path);
    const QByteArray bytes = ok ? bytesOf(path) : QByteArray();
    QFile::remove(path);
    return bytes;
}

// The file cut in the middle of a record, before one of its commas.
QByteArray cutShort(const QByteArray& whole) {
    const qsizetype comma = whole.lastIndexOf(',', whole.size() / 2);
    return whole.left(comma);
}

QByteArray binary() {
    QByteArray b;
    for (int i = 0; i < 512; ++i) b.append(char((i * 37 + 11) & 0xff));
    return b;
}

// One window, ready to open a file; what it shows, to see that a refusal
// changes nothing.
struct Opener {
    TestApp t;
    std::unique_ptr<frmMain> main;
    std::unique_ptr<frmGrp> grp;
    std::unique_ptr<frmSqMcr> sm;
    std::unique_ptr<frmParameta2> para;
    FrameRecorder frame;
    Win win;

    Opener(Win w, int16_t language)
        : t({.language = language, .ctType = int16_t(productOf(w) == Product::TwoAxis ? 1 : 2), .mm = false,
             .actuators = true}),
          win(w) {
        t.ctx.opt.NotJapan = language != 1;
        switch (kindOf(w)) {
        case Kind::Posi:
            main = std::make_unique<frmMain>(t.ctx);
            main->Show();
            t.commitActuators();
            break;
        case Kind::Grp: grp = std::make_unique<frmGrp>(t.ctx); grp->show(); break;
        case Kind::Sm: sm = std::make_unique<frmSqMcr>(t.ctx); sm->show(); break;
        case Kind::Para:
            para = std::make_unique<frmParameta2>(t.ctx, &frame, nullptr, productOf(w));
            para->show();
            // Values as a controller would give them.
            t.ctx.para.of(productOf(w)).rec = ValidParaRecord(productOf(w), 3);
            para->editor().ParametaHyoji();
            para->editor().markClean();
            break;
        }
        t.msg.clear();
    }
    ~Opener() {
        grp.reset();
        sm.reset();
        para.reset();
        main.reset();
    }

    void open(const QString& path) {
        t.files.answer(path);
        switch (kindOf(win)) {
        case Kind::Posi: main->menuItem(S("mnuFileOpen"))->trigger(); break;
        case Kind::Grp: QTest::mouseClick(grp->cmdGrpFileOpen(), Qt::LeftButton); break;
        case Kind::Sm: QTest::mouseClick(sm->cmdSmFileOpen(), Qt::LeftButton); break;
        case Kind::Para: QTest::mouseClick(para->button(S("cmdReadParaFile")), Qt::LeftButton); break;
        }
    }

    QStringList shows() const {
        QStringList s;
        switch (kindOf(win)) {
        case Kind::Posi: {
            const PositionGrid& g = t.ctx.grid.of(productOf(win));
            s << main->label(S("lblFileName"))->text() << g.Tag;
            for (int r = 1; r <= 5; ++r)
                for (int c = 1; c <= 4; ++c) s << g.text(r, c);
            break;
        }
        case Kind::Grp:
            for (size_t g = 1; g <= 99; ++g)
                s << QString::number(t.ctx.grp.GrpData[g][0]) << QString::number(t.ctx.grp.GrpData[g][1]);
            s << QString::number(grp->isWindowModified());
            break;
        case Kind::Sm:
            for (const auto& step : t.ctx.sm.SmData)
                for (int16_t v : step) s << QString::number(v);
            s << QString::number(sm->isWindowModified());
            break;
        case Kind::Para: {
            const ParaControls c = para->Controls();
            for (const auto& row : c.text) s << row[0] << row[1];
            for (const auto& row : c.combo) s << QString::number(row[0]) << QString::number(row[1]);
            s << QString::number(c.opt[0]) << QString::number(para->editor().modified());
            break;
        }
        }
        return s;
    }
};

} // namespace

class tst_openrefusals : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyRefusalIsToldOnce_data() {
        QTest::addColumn<int>("win");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("language");
        for (int16_t language : {int16_t(2), int16_t(1)})
            for (Win w : kWindows) {
                QStringList files{S("binary"), S("byte-order mark"), S("empty"), S("cut short")};
                for (Kind k : {Kind::Posi, Kind::Grp, Kind::Sm, Kind::Para})
                    if (k != kindOf(w)) files << S("a %1 file").arg(S(nameOf(k)));
                for (const QString& f : files)
                    QTest::newRow(qPrintable(QStringLiteral("%1, %2, %3")
                                                 .arg(S(nameOf(w)), f, language == 1 ? S("Japanese") : S("English"))))
                        << int(w) << f << int(language);
            }
    }
    void everyRefusalIsToldOnce() {
        QFETCH(int, win);
        QFETCH(QString, file);
        QFETCH(int, language);
        const Win w = Win(win);
        const int16_t lang = int16_t(language);
        QTemporaryDir dir;
        const QString path = dir.filePath(S("chosen.dat"));
        const Product p = productOf(w);
        if (file == S("binary")) {
            writeBytes(path, binary());
        } else if (file == S("byte-order mark")) {
            writeBytes(path, "\xEF\xBB\xBF" + goodFile(kindOf(w), p, dir.path()));
        } else if (file == S("empty")) {
            writeBytes(path, QByteArray());
        } else if (file == S("cut short")) {
            writeBytes(path, cutShort(goodFile(kindOf(w), p, dir.path())));
        } else {
            for (Kind k : {Kind::Posi, Kind::Grp, Kind::Sm, Kind::Para})
                if (file.contains(S(nameOf(k)))) writeBytes(path, goodFile(k, Product::TwoAxis, dir.path()));
        }
        QVERIFY(QFile::exists(path));

        Opener o(w, lang);
        const QStringList before = o.shows();
        o.open(path);
        const QStringList shown = MessageTexts(o.t.msg);
        // Told once, over the file's name: by the reader (a file of another
        // kind) or by the window.
        const QString named = S("\r\n") + QDir::toNativeSeparators(path);
        const QString reader = readerRefusal(w, lang) + named;
        const QString notice = windowRefusal(w, lang) + named;
        const auto isNotice = [&](const QString& m) {
            return m == notice || m.startsWith(notice + S(": "));
        };
        const QString all = shown.join(S(" / "));
        QVERIFY2(shown.size() == 1 && (shown[0] == reader || isNotice(shown[0])), qPrintable(all));
        QCOMPARE(o.shows(), before);
    }
};

QTEST_MAIN(tst_openrefusals)
#include "tst_openrefusals.moc"
