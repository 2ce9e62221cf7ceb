// The program's message boxes on screen: a long list of position numbers is
// readable in full in either language.
#include "platform/ui/QtMessageBoxes.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QtTest>

using namespace rer;

class tst_QtMessageBoxes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void longListOfPositionsWrapsInTheBox_data() {
        QTest::addColumn<QString>("head");
        QTest::addColumn<QString>("separator");
        QTest::newRow("English") << QStringLiteral("No data or invalid data in some position No. .\r\n"
                                                   "Confirm the Position data indicated below, and tyr it again.\r\n"
                                                   " Position No.")
                                 << QStringLiteral(",");
        QTest::newRow("Japanese") << QStringLiteral("データがないか、不正なデータが含まれている箇所があります。\r\n"
                                                    "以下に示す位置Noのデータを確認してから再度行って下さい。\r\n"
                                                    "ポジションNo,")
                                  << QStringLiteral("、");
    }
    void longListOfPositionsWrapsInTheBox() {
        QFETCH(QString, head);
        QFETCH(QString, separator);
        QString list;
        for (int p = 2; p <= 399; ++p) list += QString::number(p) + separator;
        const QString text = head + list + QStringLiteral(".");

        bool checked = false;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            [&] {
                QVERIFY(QTest::qWaitForWindowExposed(box));
                auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
                QVERIFY(label);
                // The whole text is there...
                QString shown = label->text();
                shown.remove(QChar(0x200B));
                QCOMPARE(shown, text);
                // ...and fits the label when wrapped at its width.
                QString lines = label->text();
                lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
                const QRect need = label->fontMetrics().boundingRect(QRect(0, 0, label->width(), 1 << 20),
                                                                      Qt::TextWordWrap, lines);
                QVERIFY2(need.width() <= label->width(),
                         qPrintable(QStringLiteral("%1 > %2").arg(need.width()).arg(label->width())));
                QVERIFY2(need.height() <= label->height(),
                         qPrintable(QStringLiteral("%1 > %2").arg(need.height()).arg(label->height())));
                QVERIFY(box->screen()->availableGeometry().contains(box->frameGeometry()));
                checked = true;
            }();
            box->button(QMessageBox::Ok)->click();
        });
        QtMessageBoxes boxes;
        QCOMPARE(boxes.show(text, QStringLiteral("RER6O250"), MsgIcon::None, MsgButtons::Ok), MsgAnswer::Ok);
        QVERIFY(checked);
    }

    void textShowsAsWritten() {
        // A text that looks like markup is shown as it is.
        const QString text = QStringLiteral("Result of Verify - NG\r\n<Unmatched items>\r\n SM No.2,5,");
        QString shown;
        bool plain = false;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            plain = box->textFormat() == Qt::PlainText;
            shown = box->text().remove(QChar(0x200B));
            box->button(QMessageBox::Ok)->click();
        });
        QtMessageBoxes boxes;
        boxes.show(text, QStringLiteral("RER6O250"), MsgIcon::None, MsgButtons::Ok);
        QCOMPARE(shown, text);
        QVERIFY(plain);
    }
};

QTEST_MAIN(tst_QtMessageBoxes)
#include "tst_QtMessageBoxes.moc"
