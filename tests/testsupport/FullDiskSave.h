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

} // namespace rer::test
