#include "files/GrpSmFiles.h"
#include "files/ParaFile.h"
#include "files/PosiFile.h"
#include "files/StdPrm.h"
#include "FilesTestSupport.h"

#include <functional>
#include <random>

using namespace rer;
using namespace rer::testing;

namespace {

// Variants of a good file: truncated anywhere, bytes replaced by characters
// that matter to the format, large or odd numbers spliced in, plain noise.
QByteArray mutate(const QByteArray& good, std::mt19937& rng) {
    static const char alphabet[] = "\",\r\n0123456789 -.eE\x1a\x82\xa0";
    static const char* const splices[] = {"1e308", "-1e308", "99999999999", "-32769", "400", "100",
                                          "\"SPECIAL\"", "\"VO-D6\"", ",,,,", "\"", "0.5", "nan"};
    std::uniform_int_distribution<int> pick(0, 4);
    QByteArray b = good;
    auto at = [&](qsizetype n) { return std::uniform_int_distribution<qsizetype>(0, std::max<qsizetype>(n, 1) - 1)(rng); };
    switch (pick(rng)) {
    case 0: b.truncate(at(b.size() + 1)); break;
    case 1:
        for (int i = 0; i < 8 && !b.isEmpty(); ++i) b[at(b.size())] = alphabet[at(sizeof alphabet - 1)];
        break;
    case 2: b.insert(at(b.size() + 1), splices[at(std::size(splices))]); break;
    case 3: b.remove(at(b.size()), at(40)); break;
    default: {
        b.resize(at(400));
        for (auto& c : b) c = char(at(256));
    }
    }
    return b;
}

void writeBytes(const QString& path, const QByteArray& b) {
    QFile::remove(path);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(b);
}

} // namespace

TEST(ReaderFuzz, RandomAndTruncatedFilesNeverCrashOrHang) {
    FilesContext f;
    using Reader = std::function<bool(const QString&)>;
    struct Target { const char* source; Reader read; };
    const Target targets[] = {
        {"para2.pmd", [&](const QString& p) { return ReadParaFile(f.ctx, p); }},
        {"para1.pmd", [&](const QString& p) { return W3kReadParaFile(f.ctx, p); }},
        {"groups.grp", [&](const QString& p) { return ReadGrpFile(f.ctx, p); }},
        {"macros.smd", [&](const QString& p) { return ReadSmFile(f.ctx, p); }},
        {"posi_new.kzd", [&](const QString& p) { return ReadPosiFile(f.ctx, p); }},
        {"posi_old.kzd", [&](const QString& p) { return ReadPosiFile(f.ctx, p); }},
        {"posi_w3k.kzd", [&](const QString& p) { return W3kReadPosiFile(f.ctx, p); }},
    };
    std::mt19937 rng(20261209);
    const QString path = f.tmp(QStringLiteral("fuzz.dat"));
    for (const Target& t : targets) {
        const QByteArray good = fileBytes(fixture(t.source));
        ASSERT_FALSE(good.isEmpty()) << t.source;
        for (int i = 0; i < 300; ++i) {
            writeBytes(path, mutate(good, rng));
            t.read(path);
        }
    }
    // The factory lists, through a program folder of their own.
    f.ctx.programDir = f.dir.path();
    for (auto& a : f.ctx.dev.two) a.SelSeries = QStringLiteral("KZ");
    f.ctx.dev.SelNewType = {true, true};
    const char* const lists[] = {"w6nkzstpr.lst", "w6cmstpr.lst"};
    for (const char* name : lists)
        QFile::copy(QDir(QStringLiteral(RER_DATA_DIR)).filePath(QString::fromLatin1(name)), f.tmp(QString::fromLatin1(name)));
    for (const char* name : lists) {
        const QString target = f.tmp(QString::fromLatin1(name));
        const QByteArray good = fileBytes(target);
        for (int i = 0; i < 150; ++i) {
            writeBytes(target, mutate(good, rng));
            ReadStdPrm(f.ctx);
        }
        writeBytes(target, good);
    }
    ASSERT_TRUE(ReadStdPrm(f.ctx));
    // After all of it the readers still read good files.
    f.ctx.para.two.ParaFileError = false;
    EXPECT_TRUE(ReadParaFile(f.ctx, fixture("para2.pmd")));
    EXPECT_TRUE(ReadPosiFile(f.ctx, fixture("posi_new.kzd")));
}
