#pragma once
#include "files/DataCodec.h"
#include "testsupport/TestApp.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace rer::testing {

// A fresh application object over test doubles, in English, and a folder
// for the test's files.
struct FilesContext : test::TestApp {
    QTemporaryDir dir;

    explicit FilesContext(int16_t language = 2) : TestApp({.language = language, .doubles = test::Doubles::None}) {}
    QString tmp(const QString& name) const { return dir.filePath(name); }
};

inline QString fixture(const char* name) {
    return QDir(QStringLiteral(RER_TEST_DATA)).filePath(QString::fromLatin1(name));
}

inline QByteArray fileBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

// Writes Shift-JIS text (CR LF written by the caller) to a file.
inline void writeText(const QString& path, const QString& text) {
    QByteArray b;
    ASSERT_TRUE(EncodeShiftJis(text, b));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(b);
}

} // namespace rer::testing
