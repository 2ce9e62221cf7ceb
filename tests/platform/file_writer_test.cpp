#include "platform/FileWriter.h"
#include "testsupport/FullDisk.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>

using namespace rer;
using namespace rer::test;

namespace {

// A file's content of about `size` bytes, numbered lines that name `tag`:
// no two contents, and no mix of two, look alike.
QByteArray Content(char tag, int size) {
    QByteArray out;
    for (int line = 1; out.size() < size; ++line)
        out += QByteArray::number(line) + ",\"" + QByteArray(20, tag) + "\"," + QByteArray::number(line * 7) + "\r\n";
    return out;
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

// What a write in place reports: both texts of its failure, "" when none.
QStringList Told(const WriteFailure& why) { return {why.jp, why.en}; }

// Removes every file of a folder.
void Empty(const QString& folder) {
    for (const QString& name : FilesIn(folder)) QFile::remove(QDir(folder).filePath(name));
}

} // namespace

// The user's own file in a folder that takes no new file is written in
// place. A program killed at any moment of that, hundreds of times at
// random: the file is the former one or the new one, whole, or else the
// copy in the user's cache holds the former one whole.
TEST(FileWriter, AWriteInPlaceKilledAtAnyMomentLeavesTheFormerFileOrTheNewOneWhole) {
    QTemporaryDir dir;
    ScopedCacheFolder cache;
    const QString path = dir.filePath(QStringLiteral("own.kzd"));
    const QByteArray a = Content('a', 32 * 1024), b = Content('b', 48 * 1024);
    WriteBytes(path, a);
    const FolderThatTakesNoNewFile world(path, 0, {cache.path()});
    const auto enter = [&world] { return world.enter(); };

    // How long one write in place takes here.
    const ChildOutcome timing = RunInChild(enter, [&] {
        QFile probe(dir.filePath(QStringLiteral("probe")));
        const bool refused = !probe.open(QIODevice::WriteOnly | QIODevice::NewOnly);
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < 10; ++i)
            if (WriteWholeFile(path, i % 2 ? a : b).failed()) return QStringList{QStringLiteral("failed")};
        return QStringList{refused ? QStringLiteral("in place") : QStringLiteral("beside"),
                           QString::number(clock.nsecsElapsed() / 10 / 1000)};
    });
    ASSERT_TRUE(timing.exited && timing.status == 0);
    ASSERT_EQ(timing.report.size(), 2) << timing.report.join(QLatin1Char(' ')).toStdString();
    ASSERT_EQ(timing.report[0], QStringLiteral("in place"));
    ASSERT_EQ(FileBytes(path), a);
    ASSERT_EQ(cache.copies(), QStringList());
    const qint64 writeUs = std::max<qint64>(timing.report[1].toLongLong(), 100);

    QRandomGenerator random(31);
    const int kills = 300;
    int torn = 0;
    for (int i = 0; i < kills; ++i) {
        const Child child = StartChild(enter, [&] {
            for (;;) {
                WriteWholeFile(path, b);
                WriteWholeFile(path, a);
            }
            return QStringList();
        });
        ASSERT_GT(child.pid, 0);
        ::usleep(useconds_t(random.bounded(writeUs * 3)));
        ::kill(child.pid, SIGKILL);
        const ChildOutcome out = FinishChild(child);
        ASSERT_FALSE(out.exited) << "the child ended before it was killed: status " << out.status;

        const QByteArray now = FileBytes(path);
        if (now != a && now != b) {
            ++torn;
            const QStringList copies = cache.copies();
            ASSERT_EQ(copies.size(), 1) << "kill " << i << ": " << copies.join(QLatin1Char(' ')).toStdString();
            const QByteArray kept = FileBytes(QDir(cache.copyFolder()).filePath(copies[0]));
            ASSERT_TRUE(kept == a || kept == b) << "kill " << i << ": the file and its copy are both torn ("
                                                << now.size() << " and " << kept.size() << " bytes)";
        }
        // The user takes the file back; the copies go.
        WriteBytes(path, a);
        Empty(cache.copyFolder());
    }
    // The kills did reach the file while it was being written.
    EXPECT_GT(torn, 0);
    std::printf("%d of %d kills came while the file was being written in place (a write takes %lld us)\n", torn,
                kills, static_cast<long long>(writeUs));
}

// Writes in place that fail part way (the disk takes the copy, not the
// whole new file): each file's copy is its own, though the files have one
// name; a copy left by a write that did not end is never written over; a
// write that ends well removes its own copy only.
TEST(FileWriter, EveryFileWrittenInPlaceKeepsItsOwnCopy) {
    QTemporaryDir one, two;
    ScopedCacheFolder cache;
    const QString first = one.filePath(QStringLiteral("own.pmd")), second = two.filePath(QStringLiteral("own.pmd"));
    const QByteArray firstFormer = Content('1', 2000), secondFormer = Content('2', 3000);
    WriteBytes(first, firstFormer);
    WriteBytes(second, secondFormer);
    const QByteArray longer = Content('n', 5000);
    // Writes `bytes` into `path` in place on a disk that takes no file
    // larger than `limit`: what it told.
    const auto writeInPlace = [&](const QString& path, const QByteArray& bytes, qint64 limit) {
        const ChildOutcome out = RunInFolderThatTakesNoNewFile(
            path, limit, [&] { return Told(WriteWholeFile(path, bytes)); }, {cache.path()});
        EXPECT_TRUE(out.exited && out.status == 0);
        return out.report;
    };
    const auto incomplete = [](const QString& copy) {
        return QStringList{InPlaceFailureWords(EFBIG, copy, 1), InPlaceFailureWords(EFBIG, copy, 2)};
    };

    EXPECT_EQ(writeInPlace(first, longer, firstFormer.size()).size(), 2);
    EXPECT_EQ(writeInPlace(second, longer, secondFormer.size()).size(), 2);
    const QStringList copies = cache.copies();
    ASSERT_EQ(copies.size(), 2);
    QString firstCopy, secondCopy;
    for (const QString& name : copies) {
        EXPECT_TRUE(name.endsWith(QStringLiteral("-own.pmd"))) << name.toStdString();
        const QString copy = QDir(cache.copyFolder()).filePath(name);
        (FileBytes(copy) == firstFormer ? firstCopy : secondCopy) = copy;
    }
    ASSERT_FALSE(firstCopy.isEmpty());
    ASSERT_FALSE(secondCopy.isEmpty());
    EXPECT_EQ(FileBytes(secondCopy), secondFormer);

    // Each told where its own copy is.
    Empty(cache.copyFolder());
    WriteBytes(first, firstFormer);
    WriteBytes(second, secondFormer);
    EXPECT_EQ(writeInPlace(first, longer, firstFormer.size()), incomplete(firstCopy));
    EXPECT_EQ(writeInPlace(second, longer, secondFormer.size()), incomplete(secondCopy));

    // The first file is now incomplete and its copy holds it whole: a
    // second write that fails keeps that copy and makes one of its own.
    const QByteArray torn = FileBytes(first);
    ASSERT_NE(torn, firstFormer);
    const QStringList told = writeInPlace(first, longer, torn.size());
    ASSERT_EQ(told.size(), 2);
    EXPECT_EQ(FileBytes(firstCopy), firstFormer);
    const QStringList now = cache.copies();
    ASSERT_EQ(now.size(), 3);
    QString newCopy;
    for (const QString& name : now) {
        const QString copy = QDir(cache.copyFolder()).filePath(name);
        if (copy != firstCopy && copy != secondCopy) newCopy = copy;
    }
    EXPECT_EQ(FileBytes(newCopy), torn);
    EXPECT_EQ(told, incomplete(newCopy));

    // A write that ends well: the file whole, its own copy gone, the copies
    // of the writes that did not end kept.
    EXPECT_EQ(writeInPlace(first, longer, 0), QStringList({QString(), QString()}));
    EXPECT_EQ(FileBytes(first), longer);
    EXPECT_EQ(cache.copies(), now);
}

// A write in place for which no copy can be kept, and a new file in a
// folder that takes none: nothing is written, and the user is told why in
// the program's language.
TEST(FileWriter, NoCopyNoWriteInPlace) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("own.grp"));
    const QByteArray former = Content('f', 1000);
    WriteBytes(path, former);
    QTemporaryDir elsewhere;
    // The user's cache is a file, not a folder: no folder of copies in it.
    const QString notAFolder = elsewhere.filePath(QStringLiteral("cache"));
    WriteBytes(notAFolder, "a file");
    const ScopedCacheFolder cache(notAFolder);
    const QString folder = cache.copyFolder();
    const ChildOutcome out = RunInFolderThatTakesNoNewFile(
        path, 0,
        [&] {
            return Told(WriteWholeFile(path, Content('n', 2000))) +
                   Told(WriteWholeFile(dir.filePath(QStringLiteral("new.grp")), Content('n', 2000)));
        },
        {elsewhere.path()});
    ASSERT_TRUE(out.exited && out.status == 0);
    EXPECT_EQ(out.report.join(QLatin1Char('\n')).toStdString(),
              (QStringList{NoCopyWords(folder, QStringLiteral("フォルダでないものがパスの途中にあります"), 1),
                           NoCopyWords(folder, QStringLiteral("Not a directory"), 2), ReasonWords(EACCES, 1),
                           ReasonWords(EACCES, 2)})
                  .join(QLatin1Char('\n'))
                  .toStdString());
    EXPECT_EQ(FileBytes(path), former);
    EXPECT_EQ(FilesIn(dir.path()), QStringList{QStringLiteral("own.grp")});
}
