#include "dialogs/ui/frmPrintSelect.h"

#include "app/AppContext.h"
#include "files/Decimal.h"
#include "files/Value.h"
#include "platform/ui/BoxValidator.h"
#include "platform/ui/WindowPlacement.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

namespace rer {

namespace {
// A range box's number: its leading number rounded to a whole one; empty is
// 0. One beyond every position number stays beyond them.
int boxNumber(const QLineEdit* box) {
    return int(std::clamp(RoundDecimal(LeadingNumber(box->text()), 0, HalfRule::ToEven), -1.0e6, 1.0e6));
}
} // namespace

frmPrintSelect::frmPrintSelect(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("frmPrintSelect"));
    FitToScreen(*this);
    setModal(true);
    if (parent) move(parent->pos() + QPoint(33, 33));
    PrintCancel = false;
    PrintPosiFileName.clear();
    PrintParaFileName.clear();
    ctx_.print.PrintPosiFrom = 1;
    ctx_.print.PrintPosiTo = 399;

    auto pick = [this](const char* jp, const char* en) {
        return ctx_.pick(QString::fromUtf8(jp), QString::fromUtf8(en));
    };
    setWindowTitle(pick("印刷設定", "Print Setting"));
    auto* lblPrintSet = new QLabel(pick("印刷するデータを選択して下さい。", "Select data to be printed."), this);
    lblPrintSet->setObjectName(QStringLiteral("lblPrintSet"));

    auto* frmPrintPosi = new QGroupBox(pick("位置データ", "Position Data"), this);
    frmPrintPosi->setObjectName(QStringLiteral("frmPrintPosi"));
    chkPrintPosi_ = new QCheckBox(pick("位置データ", "Position Data"), frmPrintPosi);
    chkPrintPosi_->setObjectName(QStringLiteral("chkPrintPosi"));
    optPosi_[0] = new QRadioButton(pick("表の位置データ", "Inside of Grid"), frmPrintPosi);
    optPosi_[0]->setObjectName(QStringLiteral("optPrintPosi0"));
    optPosi_[1] = new QRadioButton(pick("ファイル", "File"), frmPrintPosi);
    optPosi_[1]->setObjectName(QStringLiteral("optPrintPosi1"));
    lblPosiName_ = new QLabel(posiPlaceholder(), frmPrintPosi);
    lblPosiName_->setObjectName(QStringLiteral("lblPrintPosiName"));
    cmdSelectPosiFile_ = new QPushButton(pick("参照", "Browse"), frmPrintPosi);
    cmdSelectPosiFile_->setObjectName(QStringLiteral("cmdSelectPosiFile"));
    auto* gp = new QGridLayout(frmPrintPosi);
    gp->addWidget(chkPrintPosi_, 0, 0, 1, 2);
    gp->addWidget(optPosi_[0], 1, 0, 1, 2);
    gp->addWidget(optPosi_[1], 2, 0);
    gp->addWidget(lblPosiName_, 3, 0);
    gp->addWidget(cmdSelectPosiFile_, 3, 1);
    auto* posiGroup = new QButtonGroup(this);
    posiGroup->addButton(optPosi_[0]);
    posiGroup->addButton(optPosi_[1]);

    auto* frmPrintPara = new QGroupBox(this);
    frmPrintPara->setObjectName(QStringLiteral("frmPrintPara"));
    chkPrintPara_ = new QCheckBox(pick("パラメーター", "Parameter"), frmPrintPara);
    chkPrintPara_->setObjectName(QStringLiteral("chkPrintPara"));
    optPara_[0] = new QRadioButton(pick("コントローラ内のデータ", "Inside of C/T"), frmPrintPara);
    optPara_[0]->setObjectName(QStringLiteral("optPrintPara0"));
    optPara_[1] = new QRadioButton(pick("ファイル", "File"), frmPrintPara);
    optPara_[1]->setObjectName(QStringLiteral("optPrintPara1"));
    lblParaName_ = new QLabel(paraPlaceholder(), frmPrintPara);
    lblParaName_->setObjectName(QStringLiteral("lblPrintParaName"));
    cmdSelectParaFile_ = new QPushButton(pick("参照", "Browse"), frmPrintPara);
    cmdSelectParaFile_->setObjectName(QStringLiteral("cmdSelectParaFile"));
    auto* gq = new QGridLayout(frmPrintPara);
    gq->addWidget(chkPrintPara_, 0, 0, 1, 2);
    gq->addWidget(optPara_[0], 1, 0, 1, 2);
    gq->addWidget(optPara_[1], 2, 0);
    gq->addWidget(lblParaName_, 3, 0);
    gq->addWidget(cmdSelectParaFile_, 3, 1);
    auto* paraGroup = new QButtonGroup(this);
    paraGroup->addButton(optPara_[0]);
    paraGroup->addButton(optPara_[1]);

    for (QLabel* l : {lblPosiName_, lblParaName_}) {
        l->setAutoFillBackground(true);
        QPalette pal = l->palette();
        pal.setColor(QPalette::Window, Qt::white);
        l->setPalette(pal);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
    }

    auto* lblPrintHani = new QLabel(pick("印刷範囲", "Data Range"), this);
    lblPrintHani->setObjectName(QStringLiteral("lblPrintHani"));
    auto* lblStart = new QLabel(pick("開始位置No", "Start Posi No"), this);
    lblStart->setObjectName(QStringLiteral("lblPrintStartPosi"));
    auto* lblEnd = new QLabel(pick("終了位置", "End Posi No"), this);
    lblEnd->setObjectName(QStringLiteral("lblPrintEndPosi"));
    txtStart_ = new QLineEdit(QStringLiteral("1"), this);
    txtStart_->setObjectName(QStringLiteral("txtPrintStartPosi"));
    txtEnd_ = new QLineEdit(QStringLiteral("399"), this);
    txtEnd_->setObjectName(QStringLiteral("txtPrintEndPosi"));
    for (QLineEdit* t : {txtStart_, txtEnd_}) {
        SetBoxRule(t, DigitBox(3), ctx_.platform.beeper);
        t->installEventFilter(this);
    }
    chkPrintGyokanS_ = new QCheckBox(pick("行間をつめて印刷する", "The spacing to print is narrowed."), this);
    chkPrintGyokanS_->setObjectName(QStringLiteral("chkPrintGyokanS"));
    cmdPrintSet_ = new QPushButton(QStringLiteral("OK"), this);
    cmdPrintSet_->setObjectName(QStringLiteral("cmdPrintSet"));
    cmdPrintSet_->setDefault(true);
    auto* cancel = new QPushButton(pick("キャンセル", "Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdPrintCancel"));

    auto* g = new QGridLayout(this);
    g->addWidget(lblPrintSet, 0, 0, 1, 4);
    g->addWidget(frmPrintPosi, 1, 0, 1, 2);
    g->addWidget(frmPrintPara, 1, 2, 1, 2);
    g->addWidget(lblPrintHani, 2, 0);
    g->addWidget(lblStart, 3, 0);
    g->addWidget(txtStart_, 3, 1);
    g->addWidget(lblEnd, 3, 2);
    g->addWidget(txtEnd_, 3, 3);
    g->addWidget(chkPrintGyokanS_, 4, 0, 1, 4);
    auto* b = new QHBoxLayout;
    b->addStretch();
    b->addWidget(cmdPrintSet_);
    b->addWidget(cancel);
    g->addLayout(b, 5, 0, 1, 4);

    // Initial state.
    chkPrintPosi_->setChecked(true);
    optPosi_[0]->setChecked(true);
    lblPosiName_->setEnabled(false);
    cmdSelectPosiFile_->setEnabled(false);
    chkPrintPara_->setChecked(false);
    optPara_[0]->setChecked(true);
    for (QWidget* w : std::initializer_list<QWidget*>{optPara_[0], optPara_[1], lblParaName_, cmdSelectParaFile_})
        w->setEnabled(false);

    connect(chkPrintPosi_, &QCheckBox::clicked, this, &frmPrintSelect::chkPrintPosi_Click);
    connect(chkPrintPara_, &QCheckBox::clicked, this, &frmPrintSelect::chkPrintPara_Click);
    connect(optPosi_[0], &QRadioButton::toggled, this, &frmPrintSelect::optPrintPosi_Click);
    connect(optPara_[0], &QRadioButton::toggled, this, &frmPrintSelect::optPrintPara_Click);
    connect(cmdSelectPosiFile_, &QPushButton::clicked, this, &frmPrintSelect::cmdSelectPosiFile_Click);
    connect(cmdSelectParaFile_, &QPushButton::clicked, this, &frmPrintSelect::cmdSelectParaFile_Click);
    connect(cmdPrintSet_, &QPushButton::clicked, this, &frmPrintSelect::cmdPrintSet_Click);
    connect(cancel, &QPushButton::clicked, this, &frmPrintSelect::reject);
}

QString frmPrintSelect::posiPlaceholder() const {
    return ctx_.pick(QStringLiteral("位置データ(xxxx.kzd)"), QStringLiteral("Position Data(xxxx.kzd)"));
}

QString frmPrintSelect::paraPlaceholder() const {
    return ctx_.pick(QStringLiteral("パラメータ(xxxx.pmt)"), QStringLiteral("Parameter(xxxx.pmt)"));
}

bool frmPrintSelect::fileChosen(QLabel* name, const QString& placeholder) const {
    return !name->text().isEmpty() && name->text() != placeholder;
}

void frmPrintSelect::chkPrintPosi_Click() {
    if (chkPrintPosi_->isChecked()) {
        optPosi_[0]->setEnabled(true);
        optPosi_[1]->setEnabled(true);
        const bool file = optPosi_[1]->isChecked();
        lblPosiName_->setEnabled(file);
        cmdSelectPosiFile_->setEnabled(file);
        if (!file || fileChosen(lblPosiName_, posiPlaceholder())) cmdPrintSet_->setEnabled(true);
    } else {
        for (QWidget* w : std::initializer_list<QWidget*>{optPosi_[0], optPosi_[1], lblPosiName_, cmdSelectPosiFile_})
            w->setEnabled(false);
        if (!chkPrintPara_->isChecked()) cmdPrintSet_->setEnabled(false);
    }
}

void frmPrintSelect::chkPrintPara_Click() {
    if (chkPrintPara_->isChecked()) {
        optPara_[0]->setEnabled(true);
        optPara_[1]->setEnabled(true);
        const bool file = optPara_[1]->isChecked();
        lblParaName_->setEnabled(file);
        cmdSelectParaFile_->setEnabled(file);
        if (!file || fileChosen(lblParaName_, paraPlaceholder())) cmdPrintSet_->setEnabled(true);
    } else {
        for (QWidget* w : std::initializer_list<QWidget*>{optPara_[0], optPara_[1], lblParaName_, cmdSelectParaFile_})
            w->setEnabled(false);
        if (!chkPrintPosi_->isChecked()) cmdPrintSet_->setEnabled(false);
    }
}

void frmPrintSelect::optPrintPosi_Click() {
    const bool file = !optPosi_[0]->isChecked();
    lblPosiName_->setEnabled(file);
    cmdSelectPosiFile_->setEnabled(file);
}

void frmPrintSelect::optPrintPara_Click() {
    const bool file = !optPara_[0]->isChecked();
    lblParaName_->setEnabled(file);
    cmdSelectParaFile_->setEnabled(file);
}

void frmPrintSelect::cmdSelectPosiFile_Click() {
    FileDialogRequest r;
    r.kind = FileKind::Position;
    r.title = ctx_.pick(QStringLiteral("印刷する位置データファイルを指定する"),
                        QStringLiteral("Specify Position Data file to be printed."));
    r.filter = ctx_.pick(QStringLiteral("位置データ(*.kzd)|*.kzd|位置データ(*.vtd)|*.vtd|すべてのファイル(*.*)|*.*"),
                         QStringLiteral("Position Data(*.kzd)|*.kzd|Position Data(*.vtd)|*.vtd|All files(*.*)|*.*"));
    r.defaultExt = QStringLiteral("kzd");
    r.mustExist = true;
    if (!ctx_.platform.fileDialogs) return;
    const auto path = ctx_.platform.fileDialogs->open(r);
    if (!path) return;
    lblPosiName_->setText(QFileInfo(*path).fileName());
    PrintPosiFileName = *path;
}

void frmPrintSelect::cmdSelectParaFile_Click() {
    FileDialogRequest r;
    r.kind = FileKind::Parameter;
    r.title = ctx_.pick(QStringLiteral("印刷するパラメーターファイルを指定する"),
                        QStringLiteral("Specify parameter file to be printed."));
    // The parameter windows save *.pmd; older files are *.pmt: both are offered.
    r.filter = ctx_.pick(QStringLiteral("パラメータ(*.pmd;*.pmt)|*.pmd;*.pmt|すべてのファイル(*.*)|*.*"),
                         QStringLiteral("Parameter(*.pmd;*.pmt)|*.pmd;*.pmt|All files(*.*)|*.*"));
    r.defaultExt = QStringLiteral("pmd");
    r.mustExist = true;
    if (!ctx_.platform.fileDialogs) return;
    const auto path = ctx_.platform.fileDialogs->open(r);
    if (!path) return;
    lblParaName_->setText(QFileInfo(*path).fileName());
    PrintParaFileName = *path;
}

void frmPrintSelect::cmdPrintSet_Click() {
    GridPosiPrint = FilePosiPrint = CtrlParaPrint = FileParaPrint = false;
    if (chkPrintPosi_->isChecked()) {
        if (optPosi_[0]->isChecked()) {
            GridPosiPrint = true;
        } else {
            if (!fileChosen(lblPosiName_, posiPlaceholder()) || PrintPosiFileName.isEmpty()) {
                ctx_.message(ctx_.pick(QStringLiteral("位置データのファイル名が適切でありません。ファイル名を確認し、再度印刷して下さい。"),
                                       QStringLiteral("Invalid file name. Confirm file name and print it again.")));
                return;
            }
            FilePosiPrint = true;
        }
        // The listing gets a range of 1 to 399 with its start not above its
        // end: an empty or wrong box is pointed out and the dialog stays.
        const int from = boxNumber(txtStart_), to = boxNumber(txtEnd_);
        QLineEdit* wrong = from < 1 || from > 399 ? txtStart_ : to < 1 || to > 399 || to < from ? txtEnd_ : nullptr;
        if (wrong) {
            beep();
            wrong->setFocus();
            wrong->selectAll();
            return;
        }
        ctx_.print.PrintPosiFrom = int16_t(from);
        ctx_.print.PrintPosiTo = int16_t(to);
    }
    if (chkPrintPara_->isChecked()) {
        if (optPara_[0]->isChecked()) {
            CtrlParaPrint = true;
        } else {
            if (!fileChosen(lblParaName_, paraPlaceholder()) || PrintParaFileName.isEmpty()) {
                ctx_.message(ctx_.pick(QStringLiteral("パラメータのファイル名が適切でありません。ファイル名を確認し、再度印刷して下さい。"),
                                       QStringLiteral("Invalid file name. Confirm file name and print it again.")));
                return;
            }
            FileParaPrint = true;
        }
    }
    ctx_.print.PrintNarrow = chkPrintGyokanS_->isChecked();
    CtrlParaPrint = false;
    FileParaPrint = false;
    accept();
}

void frmPrintSelect::reject() {
    PrintCancel = true;
    QDialog::reject();
}

void frmPrintSelect::beep() {
    ++beeps;
    QApplication::beep();
}

void frmPrintSelect::rangeLostFocus(bool start) {
    QLineEdit* box = start ? txtStart_ : txtEnd_;
    const int s = boxNumber(txtStart_);
    const int e = boxNumber(txtEnd_);
    const int v = start ? s : e;
    if (v < 1 || v > 399) {
        box->clear();
        beep();
    }
    if (start ? s > e : e < s) {
        box->clear();
        beep();
    }
}

bool frmPrintSelect::eventFilter(QObject* o, QEvent* e) {
    auto* box = qobject_cast<QLineEdit*>(o);
    if (box && (box == txtStart_ || box == txtEnd_)) {
        if (e->type() == QEvent::FocusOut) {
            rangeLostFocus(box == txtStart_);
        } else if (e->type() == QEvent::KeyPress && IsEnterKey(*static_cast<QKeyEvent*>(e))) {
            // What the box takes is its validator's rule; Enter moves on.
            (box == txtStart_ ? txtEnd_ : txtStart_)->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}

} // namespace rer
