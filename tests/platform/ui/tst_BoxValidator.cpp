// A box's rule while the box lives and as it goes: a key the rule maps is
// typed as the rule has it, and a box destroyed while it has the focus
// sends its last events to a filter that no longer takes it for a box.
#include "platform/ui/BoxValidator.h"
#include "testsupport/CountingBeeper.h"

#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>
#include <QtTest>

using namespace rer;

class BoxValidatorTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aBoxDestroyedWithTheFocusGoesQuietly() {
        CountingBeeper beeper;
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* other = new QLineEdit(&window);
        auto* box = new QLineEdit(&window);
        layout->addWidget(other);
        layout->addWidget(box);
        SetBoxRule(box, DigitBox(5), beeper);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("12a3"));
        QCOMPARE(box->text(), QStringLiteral("123"));
        QCOMPARE(beeper.count, 1);
        // The keypad's decimal key, whatever the layout, types ".": a
        // digits-only box drops it with a beep.
        QTest::keyClick(box, Qt::Key_Comma, Qt::KeypadModifier);
        QCOMPARE(box->text(), QStringLiteral("123"));
        QCOMPARE(beeper.count, 2);
        // Gone while it has the focus: its focus leaving, and whatever else it
        // sends as it goes, reach the filter after the line edit is no more.
        delete box;
        QCoreApplication::processEvents();
        QVERIFY(other->isEnabled());
    }
};

QTEST_MAIN(BoxValidatorTest)
#include "tst_BoxValidator.moc"
