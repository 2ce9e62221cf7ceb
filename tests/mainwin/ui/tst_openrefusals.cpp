// Every window's Open that refuses a file says so once, in the window's
// language, with the file's name and why: binary files, a UTF-8 byte-order
// mark, empty and missing files, files cut short or of their first line
// only, a text in a number cell, a position number beyond 399, files short
// of the records they announce and files of another kind
// through the real position windows of both products, the group and macro
// windows and the parameter windows of both products. The window stays as
// it was.
#include "dialogs/ui/frmGrp.h"
#include "dialogs/ui/frmSqMcr.h"
#include "files/GrpSmFiles.h"
#include "files/ParaFile.h"
#include "mainwin/ui/frmMain.h"
#include "setup/ui/frmParameta2.h"
#include "testsupport/EditsQuestions.h"
#include "testsupport/FullDisk.h"
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
#include <cerrno>
#include <memory>
#include <optional>

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
    t.ctx.sm.SmData[15][17] = 15; // the file ends in a number of two digits
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

// The file cut inside the number its last record ends with: "10" for 100.
QByteArray cutInsideItsLastNumber(const QByteArray& whole) {
    return whole.chopped(3);
}

// The file's first records, a whole number of them: the head and `groups`
// groups, or `macros` macros of 16 steps.
QByteArray firstRecords(const QByteArray& whole, int lines) {
    qsizetype at = 0;
    for (int i = 0; i < lines && at >= 0; ++i) at = whole.indexOf("\r\n", at) + 2;
    return whole.left(at);
}

// A good file with a text in a number cell: the end of group 5, the data of
// the first step of macro 1, axis 1's OFFSET.
QByteArray textInANumberCell(Kind k, const QByteArray& whole) {
    QByteArray b = whole;
    switch (k) {
    case Kind::Grp: return b.replace("\"5\",5,6\r\n", "\"5\",5,12abc\r\n");
    case Kind::Sm: return b.replace("\"1\"\r\n0,0\r\n", "\"1\"\r\n0,3abc\r\n");
    case Kind::Para: {
        const qsizetype row = b.indexOf("\"HOME\",6,2\r\n") + 12;
        return b.left(row) + "12abc" + b.mid(b.indexOf(',', row));
    }
    case Kind::Posi: break;
    }
    return b;
}

// Why a window refuses the file, in its language; nothing when the reader
// itself tells (a file of another kind).
std::optional<QString> reasonFor(const QString& file, Win w, int16_t language, const QString& path) {
    const bool jp = language == 1;
    if (file == S("binary") || file == S("byte-order mark")) return jp ? S("Shift-JISのテキストファイルではありません") : S("not a Shift-JIS text file");
    if (file == S("empty")) return jp ? S("ファイルが空です") : S("the file is empty");
    if (file == S("missing")) return jp ? S("ファイルまたはフォルダがありません") : S("No such file or directory");
    if (file == S("position 400")) return jp ? S("ポジションNo = 400") : S("Position No. = 400");
    if (file == S("cut short") || file == S("cut inside its last number") || file == S("first line only"))
        return jp ? S("ファイルが途中で切れています") : S("the file is cut short");
    if (file == S("short of records")) {
        if (kindOf(w) == Kind::Grp)
            return jp ? S("ファイルが途中で切れています（99グループのうち50グループ）")
                      : S("the file is cut short (50 of 99 groups)");
        return jp ? S("ファイルが途中で切れています（9マクロのうち8マクロ）") : S("the file is cut short (8 of 9 macros)");
    }
    if (file == S("text in a number cell")) {
        switch (kindOf(w)) {
        case Kind::Grp: return jp ? S("グループNo.5 終了位置 = 12abc") : S("Group No.5 END = 12abc");
        case Kind::Sm: return jp ? S("SM No.1 Step 1 データ = 3abc") : S("SM No.1 Step 1 Data = 3abc");
        case Kind::Para: return S("OFFSET(1) = 12abc");
        case Kind::Posi: break;
        }
    }
    Q_UNUSED(path);
    return std::nullopt;
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
                QStringList files{S("binary"), S("byte-order mark"), S("empty"), S("missing"), S("cut short")};
                if (kindOf(w) != Kind::Posi)
                    files << S("text in a number cell") << S("cut inside its last number") << S("first line only");
                else
                    files << S("position 400");
                if (kindOf(w) == Kind::Grp || kindOf(w) == Kind::Sm) files << S("short of records");
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
        } else if (file == S("missing")) {
            // Nothing there.
        } else if (file == S("cut short")) {
            writeBytes(path, cutShort(goodFile(kindOf(w), p, dir.path())));
        } else if (file == S("cut inside its last number")) {
            writeBytes(path, cutInsideItsLastNumber(goodFile(kindOf(w), p, dir.path())));
        } else if (file == S("text in a number cell")) {
            writeBytes(path, textInANumberCell(kindOf(w), goodFile(kindOf(w), p, dir.path())));
        } else if (file == S("short of records")) {
            writeBytes(path, firstRecords(goodFile(kindOf(w), p, dir.path()), kindOf(w) == Kind::Grp ? 2 + 50 : 2 + 8 * 17));
        } else if (file == S("first line only")) {
            writeBytes(path, firstRecords(goodFile(kindOf(w), p, dir.path()), 1));
        } else if (file == S("position 400")) {
            writeBytes(path, goodFile(Kind::Posi, p, dir.path()) +
                                 "400,\"5\",\"3\",\"0\",\"100\",\"5\",\"3\",\"0\",\"100\",\"0\",\"0\",\"0\",\"\"\r\n");
        } else {
            for (Kind k : {Kind::Posi, Kind::Grp, Kind::Sm, Kind::Para})
                if (file.contains(S(nameOf(k)))) writeBytes(path, goodFile(k, Product::TwoAxis, dir.path()));
        }
        QCOMPARE(QFile::exists(path), file != S("missing"));

        Opener o(w, lang);
        const QStringList before = o.shows();
        o.open(path);
        const QStringList shown = MessageTexts(o.t.msg);
        // Told once, over the file's name: by the reader (a file of another
        // kind), or by the window, which says why in its language.
        const QString named = S("\r\n") + QDir::toNativeSeparators(path);
        const std::optional<QString> reason = reasonFor(file, w, lang, path);
        const QString told = reason ? windowRefusal(w, lang) + named + S(": ") + *reason : readerRefusal(w, lang) + named;
        QCOMPARE(shown.join(S(" / ")), told);
        QCOMPARE(o.shows(), before);
    }

    // A number cell quoted as a text is read as the number it holds.
    void aQuotedNumberIsTheNumber_data() {
        QTest::addColumn<int>("win");
        QTest::addColumn<int>("language");
        for (int16_t language : {int16_t(2), int16_t(1)})
            for (Win w : {Win::Grp, Win::Sm})
                QTest::newRow(qPrintable(S("%1, %2").arg(S(nameOf(w)), language == 1 ? S("Japanese") : S("English"))))
                    << int(w) << int(language);
    }
    void aQuotedNumberIsTheNumber() {
        QFETCH(int, win);
        QFETCH(int, language);
        const Win w = Win(win);
        QTemporaryDir dir;
        const QString path = dir.filePath(S("quoted.dat"));
        QByteArray bytes = goodFile(kindOf(w), Product::TwoAxis, dir.path());
        if (w == Win::Grp)
            bytes.replace("\"5\",5,6\r\n", "\"5\",5,\"7\"\r\n");
        else
            bytes.replace("\"1\"\r\n0,0\r\n", "\"1\"\r\n0,\"7\"\r\n");
        writeBytes(path, bytes);
        Opener o(w, int16_t(language));
        o.open(path);
        QCOMPARE(MessageTexts(o.t.msg), QStringList());
        if (w == Win::Grp) {
            QCOMPARE(o.t.ctx.grp.GrpData[5][1], int16_t(7));
            QCOMPARE(o.t.ctx.grp.GrpData[6][1], int16_t(7));
        } else {
            QCOMPARE(o.t.ctx.sm.SmData[0][1], int16_t(7));
            QCOMPARE(o.t.ctx.sm.SmData[15][17], int16_t(15));
        }
    }

    // Verify with a file and Print File refuse as Open does: once, over the
    // file and why, in the window's language; nothing is compared or
    // printed.
    void verifyAndPrintOfARefusedFileAreToldOnce_data() {
        QTest::addColumn<int>("win");
        QTest::addColumn<bool>("verify");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("language");
        for (int16_t language : {int16_t(2), int16_t(1)})
            for (Win w : {Win::Grp, Win::Sm, Win::Para2, Win::Para1})
                for (bool verify : {true, false}) {
                    QStringList files{S("empty"), S("cut inside its last number")};
                    if (kindOf(w) != Kind::Para) files << S("text in a number cell") << S("short of records");
                    for (const QString& f : files)
                        QTest::newRow(qPrintable(S("%1, %2, %3, %4")
                                                     .arg(S(nameOf(w)), verify ? S("verify") : S("print"), f,
                                                          language == 1 ? S("Japanese") : S("English"))))
                            << int(w) << verify << f << int(language);
                }
    }
    void verifyAndPrintOfARefusedFileAreToldOnce() {
        QFETCH(int, win);
        QFETCH(bool, verify);
        QFETCH(QString, file);
        QFETCH(int, language);
        const Win w = Win(win);
        const bool jp = language == 1;
        QTemporaryDir dir;
        const QString path = dir.filePath(S("chosen.dat"));
        const QByteArray good = goodFile(kindOf(w), productOf(w), dir.path());
        if (file == S("empty"))
            writeBytes(path, QByteArray());
        else if (file == S("cut inside its last number"))
            writeBytes(path, cutInsideItsLastNumber(good));
        else if (file == S("text in a number cell"))
            writeBytes(path, textInANumberCell(kindOf(w), good));
        else
            writeBytes(path, firstRecords(good, kindOf(w) == Kind::Grp ? 2 + 50 : 2 + 8 * 17));

        Opener o(w, int16_t(language));
        const QStringList before = o.shows();
        o.t.files.answer(path);
        QString text;
        switch (w) {
        case Win::Grp:
            QTest::mouseClick(verify ? o.grp->cmdGrpFileVerify() : o.grp->cmdGrpFilePrint(), Qt::LeftButton);
            text = jp ? S("ＧＲＰデータファイルの読み込みに失敗しました。") : S("Fail to open GRP Data file.");
            break;
        case Win::Sm:
            QTest::mouseClick(verify ? o.sm->cmdSmFileShogo() : o.sm->cmdSMFilePrint(), Qt::LeftButton);
            text = jp ? S("ＳＭデータのファイル読み込みでエラーが発生しました。")
                 : verify ? S("An error occured while opening SM Data file.")
                          : S("Error occured while opening SM Data file.");
            break;
        default:
            QTest::mouseClick(o.para->button(verify ? S("cmdConpareFile") : S("cmdParaFilePrint")), Qt::LeftButton);
            text = windowRefusal(w, int16_t(language));
            break;
        }
        // The questions before the dialog aside, one message.
        QStringList told;
        for (const auto& m : o.t.msg.shown)
            if (m.buttons == MsgButtons::Ok) told << m.text;
        const std::optional<QString> reason = reasonFor(file, w, int16_t(language), path);
        QVERIFY(reason);
        QCOMPARE(told, QStringList{text + S("\r\n") + QDir::toNativeSeparators(path) + S(": ") + *reason});
        QCOMPARE(o.shows(), before);
    }
};

QTEST_MAIN(tst_openrefusals)
#include "tst_openrefusals.moc"
