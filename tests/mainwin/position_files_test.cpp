// Position data files: the writer, New, Open, Save and Save As with their
// prompts, and the table display.
#include "catalogue/CatalogueTables.h"
#include "catalogue/Catalogue.h"
#include "files/PosiFile.h"
#include "mainwin/PositionCommands.h"
#include "mainwin/PositionEditor.h"
#include "files/FilesTestSupport.h"
#include "testsupport/FullDiskSave.h"
#include "testsupport/GridTestContext.h"
#include "testsupport/PositionHostRecorder.h"

#include <QDir>
#include <QFileInfo>

#include <QFileInfo>
#include <gtest/gtest.h>

namespace rer {
namespace {

using test::GridTestContext;
using test::PositionHostRecorder;
using testing::fileBytes;
using testing::fixture;
using testing::writeText;

// A two-axis or one-axis program with a valid default table in the grid.
struct FilesWorld : GridTestContext {
    QTemporaryDir dir;
    PositionHostRecorder host{ctx};

    explicit FilesWorld(int ctType = 1, int language = 2, bool mm = false) : GridTestContext(ctType, language, mm) {
        SetUpPositionGrid(ctx, ctx.opt.product());
    }
    QString tmp(const QString& name) const { return dir.filePath(name); }
    PositionGrid& grid() { return ctx.grid.of(ctx.opt.product()); }
};

// A position file in Shift-JIS with CR LF line ends.
void writeLines(const QString& path, const QStringList& lines) {
    writeText(path, lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

// ---- Writer

TEST(PositionFileWriter, WritesTheHandWrittenFileByteForByteAndReadsBack) {
    FilesWorld w;
    AppContext& ctx = w.ctx;
    ctx.dev.DevIsKZ = {true, false};
    ctx.dev.DevNewType = {true, true}; // axis 2 is VT: "OLD" whatever its flag
    auto& pos = ctx.pos.two;
    const double rows[3][11] = {{5, 3, 0, 1500, 4, 2, 1, 250, 1, 0, 0},
                                {9, 1, 3, 6667, 1, 1, 0, 0, 0, 3, 9},
                                {1, 1, 0, 0, 1, 1, 0, 12, 0, 0, 0}};
    const QString comments[3] = {QStringLiteral("原点復帰"), QStringLiteral("say \"hi\", a,b"), QString()};
    for (int r = 1; r <= 3; ++r) {
        for (int c = 0; c < 11; ++c) pos.PosiData[r][c] = Value::number(rows[r - 1][c]);
        pos.PosiData[r][11] = Value::text(comments[r - 1]);
    }
    for (int r = 4; r <= 399; ++r) pos.PosiNgRow[r - 1] = true; // left out
    w.grid().Tag = kDataChange;

    const QString path = w.tmp(QStringLiteral("out.kzd"));
    ASSERT_TRUE(SaveFileAs(ctx, w.host, Product::TwoAxis, path));
    EXPECT_EQ(fileBytes(path), fileBytes(fixture("posi_written.kzd")));
    EXPECT_EQ(ctx.main.TitleOfShowFile, QStringLiteral("out"));
    EXPECT_EQ(w.host.fileLabel, QStringLiteral("out"));
    EXPECT_EQ(ctx.posJob.ShownFilePath, QFileInfo(path).absoluteFilePath());
    EXPECT_TRUE(w.grid().Tag.isEmpty());
    EXPECT_TRUE(w.msg.shown.empty());

    ASSERT_TRUE(ReadPosiFile(ctx, path));
    PosiFileToEdit(ctx);
    EXPECT_EQ(pos.PosiFileDevice[0], QStringLiteral("KZ- 28A-100"));
    EXPECT_EQ(pos.PosiFileDevice[1], QStringLiteral("VT- 28A-100"));
    EXPECT_EQ(ctx.pos.PosiFileNewOrOld[0], QStringLiteral("NEW"));
    EXPECT_EQ(ctx.pos.PosiFileNewOrOld[1], QStringLiteral("OLD"));
    for (int r = 1; r <= 3; ++r) {
        for (int c : {0, 1, 2, 4, 5, 6, 8, 9, 10}) EXPECT_EQ(pos.PosiData[r][c].toNumber(), rows[r - 1][c]) << r << "," << c;
        EXPECT_EQ(ctx.pos.PosiValue[r][0].toNumber(), rows[r - 1][3]);
        EXPECT_EQ(ctx.pos.PosiValue[r][1].toNumber(), rows[r - 1][7]);
    }
    EXPECT_EQ(pos.PosiData[1][11].toText(), QStringLiteral("原点復帰"));
    EXPECT_EQ(pos.PosiData[2][11].toText(), QStringLiteral("say 'hi', a,b"));
    EXPECT_EQ(pos.PosiData[3][11].toText(), QString());
}

TEST(PositionFileWriter, OneAxisFileCarriesTheFixedSecondModelAndItsOwnMarkers) {
    FilesWorld w(2);
    AppContext& ctx = w.ctx;
    ctx.dev.DevIsKZ = {false, false};
    ctx.dev.DevNewType = {true, false}; // the series is not looked at
    for (int r = 2; r <= 399; ++r) ctx.pos.one.PosiNgRow[r - 1] = true;
    for (int c = 0; c < 11; ++c) ctx.pos.one.PosiData[1][c] = Value::number(c);
    const QString path = w.tmp(QStringLiteral("one.kzd"));
    ASSERT_TRUE(SaveFileAs(ctx, w.host, Product::OneAxis, path));
    const QList<QByteArray> lines = fileBytes(path).split('\n');
    EXPECT_EQ(lines[1], QByteArray("\"VT- 28A-100\",\"KZ- 39T-100\",\"NEW\",\"OLD\"\r"));
    EXPECT_EQ(lines[2], QByteArray("1,\"0\",\"1\",\"2\",\"3\",\"4\",\"5\",\"6\",\"7\",\"8\",\"9\",\"10\",\"\"\r"));
    EXPECT_TRUE(ctx.grid.flgdDataW3k.Tag.isEmpty());
}

TEST(PositionFileWriter, FailedWriteReportsAndChangesNothing) {
    FilesWorld w;
    AppContext& ctx = w.ctx;
    ctx.main.TitleOfShowFile = QStringLiteral("before");
    w.grid().Tag = kDataChange;

    // A folder that does not exist: the file and the reason under the message.
    EXPECT_FALSE(SaveFileAs(ctx, w.host, Product::TwoAxis, w.tmp(QStringLiteral("no/such/a.kzd"))));
    EXPECT_EQ(w.msg.lastText(), test::WriteFailureText(QStringLiteral("An error occured in saving data."),
                                                       w.tmp(QStringLiteral("no/such/a.kzd")), test::ReasonWords(ENOENT, 2)));

    // A text Shift-JIS cannot hold: the former file stays whole, the
    // message names the position.
    const QString path = w.tmp(QStringLiteral("keep.kzd"));
    writeLines(path, {QStringLiteral("\"former\"")});
    const QByteArray former = fileBytes(path);
    ctx.pos.two.PosiData[5][11] = Value::text(QStringLiteral("smile \U0001F600"));
    EXPECT_FALSE(SaveFileAs(ctx, w.host, Product::TwoAxis, path));
    EXPECT_EQ(fileBytes(path), former);
    EXPECT_EQ(w.msg.shown.size(), size_t(2));
    EXPECT_EQ(w.msg.lastText(), QStringLiteral("An error occured in saving data.\r\n"
                                               "The comment of position No. 5 holds a character that cannot be saved."));
    ctx.setLanguage(1);
    EXPECT_FALSE(SaveFileAs(ctx, w.host, Product::TwoAxis, path));
    EXPECT_EQ(w.msg.lastText(), QStringLiteral("データの保存でエラーが発生しました。\r\n"
                                               "位置No.5のコメントに保存できない文字が含まれています。"));
    EXPECT_EQ(fileBytes(path), former);
    ctx.setLanguage(2);
    w.msg.shown.pop_back();
    EXPECT_EQ(ctx.main.TitleOfShowFile, QStringLiteral("before"));
    EXPECT_EQ(w.host.fileLabel, QStringLiteral("(unset)"));
    EXPECT_EQ(w.grid().Tag, kDataChange);
    EXPECT_TRUE(ctx.posJob.ShownFilePath.isEmpty());
}

// The disk refuses the write: the former file stays byte for byte, the
// save is reported and nothing counts as saved.
TEST(PositionFileWriter, ASaveOnAFullDiskKeepsTheFormerFile) {
    for (int ctType : {1, 2}) {
        for (int language : {1, 2}) {
            FilesWorld w(ctType, language);
            AppContext& ctx = w.ctx;
            const Product p = ctx.opt.product();
            const QString path = w.tmp(QStringLiteral("kept.kzd"));
            w.files.answer(path);
            ASSERT_TRUE(PosiSaveAsCmd(ctx, w.host));
            const QString failed = test::WriteFailureText(language == 1 ? QStringLiteral("データの保存でエラーが発生しました。")
                                                                        : QStringLiteral("An error occured in saving data."),
                                                          path, test::ReasonWords(EFBIG, language));
            w.msg.clear();
            w.grid().setText(3, 1, QStringLiteral("7"));
            w.grid().Tag = kDataChange;
            EXPECT_EQ(test::SaveOnFullDisk(path,
                                           [&] {
                                               const bool saved = PosiSaveCmd(ctx, w.host);
                                               return QStringList{saved ? QStringLiteral("saved") : QStringLiteral("not saved"),
                                                                  ctx.main.HozonCancel ? QStringLiteral("HozonCancel") : QString(),
                                                                  w.grid().Tag} +
                                                      test::ShownTexts(w.msg);
                                           }),
                      (QStringList{QStringLiteral("not saved"), QStringLiteral("HozonCancel"), kDataChange, failed}))
                << ctType;

            // A file of a few positions (the others left out) stays in the
            // write buffer until the save flushes it.
            for (int r = 4; r <= 399; ++r) ctx.pos.of(p).PosiNgRow[size_t(r - 1)] = true;
            w.msg.clear();
            EXPECT_EQ(test::SaveOnFullDisk(path,
                                           [&] {
                                               const bool saved = SaveFileAs(ctx, w.host, p, path);
                                               return QStringList{saved ? QStringLiteral("saved") : QStringLiteral("not saved")} +
                                                      test::ShownTexts(w.msg);
                                           }),
                      (QStringList{QStringLiteral("not saved"), failed}))
                << ctType;

            // The user's own file in a folder that takes no new file, on a
            // disk that takes the copy of the former file only: the file is
            // left incomplete, and the user is told so and where its former
            // content is, in the program's language.
            writeLines(path, {QStringLiteral("\"former\"")});
            w.msg.clear();
            const test::InPlaceSave inPlace = test::SaveInPlacePartWay(path, [&] {
                const bool saved = SaveFileAs(ctx, w.host, p, path);
                return QStringList{saved ? QStringLiteral("saved") : QStringLiteral("not saved")} + test::ShownTexts(w.msg);
            });
            const QString incomplete =
                test::WriteFailureText(language == 1 ? QStringLiteral("データの保存でエラーが発生しました。")
                                                     : QStringLiteral("An error occured in saving data."),
                                       path, test::InPlaceFailureWords(EFBIG, inPlace.copy, language));
            EXPECT_EQ(inPlace.report, (QStringList{QStringLiteral("not saved"), incomplete})) << ctType;
            if (language == 1) {
                for (const QString& told : {failed, incomplete})
                    EXPECT_EQ(test::LatinWords(told, {path, inPlace.copy}), QStringList()) << told.toStdString();
            }
        }
    }
}

// ---- Save As and Save

TEST(PositionFileCommands, SaveAsAsksConfirmsAndNamesTheFile) {
    for (int ctType : {1, 2}) {
        FilesWorld w(ctType, 1);
        AppContext& ctx = w.ctx;
        const Product p = ctx.opt.product();
        w.grid().setText(3, 1, QStringLiteral("7"));
        w.grid().Tag = kDataChange;
        const QString path = w.tmp(QStringLiteral("saved.kzd"));
        w.files.answer(path);
        EXPECT_TRUE(PosiSaveAsCmd(ctx, w.host));
        ASSERT_EQ(w.msg.shown.size(), size_t(1));
        EXPECT_EQ(w.msg.shown[0].text, QStringLiteral("データをファイルに書き込みます。よろしいですか？"));
        EXPECT_EQ(w.msg.shown[0].buttons, MsgButtons::OkCancel);
        EXPECT_EQ(w.msg.shown[0].icon, MsgIcon::Question);
        ASSERT_EQ(w.files.saved.size(), size_t(1));
        const FileDialogRequest& req = w.files.saved[0];
        EXPECT_EQ(req.title, QStringLiteral("名前を付けて保存する"));
        EXPECT_EQ(req.filter, QStringLiteral("位置データ(*.kzd)|*.kzd|すべてのファイル(*.*)|*.*"));
        EXPECT_EQ(req.fileName, QStringLiteral("kzdata.kzd"));
        EXPECT_EQ(req.defaultExt, QStringLiteral("kzd"));
        EXPECT_EQ(req.kind, FileKind::Position);
        EXPECT_TRUE(req.confirmOverwrite);
        EXPECT_EQ(ctx.pos.of(p).SaveFileName, QStringLiteral("saved.kzd"));
        EXPECT_EQ(ctx.main.TitleOfShowFile, QStringLiteral("saved"));
        EXPECT_FALSE(ctx.main.HozonCancel);
        EXPECT_TRUE(w.grid().Tag.isEmpty());
        EXPECT_EQ(fileBytes(path).split('\n').size(), 402); // 401 lines and the end
        ASSERT_TRUE(ReadPosiFile(ctx, p, path));
        EXPECT_EQ(ctx.pos.of(p).PosiFileData[3][1].toNumber(), 7);
        EXPECT_EQ(w.host.calls, QStringList({QStringLiteral("Off"), QStringLiteral("On")}));
        EXPECT_EQ(w.host.win.calls, QStringList({QStringLiteral("FocusDummy")}));
    }
}

TEST(PositionFileCommands, SaveAsThatDidNotWriteCountsAsCancelled) {
    enum Stop { CheckRefused, ConfirmCancelled, DialogCancelled, WriteFailed };
    for (Stop stop : {CheckRefused, ConfirmCancelled, DialogCancelled, WriteFailed}) {
        FilesWorld w;
        AppContext& ctx = w.ctx;
        w.grid().Tag = kDataChange;
        if (stop == CheckRefused) w.grid().setText(2, 1, QStringLiteral("0"));
        if (stop == ConfirmCancelled) w.msg.answer(MsgAnswer::Cancel);
        if (stop == WriteFailed) w.files.answer(w.tmp(QStringLiteral("missing/x.kzd")));
        EXPECT_FALSE(PosiSaveAsCmd(ctx, w.host)) << stop;
        EXPECT_TRUE(ctx.main.HozonCancel) << stop;
        EXPECT_EQ(w.grid().Tag, kDataChange) << stop;
        EXPECT_EQ(w.files.saved.size(), size_t(stop >= DialogCancelled ? 1 : 0)) << stop;
    }
}

TEST(PositionFileCommands, SaveAfterNewOrReadAsksAfterOpenWritesBackIntoTheFile) {
    FilesWorld w;
    AppContext& ctx = w.ctx;
    PosiNewCmd(ctx, w.host);
    EXPECT_EQ(ctx.main.TitleOfShowFile, QStringLiteral("New "));
    w.files.answer(std::nullopt);
    EXPECT_FALSE(PosiSaveCmd(ctx, w.host));
    EXPECT_TRUE(ctx.main.HozonCancel);
    ASSERT_EQ(w.files.saved.size(), size_t(1));
    EXPECT_EQ(w.files.saved[0].title, QStringLiteral("Save Position Data to file"));
    EXPECT_EQ(w.files.saved[0].fileName, QStringLiteral("kzdata1.kzd"));
    EXPECT_EQ(w.files.saved[0].filter, QStringLiteral("Position Data(*.kzd)|*.kzd|All file(*.*)|*.*"));

    // A file opened from another folder: Save writes back into that file,
    // whatever the case or the extension of its name and whatever folder a
    // later dialog used; no second file appears beside it.
    QDir(w.dir.path()).mkdir(QStringLiteral("sub"));
    ctx.dev.DevIsKZ = {true, true};
    for (auto& a : ctx.dev.two) GridTestContext::setActuator(a, QStringLiteral(" 28"), QStringLiteral("L"));
    for (const char* name : {"sub/A.KZD", "sub/a.vtd"}) {
        const QString opened = w.tmp(QString::fromLatin1(name));
        ASSERT_TRUE(SaveFileAs(ctx, w.host, Product::TwoAxis, opened));
        w.files.answer(w.tmp(QStringLiteral("elsewhere")));
        ASSERT_TRUE(PosiSaveAsCmd(ctx, w.host));
        EXPECT_TRUE(QFileInfo::exists(w.tmp(QStringLiteral("elsewhere.kzd")))) << "Save As adds the extension";
        w.files.answer(opened);
        PosiFileOpenCmd(ctx, w.host);
        ASSERT_EQ(ctx.posJob.ShownFilePath, QFileInfo(opened).absoluteFilePath()) << name << ": " << w.msg.lastText().toStdString();
        w.grid().setText(1, 1, QStringLiteral("8"));
        const size_t dialogs = w.files.saved.size();
        EXPECT_TRUE(PosiSaveCmd(ctx, w.host)) << name;
        EXPECT_EQ(w.files.saved.size(), dialogs) << name;
        EXPECT_EQ(ctx.main.TitleOfShowFile, QFileInfo(opened).completeBaseName()) << name;
        EXPECT_EQ(ctx.posJob.ShownFilePath, QFileInfo(opened).absoluteFilePath()) << name;
        // Opened again, the file holds the edit.
        ASSERT_TRUE(ReadPosiFile(ctx, Product::TwoAxis, opened)) << name;
        EXPECT_EQ(ctx.pos.two.PosiFileData[1][1].toText(), QStringLiteral("8")) << name;
        w.grid().setText(1, 1, QStringLiteral("5"));
    }
    EXPECT_EQ(QDir(w.tmp(QStringLiteral("sub"))).entryList(QDir::Files, QDir::Name),
              (QStringList{QStringLiteral("A.KZD"), QStringLiteral("a.vtd")}));
}

// ---- New

TEST(PositionFileCommands, NewFillsDefaultsAndAsksBeforeLosingEdits) {
    for (int ctType : {1, 2}) {
        FilesWorld w(ctType, 2, true);
        AppContext& ctx = w.ctx;
        const Product p = ctx.opt.product();
        auto& axes = ctx.dev.axes(p);
        GridTestContext::setActuator(axes[0], SpecialModel::size(), SpecialModel::speed()); // ACC "2"
        w.grid().setText(5, 1, QStringLiteral("9"));
        ctx.grid.flgdDummy.setText(5, 2, QStringLiteral("3"));
        w.grid().Tag = kDataChange;

        // Cancel: nothing happens.
        w.msg.answer(MsgAnswer::Cancel);
        PosiNewCmd(ctx, w.host);
        EXPECT_EQ(w.msg.lastText(), QStringLiteral("Data have been changed.Save the data into the file?"));
        EXPECT_EQ(w.msg.shown.back().buttons, MsgButtons::YesNoCancel);
        EXPECT_EQ(w.grid().text(5, 1), QStringLiteral("9"));

        // Yes, then the save dialog cancelled.
        w.msg.answer(MsgAnswer::Yes);
        w.files.answer(std::nullopt);
        PosiNewCmd(ctx, w.host);
        EXPECT_EQ(w.msg.lastText(), QStringLiteral("Did not execute [new] command."));
        EXPECT_EQ(w.grid().text(5, 1), QStringLiteral("9"));
        EXPECT_EQ(w.grid().Tag, kDataChange);

        // No: the defaults.
        w.msg.answer(MsgAnswer::No);
        PosiNewCmd(ctx, w.host);
        const QStringList expected = NewRowTexts(p, true, true, false);
        for (int c = 1; c <= LastColumn(p); ++c) EXPECT_EQ(w.grid().text(5, c), expected[c]) << c;
        EXPECT_EQ(w.grid().text(399, 2), QStringLiteral("2"));
        EXPECT_EQ(w.grid().text(399, 4), QStringLiteral("  0.000"));
        if (p == Product::TwoAxis) {
            EXPECT_EQ(w.grid().text(399, 6), QStringLiteral("3"));
        } else {
            EXPECT_TRUE(ctx.grid.flgdDummy.text(5, 2).isEmpty());
        }
        EXPECT_TRUE(w.grid().Tag.isEmpty());
        EXPECT_EQ(ctx.main.TitleOfShowFile, QStringLiteral("New "));
        EXPECT_EQ(w.host.fileLabel, QStringLiteral("New "));
        EXPECT_TRUE(w.host.calls.contains(QStringLiteral("LineOff")));
    }
}

TEST(PositionFileCommands, TextPendingInTheEditorCountsBeforeNew) {
    FilesWorld w(1, 1);
    AppContext& ctx = w.ctx;
    ctx.grid.commitPendingEdit = [&] {
        w.grid().setText(1, 1, QStringLiteral("8"));
        w.grid().Tag = kDataChange;
    };
    w.msg.answer(MsgAnswer::Cancel);
    PosiNewCmd(ctx, w.host);
    EXPECT_EQ(w.msg.lastText(), QStringLiteral("データが変更されています。ファイルに保存しますか？"));
    EXPECT_EQ(w.grid().text(1, 1), QStringLiteral("8"));
    ctx.grid.commitPendingEdit = nullptr;
    w.msg.answer(MsgAnswer::No);
    PosiNewCmd(ctx, w.host);
    EXPECT_EQ(ctx.main.TitleOfShowFile, QStringLiteral("新規作成"));
}

// ---- Open

// A two-axis file: axis 1 new-type KZ 28L-100 (lead 6, 400 p/rev), axis 2
// VT 20L-100 (lead 2, 400 p/rev).
QStringList TwoAxisFile(const QString& model1 = QStringLiteral("KZ- 28L-100"),
                        const QString& model2 = QStringLiteral("VT- 20L-100")) {
    return {QStringLiteral("\"VO-D6\""),
            QStringLiteral("\"%1\",\"%2\",\"NEW\",\"OLD\"").arg(model1, model2),
            QStringLiteral("1,\"5\",\"3\",\"0\",\"8000\",\"4\",\"2\",\"1\",\"250\",\"1\",\"0\",\"0\",\"first\""),
            QStringLiteral("399,\"9\",\"1\",\"3\",\"6667\",\"1\",\"1\",\"0\",\"0\",\"0\",\"3\",\"9\",\"last\"")};
}

TEST(PositionFileCommands, OpenTakesTheFileActuatorsAndShowsTheTable) {
    FilesWorld w;
    AppContext& ctx = w.ctx;
    const QString path = w.tmp(QStringLiteral("b.vtd"));
    writeLines(path, TwoAxisFile());
    w.files.answer(path);
    const QString savedSettings = w.get(QStringLiteral("DevSize0"));
    PosiFileOpenCmd(ctx, w.host);
    EXPECT_TRUE(w.msg.shown.empty()) << w.msg.lastText().toStdString();
    ASSERT_EQ(w.files.opened.size(), size_t(1));
    EXPECT_EQ(w.files.opened[0].title, QStringLiteral("Open Position Data file"));
    EXPECT_EQ(w.files.opened[0].kind, FileKind::Position);
    EXPECT_EQ(w.files.opened[0].filter,
              QStringLiteral("Position Data(*.kzd)|*.kzd|Position Data(*.vtd)|*.vtd|All files(*.*)|*.*"));
    EXPECT_TRUE(w.files.opened[0].mustExist);

    EXPECT_EQ(ctx.main.TitleOfShowFile, QStringLiteral("b"));
    EXPECT_EQ(w.host.fileLabel, QStringLiteral("b"));
    EXPECT_EQ(ctx.posJob.ShownFilePath, QFileInfo(path).absoluteFilePath());
    const auto& ax = ctx.dev.two;
    EXPECT_TRUE(ctx.dev.DevIsKZ[0]);
    EXPECT_FALSE(ctx.dev.DevIsKZ[1]);
    EXPECT_TRUE(ctx.dev.DevNewType[0]);
    EXPECT_TRUE(ctx.dev.DevVertical[0]); // a new-type KZ homes by LS
    EXPECT_EQ(ax[0].Series, QStringLiteral("KZ"));
    EXPECT_EQ(ax[1].Series, QStringLiteral("VT"));
    EXPECT_EQ(ax[0].Size, QStringLiteral(" 28"));
    EXPECT_EQ(ax[0].Speed, QStringLiteral("L"));
    EXPECT_EQ(ax[1].Size, QStringLiteral(" 20"));
    EXPECT_EQ(ax[0].Lead, 6);
    EXPECT_EQ(ax[1].Lead, 2);
    EXPECT_EQ(ax[0].PPR, 400);
    EXPECT_GT(ax[0].MaxPulse, 0);
    EXPECT_EQ(w.get(QStringLiteral("DevSize0")), savedSettings); // settings untouched
    EXPECT_EQ(w.host.win.labels[0], QStringLiteral("KZ- 28L-100"));
    EXPECT_EQ(w.host.win.labels[1], QStringLiteral("VT- 20L-100"));
    EXPECT_FALSE(w.host.win.panels[1].isEmpty());

    EXPECT_EQ(w.grid().text(1, 1), QStringLiteral("5"));
    EXPECT_EQ(w.grid().text(1, 4), QStringLiteral("   8000"));
    EXPECT_EQ(w.grid().text(1, 8), QStringLiteral("    250"));
    EXPECT_EQ(w.grid().text(1, 12), QStringLiteral("first"));
    EXPECT_EQ(w.grid().text(399, 11), QStringLiteral("9"));
    EXPECT_EQ(w.grid().text(2, 1), QStringLiteral("0")); // not in the file
    EXPECT_TRUE(w.grid().Tag.isEmpty());
    EXPECT_EQ(w.host.calls, QStringList({QStringLiteral("Off"), QStringLiteral("On")}));
}

TEST(PositionFileCommands, OneAxisOpenFillsTheHiddenCarrier) {
    FilesWorld w(2, 2, true);
    AppContext& ctx = w.ctx;
    const QString path = w.tmp(QStringLiteral("one.kzd"));
    writeLines(path, {QStringLiteral("\"VO-D6\""),
                      QStringLiteral("\"KZ- 28L-100V\",\"anything\",\"OLD\",\"OLD\""),
                      QStringLiteral("7,\"5\",\"3\",\"0\",\"8000\",\"4\",\"2\",\"1\",\"250\",\"1\",\"2\",\"3\",\"c\"")});
    w.files.answer(path);
    const QString secondBefore = ctx.dev.one[1].Size;
    PosiFileOpenCmd(ctx, w.host);
    EXPECT_TRUE(w.msg.shown.empty()) << w.msg.lastText().toStdString();
    EXPECT_FALSE(ctx.dev.DevNewType[0]);
    EXPECT_TRUE(ctx.dev.DevVertical[0]); // "V" among the options
    EXPECT_EQ(ctx.dev.one[0].Lead, 6);
    // The second model a one-axis file names is not taken.
    EXPECT_EQ(ctx.dev.one[1].Size, secondBefore);
    EXPECT_EQ(ctx.dev.one[1].Stroke, 100);
    const PositionGrid& g = ctx.grid.flgdDataW3k;
    // 8000 pulses with lead 6 mm and 400 pulses per revolution.
    EXPECT_EQ(g.text(7, 4), QStringLiteral("120.000"));
    EXPECT_EQ(g.text(7, 5), QStringLiteral("2"));
    EXPECT_EQ(g.text(7, 6), QStringLiteral("3"));
    EXPECT_EQ(g.text(7, 7), QStringLiteral("c"));
    const PositionGrid& d = ctx.grid.flgdDummy;
    const char* carried[] = {"4", "2", "1", "250", "1"};
    for (int c = 1; c <= 5; ++c) EXPECT_EQ(d.text(7, c), QString::fromLatin1(carried[c - 1])) << c;
}

TEST(PositionFileCommands, FailedOpenChangesNothing) {
    struct Case {
        const char* name;
        QStringList lines;
        const char* message; // nullptr: none
    };
    const char* notPosi = "Not Position Data file for DI-D6. Opening file is canceled.";
    const Case cases[] = {
        {"wrong tag", {QStringLiteral("\"VO-D7\""), QStringLiteral("\"KZ- 28L-100\",\"KZ- 28L-100\",\"OLD\",\"OLD\"")}, notPosi},
        {"stroke not a number", TwoAxisFile(QStringLiteral("KZ- 28L-1x0")), notPosi},
        {"model too long", TwoAxisFile(QStringLiteral("KZ- 28L-100VVVV")), notPosi},
        // Not taken: the last dialog choice (none) is not in the catalogue.
        {"model not in the catalogue", TwoAxisFile(QStringLiteral("KZ- 28L-999")), nullptr},
        {"broken record", {QStringLiteral("\"VO-D6\""), QStringLiteral("\"KZ- 28L-100\",\"VT- 20L-100\",\"OLD\",\"OLD\""),
                           QStringLiteral("400,\"5\"")}, nullptr},
    };
    for (const Case& c : cases) {
        FilesWorld w;
        AppContext& ctx = w.ctx;
        ctx.main.TitleOfShowFile = QStringLiteral("kept");
        ctx.posJob.ShownFilePath = QStringLiteral("/kept/kept.kzd");
        w.grid().setText(3, 1, QStringLiteral("7"));
        w.grid().Tag = kDataChange;
        ctx.pos.two.PosiFileData[3][1] = Value::text(QStringLiteral("old"));
        const auto gridBefore = w.grid().snapshot();
        const ActuatorChoice devBefore = ctx.dev;
        const QString path = w.tmp(QStringLiteral("bad.kzd"));
        writeLines(path, c.lines);
        w.msg.answer(MsgAnswer::No); // do not save first
        w.files.answer(path);
        PosiFileOpenCmd(ctx, w.host);
        EXPECT_EQ(w.grid().snapshot(), gridBefore) << c.name;
        EXPECT_EQ(w.grid().Tag, kDataChange) << c.name;
        EXPECT_EQ(ctx.main.TitleOfShowFile, QStringLiteral("kept")) << c.name;
        EXPECT_EQ(w.host.fileLabel, QStringLiteral("(unset)")) << c.name;
        EXPECT_EQ(ctx.posJob.ShownFilePath, QStringLiteral("/kept/kept.kzd")) << c.name;
        EXPECT_EQ(ctx.dev.two[0].Size, devBefore.two[0].Size) << c.name;
        EXPECT_EQ(ctx.dev.two[1].Lead, devBefore.two[1].Lead) << c.name;
        EXPECT_EQ(ctx.dev.DevIsKZ, devBefore.DevIsKZ) << c.name;
        EXPECT_EQ(ctx.dev.SelNewType, devBefore.SelNewType) << c.name;
        EXPECT_EQ(ctx.pos.two.PosiFileData[3][1].toText(), QStringLiteral("old")) << c.name;
        if (c.message) {
            // Over the file's name.
            EXPECT_EQ(w.msg.lastText(), QString::fromUtf8(c.message) + QStringLiteral("\r\n") +
                                            QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()))
                << c.name;
        }
        EXPECT_EQ(w.host.calls.back(), QStringLiteral("On")) << c.name;
    }
}

TEST(PositionFileCommands, OpenReportsAModelItCannotTakeAndGoesOn) {
    FilesWorld w;
    AppContext& ctx = w.ctx;
    // Stroke 999 is not taken: the last dialog choice stands for axis 1 and 2.
    ctx.dev.DevIsKZ[1] = true;
    for (auto& a : ctx.dev.two) {
        a.SelSize = QStringLiteral(" 28");
        a.SelSpeed = QStringLiteral("L");
        a.SelStroke = 50;
    }
    const QString path = w.tmp(QStringLiteral("c.kzd"));
    writeLines(path, TwoAxisFile(QStringLiteral("KZ- 28L-999")));
    w.files.answer(path);
    PosiFileOpenCmd(ctx, w.host);
    ASSERT_EQ(w.msg.shown.size(), size_t(1));
    EXPECT_EQ(w.msg.lastText(), QStringLiteral("Type not selected.\r\nPlease select actuator type."));
    EXPECT_EQ(ctx.main.TitleOfShowFile, QStringLiteral("c"));
    EXPECT_EQ(ctx.dev.two[0].Stroke, 50);
    EXPECT_EQ(ctx.dev.two[1].Stroke, 50);
    EXPECT_EQ(w.grid().text(1, 12), QStringLiteral("first"));
}

TEST(PositionFileCommands, OpenAsksToSaveUnsavedEdits) {
    FilesWorld w;
    AppContext& ctx = w.ctx;
    const QString path = w.tmp(QStringLiteral("d.kzd"));
    writeLines(path, TwoAxisFile());
    w.grid().Tag = kDataChange;

    w.msg.answer(MsgAnswer::Cancel);
    PosiFileOpenCmd(ctx, w.host);
    EXPECT_TRUE(w.files.opened.empty());

    w.msg.answer(MsgAnswer::Yes);
    w.files.answer(std::nullopt); // the save dialog is cancelled
    PosiFileOpenCmd(ctx, w.host);
    EXPECT_EQ(w.msg.lastText(), QStringLiteral("Did not execute [open] command."));
    EXPECT_TRUE(w.files.opened.empty());
    EXPECT_EQ(w.grid().Tag, kDataChange);

    w.msg.answer(MsgAnswer::Yes);
    w.files.answer(w.tmp(QStringLiteral("first.kzd")));
    w.files.answer(path);
    PosiFileOpenCmd(ctx, w.host);
    EXPECT_TRUE(QFileInfo::exists(w.tmp(QStringLiteral("first.kzd"))));
    EXPECT_EQ(ctx.main.TitleOfShowFile, QStringLiteral("d"));
}

// ---- Display

TEST(PositionDisplay, ShowsEmptyCellsAsZeroAndPositionsInEitherUnit) {
    for (bool mm : {false, true}) {
        FilesWorld w(1, 2, mm);
        AppContext& ctx = w.ctx;
        auto& ax = ctx.dev.two[0];
        ax.Lead = 6;
        ax.PPR = 800;
        ctx.pos.PosiValue[4][0] = Value::number(8000);
        PosiTblPlsToMm(ctx);
        ctx.pos.two.PosiData[4][0] = Value::text(QStringLiteral(" 7abc"));
        ctx.pos.two.PosiData[4][11] = Value::text(QStringLiteral("note"));
        KzDataHyoji(ctx, Product::TwoAxis);
        EXPECT_EQ(w.grid().text(4, 4), mm ? QStringLiteral(" 60.000") : QStringLiteral("   8000"));
        EXPECT_EQ(w.grid().text(4, 1), QStringLiteral("7"));
        EXPECT_EQ(w.grid().text(4, 2), QStringLiteral("0"));
        EXPECT_EQ(w.grid().text(4, 12), QStringLiteral("note"));
        EXPECT_EQ(w.grid().text(5, 8), mm ? QStringLiteral("  0.000") : QStringLiteral("      0"));
    }
}

} // namespace
} // namespace rer
