// The parameter windows of both products never drop the user's edits
// without asking, and refuse a parameter file they cannot show as it stands:
// the real windows, typed into and clicked, against the simulated controller.
#include "files/ParaFile.h"
#include "link/CtError.h"
#include "link/Transfers.h"
#include "setup/ui/DeviceDialog.h"
#include "setup/ui/frmParameta2.h"
#include "testsupport/EditsQuestions.h"
#include "testsupport/InputEvents.h"
#include "testsupport/LinkFixture.h"
#include "testsupport/ParamFixture.h"
#include "testsupport/TransferFixture.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace rer;
using namespace rer::test;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }


// An application whose controller link reaches the simulated controller.
struct World : LinkWorld {
    World() : LinkWorld({.language = 2, .doubles = Doubles::FileDialogs | Doubles::Printer}) {
        Get_ErrorList(ctx);
        link->setProgress(&progress);
    }
    // The controller holds the record.
    void ctHolds(const ParaRecord& rec, Product p) {
        for (int i = 0; i < 7; ++i)
            sim().state.paramBlocks[ParaBlockDigit(i)] = ParaWriteLine(rec, p, i).line.mid(4).toLatin1();
    }
    // A parameter file of the product holding the record.
    QString fileOf(const ParaRecord& rec, Product p, const QString& name) {
        const QString path = dir.filePath(name);
        ParaRecord& r = ctx.para.of(p).rec;
        const ParaRecord kept = r;
        r = rec;
        if (!WriteParaFile(ctx, p, path)) qWarning("the file was not written");
        r = kept;
        return path;
    }
    QStringList texts() const { return MessageTexts(msg); }
    ProgressRecorder progress;
    FrameRecorder frame;
    QTemporaryDir dir;
};

// The OFFSET of axis 1 as its box shows it.
QString OffsetText(const ParaRecord& rec) { return rec.ParaHomeOffset[0].toText(); }

bool SameRecord(const ParaRecord& a, const ParaRecord& b) {
    for (int row = 1; row <= kParaRowCount; ++row)
        for (int axis = 0; axis < 2; ++axis)
            if (!(ParaRecordValue(a, row, axis) == ParaRecordValue(b, row, axis))) return false;
    return true;
}

} // namespace

class tst_paramedits : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Close, open, read and the factory values after an edit typed into the
    // window: the question, and what each answer does. Yes saves first and
    // goes on only when the save went through.
    void editsAreNeverDroppedWithoutAsking_data() {
        QTest::addColumn<int>("product");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("answer");
        for (int p : {1, 2})
            for (const char* command : {"close", "open", "read", "factory"})
                for (const char* answer : kEditsAnswers)
                    QTest::newRow(qPrintable(QStringLiteral("%1 %2 %3").arg(p == 1 ? "two-axis" : "one-axis", command, answer)))
                        << p << S(command) << S(answer);
    }
    void editsAreNeverDroppedWithoutAsking() {
        QFETCH(int, product);
        QFETCH(QString, command);
        QFETCH(QString, answer);
        const Product p = product == 1 ? Product::TwoAxis : Product::OneAxis;
        World t;
        const ParaRecord ct = ValidParaRecord(p, 3), file = ValidParaRecord(p, 5);
        QVERIFY(OffsetText(ct) != OffsetText(file));
        t.ctHolds(ct, p);
        const QString other = t.fileOf(file, p, S("other.pmd"));
        const QString saved = t.dir.filePath(S("saved.pmd"));

        frmParameta2 w(t.ctx, &t.frame, nullptr, p);
        QVERIFY(ShowActive(w));
        QLineEdit* offset = w.box(1, 0);
        // A fresh window reads without a question and is then as the controller has it.
        QTest::mouseClick(w.button(S("cmdParaRead")), Qt::LeftButton);
        QVERIFY(t.msg.shown.empty());
        QCOMPARE(offset->text(), OffsetText(ct));
        QVERIFY(!w.isWindowModified());
        offset->setFocus();
        offset->selectAll();
        QTest::keyClicks(offset, S("123"));
        QVERIFY(w.isWindowModified());

        const bool goesOn = AnswerEditsQuestion(t.msg, t.files, answer, saved);
        const size_t received = t.sim().received.size();
        bool closed = false, deviceDialog = false;
        if (command == S("close")) {
            closed = w.close(); // what the window's close box does
        } else if (command == S("open")) {
            t.files.answer(other);
            QTest::mouseClick(w.button(S("cmdReadParaFile")), Qt::LeftButton);
        } else if (command == S("read")) {
            QTest::mouseClick(w.button(S("cmdParaRead")), Qt::LeftButton);
        } else {
            QTimer::singleShot(0, this, [&] {
                if (auto* d = qobject_cast<DeviceDialog*>(QApplication::activeModalWidget())) {
                    deviceDialog = true;
                    d->reject();
                }
            });
            QTest::mouseClick(w.button(S("cmdIniPrm")), Qt::LeftButton);
        }

        QVERIFY(!t.msg.shown.empty());
        const auto& question = t.msg.shown.front();
        QCOMPARE(question.text, command == S("close") ? kEditsCloseQuestion : command == S("read") ? kEditsReadQuestion : kEditsReplaceQuestion);
        QCOMPARE(question.buttons, MsgButtons::YesNoCancel);
        QCOMPARE(question.icon, MsgIcon::Question);
        if (answer == S("Yes, saved")) {
            QCOMPARE(t.msg.shown.at(1).text, S("Completed save parameters into the file."));
            QFile f(saved);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QVERIFY(f.readAll().contains("\r\n\"HOME\",6,2\r\n123,"));
        } else {
            QVERIFY(!QFile::exists(saved));
        }
        QCOMPARE(closed, command == S("close") && goesOn);
        QCOMPARE(deviceDialog, command == S("factory") && goesOn);
        QCOMPARE(t.sim().received.size() > received, command == S("read") && goesOn);
        QCOMPARE(t.files.opened.size(), size_t(command == S("open") && goesOn ? 1 : 0));
        QVERIFY(t.frame.calls.isEmpty() || t.frame.calls.back() == S("Menyu_Yuko"));
        QVERIFY(w.button(S("cmdParaRead"))->isEnabled());
        if (!goesOn) {
            // Everything as it was: the edit, its mark, the window.
            QCOMPARE(offset->text(), S("123"));
            QVERIFY(w.isWindowModified());
            QVERIFY(w.isVisible());
        } else if (command == S("open") || command == S("read")) {
            QCOMPARE(offset->text(), OffsetText(command == S("open") ? file : ct));
            QVERIFY(!w.isWindowModified());
        }
    }

    // The read asks after any edit, also one that empties a box, and never
    // when nothing changed since the last read.
    void theReadAsksOnlyAfterAnEdit() {
        for (Product p : {Product::TwoAxis, Product::OneAxis}) {
            World t;
            const ParaRecord ct = ValidParaRecord(p, 3);
            t.ctHolds(ct, p);
            frmParameta2 w(t.ctx, &t.frame, nullptr, p);
            QVERIFY(ShowActive(w));
            QTest::mouseClick(w.button(S("cmdParaRead")), Qt::LeftButton);
            QTest::mouseClick(w.button(S("cmdParaRead")), Qt::LeftButton);
            QVERIFY(t.msg.shown.empty());
            QLineEdit* push = w.box(2, 0);
            push->setFocus();
            push->selectAll();
            DeleteKey(push);
            QVERIFY(push->text().isEmpty());
            t.msg.answer(MsgAnswer::Cancel);
            QTest::mouseClick(w.button(S("cmdParaRead")), Qt::LeftButton);
            QCOMPARE(t.texts(), QStringList{kEditsReadQuestion});
            QVERIFY(push->text().isEmpty());
        }
    }

    // A file the window cannot show as it stands: the notice, the window and
    // the record as they were; a Write then sends what the window shows,
    // which is what the controller already held.
    void unusableFilesAreRefused_data() {
        QTest::addColumn<int>("product");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("reason");
        QTest::newRow("one-axis, a two-axis file (no BCD ENABLE)") << 2 << S("two-axis") << S("BCD ENABLE = ");
        QTest::newRow("one-axis, TYPE 7") << 2 << S("type 7") << S("TYPE(1) = 7");
        QTest::newRow("two-axis, TYPE 7") << 1 << S("type 7") << S("TYPE(1) = 7");
        QTest::newRow("two-axis, no LS TIMER") << 1 << S("short") << S("LS TIMER = ");
        // Cells that cannot be taken into their fields: STROKE, PUSH, SEQ
        // (which the one-axis window does not show), as the file has them.
        struct Cell {
            const char* what;
            const char* section;
            int line;
            const char* item;
            const char* reason;
        };
        const Cell cells[] = {
            {"STROKE abc", "AXIS", 1, "abc", "STROKE(1) = abc"},
            {"STROKE 12abc", "AXIS", 1, "12abc", "STROKE(1) = 12abc"},
            {"PUSH 70000", "HOME", 2, "70000", "PUSH(1) = 70000"},
            {"SEQ 300", "HOME", 6, "300", "SEQ(1) = 300"},
            {"SEQ \"x\"", "HOME", 6, "\"x\"", "SEQ(1) = x"},
        };
        for (int p : {1, 2})
            for (const Cell& c : cells)
                QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(p == 1 ? "two-axis" : "one-axis", c.what)))
                    << p << QStringLiteral("%1|%2|%3").arg(c.section).arg(c.line).arg(c.item) << S(c.reason);
    }
    void unusableFilesAreRefused() {
        QFETCH(int, product);
        QFETCH(QString, file);
        QFETCH(QString, reason);
        const Product p = product == 1 ? Product::TwoAxis : Product::OneAxis;
        World t;
        ParaRecord ct = ValidParaRecord(p, 3);
        ct.ParaBcdEnable = 1;
        t.ctHolds(ct, p);
        const auto blocks = t.sim().state.paramBlocks;
        QString path;
        if (file == S("two-axis")) {
            path = t.fileOf(ValidParaRecord(Product::TwoAxis, 5), Product::TwoAxis, S("two.pmd"));
        } else if (file == S("type 7")) {
            ParaRecord rec = ValidParaRecord(p, 5);
            rec.ParaType[0] = 7;
            path = t.fileOf(rec, p, S("type7.pmd"));
        } else if (file.contains(QLatin1Char('|'))) {
            // The first item of a line of a section replaced.
            const QStringList cell = file.split(QLatin1Char('|'));
            path = t.fileOf(ValidParaRecord(p, 5), p, S("cell.pmd"));
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QByteArrayList lines = f.readAll().split('\n');
            f.close();
            const qsizetype head = lines.indexOf("\"" + cell[0].toLatin1() + "\"," + (cell[0] == S("HOME") ? "6" : "5") + ",2\r");
            QVERIFY(head > 0);
            QByteArray& line = lines[head + cell[1].toInt()];
            line = cell[2].toLatin1() + line.mid(line.indexOf(','));
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(lines.join('\n'));
        } else {
            path = t.fileOf(ValidParaRecord(p, 5), p, S("short.pmd"));
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QByteArray text = f.readAll();
            f.close();
            text.replace("\"SPECIAL\",6,1", "\"SPECIAL\",5,1");
            text.chop(text.size() - text.lastIndexOf("\r\n", text.size() - 3) - 2); // the LS TIMER record
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(text);
        }

        frmParameta2 w(t.ctx, &t.frame, nullptr, p);
        QVERIFY(ShowActive(w));
        QTest::mouseClick(w.button(S("cmdParaRead")), Qt::LeftButton);
        const ParaControls shown = w.Controls();
        const ParaRecord rec = t.ctx.para.of(p).rec;

        t.files.answer(path);
        QTest::mouseClick(w.button(S("cmdReadParaFile")), Qt::LeftButton);
        QCOMPARE(t.texts(), QStringList{S("Fail to open parameter file.\r\n") + path + S(": ") + reason});
        QVERIFY(w.Controls() == shown);
        QVERIFY(SameRecord(t.ctx.para.of(p).rec, rec));
        QVERIFY(!w.isWindowModified());

        t.msg.clear();
        t.msg.answer(MsgAnswer::Yes);
        QTest::mouseClick(w.button(S("cmdParaWrite")), Qt::LeftButton);
        QCOMPARE(t.msg.lastText(), S("Completed writing parameters. "));
        QCOMPARE(t.sim().state.commits, 1);
        // Every value the window shows reaches the controller as it held it.
        for (const ParaRowDef& d : kParaRows)
            for (int axis = 0; axis < 2; ++axis) {
                if (!d.shown(p) || !ParaRowShown(d.row, axis, p)) continue;
                const char block = ParaBlockDigit(d.wireLine(axis));
                const auto field = [&](const std::map<char, QByteArray>& b) {
                    return b.at(block).mid(d.wire.at - 5, d.wire.width);
                };
                QVERIFY2(field(t.sim().state.paramBlocks) == field(blocks), d.name);
            }
        if (p == Product::OneAxis) {
            QByteArray common;
            for (const QByteArray& line : t.sim().received)
                if (line.startsWith("0WD8")) common = line;
            QCOMPARE(common.mid(26, 2), QByteArray("01")); // characters 27 and 28: BCD ENABLE
        }
    }

    // A file the window saved opens again as it was saved, with nothing to
    // tell: values read from the controller, an edit, the factory values.
    void savedFilesReopenUnchanged() {
        for (Product p : {Product::TwoAxis, Product::OneAxis}) {
            World t;
            t.ctHolds(ValidParaRecord(p, 7), p);
            frmParameta2 w(t.ctx, &t.frame, nullptr, p);
            QVERIFY(ShowActive(w));
            QTest::mouseClick(w.button(S("cmdParaRead")), Qt::LeftButton);
            QLineEdit* stroke = w.box(ParaRowNamed("STROKE"), 0);
            stroke->setFocus();
            stroke->selectAll();
            QTest::keyClicks(stroke, S("262143"));
            const ParaControls saved = w.Controls();
            const QString path = t.dir.filePath(S("saved.pmd"));
            t.files.answer(path);
            QTest::mouseClick(w.button(S("cmdSaveParaFile")), Qt::LeftButton);
            QCOMPARE(t.texts(), QStringList{S("Completed save parameters into the file.")});
            QVERIFY(!w.isWindowModified());

            // Other values in the window, then the file.
            t.ctHolds(ValidParaRecord(p, 2), p);
            QTest::mouseClick(w.button(S("cmdParaRead")), Qt::LeftButton);
            QVERIFY(w.Controls() != saved);
            t.msg.clear();
            t.files.answer(path);
            QTest::mouseClick(w.button(S("cmdReadParaFile")), Qt::LeftButton);
            QVERIFY2(t.texts().isEmpty(), qPrintable(t.texts().join(S(" / "))));
            QVERIFY(w.Controls() == saved);
            QVERIFY(!w.isWindowModified());
        }
    }
};

QTEST_MAIN(tst_paramedits)
#include "tst_paramedits.moc"
