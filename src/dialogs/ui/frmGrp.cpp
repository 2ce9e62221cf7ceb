#include "dialogs/ui/frmGrp.h"

#include "app/AppContext.h"
#include "platform/ui/BoxValidator.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace rer {

frmGrp::frmGrp(AppContext& ctx, QWidget* parent)
    : GrpSmWindow(ctx, parent, "frmGrp", {"グループ", "Group"}), editor_(ctx, *this) {
    auto* rows = new QGridLayout;
    for (int col = 0; col < 2; ++col) {
        lblStartPosi_[static_cast<size_t>(col)] = new QLabel(say({"開始位置", "START"}), this);
        lblStartPosi_[static_cast<size_t>(col)]->setObjectName(QStringLiteral("lblStartPosi_%1").arg(col));
        lblEndPosi_[static_cast<size_t>(col)] = new QLabel(say({"終了位置", "END"}), this);
        lblEndPosi_[static_cast<size_t>(col)]->setObjectName(QStringLiteral("lblEndPosi_%1").arg(col));
        rows->addWidget(lblStartPosi_[static_cast<size_t>(col)], 0, col * 4 + 1);
        rows->addWidget(lblEndPosi_[static_cast<size_t>(col)], 0, col * 4 + 2);
    }
    rows->setColumnMinimumWidth(3, 24);
    for (int i = 0; i < kGrpPageRows; ++i) {
        const size_t k = static_cast<size_t>(i);
        const int col = i < 17 ? 0 : 1;
        const int r = (i < 17 ? i : i - 17) + 1;
        lblGrpNo_[k] = new QLabel(GrpEditor::initialRowLabel(i), this);
        lblGrpNo_[k]->setObjectName(QStringLiteral("lblGrpNo_%1").arg(i));
        txtGrpStartNo_[k] = new QLineEdit(this);
        txtGrpStartNo_[k]->setObjectName(QStringLiteral("txtGrpStartNo_%1").arg(i));
        txtGrpEndNo_[k] = new QLineEdit(this);
        txtGrpEndNo_[k]->setObjectName(QStringLiteral("txtGrpEndNo_%1").arg(i));
        for (QLineEdit* box : {txtGrpStartNo_[k], txtGrpEndNo_[k]}) {
            box->setFixedWidth(48);
            SetBoxRule(box, kGrpBoxRule, ctx.platform.beeper);
            box->installEventFilter(this);
        }
        rows->addWidget(lblGrpNo_[k], r, col * 4);
        rows->addWidget(txtGrpStartNo_[k], r, col * 4 + 1);
        rows->addWidget(txtGrpEndNo_[k], r, col * 4 + 2);
    }

    framHyoujiNo_ = new QGroupBox(say({"表示するｸﾞﾙｰﾌﾟNo", "Indicating Range"}), this);
    framHyoujiNo_->setObjectName(QStringLiteral("framHyoujiNo"));
    auto* pages = new QVBoxLayout(framHyoujiNo_);
    const char* captions[3] = {"No. 1 - 33", "No.34 - 66", "No.67 - 99"};
    for (int i = 0; i < 3; ++i) {
        auto* o = new QRadioButton(QString::fromLatin1(captions[i]), framHyoujiNo_);
        o->setObjectName(QStringLiteral("optGrpNo_%1").arg(i));
        optGrpNo_[static_cast<size_t>(i)] = o;
        pages->addWidget(o);
        connect(o, &QRadioButton::clicked, this, [this, i] { optGrpNo_Click(i); });
    }

    cmdReadGrp_ = command("cmdReadGrp", {"ｺﾝﾄﾛｰﾗから読み込み", "Read from C/T"},
                          [this] { editor_.cmdReadGrp_Click(); });
    cmdWriteGrp_ = command("cmdWriteGrp", {"ｺﾝﾄﾛｰﾗへ 書き込み", "Write to C/T"},
                           [this] { editor_.cmdWriteGrp_Click(); });
    cmdGrpCtVerify_ = command("cmdGrpCtVerify", {"ｺﾝﾄﾛｰﾗと 照合", "Verfy C/T"},
                              [this] { editor_.cmdGrpCtVerify_Click(); });
    cmdGrpFileVerify_ = command("cmdGrpFileVerify", {"ﾌｧｲﾙと照合", "Verfy File"},
                                [this] { editor_.cmdGrpFileVerify_Click(); });
    cmdGrpFileOpen_ = command("cmdGrpFileOpen", {"ﾌｧｲﾙを読込", "Open File"},
                              [this] { editor_.cmdGrpFileOpen_Click(); });
    cmdGrpFileSave_ = command("cmdGrpFileSave", {"ﾌｧｲﾙへ保存", "Save File"},
                              [this] { editor_.cmdGrpFileSave_Click(); });
    cmdGrpDataPrint_ = command("cmdGrpDataPrint", {"表示ﾃﾞｰﾀの印刷", "Print Indicated"},
                               [this] { editor_.cmdGrpDataPrint_Click(); });
    cmdGrpFilePrint_ = command("cmdGrpFilePrint", {"ﾌｧｲﾙﾃﾞｰﾀの印刷", "Print File"},
                               [this] { editor_.cmdGrpFilePrint_Click(); });
    cmdCloseGrpWindow_ = closeCommand("cmdCloseGrpWindow");
    layOut(rows, framHyoujiNo_,
           {cmdReadGrp_, cmdWriteGrp_, cmdGrpCtVerify_, cmdGrpFileVerify_, cmdGrpFileOpen_, cmdGrpFileSave_,
            cmdGrpDataPrint_, cmdGrpFilePrint_},
           cmdCloseGrpWindow_);
    gateControllerCommands({cmdReadGrp_, cmdWriteGrp_, cmdGrpCtVerify_});

    Form_Load();
}

frmGrp::~frmGrp() {
    // The boxes may lose the focus while they are destroyed: no more stores.
    for (int i = 0; i < kGrpPageRows; ++i) {
        txtGrpStartNo_[static_cast<size_t>(i)]->removeEventFilter(this);
        txtGrpEndNo_[static_cast<size_t>(i)]->removeEventFilter(this);
    }
}

void frmGrp::Form_Load() {
    placeBesideMainWindow();
    optGrpNo_[0]->setChecked(true);
    editor_.Form_Load();
}

void frmGrp::buttons(bool on) {
    for (QWidget* c : {static_cast<QWidget*>(cmdReadGrp_), static_cast<QWidget*>(cmdWriteGrp_),
                       static_cast<QWidget*>(cmdGrpCtVerify_), static_cast<QWidget*>(cmdGrpFileVerify_),
                       static_cast<QWidget*>(cmdGrpFileOpen_), static_cast<QWidget*>(cmdGrpFileSave_),
                       static_cast<QWidget*>(cmdGrpDataPrint_), static_cast<QWidget*>(cmdGrpFilePrint_),
                       static_cast<QWidget*>(framHyoujiNo_), static_cast<QWidget*>(cmdCloseGrpWindow_)})
        c->setEnabled(on);
}

void frmGrp::GrpCMDBTN_Muko() { buttons(false); }
void frmGrp::GrpCMDBTN_Yuko() { buttons(true); }

void frmGrp::GrpDataHyoji() {
    for (int i = 0; i < kGrpPageRows; ++i) {
        txtGrpStartNo_[static_cast<size_t>(i)]->setText(editor_.startText(i));
        txtGrpEndNo_[static_cast<size_t>(i)]->setText(editor_.endText(i));
    }
}

void frmGrp::optGrpNo_Click(int index) {
    const int first = index == 1 ? 34 : index == 2 ? 67 : 1;
    for (int i = 0; i < kGrpPageRows; ++i)
        lblGrpNo_[static_cast<size_t>(i)]->setText(QString::number(first + i) + QLatin1Char('.'));
    editor_.setPage(index);
}

std::pair<int, bool> frmGrp::rowOf(QObject* box) const {
    for (int i = 0; i < kGrpPageRows; ++i) {
        if (box == txtGrpStartNo_[static_cast<size_t>(i)]) return {i, true};
        if (box == txtGrpEndNo_[static_cast<size_t>(i)]) return {i, false};
    }
    return {-1, false};
}

void frmGrp::store(int row, bool isStart, const QString& text) {
    isStart ? editor_.storeStart(row, text) : editor_.storeEnd(row, text);
    showModified();
}

void frmGrp::storeFocusedBox() {
    auto* box = qobject_cast<QLineEdit*>(focusWidget());
    const auto [row, isStart] = rowOf(box);
    if (row >= 0) store(row, isStart, box->text());
}

bool frmGrp::eventFilter(QObject* o, QEvent* e) {
    auto* box = qobject_cast<QLineEdit*>(o);
    if (!box) return QWidget::eventFilter(o, e);
    const auto [row, isStart] = rowOf(box);
    if (row < 0) return QWidget::eventFilter(o, e);
    if (e->type() == QEvent::FocusOut) {
        store(row, isStart, box->text());
    } else if (e->type() == QEvent::KeyPress && IsEnterKey(*static_cast<QKeyEvent*>(e))) {
        // What the box takes is its validator's rule; Enter moves on.
        QLineEdit* next = isStart ? txtGrpEndNo_[static_cast<size_t>(row)]
                                  : txtGrpStartNo_[static_cast<size_t>((row + 1) % kGrpPageRows)];
        next->setFocus(Qt::TabFocusReason);
        return true;
    }
    return QWidget::eventFilter(o, e);
}

} // namespace rer
