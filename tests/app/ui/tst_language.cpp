// The language the start-up window decides reaches Qt's own texts: in
// Japanese the standard buttons of every message box and the file and print
// dialogs are Japanese, in English they are English, whichever ran before.
#include "app/ui/formSelect.h"
#include "mainwin/ui/frmMain.h"
#include "platform/ui/QtMessageBoxes.h"
#include "testsupport/AppFixture.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace rer;
using rer::test::TestApp;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

// Starts the program's first window with the saved language and leaves it.
void StartIn(int language) {
    TestApp t;
    t.set(QStringLiteral("Language"), QString::number(language));
    frmMain main(t.ctx);
    auto* select = new formSelect(t.ctx, main);
    select->Form_Load();
    QCOMPARE(t.ctx.opt.LanguageNo, int16_t(language));
    delete select;
}

// The captions of the buttons of the program's Yes/No/Cancel message box.
QStringList MessageBoxButtons() {
    QStringList captions;
    QTimer::singleShot(0, [&captions] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        for (auto b : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
            if (QAbstractButton* button = box->button(b)) captions << button->text();
        box->reject();
    });
    QtMessageBoxes boxes;
    boxes.show(QStringLiteral("?"), QStringLiteral("RER6O250"), MsgIcon::Question, MsgButtons::YesNoCancel);
    return captions;
}

} // namespace

class tst_language : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void qtTextsFollowTheLanguage_data() {
        QTest::addColumn<QList<int>>("languages");
        QTest::newRow("Japanese") << QList<int>{1};
        QTest::newRow("English after Japanese") << QList<int>{1, 2};
        QTest::newRow("Japanese after English") << QList<int>{2, 1};
    }
    void qtTextsFollowTheLanguage() {
        QFETCH(QList<int>, languages);
        for (int language : languages) StartIn(language);
        const bool jp = languages.back() == 1;

        const QStringList boxButtons = jp ? QStringList{S("はい(&Y)"), S("いいえ(&N)"), S("キャンセル")}
                                          : QStringList{S("&Yes"), S("&No"), S("Cancel")};
        QCOMPARE(MessageBoxButtons(), boxButtons);

        QFileDialog files;
        files.setOption(QFileDialog::DontUseNativeDialog);
        files.setAcceptMode(QFileDialog::AcceptSave);
        const auto* buttons = files.findChild<QDialogButtonBox*>();
        QVERIFY(buttons);
        QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), jp ? S("キャンセル") : S("Cancel"));
        QCOMPARE(files.labelText(QFileDialog::LookIn), jp ? S("アドレス:") : S("Look in:"));

        QPrinter printer;
        QPrintDialog print(&printer);
        QCOMPARE(print.windowTitle(), jp ? S("印刷") : S("Print"));
    }
};

QTEST_MAIN(tst_language)
#include "tst_language.moc"
