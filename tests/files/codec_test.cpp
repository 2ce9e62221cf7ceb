#include "files/DataCodec.h"
#include "files/Decimal.h"
#include "files/Value.h"
#include "testsupport/NumericLocale.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <vector>

using namespace rer;

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();
// The number rules are the same under the C locale and under one whose
// decimal mark is a comma.
constexpr const char* kLocales[] = {"C", test::kCommaLocale};
} // namespace

TEST(LeadingNumber, ReadsTheNumberAtTheStart) {
    struct Case { const char* text; double value; bool has; };
    const Case cases[] = {
        {"12", 12, true},       {"  12.5 ", 12.5, true}, {"-3", -3, true},
        {"1 2", 12, true},      {"12abc", 12, true},     {"abc", 0, false},
        {"", 0, false},         {".5", 0.5, true},       {"1e3", 1000, true},
        {"1e", 1, true},        {"+7.", 7, true},        {"-", 0, false},
        {"1,5", 1, true},       {"１２", 0, false},
        // Beyond a double: an infinity of its sign, outside every range;
        // "inf" and "nan" are letters.
        {"1e999", kInf, true},  {"-1e999 mm", -kInf, true}, {"99999e99999", kInf, true},
        {"inf", 0, false},      {"nan", 0, false},       {"-inf", 0, false},
        {"1e-999", 0, true},    {"+1e999", kInf, true},  {"0.001e400", kInf, true},
        {"1000e-330", 0, true}, {"-1e-999", 0, true},
        // "." is the decimal point whatever the locale; a comma ends the number.
        {"12,5", 12, true},     {"0.015", 0.015, true},  {"12.495", 12.495, true},
    };
    for (const char* locale : kLocales) {
        test::ScopedLocale in(locale);
        ASSERT_TRUE(in.ok()) << locale << ": " << test::kLocaleMissing;
        for (const auto& c : cases) {
            const QString t = QString::fromUtf8(c.text);
            EXPECT_EQ(LeadingNumber(t), c.value) << c.text << " under " << locale;
            EXPECT_EQ(HasLeadingNumber(t), c.has) << c.text << " under " << locale;
            EXPECT_EQ(Value::text(t).toNumber(), c.value) << c.text << " under " << locale;
        }
    }
}

TEST(Decimal, RoundsTheDecimalValueNotTheBinaryOne) {
    struct Case { double x; int decimals; HalfRule rule; double want; };
    const Case cases[] = {
        {1.005 / 4 * 400, 0, HalfRule::ToEven, 100},      // 100.5 exactly as typed
        {1.005 / 4 * 400, 0, HalfRule::AwayFromZero, 101},
        {0.0075, 3, HalfRule::AwayFromZero, 0.008},
        {0.0225 / 6 * 400, 0, HalfRule::ToEven, 2},
        {0.0375 / 6 * 400, 0, HalfRule::ToEven, 2},
        {0.0075 / 6 * 400, 0, HalfRule::ToEven, 0},
        {-2.5, 0, HalfRule::AwayFromZero, -3},
        {-2.5, 0, HalfRule::ToEven, -2},
        {2.5, 0, HalfRule::Up, 3},
        {2.5, 0, HalfRule::Down, 2},
        {6666.666666666, 1, HalfRule::AwayFromZero, 6666.7},
    };
    for (const char* locale : kLocales) {
        test::ScopedLocale in(locale);
        ASSERT_TRUE(in.ok()) << locale << ": " << test::kLocaleMissing;
        for (const auto& c : cases)
            EXPECT_DOUBLE_EQ(RoundDecimal(c.x, c.decimals, c.rule), c.want) << c.x << " under " << locale;
        EXPECT_EQ(Decimal12(0.1 + 0.2), 0.3) << locale;
        EXPECT_EQ(Decimal12(12.495000000000001), 12.495) << locale;
        EXPECT_EQ(FormatFixed(0.0075, 3), QStringLiteral("0.008"));
        EXPECT_EQ(FormatFixed(66.6666667, 3), QStringLiteral("66.667"));
        EXPECT_EQ(FormatFixed(-0.0001, 3), QStringLiteral("0.000"));
        EXPECT_EQ(ShortestText(66.667), QStringLiteral("66.667"));
        EXPECT_EQ(ShortestText(40), QStringLiteral("40"));
        EXPECT_EQ(ShortestText(1e6), QStringLiteral("1000000"));
        EXPECT_EQ(ShortestText(0.015), QStringLiteral("0.015"));
    }
}

namespace {
QByteArray sjis(const QString& s) {
    QByteArray b;
    EXPECT_TRUE(EncodeShiftJis(s, b));
    return b;
}
void writeBytes(const QString& path, const QByteArray& b) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(b);
}
} // namespace

TEST(DataCodec, ReadsItemsAcrossRecords) {
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("a.lst"));
    writeBytes(p, sjis(QStringLiteral("\"VO-D6\",\"PRM\"\r\n6\r\n\"位置\",-1.5,,7\r\n3,\r\n\"x\"\r\n")));
    DataFileReader r;
    ASSERT_TRUE(r.open(p));
    QString t;
    ASSERT_TRUE(r.nextText(t)); EXPECT_EQ(t, QStringLiteral("VO-D6"));
    ASSERT_TRUE(r.nextText(t)); EXPECT_EQ(t, QStringLiteral("PRM"));
    int16_t n = 0;
    ASSERT_TRUE(r.nextInt16(n)); EXPECT_EQ(n, 6);
    ASSERT_TRUE(r.nextText(t)); EXPECT_EQ(t, QStringLiteral("位置"));
    double d = 0;
    ASSERT_TRUE(r.nextNumber(d)); EXPECT_DOUBLE_EQ(d, -1.5);
    auto v = r.next();
    ASSERT_TRUE(v); EXPECT_TRUE(v->isEmpty());
    ASSERT_TRUE(r.nextInt16(n)); EXPECT_EQ(n, 7);
    ASSERT_TRUE(r.nextInt16(n)); EXPECT_EQ(n, 3);
    v = r.next();                       // the empty item after "3,"
    ASSERT_TRUE(v); EXPECT_TRUE(v->isEmpty());
    ASSERT_TRUE(r.nextText(t)); EXPECT_EQ(t, QStringLiteral("x"));
    EXPECT_TRUE(r.atEnd());
    EXPECT_FALSE(r.next());             // past the last item
    r.rewind();
    ASSERT_TRUE(r.nextText(t)); EXPECT_EQ(t, QStringLiteral("VO-D6"));
}

TEST(DataCodec, TypedReadsRefuseWhatDoesNotFit) {
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("b.lst"));
    writeBytes(p, "\"text\",40000,2.5,3.5\r\n1e999,3,\"1e999\"\r\n");
    DataFileReader r;
    ASSERT_TRUE(r.open(p));
    int16_t n = 0;
    EXPECT_FALSE(r.nextInt16(n));       // a text is not a number
    EXPECT_FALSE(r.nextInt16(n));       // 40000 is not 16 bits
    ASSERT_TRUE(r.nextInt16(n)); EXPECT_EQ(n, 2);  // halves to even
    ASSERT_TRUE(r.nextInt16(n)); EXPECT_EQ(n, 4);
    // A bare number too large for a double is no item; the readers stop
    // there. Quoted, it is a text beyond every range.
    EXPECT_TRUE(r.error(2).isEmpty());
    EXPECT_FALSE(r.next());
    // Why, in the window's language.
    EXPECT_EQ(r.error(2), QStringLiteral("the number 1e999 is too large"));
    EXPECT_EQ(r.error(1), QString::fromUtf8("数値 1e999 が大きすぎます"));
    ASSERT_TRUE(r.nextInt16(n)); EXPECT_EQ(n, 3);
    const auto quoted = r.next();
    ASSERT_TRUE(quoted);
    EXPECT_TRUE(quoted->isText());
    EXPECT_EQ(quoted->toNumber(), kInf);
}

// A number as a whole: the leading-number rule with nothing after the
// number but blanks.
TEST(LeadingNumber, TheWholeTextAsANumber) {
    struct Case { const char* text; bool whole; };
    const Case cases[] = {
        {"12", true},     {" 12.5 ", true}, {"-3", true},  {"1 2", true},   {"1e3", true},
        {"+7.", true},    {".5", true},     {"12abc", false}, {"12 abc", false}, {"1e", false},
        {"1e+", false},   {"1,5", false},   {"abc", false}, {"", false},     {"-", false},
        {"1e999", true},  {"inf", false},   {"１２", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsNumberText(QString::fromUtf8(c.text)), c.whole) << c.text;
}

// The strict reading of a number that goes out as the user sees it: blanks
// around it, none inside it, "." the decimal point; what a spreadsheet under
// a comma locale copies, or a unit after the number, is no number.
TEST(LeadingNumber, StrictNumberIsTheWholeTextAsTheProgramWritesIt) {
    struct Case { const char* text; std::optional<double> value; };
    const Case cases[] = {
        {"50", 50},          {"60.5", 60.5},     {"  12.5 ", 12.5},  {"\t7\t", 7},    {"-3", -3},
        {"+7.", 7},          {".5", 0.5},        {"1e3", 1000},      {"1e999", kInf}, {"-1e999", -kInf},
        {"44,44", {}},       {"12,5", {}},       {"abc", {}},        {"7 mm", {}},    {"7mm", {}},
        {"1 2", {}},         {"- 5", {}},        {"12.5.1", {}},     {"1e", {}},      {"", {}},
        {"   ", {}},         {"１２", {}},       {"1,500", {}},      {"inf", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(StrictNumber(QString::fromUtf8(c.text)), c.value) << c.text;
}

// A reader that takes only whole numbers keeps a bare item with anything
// after its number, or a blank inside it, as the item's text; quoted items
// are texts either way.
TEST(DataCodec, BareItemsAsWholeNumbers) {
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("w.lst"));
    writeBytes(p, "12abc,12,1 2,abc,\"5\",1e\r\n");
    for (const bool whole : {false, true}) {
        DataFileReader r;
        r.setWholeNumbers(whole);
        ASSERT_TRUE(r.open(p));
        std::vector<Value> items;
        while (auto v = r.next()) items.push_back(*v);
        ASSERT_EQ(items.size(), size_t(6));
        EXPECT_EQ(items[0], whole ? Value::text(QStringLiteral("12abc")) : Value::number(12)) << whole;
        EXPECT_EQ(items[1], Value::number(12)) << whole;
        EXPECT_EQ(items[2], whole ? Value::text(QStringLiteral("1 2")) : Value::number(12)) << whole;
        EXPECT_EQ(items[3], Value::text(QStringLiteral("abc"))) << whole;
        EXPECT_EQ(items[4], Value::text(QStringLiteral("5"))) << whole;
        EXPECT_EQ(items[5], whole ? Value::text(QStringLiteral("1e")) : Value::number(1)) << whole;
    }
}

TEST(DataCodec, RefusesMissingAndBrokenFiles) {
    QTemporaryDir dir;
    DataFileReader r;
    EXPECT_FALSE(r.open(dir.filePath(QStringLiteral("none.lst"))));
    const QString p = dir.filePath(QStringLiteral("bad.lst"));
    writeBytes(p, QByteArray("\"a\",\x82\r\n", 7)); // a lead byte with no trail byte
    EXPECT_FALSE(r.open(p));
}

TEST(DataCodec, WriterRoundTripsAndReplacesOnlyWholeFiles) {
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("c.grp"));
    DataFileWriter w(2);
    w.text(QStringLiteral("VO-D6")); w.text(QStringLiteral("GRP")); w.endRecord();
    w.integer(1); w.number(12.25); w.empty(); w.text(QStringLiteral("ｺﾒﾝﾄ")); w.endRecord();
    ASSERT_TRUE(w.commit(p)) << w.error().toStdString();
    QFile f(p);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QString back;
    ASSERT_TRUE(DecodeShiftJis(f.readAll(), back));
    EXPECT_EQ(back, QStringLiteral("\"VO-D6\",\"GRP\"\r\n1,12.25,,\"ｺﾒﾝﾄ\"\r\n"));
    f.close();

    // Text that Shift-JIS cannot hold, or that would break the format, is
    // refused, with the reason in the program's language, and the former
    // file stays.
    for (const QString& bad : {QStringLiteral("€uro ☃"), QStringLiteral("two\r\nlines")}) {
        for (int language : {1, 2}) {
            DataFileWriter w2(language);
            w2.text(bad);
            w2.endRecord();
            EXPECT_FALSE(w2.commit(p)) << bad.toStdString();
            EXPECT_TRUE(w2.error().contains(bad)) << w2.error().toStdString();
            EXPECT_EQ(w2.error().contains(QStringLiteral("text")), language == 2) << w2.error().toStdString();
            QFile g(p);
            ASSERT_TRUE(g.open(QIODevice::ReadOnly));
            QString still;
            ASSERT_TRUE(DecodeShiftJis(g.readAll(), still));
            EXPECT_EQ(still, back);
        }
    }
    // An unwritable target fails without a file.
    DataFileWriter w3(2);
    w3.integer(1);
    EXPECT_FALSE(w3.commit(dir.filePath(QStringLiteral("no/such/folder/x.grp"))));
}

TEST(DataCodec, DoubleQuoteInATextIsWrittenAsAnApostrophe) {
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("q.lst"));
    DataFileWriter w(2);
    w.text(QStringLiteral("say \"hi\""));
    w.integer(5);
    w.endRecord();
    ASSERT_TRUE(w.commit(p)) << w.error().toStdString();
    DataFileReader r;
    ASSERT_TRUE(r.open(p));
    QString t;
    ASSERT_TRUE(r.nextText(t));
    EXPECT_EQ(t, QStringLiteral("say 'hi'"));
    int16_t n = 0;
    ASSERT_TRUE(r.nextInt16(n));
    EXPECT_EQ(n, 5);
    EXPECT_TRUE(r.atEnd());
}

namespace {
// The items of a file, read one by one to its end.
std::vector<Value> ReadAllItems(const QString& path) {
    DataFileReader r;
    EXPECT_TRUE(r.open(path));
    std::vector<Value> items;
    while (!r.atEnd()) {
        const auto v = r.next();
        if (!v) break;
        items.push_back(*v);
    }
    EXPECT_FALSE(r.next()) << "past the last item";
    return items;
}
} // namespace

TEST(DataCodec, EveryRecordWrittenReadsBackAsWritten) {
    const Value e;
    const Value one = Value::number(1), half = Value::number(-0.5), big = Value::number(1e300);
    const Value blank = Value::text(QString()), spaced = Value::text(QStringLiteral("  a, b  "));
    using Records = std::vector<std::vector<Value>>;
    // A record of one empty item is an empty line: first, in the middle,
    // twice in a row and last.
    const Records cases[] = {
        {{e}, {one}},
        {{one, half}, {e}, {spaced}},
        {{one}, {e}, {e}, {big}},
        {{spaced}, {e}},
        {{e}},
        {{e, e}, {one, e}, {e, one}, {blank}, {e, blank, e}},
    };
    QTemporaryDir dir;
    int k = 0;
    for (const Records& records : cases) {
        const QString p = dir.filePath(QStringLiteral("r%1.lst").arg(k++));
        DataFileWriter w(2);
        std::vector<Value> items;
        for (const auto& rec : records) {
            for (const Value& v : rec) w.value(v);
            w.endRecord();
            items.insert(items.end(), rec.begin(), rec.end());
        }
        ASSERT_TRUE(w.commit(p)) << w.error().toStdString();
        const std::vector<Value> back = ReadAllItems(p);
        EXPECT_TRUE(back == items) << "case " << k - 1 << ": " << w.content().toStdString();
    }
}

TEST(DataCodec, TheWriterRefusesANumberNoTextReadsBackAs) {
    QTemporaryDir dir;
    // An infinity or NaN: the former file stays.
    const QString q = dir.filePath(QStringLiteral("w.lst"));
    writeBytes(q, "former\r\n");
    for (double bad : {kInf, -kInf, std::numeric_limits<double>::quiet_NaN()}) {
        DataFileWriter w(2);
        w.integer(1);
        w.number(bad);
        w.endRecord();
        EXPECT_FALSE(w.commit(q)) << bad;
        EXPECT_FALSE(w.error().isEmpty()) << bad;
        QFile f(q);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), QByteArray("former\r\n")) << bad;
    }
}
