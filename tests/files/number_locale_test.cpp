// Numbers are read and written with "." whatever the locale: every reader of
// the program's files and settings, and the number helpers, give the same
// under a comma-decimal locale as under the C locale.
#include "app/DeviceSettings.h"
#include "catalogue/Catalogue.h"
#include "files/Decimal.h"
#include "files/GrpSmFiles.h"
#include "files/ParaFile.h"
#include "files/PosiFile.h"
#include "files/StdPrm.h"
#include "files/Value.h"
#include "link/CtError.h"
#include "platform/SettingsStore.h"
#include "testsupport/NumericLocale.h"
#include "FilesTestSupport.h"

#include <cmath>
#include <functional>
#include <limits>

using namespace rer;
using namespace rer::testing;
using rer::test::kCommaLocale;
using rer::test::kLocaleMissing;
using rer::test::ScopedLocale;

namespace {

QString dump(const Value& v) {
    switch (v.kind()) {
    case Value::Kind::Number: return QStringLiteral("n") + ShortestText(v.toNumber());
    case Value::Kind::Text: return QStringLiteral("t") + v.toText();
    case Value::Kind::Empty: break;
    }
    return QStringLiteral("e");
}
QString dump(int16_t v) { return QString::number(v); }
QString dump(bool v) { return v ? QStringLiteral("T") : QStringLiteral("F"); }
template <class T, size_t N>
QString dump(const std::array<T, N>& a) {
    QString s;
    for (const T& x : a) s += dump(x) + QLatin1Char(',');
    return s + QLatin1Char('\n');
}
QString dump(const DevListRecord& r) { return dump(r.cell); }
template <class T>
QString dump(const std::vector<T>& a) {
    QString s;
    for (const T& x : a) s += dump(x) + QLatin1Char(',');
    return s + QLatin1Char('\n');
}

// A file of the tests' folder with a piece of it changed.
QByteArray changed(const char* fixtureName, const QByteArray& from, const QByteArray& to) {
    QByteArray b = fileBytes(fixture(fixtureName));
    EXPECT_TRUE(b.contains(from)) << fixtureName << " " << from.constData();
    return b.replace(from, to);
}

void writeBytes(const QString& path, const QByteArray& b) {
    QFile::remove(path);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(b);
}

// One reader: it reads into a fresh program (with its own program folder)
// and tells what it read.
struct ReaderCase {
    const char* what;
    std::function<QString(test::TestApp&)> read;
    QString holds; // a piece of what it reads: the decimal taken whole
};

} // namespace

TEST(NumbersAnyLocale, EveryReaderReadsTheSameUnderACommaLocale) {
    auto file = [](test::TestApp& t, const char* name, const QByteArray& bytes) {
        const QString path = QDir(t.ctx.programDir).filePath(QString::fromLatin1(name));
        writeBytes(path, bytes);
        return path;
    };
    auto kz = [](test::TestApp& t, Product p) {
        for (auto& a : t.ctx.dev.axes(p)) a.Series = QStringLiteral("KZ");
        t.ctx.dev.DevNewType = {true, true};
        t.ctx.dev.SelNewType = {true, true};
        for (auto& a : t.ctx.dev.axes(p)) a.SelSeries = QStringLiteral("KZ");
    };
    const ReaderCase cases[] = {
        {"position file",
         [&](test::TestApp& t) {
             const QString path = file(t, "p.kzd", fileBytes(fixture("posi_new.kzd")));
             EXPECT_TRUE(ReadPosiFile(t.ctx, path));
             return dump(t.ctx.pos.two.PosiFileData);
         },
         QStringLiteral("t   12.5")},
        {"one-axis position file",
         [&](test::TestApp& t) {
             const QString path = file(t, "p.kzd", changed("posi_w3k.kzd", ",1500,", ",1500.75,"));
             EXPECT_TRUE(W3kReadPosiFile(t.ctx, path));
             return dump(t.ctx.pos.one.PosiFileData);
         },
         QStringLiteral("n1500.75")},
        {"parameter file",
         [&](test::TestApp& t) {
             const QString path = file(t, "p.pmd", fileBytes(fixture("para1.pmd")));
             EXPECT_TRUE(ReadParaFile(t.ctx, path));
             return dump(t.ctx.para.two.ParaFileData);
         },
         QStringLiteral("n1200.5")},
        {"one-axis parameter file",
         [&](test::TestApp& t) {
             const QString path = file(t, "p.pmd", fileBytes(fixture("para1.pmd")));
             EXPECT_TRUE(W3kReadParaFile(t.ctx, path));
             return dump(t.ctx.para.one.ParaFileData);
         },
         QStringLiteral("n1200.5")},
        {"group file", // 1.6 is 2 as a whole number, 12.4 is 12
         [&](test::TestApp& t) {
             const QString path = file(t, "g.grp", changed("groups.grp", "\"1\",1,3", "\"1\",1.6,12.4"));
             EXPECT_TRUE(ReadGrpFile(t.ctx, path));
             return dump(t.ctx.grp.GrpFileData);
         },
         QStringLiteral("\n,2,12,0,")},
        {"macro file",
         [&](test::TestApp& t) {
             const QString path = file(t, "m.smd", changed("macros.smd", "\r\n1,10\r\n", "\r\n1,10.6\r\n"));
             EXPECT_TRUE(ReadSmFile(t.ctx, path));
             return dump(t.ctx.sm.SmFileData);
         },
         QStringLiteral("1,11,")},
        {"actuator catalogue", // a lead of 6.5 is kept as read; a count of 2.6 is 3
         [&](test::TestApp& t) {
             QByteArray b = fileBytes(QDir(t.ctx.programDir).filePath(QStringLiteral("nkzdevice.lst")));
             b.replace(0, b.indexOf('\r'), "2.6");
             b.replace("\" 28L-50\",6,", "\" 28L-50\",6.5,");
             file(t, "nkzdevice.lst", b);
             kz(t, Product::TwoAxis);
             EXPECT_EQ(LoadDeviceList(t.ctx, Product::TwoAxis, 0), 0);
             return QString::number(t.ctx.cat.two[0].ListCount) + QLatin1Char(' ') + dump(t.ctx.cat.two[0].List);
         },
         QStringLiteral("3 ")},
        {"factory-parameter lists",
         [&](test::TestApp& t) {
             const QString path = QDir(t.ctx.programDir).filePath(QStringLiteral("w6nkzstpr.lst"));
             QByteArray b = fileBytes(path);
             const qsizetype at = b.indexOf("\" 28L-100\",") + 11;
             b.insert(at + b.mid(at).indexOf(','), ".25");
             file(t, "w6nkzstpr.lst", b);
             kz(t, Product::TwoAxis);
             EXPECT_TRUE(ReadStdPrm(t.ctx));
             const auto& para = t.ctx.para.two;
             return dump(para.StdPrm1) + dump(para.StdPrm2) + dump(std::vector(para.StdPrmCmn.begin(), para.StdPrmCmn.end()));
         },
         QStringLiteral(".25,")},
        {"controller error list", // a count that is no whole number is refused
         [&](test::TestApp& t) {
             QByteArray b = fileBytes(QDir(t.ctx.programDir).filePath(QStringLiteral("erroreng.lst")));
             b.replace(0, b.indexOf('\r'), "2.5");
             file(t, "erroreng.lst", b);
             t.ctx.setLanguage(2);
             Get_ErrorList(t.ctx);
             return dump(t.ctx.link.NoErrListFile) + QString::number(t.ctx.link.ErrListCount);
         },
         QStringLiteral("T0")},
        {"settings", // the real store in a file of its own
         [&](test::TestApp& t) {
             writeBytes(QDir(t.ctx.programDir).filePath(QStringLiteral("RER6O250.ini")),
                        "[Settings]\nMoveTimeout=7.5\nVelOf100Pls=30.4\nPortNo=2.6\n");
             QtSettingsStore store(t.ctx.programDir);
             const Settings s(store);
             return QString::number(s.rangedFloat(OptionSettings::MoveTimeout)) + QLatin1Char(' ') +
                    QString::number(s.int16(QStringLiteral("VelOf100Pls"), 0)) + QLatin1Char(' ') +
                    QString::number(s.ranged(OptionSettings::PortNo));
         },
         QStringLiteral("7.5 30 3")},
    };
    for (const ReaderCase& c : cases) {
        QString inC, inComma;
        {
            test::TestApp t({.folder = test::AppOptions::Folder::OwnCopy, .doubles = test::Doubles::None});
            inC = c.read(t);
        }
        {
            ScopedLocale comma(kCommaLocale);
            ASSERT_TRUE(comma.ok()) << kLocaleMissing;
            ASSERT_EQ(comma.decimalPoint(), QStringLiteral(","));
            test::TestApp t({.folder = test::AppOptions::Folder::OwnCopy, .doubles = test::Doubles::None});
            inComma = c.read(t);
        }
        EXPECT_TRUE(inC.contains(c.holds)) << c.what << ": " << inC.toStdString();
        EXPECT_EQ(inComma.toStdString(), inC.toStdString()) << c.what;
    }
}
