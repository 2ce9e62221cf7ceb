#include "files/DataCodec.h"

#include "app/Language.h"
#include "files/Decimal.h"
#include "platform/FileWriter.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <cerrno>
#include <cmath>
#include <limits>

namespace rer {

bool DecodeShiftJis(const QByteArray& bytes, QString& out) {
    QStringDecoder dec("Shift_JIS", QStringDecoder::Flag::Stateless);
    if (!dec.isValid()) return false;
    out = dec.decode(bytes);
    return !dec.hasError() && !out.contains(QChar::ReplacementCharacter);
}

bool EncodeShiftJis(const QString& text, QByteArray& out) {
    QStringEncoder enc("Shift_JIS", QStringEncoder::Flag::Stateless);
    if (!enc.isValid()) return false;
    out = enc.encode(text);
    if (enc.hasError()) return false;
    // A character without a code comes out as a substitute: check the way back.
    QString back;
    return DecodeShiftJis(out, back) && back == text;
}

// ---- Reader

bool DataFileReader::open(const QString& path) {
    text_.clear();
    pos_ = 0;
    afterComma_ = false;
    trouble_ = Trouble::None;
    detail_.clear();
    systemWhy_ = {};
    QFile f(path);
    const auto failed = [&] {
        trouble_ = Trouble::System;
        systemWhy_ = FileFailureReason(f, errno);
        return false;
    };
    errno = 0;
    if (!f.open(QIODevice::ReadOnly)) return failed();
    errno = 0;
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) return failed();
    if (!DecodeShiftJis(bytes, text_)) {
        trouble_ = Trouble::NotShiftJis;
        text_.clear();
        return false;
    }
    return true;
}

QString DataFileReader::error(int languageNo) const {
    switch (trouble_) {
    case Trouble::None: break;
    case Trouble::System: return systemWhy_.text(languageNo);
    case Trouble::NotShiftJis:
        return PickText(languageNo, QStringLiteral("Shift-JISのテキストファイルではありません"),
                        QStringLiteral("not a Shift-JIS text file"));
    case Trouble::TooLarge:
        return PickText(languageNo, QStringLiteral("数値 %1 が大きすぎます"), QStringLiteral("the number %1 is too large"))
            .arg(detail_);
    }
    return QString();
}

namespace {
bool isSpace(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }
bool isLineEnd(QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n'); }
} // namespace

bool DataFileReader::holdsNothing() const {
    for (QChar c : text_)
        if (!isSpace(c) && !isLineEnd(c) && c != QChar(0x1a)) return false;
    return true;
}

bool DataFileReader::endsWhole() const {
    qsizetype end = text_.size();
    while (end > 0 && (isSpace(text_[end - 1]) || text_[end - 1] == QChar(0x1a))) --end;
    return end == 0 || isLineEnd(text_[end - 1]);
}

bool DataFileReader::atEnd() const {
    // A comma at the end of the text still leaves its empty item.
    if (afterComma_) return false;
    qsizetype p = pos_;
    while (p < text_.size() && isSpace(text_[p])) ++p;
    return p >= text_.size() || text_[p] == QChar(0x1a);
}

// Takes the line end at pos_, if any: CR LF, CR or LF.
void DataFileReader::skipLineEnd() {
    if (pos_ < text_.size() && text_[pos_] == QLatin1Char('\r')) ++pos_;
    if (pos_ < text_.size() && text_[pos_] == QLatin1Char('\n')) ++pos_;
}

std::optional<Value> DataFileReader::next() {
    const qsizetype n = text_.size();
    while (pos_ < n && isSpace(text_[pos_])) ++pos_;
    if (afterComma_) {
        // A comma at the end of a record leaves an empty last item.
        afterComma_ = false;
        if (pos_ >= n || isLineEnd(text_[pos_])) {
            skipLineEnd();
            return Value();
        }
    } else {
        if (pos_ >= n || text_[pos_] == QChar(0x1a)) return std::nullopt;
        // An empty line is a record of one empty item, as the writer writes it.
        if (isLineEnd(text_[pos_])) {
            skipLineEnd();
            return Value();
        }
    }

    Value v;
    bool tooLarge = false;
    if (text_[pos_] == QLatin1Char('"')) {
        const qsizetype start = pos_ + 1;
        qsizetype end = text_.indexOf(QLatin1Char('"'), start);
        if (end < 0) end = n;
        v = Value::text(text_.mid(start, end - start));
        pos_ = end < n ? end + 1 : n;
        // Anything up to the separator belongs to nothing.
        while (pos_ < n && text_[pos_] != QLatin1Char(',') && !isLineEnd(text_[pos_])) ++pos_;
    } else {
        const qsizetype start = pos_;
        while (pos_ < n && text_[pos_] != QLatin1Char(',') && !isLineEnd(text_[pos_])) ++pos_;
        const QString raw = text_.mid(start, pos_ - start).trimmed();
        if (raw.isEmpty()) {
            v = Value();
        } else if (wholeNumbers_ ? StrictNumber(raw).has_value() : HasLeadingNumber(raw)) {
            const double d = LeadingNumber(raw);
            tooLarge = !std::isfinite(d);
            if (tooLarge) {
                trouble_ = Trouble::TooLarge;
                detail_ = raw;
            }
            v = Value::number(d);
        } else {
            v = Value::text(raw);
        }
    }
    if (pos_ < n && text_[pos_] == QLatin1Char(',')) {
        ++pos_;
        afterComma_ = true;
    } else {
        skipLineEnd();
    }
    // A bare number that does not fit is no item: the read fails there.
    if (tooLarge) return std::nullopt;
    return v;
}

bool DataFileReader::nextText(QString& out) {
    const auto v = next();
    if (!v) return false;
    out = v->toText();
    return true;
}

bool DataFileReader::nextNumber(double& out) {
    const auto v = next();
    if (!v || v->isText()) return false;
    out = v->toNumber();
    return true;
}

bool DataFileReader::nextInt16(int16_t& out) {
    double d = 0;
    if (!nextNumber(d)) return false;
    const double r = RoundDecimal(d, 0, HalfRule::ToEven);
    if (r < std::numeric_limits<int16_t>::min() || r > std::numeric_limits<int16_t>::max()) return false;
    out = static_cast<int16_t>(r);
    return true;
}

bool DataFileReader::nextInt32(int32_t& out) {
    double d = 0;
    if (!nextNumber(d)) return false;
    const double r = RoundDecimal(d, 0, HalfRule::ToEven);
    if (r < std::numeric_limits<int32_t>::min() || r > std::numeric_limits<int32_t>::max()) return false;
    out = static_cast<int32_t>(r);
    return true;
}

// ---- Writer

void DataFileWriter::separator() {
    if (!lineStart_) out_ += QLatin1Char(',');
    lineStart_ = false;
}

void DataFileWriter::text(const QString& t) {
    separator();
    // A double quote would end the item early when the file is read back:
    // it is written as an apostrophe.
    QString item = t;
    item.replace(QLatin1Char('"'), QLatin1Char('\''));
    QByteArray encoded;
    if (item.contains(QLatin1Char('\r')) || item.contains(QLatin1Char('\n')))
        refuse("テキスト「%1」には改行が含まれています。改行はファイルに保存できません。",
               "The text \"%1\" holds a line break, which the file cannot hold.", t);
    else if (!EncodeShiftJis(item, encoded))
        refuse("テキスト「%1」にはファイルに保存できない文字が含まれています。",
               "The text \"%1\" holds characters that cannot be written in Shift-JIS.", t);
    out_ += QLatin1Char('"') + item + QLatin1Char('"');
}

void DataFileWriter::number(double v) {
    separator();
    // An infinity or NaN has no text that reads back as itself.
    if (!std::isfinite(v))
        refuse("ファイルに書けない大きさの数値（%1）があります。", "A number too large for the file (%1) cannot be written.",
               ShortestText(v));
    out_ += ShortestText(v);
}

void DataFileWriter::integer(long long v) {
    separator();
    out_ += QString::number(v);
}

void DataFileWriter::value(const Value& v) {
    switch (v.kind()) {
    case Value::Kind::Empty: empty(); break;
    case Value::Kind::Number: number(v.toNumber()); break;
    case Value::Kind::Text: text(v.toText()); break;
    }
}

void DataFileWriter::empty() {
    separator();
}

void DataFileWriter::endRecord() {
    out_ += QStringLiteral("\r\n");
    lineStart_ = true;
}

bool DataFileWriter::commit(const QString& path) {
    if (!error_.isEmpty()) return false;
    QByteArray bytes;
    if (!EncodeShiftJis(out_, bytes)) {
        refuse("データにはファイルに保存できない文字が含まれています。",
               "The data hold characters that cannot be written in Shift-JIS.", QString());
        return false;
    }
    const WriteFailure why = WriteWholeFile(path, bytes);
    error_ = why.text(languageNo_);
    return !why.failed();
}

void DataFileWriter::refuse(const char* jp, const char* en, const QString& arg) {
    if (!error_.isEmpty()) return;
    const WriteFailure why{QString::fromUtf8(jp), QString::fromUtf8(en)};
    error_ = arg.isNull() ? why.text(languageNo_) : why.text(languageNo_).arg(arg);
}

} // namespace rer
