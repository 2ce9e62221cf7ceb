// Where the file dialogs start: each kind of file where one of its kind was
// last opened or saved in the run.
#include "testsupport/FakeFileDialogs.h"

#include <gtest/gtest.h>

using namespace rer;

namespace {

FileDialogRequest of(FileKind kind) {
    FileDialogRequest r;
    r.kind = kind;
    return r;
}

} // namespace

TEST(FileFolders, EachKindStartsWhereItsLastFileWasOpenedOrSaved) {
    FakeFileDialogs d;
    // Before any file: the working folder.
    d.answer(QStringLiteral("/data/pos/line1.kzd"));
    ASSERT_TRUE(d.open(of(FileKind::Position)));
    EXPECT_EQ(d.opened.back().folder, QString());

    // The same kind starts there; a kind not used yet too.
    d.answer(QStringLiteral("/data/grp/g.grp"));
    ASSERT_TRUE(d.save(of(FileKind::Group)));
    EXPECT_EQ(d.saved.back().folder, QStringLiteral("/data/pos"));
    d.answer(std::nullopt);
    EXPECT_FALSE(d.open(of(FileKind::Position)));
    EXPECT_EQ(d.opened.back().folder, QStringLiteral("/data/pos"));

    // A kind with a file of its own keeps to its folder, whatever the others did.
    d.answer(QStringLiteral("/data/pos/sub/line2.kzd"));
    ASSERT_TRUE(d.save(of(FileKind::Position)));
    d.answer(std::nullopt);
    d.open(of(FileKind::Group));
    EXPECT_EQ(d.opened.back().folder, QStringLiteral("/data/grp"));
    d.answer(std::nullopt);
    d.open(of(FileKind::Position));
    EXPECT_EQ(d.opened.back().folder, QStringLiteral("/data/pos/sub"));
    // The kinds not used yet start where the last file of any kind was.
    for (FileKind k : {FileKind::Parameter, FileKind::Macro, FileKind::Other}) {
        d.answer(std::nullopt);
        d.open(of(k));
        EXPECT_EQ(d.opened.back().folder, QStringLiteral("/data/pos/sub"));
    }

    // A cancelled dialog moves nothing; an empty answer neither.
    d.answer(std::nullopt);
    d.save(of(FileKind::Macro));
    d.answer(QString());
    d.open(of(FileKind::Macro));
    d.answer(std::nullopt);
    d.open(of(FileKind::Macro));
    EXPECT_EQ(d.opened.back().folder, QStringLiteral("/data/pos/sub"));
}
