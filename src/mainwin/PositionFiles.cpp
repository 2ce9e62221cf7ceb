#include "app/AppContext.h"
#include "catalogue/Catalogue.h"
#include "files/DataCodec.h"
#include "files/Decimal.h"
#include "files/FileHeader.h"
#include "files/PosiFile.h"
#include "link/TextHelpers.h"
#include "mainwin/PositionCommands.h"
#include "mainwin/PositionEditor.h"
#include "platform/FileWriter.h"

#include <QDir>
#include <QFileInfo>

namespace rer {

namespace {

void CommitPending(AppContext& ctx) {
    if (ctx.grid.commitPendingEdit) ctx.grid.commitPendingEdit();
}

QString SaveErrorText(const AppContext& ctx) {
    return ctx.pick(QStringLiteral("データの保存でエラーが発生しました。"),
                    QStringLiteral("An error occured in saving data."));
}

bool SaveWorker(AppContext& ctx, PositionHost& host, bool saveAs);

void SetShownFile(AppContext& ctx, PositionHost& host, const QString& title, const QString& path) {
    ctx.main.TitleOfShowFile = title;
    ctx.posJob.ShownFilePath = path;
    host.SetFileLabel(title);
}

// Asks to save unsaved edits before the grid is replaced. False when the
// command is to stop (Cancel, or the save did not write the file).
bool SaveChangesFirst(AppContext& ctx, PositionHost& host, Product p, const QString& notDoneText) {
    if (ctx.grid.of(p).Tag != kDataChange) return true;
    const MsgAnswer a = ctx.message(ctx.pick(QStringLiteral("データが変更されています。ファイルに保存しますか？"),
                                             QStringLiteral("Data have been changed.Save the data into the file?")),
                                    MsgButtons::YesNoCancel, MsgIcon::Question);
    if (a == MsgAnswer::Cancel) return false;
    if (a != MsgAnswer::Yes) return true;
    SaveWorker(ctx, host, false);
    if (ctx.main.PosiDataCheckError) return false; // the check has told the user
    if (ctx.main.HozonCancel) {
        ctx.message(notDoneText);
        return false;
    }
    return true;
}

// The whole number formed by the stroke characters of a model string.
std::optional<int> StrokeOf(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 4) return std::nullopt;
    for (QChar c : t)
        if (!c.isDigit() || c.unicode() > u'9') return std::nullopt;
    return t.toInt();
}

} // namespace

// ---- Display

void KzDataHyoji(AppContext& ctx, Product p) {
    PositionGrid& g = ctx.grid.of(p);
    const auto& data = ctx.pos.of(p).PosiData;
    const bool mm = ctx.opt.DispMmUnit;
    {
        PositionGrid::Hidden hide(g);
        for (int r = 1; r < kPosiRows; ++r) {
            const auto& row = data[size_t(r)];
            const auto& pv = ctx.pos.PosiValue[size_t(r)];
            for (int c = 1; c <= LastColumn(p); ++c) {
                const GridColumn col = ColumnOf(p, c);
                if (col.kind == CellKind::Comment)
                    g.setText(r, c, row[11].toText());
                else if (col.kind == CellKind::Posi)
                    g.setText(r, c, PositionText(pv[size_t(col.axis + (mm ? 2 : 0))].toNumber(), mm));
                else
                    g.setText(r, c, ShortestText(row[size_t(col.dataCol)].toNumber()));
            }
        }
    }
    if (p == Product::OneAxis) {
        PositionGrid& dummy = ctx.grid.flgdDummy;
        PositionGrid::Hidden hide(dummy);
        for (int r = 1; r < kPosiRows; ++r)
            for (int c = 1; c <= 5; ++c)
                dummy.setText(r, c, ShortestText(data[size_t(r)][size_t(c + 3)].toNumber()));
    }
}

// ---- Dialogs

std::optional<QString> AskPositionFile(AppContext& ctx, bool save, const QString& title, const QString& filter,
                                       const QString& proposed) {
    if (!ctx.platform.fileDialogs) return std::nullopt;
    FileDialogRequest req;
    req.kind = FileKind::Position;
    req.title = title;
    req.filter = filter;
    req.fileName = proposed;
    req.defaultExt = QStringLiteral("kzd");
    req.mustExist = !save;
    req.confirmOverwrite = save;
    std::optional<QString> chosen = save ? ctx.platform.fileDialogs->save(req) : ctx.platform.fileDialogs->open(req);
    if (chosen && chosen->isEmpty()) return std::nullopt;
    if (chosen && save) return WithDefaultExt(*chosen, req.defaultExt); // a name without extension gets ".kzd"
    return chosen;
}

QString OpenPositionFilter(const AppContext& ctx) {
    return ctx.pick(QStringLiteral("位置データ(*.kzd)|*.kzd|位置データ(*.vtd)|*.vtd|すべてのファイル(*.*)|*.*"),
                    QStringLiteral("Position Data(*.kzd)|*.kzd|Position Data(*.vtd)|*.vtd|All files(*.*)|*.*"));
}

// ---- Writer

QString FileTitleOf(const QString& path) {
    const QFileInfo fi(path);
    const QString name = fi.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? name.left(dot) : name;
}

bool SaveFileAs(AppContext& ctx, PositionHost& host, Product p, const QString& path) {
    const bool two = p == Product::TwoAxis;
    const ActuatorChoice& dev = ctx.dev;
    const auto& axes = dev.axes(p);
    const ProductPositions& pos = ctx.pos.of(p);

    // A comment the file cannot hold (pasted before paste refused it, or
    // read from the controller's table): the message names its position.
    for (int n = 1; n < kPosiRows; ++n) {
        if (pos.PosiNgRow[size_t(n - 1)] || CommentFitsFile(pos.PosiData[size_t(n)][11].toText())) continue;
        ctx.message(SaveErrorText(ctx) + QStringLiteral("\r\n") +
                    ctx.pick(QStringLiteral("位置No.%1のコメントに保存できない文字が含まれています。"),
                             QStringLiteral("The comment of position No. %1 holds a character that cannot be saved."))
                        .arg(n));
        return false;
    }

    DataFileWriter w(ctx.opt.LanguageNo);
    w.text(QStringLiteral("VO-D6"));
    w.endRecord();
    w.text(DeviceNameText(dev.DevIsKZ[0], axes[0].Size, axes[0].Speed, axes[0].Stroke));
    w.text(two ? DeviceNameText(dev.DevIsKZ[1], axes[1].Size, axes[1].Speed, axes[1].Stroke) : W3kSecondModel());
    for (int a = 0; a < 2; ++a) {
        const bool isNew = dev.DevNewType[size_t(a)] && (!two || dev.DevIsKZ[size_t(a)]);
        w.text(isNew ? QStringLiteral("NEW") : QStringLiteral("OLD"));
    }
    w.endRecord();
    for (int n = 1; n < kPosiRows; ++n) {
        if (pos.PosiNgRow[size_t(n - 1)]) continue;
        const auto& row = pos.PosiData[size_t(n)];
        w.integer(n);
        for (int c = 0; c <= 10; ++c) w.text(ShortestText(row[size_t(c)].toNumber()));
        w.text(row[11].toText());
        w.endRecord();
    }
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (!w.commit(absolute)) {
        ctx.message(FileFailureMessage(SaveErrorText(ctx), absolute, w.error()));
        return false;
    }
    SetShownFile(ctx, host, FileTitleOf(absolute), absolute);
    ctx.grid.of(p).Tag.clear();
    return true;
}

// ---- New

void PosiNewCmd(AppContext& ctx, PositionHost& host) {
    const Product p = ctx.opt.product();
    CommitPending(ctx);
    host.LineCmd_Muko();
    if (!SaveChangesFirst(ctx, host, p,
                          ctx.pick(QStringLiteral("新規作成は行われませんでした。"),
                                   QStringLiteral("Did not execute [new] command."))))
        return;
    PositionGrid& g = ctx.grid.of(p);
    const auto& axes = ctx.dev.axes(p);
    const bool two = p == Product::TwoAxis;
    const QStringList row = NewRowTexts(p, ctx.opt.DispMmUnit, IsSpecialModel(axes[0]), two && IsSpecialModel(axes[1]));
    {
        PositionGrid::Hidden hide(g);
        for (int r = 1; r < kPosiRows; ++r)
            for (int c = 1; c <= LastColumn(p); ++c) g.setText(r, c, row[c]);
    }
    if (!two) {
        PositionGrid::Hidden hide(ctx.grid.flgdDummy);
        for (int r = 1; r < kPosiRows; ++r)
            for (int c = 1; c <= 5; ++c) ctx.grid.flgdDummy.setText(r, c, QString());
    }
    g.Tag.clear();
    SetShownFile(ctx, host, ctx.pick(QStringLiteral("新規作成"), QStringLiteral("New ")), QString());
}

// ---- Open

FileModelOutcome GetDeviceTypeFromFile(AppContext& ctx, Product p) {
    ActuatorChoice& dev = ctx.dev;
    auto& axes = dev.axes(p);
    const auto& device = ctx.pos.of(p).PosiFileDevice;
    // The model of each axis the product uses: the second model a one-axis
    // file always names is not looked up.
    for (size_t a = 0; a < size_t(AxesOf(p)); ++a) {
        const QString& s = device[a];
        bool ok = false;
        const QString series = s.left(3);
        if (series == QLatin1String("KZ-") || series == QLatin1String("VT-")) {
            if (s.size() > 13) return FileModelOutcome::Malformed;
            const bool kz = series == QLatin1String("KZ-");
            dev.DevIsKZ[a] = kz;
            if (kz && ctx.pos.PosiFileNewOrOld[a] == QLatin1String("NEW")) {
                dev.SelNewType[a] = true;
                axes[a].SelVertical = true;
            } else if (kz) {
                dev.SelNewType[a] = false;
                if (s.size() > 10)
                    axes[a].SelVertical = s.at(10) == QLatin1Char('V') || (s.size() > 11 && s.at(11) == QLatin1Char('V'));
            } else {
                dev.SelNewType[a] = false;
                axes[a].SelVertical = false;
            }
            QString size, speed, strokeText;
            if (s.size() > 6 && s.at(6) == QLatin1Char('-')) {
                size = QLatin1Char(' ') + s.mid(3, 2);
                speed = s.mid(5, 1);
                strokeText = s.mid(7, 3);
            } else {
                size = s.mid(3, 3);
                speed = s.mid(6, 1);
                strokeText = s.mid(8, 3);
            }
            const std::optional<int> stroke = StrokeOf(strokeText);
            if (!stroke) return FileModelOutcome::Malformed;
            const bool letter = speed.size() == 1 && speed.at(0) >= QLatin1Char('A') && speed.at(0) <= QLatin1Char('Z');
            if (size.size() == 3 && letter && *stroke >= 1 && *stroke <= 998 &&
                FindDevModel(ctx, dev.SelNewType[a], kz ? QStringLiteral("KZ") : QStringLiteral("VT"), size, speed,
                             *stroke) == 0) {
                axes[a].SelSize = size;
                axes[a].SelSpeed = speed;
                axes[a].SelStroke = int16_t(*stroke);
                ok = true;
            }
        }
        if (!ok) {
            ctx.message(ctx.pick(QStringLiteral("KZの機種が選択されていません。 \r\n使用する機種を選択してください。"),
                                 QStringLiteral("Type not selected.\r\nPlease select actuator type.")));
            return FileModelOutcome::TypeNotSelected;
        }
    }
    return FileModelOutcome::Taken;
}

void ReflectFileInfo2PcSettings(AppContext& ctx, Product p) {
    ActuatorChoice& dev = ctx.dev;
    auto& axes = dev.axes(p);
    for (size_t a = 0; a < size_t(AxesOf(p)); ++a) {
        if (ctx.pos.of(p).PosiFileDevice[a].isEmpty()) return;
        dev.DevNewType[a] = dev.SelNewType[a];
        axes[a].Size = axes[a].SelSize;
        axes[a].Speed = axes[a].SelSpeed;
        axes[a].Stroke = axes[a].SelStroke;
        dev.DevVertical[a] = axes[a].SelVertical;
        axes[a].Series = dev.DevIsKZ[a] ? QStringLiteral("KZ") : QStringLiteral("VT");
    }
    CalcMaxMm(ctx, p);
}

void TellPositionReadFailure(AppContext& ctx, const QString& path, const FileReadFailure& why) {
    // A file that is no position file at all: the reader has told.
    if (why.told) return;
    ctx.message(FileFailureMessage(ctx.pick(QStringLiteral("位置データファイルの読み込みに失敗しました。"),
                                            QStringLiteral("Fail to open Position Data file.")),
                                   path, why.reason));
}

namespace {

// PosiFileOpenProc / W3kPosiFileOpenProc. A file that is refused, names a
// model that cannot be taken or is missing from the catalogue changes
// nothing.
void PosiFileOpenProc(AppContext& ctx, PositionHost& host, Product p) {
    const std::optional<QString> chosen = AskPositionFile(
        ctx, false, ctx.pick(QStringLiteral("位置データファイルを開く"), QStringLiteral("Open Position Data file")),
        OpenPositionFilter(ctx));
    if (!chosen) return;
    const QString path = QFileInfo(*chosen).absoluteFilePath();

    ProductPositions& pos = ctx.pos.of(p);
    const ActuatorChoice devBefore = ctx.dev;
    const PosiFileTable fileBefore = pos.PosiFileData;
    const auto deviceBefore = pos.PosiFileDevice;
    const auto markersBefore = ctx.pos.PosiFileNewOrOld;
    const CatalogueTables catBefore = ctx.cat;
    auto restore = [&] {
        ctx.dev = devBefore;
        ctx.cat = catBefore;
        pos.PosiFileData = fileBefore;
        pos.PosiFileDevice = deviceBefore;
        ctx.pos.PosiFileNewOrOld = markersBefore;
    };

    pos.PosiFileError = false;
    FileReadFailure why;
    if (!ReadPosiFile(ctx, p, path, &why) || pos.PosiFileError) {
        TellPositionReadFailure(ctx, path, why);
        return;
    }

    if (GetDeviceTypeFromFile(ctx, p) == FileModelOutcome::Malformed) {
        restore();
        ctx.message(FileFailureMessage(NotPositionFileText(ctx, p), path, QString()));
        return;
    }
    ReflectFileInfo2PcSettings(ctx, p);
    for (size_t a = 0; a < size_t(AxesOf(p)); ++a)
        ctx.dev.axes(p)[a].Series = ctx.dev.DevIsKZ[a] ? QStringLiteral("KZ") : QStringLiteral("VT");
    // The catalogue of the file's series and type gives the models of the
    // product's axes their lead and pulses per revolution.
    if (LoadDeviceList(ctx, p, 0) != 0) {
        restore();
        return;
    }
    ApplyDeviceList(ctx, p);
    if (ctx.opt.DevNotFound) {
        ctx.opt.DevNotFound = false;
        restore();
        return;
    }

    SetShownFile(ctx, host, FileTitleOf(path), path);
    ctx.grid.of(p).Tag.clear();
    ShowDeviceName(ctx, p, host.window());
    CulcMaxPulse(ctx, p);
    CalcMaxMm(ctx, p);
    PosiFileToEdit(ctx, p);
    PosiTblPlsToMm(ctx, p);
    KzDataHyoji(ctx, p);
    ShowPulseRate(ctx, p, host.window());
}

} // namespace

void PosiFileOpenCmd(AppContext& ctx, PositionHost& host) {
    const Product p = ctx.opt.product();
    CommitPending(ctx);
    host.CommandsOff();
    if (SaveChangesFirst(ctx, host, p,
                         ctx.pick(QStringLiteral("ファイルの読み込みは行われませんでした。"),
                                  QStringLiteral("Did not execute [open] command."))))
        PosiFileOpenProc(ctx, host, p);
    host.CommandsOn();
    host.window().FocusDummy();
}

// ---- Save and Save As

namespace {

// The whole table must pass the check before it is filed.
bool CheckWholeTable(AppContext& ctx, Product p) {
    ctx.pos.PosiRangeStart = 1;
    ctx.pos.PosiRangeEnd = 399;
    PosiDataCheck(ctx, p);
    return !ctx.main.PosiDataCheckError;
}

bool PosiSaveAsDialog(AppContext& ctx, PositionHost& host, Product p) {
    if (!CheckWholeTable(ctx, p)) return false;
    if (ctx.message(ctx.pick(QStringLiteral("データをファイルに書き込みます。よろしいですか？"),
                             QStringLiteral("Write Data to the file,Yes?")),
                    MsgButtons::OkCancel, MsgIcon::Question) != MsgAnswer::Ok)
        return false;
    const std::optional<QString> chosen = AskPositionFile(
        ctx, true, ctx.pick(QStringLiteral("名前を付けて保存する"), QStringLiteral("Save Position Data as ...")),
        ctx.pick(QStringLiteral("位置データ(*.kzd)|*.kzd|すべてのファイル(*.*)|*.*"),
                 QStringLiteral("Position Data(*.kzd)|*.kzd|All files(*.*)|*.*")),
        QStringLiteral("kzdata.kzd"));
    if (!chosen) return false;
    ctx.pos.of(p).SaveFileName = QFileInfo(*chosen).fileName();
    return SaveFileAs(ctx, host, p, *chosen);
}

bool PosiSaveProc(AppContext& ctx, PositionHost& host, Product p) {
    if (!CheckWholeTable(ctx, p)) return false;
    QString path;
    const QString shown = ctx.posJob.ShownFilePath;
    if (shown.isEmpty()) {
        const std::optional<QString> chosen = AskPositionFile(
            ctx, true, ctx.pick(QStringLiteral("位置データを保存する"), QStringLiteral("Save Position Data to file")),
            ctx.pick(QStringLiteral("位置データ(*.kzd)|*.kzd|すべてのファイル(*.*)|*.*"),
                     QStringLiteral("Position Data(*.kzd)|*.kzd|All file(*.*)|*.*")),
            QStringLiteral("kzdata1.kzd"));
        if (!chosen) return false;
        path = *chosen;
    } else {
        // Back into the file the table came from, whatever the case or the
        // extension of its name.
        path = shown;
    }
    return SaveFileAs(ctx, host, p, path);
}

} // namespace

namespace {

// Save or Save As of the product in use; HozonCancel tells whether it saved.
bool SaveWorker(AppContext& ctx, PositionHost& host, bool saveAs) {
    CommitPending(ctx);
    ctx.main.HozonCancel = false;
    const Product p = ctx.opt.product();
    const bool saved = saveAs ? PosiSaveAsDialog(ctx, host, p) : PosiSaveProc(ctx, host, p);
    if (!saved) ctx.main.HozonCancel = true;
    return saved;
}

} // namespace

bool PosiSaveCmd(AppContext& ctx, PositionHost& host) {
    host.CommandsOff();
    const bool saved = SaveWorker(ctx, host, false);
    host.CommandsOn();
    return saved;
}

bool PosiSaveAsCmd(AppContext& ctx, PositionHost& host) {
    host.CommandsOff();
    const bool saved = SaveWorker(ctx, host, true);
    host.CommandsOn();
    host.window().FocusDummy();
    return saved;
}

} // namespace rer
