// The Qt file dialogs of the program as a user meets them: each kind of file
// starts where one of its kind was last opened or saved in the run.
#include "platform/ui/QtFileDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

using namespace rer;

namespace {

// Runs `show` while a poll waits for the file dialog it opens, notes the
// folder the dialog shows and chooses `path` in it (an empty path cancels).
struct Answer {
    QString shownFolder;
    bool seen = false;
};

Answer answer(const QString& path, const std::function<void()>& show) {
    Answer a;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!d || !d->isVisible()) return;
        poll.stop();
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
    poll.start();
    // A dialog that did not take the answer is closed after a while: the
    // test then fails on what it returned instead of hanging.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) d->reject();
    });
    guard.start(10000);
    show();
    return a;
}

FileDialogRequest request(FileKind kind, const char* filter) {
    FileDialogRequest r;
    r.kind = kind;
    r.title = QStringLiteral("Test");
    r.filter = QString::fromLatin1(filter);
    return r;
}

void touch(const QString& path) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
}

} // namespace

class tst_QtFileDialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
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
