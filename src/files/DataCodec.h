#pragma once
#include "files/Value.h"
#include "platform/FileWriter.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace rer {

// The program's data files: records of comma-separated items, one record per
// line ended by CR LF; text items in double quotes, numbers bare with "." as
// the decimal point, an empty value as nothing. Files are Shift-JIS.
//
// Reading is item by item, as the files were written: items end at a comma
// or a line end outside quotes, so an empty line is a record of one empty
// item; reading past the last item fails, and so does a bare number too
// large for a double ("1e999"): next() gives nothing for it, with error().
class DataFileReader {
public:
    // Reads and decodes the whole file. False (with error()) when the file
    // cannot be read or is not valid Shift-JIS.
    bool open(const QString& path);
    // Starts again at the first item.
    void rewind() { pos_ = 0; afterComma_ = false; }
    // A bare item is a number only when it is one as a whole, with blanks
    // around it and none inside; otherwise ("12abc", "1 2") its text. Off:
    // a bare item with a leading number is that number.
    void setWholeNumbers(bool on) { wholeNumbers_ = on; }
    bool atEnd() const;
    // The file holds nothing but blanks and line ends.
    bool holdsNothing() const;
    // The text ends with a line end, as every record of a data file does
    // (an end-of-file mark or blanks after it aside): false for a file cut
    // inside its last record.
    bool endsWhole() const;

    // The next item; nothing when the file has no more items.
    std::optional<Value> next();
    // Typed reads: false when there is no item or it does not fit.
    bool nextText(QString& out);           // any item, as text
    bool nextNumber(double& out);          // a bare number (or empty = 0)
    bool nextInt16(int16_t& out);          // a whole number in 16 bits (halves to even)
    bool nextInt32(int32_t& out);

    // Why the file could not be opened or the last item could not be read,
    // in the language (1 Japanese, otherwise English): the system's words
    // when the file could not be read, the program's own otherwise; empty
    // when nothing failed.
    QString error(int languageNo) const;

private:
    void skipLineEnd();

    enum class Trouble { None, System, NotShiftJis, TooLarge };
    QString text_;
    qsizetype pos_ = 0;
    bool afterComma_ = false; // the last item ended at a comma
    bool wholeNumbers_ = false;
    Trouble trouble_ = Trouble::None;
    QString detail_;        // the number that is too large
    WriteFailure systemWhy_; // why the system could not open or read the file
};

// Builds a data file in memory and replaces the target only when the whole
// file has been written. Its reasons are in the program's language
// (LanguageNo: 1 Japanese, otherwise English).
class DataFileWriter {
public:
    explicit DataFileWriter(int languageNo) : languageNo_(languageNo) {}

    void text(const QString& t);
    void number(double v);
    void integer(long long v);
    void value(const Value& v);
    void empty();
    void endRecord();

    // Writes the file. False (with error()) when a text cannot be held by
    // Shift-JIS or by the file format, when a number is an infinity or NaN
    // (no text reads back as it), or when the file cannot be written; the
    // former file then stays as it was, or, when the file was being
    // written in place, in the copy that the error names.
    bool commit(const QString& path);
    QString error() const { return error_; }
    // The file's text so far.
    const QString& content() const { return out_; }

private:
    void separator();
    // Keeps the first reason the file cannot be written.
    void refuse(const char* jp, const char* en, const QString& arg);
    int languageNo_;
    QString out_;
    bool lineStart_ = true;
    QString error_;
};

// Shift-JIS text: decode (false on bytes that are not Shift-JIS) and encode
// (false when a character has no Shift-JIS code).
bool DecodeShiftJis(const QByteArray& bytes, QString& out);
bool EncodeShiftJis(const QString& text, QByteArray& out);

} // namespace rer
