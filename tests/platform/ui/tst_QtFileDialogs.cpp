// The Qt file dialogs of the program as a user meets them: each kind of file
// starts where one of its kind was last opened or saved in the run.
#include "platform/ui/QtFileDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

using namespace rer;

namespace {

// Runs `show` while a poll waits for the file dialog it opens and hands it
// to `act`, which ends it. A dialog that was not ended is closed after a
// while: the test then fails on what it returned instead of hanging.
void whileDialogOpen(const std::function<void()>& show, const std::function<void(QFileDialog*)>& act) {
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!d || !d->isVisible()) return;
        poll.stop();
        act(d);
    });
    poll.start();
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) d->reject();
    });
    guard.start(10000);
    show();
}

// Notes the folder the dialog shows and chooses `path` in it (an empty path
// cancels).
struct Answer {
    QString shownFolder;
    bool seen = false;
};

Answer answer(const QString& path, const std::function<void()>& show) {
    Answer a;
    whileDialogOpen(show, [&](QFileDialog* d) {
        a.seen = true;
        a.shownFolder = d->directory().absolutePath();
        if (path.isEmpty()) {
            d->reject();
            return;
        }
        // The path in the name box (pasted: no completion pops up), then Enter.
        auto* name = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(name);
        name->setText(path);
        QTest::keyClick(name, Qt::Key_Return);
    });
    return a;
}

FileDialogRequest request(FileKind kind, const char* filter) {
    FileDialogRequest r;
    r.kind = kind;
    r.title = QStringLiteral("Test");
    r.filter = QString::fromLatin1(filter);
    return r;
}

// What the type list of the dialog offers and, for each type, the files the
// dialog lists with it (the dialog cancelled afterwards).
struct TypeList {
    QStringList shown;
    QList<QStringList> listed;
};

TypeList typeList(const std::function<void()>& show) {
    TypeList t;
    whileDialogOpen(show, [&](QFileDialog* d) {
        auto* types = d->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        auto* list = d->findChild<QListView*>(QStringLiteral("listView"));
        if (types && list) {
            for (int i = 0; i < types->count(); ++i) {
                t.shown << types->itemText(i);
                types->setCurrentIndex(i);
                Q_EMIT types->activated(i);
                // The folder is read in the background: wait until the list settles.
                QStringList names, before;
                for (int round = 0; round < 20 && (names.isEmpty() || names != before); ++round) {
                    before = names;
                    QTest::qWait(20);
                    names.clear();
                    const QModelIndex root = list->rootIndex();
                    for (int r = 0; r < list->model()->rowCount(root); ++r)
                        names << list->model()->index(r, 0, root).data().toString();
                }
                names.sort();
                t.listed << names;
            }
        }
        d->reject();
    });
    return t;
}

void touch(const QString& path) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
}

} // namespace

class tst_QtFileDialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The type lists read as the program words them, each type once, and
    // every type lists its own files ("All files(*.*)" also a name without
    // an extension).
    void typeListsAsTheProgramWordsThem_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("listed"); // per type, the files joined by blanks
        const QString all = QStringLiteral("a.kzd b.vtd c.pmd d.pmt e.grp f.smd noext");
        auto row = [&](const char* name, const char* filter, QStringList shown, QStringList listed) {
            QTest::newRow(name) << QString::fromUtf8(filter) << shown << listed;
        };
        row("position open", "Position Data(*.kzd)|*.kzd|Position Data(*.vtd)|*.vtd|All files(*.*)|*.*",
            {QStringLiteral("Position Data(*.kzd)"), QStringLiteral("Position Data(*.vtd)"), QStringLiteral("All files(*.*)")},
            {QStringLiteral("a.kzd"), QStringLiteral("b.vtd"), all});
        row("position open, Japanese", "位置データ(*.kzd)|*.kzd|位置データ(*.vtd)|*.vtd|すべてのファイル(*.*)|*.*",
            {QStringLiteral("位置データ(*.kzd)"), QStringLiteral("位置データ(*.vtd)"), QStringLiteral("すべてのファイル(*.*)")},
            {QStringLiteral("a.kzd"), QStringLiteral("b.vtd"), all});
        row("position save of a new table", "Position Data(*.kzd)|*.kzd|All file(*.*)|*.*",
            {QStringLiteral("Position Data(*.kzd)"), QStringLiteral("All file(*.*)")}, {QStringLiteral("a.kzd"), all});
        row("parameters", "Parameter(*.pmd)|*.pmd|All files(*.*)|*.*",
            {QStringLiteral("Parameter(*.pmd)"), QStringLiteral("All files(*.*)")}, {QStringLiteral("c.pmd"), all});
        row("parameters, Japanese", "パラメータ(*.pmd)|*.pmd|すべてのファイル(*.*)|*.*",
            {QStringLiteral("パラメータ(*.pmd)"), QStringLiteral("すべてのファイル(*.*)")}, {QStringLiteral("c.pmd"), all});
        row("parameters to print", "Parameter(*.pmd;*.pmt)|*.pmd;*.pmt|All files(*.*)|*.*",
            {QStringLiteral("Parameter(*.pmd;*.pmt)"), QStringLiteral("All files(*.*)")},
            {QStringLiteral("c.pmd d.pmt"), all});
        row("group data, Japanese", "ＧＲＰデータ(*.grp)|*.grp|すべてのファイル(*.*)|*.*",
            {QStringLiteral("ＧＲＰデータ(*.grp)"), QStringLiteral("すべてのファイル(*.*)")}, {QStringLiteral("e.grp"), all});
        row("macros", "SM Data(*.smd)|*.smd|All files(*.*)|*.*",
            {QStringLiteral("SM Data(*.smd)"), QStringLiteral("All files(*.*)")}, {QStringLiteral("f.smd"), all});
    }
    void typeListsAsTheProgramWordsThem() {
        QFETCH(QString, filter);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, listed);
        QTemporaryDir dir;
        for (const char* n : {"a.kzd", "b.vtd", "c.pmd", "d.pmt", "e.grp", "f.smd", "noext"})
            touch(dir.filePath(QString::fromLatin1(n)));
        QPrinter printer;
        QtFileDialogs dialogs(printer);
        dialogs.folders.remember(FileKind::Other, dir.filePath(QStringLiteral("a.kzd")));
        FileDialogRequest r;
        r.title = QStringLiteral("Test");
        r.filter = filter;
        for (bool save : {false, true}) {
            const TypeList t = typeList([&] { save ? dialogs.save(r) : dialogs.open(r); });
            QCOMPARE(t.shown, shown);
            QCOMPARE(t.listed.size(), listed.size());
            for (int i = 0; i < listed.size(); ++i)
                QCOMPARE(t.listed[i].join(QLatin1Char(' ')), listed[i]);
        }
    }

    void eachKindOpensWhereItsLastFileLay() {
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("pos")));
        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("grp")));
        const QString pos = root.filePath(QStringLiteral("pos"));
        const QString grp = root.filePath(QStringLiteral("grp"));
        touch(pos + QStringLiteral("/line1.kzd"));
        touch(grp + QStringLiteral("/old.grp"));
        QPrinter printer;
        QtFileDialogs dialogs(printer);
        const char* posFilter = "Position Data(*.kzd)|*.kzd|All files(*.*)|*.*";
        const char* grpFilter = "GRP Data(*.grp)|*.grp|All files(*.*)|*.*";

        // The first dialog of the run: the working folder.
        std::optional<QString> got;
        Answer a = answer(pos + QStringLiteral("/line1.kzd"),
                          [&] { got = dialogs.open(request(FileKind::Position, posFilter)); });
        QVERIFY(a.seen);
        QCOMPARE(a.shownFolder, QDir::currentPath());
        QCOMPARE(got, std::optional<QString>(pos + QStringLiteral("/line1.kzd")));

        // Positions again: where that file lay, also after a cancel.
        a = answer(QString(), [&] { got = dialogs.open(request(FileKind::Position, posFilter)); });
        QCOMPARE(a.shownFolder, pos);
        QVERIFY(!got);
        a = answer(QString(), [&] { got = dialogs.open(request(FileKind::Position, posFilter)); });
        QCOMPARE(a.shownFolder, pos);

        // Group data, not used yet: where the last file was; saved elsewhere,
        // with the proposed name.
        auto save = request(FileKind::Group, grpFilter);
        save.fileName = QStringLiteral("kzw6grp1.grp");
        save.defaultExt = QStringLiteral("grp");
        a = answer(grp + QStringLiteral("/new"), [&] { got = dialogs.save(save); });
        QCOMPARE(a.shownFolder, pos);
        QCOMPARE(got, std::optional<QString>(grp + QStringLiteral("/new.grp")));

        // Each kind keeps its own folder.
        a = answer(QString(), [&] { dialogs.open(request(FileKind::Group, grpFilter)); });
        QCOMPARE(a.shownFolder, grp);
        a = answer(QString(), [&] { dialogs.save(request(FileKind::Position, posFilter)); });
        QCOMPARE(a.shownFolder, pos);
    }
};

QTEST_MAIN(tst_QtFileDialogs)
#include "tst_QtFileDialogs.moc"
