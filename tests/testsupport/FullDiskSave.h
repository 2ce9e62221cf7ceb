#pragma once
// A save over an existing file on a full disk, checked for what it must
// leave behind.
#include "testsupport/FullDisk.h"

#include <gtest/gtest.h>

namespace rer::test {

// Saves over an existing file on a full disk: the file must stay byte for
// byte and no temporary file may be left beside it. What the save reports
// (the messages it showed) comes back.
inline QStringList SaveOnFullDisk(const QString& path, const std::function<QStringList()>& save) {
    const QByteArray former = FileBytes(path);
    EXPECT_GT(former.size(), 16) << "no former file to keep";
    const QString dir = QFileInfo(path).absolutePath();
    const QStringList files = FilesIn(dir);
    const ChildOutcome out = RunOnFullDisk(16, save);
    EXPECT_TRUE(out.exited && out.status == 0) << "the save ended the child process";
    EXPECT_EQ(FileBytes(path), former);
    EXPECT_EQ(FilesIn(dir), files);
    return out.report;
}

// A save over an existing file in a folder that takes no new file, on a disk
// that takes a copy of the former file but not the whole new file (which
// must be the larger): the write in place fails part way. The former file
// must be kept whole in one copy in the user's cache, and nothing new may
// be left beside the file. What the save reports (the messages it showed)
// comes back, and where the copy was.
struct InPlaceSave {
    QStringList report;
    QString copy;
};
inline InPlaceSave SaveInPlacePartWay(const QString& path, const std::function<QStringList()>& save) {
    const ScopedCacheFolder cache;
    const QByteArray former = FileBytes(path);
    const QString dir = QFileInfo(path).absolutePath();
    const QStringList files = FilesIn(dir);
    const ChildOutcome out = RunInFolderThatTakesNoNewFile(path, former.size(), save, {cache.path()});
    EXPECT_TRUE(out.exited && out.status == 0) << "the save ended the child process";
    EXPECT_EQ(FilesIn(dir), files);
    EXPECT_NE(FileBytes(path), former) << "the file was not written in place";
    const QStringList copies = cache.copies();
    EXPECT_EQ(copies.size(), 1);
    if (copies.size() != 1) return {out.report, QString()};
    const QString copy = QDir(cache.copyFolder()).filePath(copies[0]);
    EXPECT_EQ(FileBytes(copy), former) << "the copy is not the former file";
    return {out.report, copy};
}

} // namespace rer::test
