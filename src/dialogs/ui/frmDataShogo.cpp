#include "dialogs/ui/frmDataShogo.h"

#include "app/AppContext.h"
#include "app/ui/WindowText.h"
#include "dialogs/ShogoResult.h"
#include "platform/ui/WindowPlacement.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

namespace rer {

frmDataShogo::frmDataShogo(AppContext& ctx, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmDataShogo"));
    FitToScreen(*this);
    setModal(true);
    setWindowTitle(ctx.pick(QStringLiteral("データ照合の選択"), QStringLiteral("Select Position Data to reference")));
    if (parent) move(parent->pos() + QPoint(33, 33));
    auto* img = new QLabel(this);
    img->setObjectName(QStringLiteral("imgQuestion"));
    img->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    auto* lbl = new QLabel(ctx.pick(QStringLiteral("表の位置データとの照合を行います。どちらと照合するか選択して下さい。"),
                                    QStringLiteral("Please select Position Data for verification.")), this);
    lbl->setObjectName(QStringLiteral("lblDataShogo"));
    lbl->setWordWrap(true);
    auto* file = new QPushButton(ctx.pick(QStringLiteral("ファイルと照合"), QStringLiteral("Position Data file")), this);
    file->setObjectName(QStringLiteral("cmdFileDataShogo"));
    auto* ct = new QPushButton(ctx.pick(QStringLiteral("コントローラと照合"), QStringLiteral("Inside of C/T")), this);
    ct->setObjectName(QStringLiteral("cmdCtDataShogo"));
    auto* cancel = new QPushButton(ctx.pick(QStringLiteral("キャンセル"), QStringLiteral("Cancel")), this);
    cancel->setObjectName(QStringLiteral("cmdCancelOfShogo"));

    auto* top = new QHBoxLayout;
    top->addWidget(img);
    top->addWidget(lbl, 1);
    // Three choices of one size, well apart.
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(12);
    QSize choice;
    for (QPushButton* b : {file, ct, cancel}) choice = choice.expandedTo(b->sizeHint());
    for (QPushButton* b : {file, ct, cancel}) {
        b->setMinimumSize(choice);
        buttons->addWidget(b);
    }
    auto* v = new QVBoxLayout(this);
    v->addLayout(top);
    v->addSpacing(6);
    v->addLayout(buttons);
    KeepTitleWhole(*this);

    connect(file, &QPushButton::clicked, this, [this] { Select_Shogo = 1; accept(); });
    connect(ct, &QPushButton::clicked, this, [this] { Select_Shogo = 2; accept(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

frmSyogoKekka::frmSyogoKekka(AppContext& ctx, Product p, QWidget* parent) : QDialog(parent) {
    setObjectName(p == Product::TwoAxis ? QStringLiteral("frmSyogoKekka") : QStringLiteral("frm3KSyogo"));
    FitToScreen(*this);
    setModal(true);
    setWindowTitle(ctx.pick(QStringLiteral("照合の結果"), QStringLiteral("Result of Verification")));
    if (parent) move(parent->pos() + QPoint(33, 33));
    auto* lbl = new QLabel(ctx.pick(QStringLiteral("照合の結果、ﾃﾞｰﾀに違う箇所がありました。詳細は以下の通りです。"),
                                    QStringLiteral("There are unmatched data as follows.")), this);
    lbl->setObjectName(QStringLiteral("lblSyogoKekka"));
    grid_ = new QTableWidget(this);
    grid_->setObjectName(QStringLiteral("flgdSyogoKekka"));
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->hide();
    auto* close = new QPushButton(ctx.pick(QStringLiteral("閉じる"), QStringLiteral("Close")), this);
    close->setObjectName(QStringLiteral("cmdCloseSyogokekka"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* v = new QVBoxLayout(this);
    v->addWidget(lbl);
    v->addWidget(grid_, 1);
    auto* b = new QHBoxLayout;
    b->addStretch();
    b->addWidget(close);
    v->addLayout(b);

    // Row 0 holds the headers, one row per differing position below.
    grid_->setUpdatesEnabled(false);
    const QStringList headers = ShogoHeaders(ctx.opt.LanguageNo, p);
    const std::vector<ShogoRow> rows = ShogoResultRows(ctx, p);
    grid_->setColumnCount(int(headers.size()));
    grid_->setRowCount(int(rows.size()) + 1);
    auto cell = [this](int r, int c, const QString& text) {
        auto* it = new QTableWidgetItem(text);
        it->setTextAlignment(Qt::AlignCenter);
        grid_->setItem(r, c, it);
        return it;
    };
    for (int c = 0; c < headers.size(); ++c) cell(0, c, headers[c])->setBackground(palette().button());
    for (size_t i = 0; i < rows.size(); ++i) {
        const int r = int(i) + 1;
        cell(r, 0, QString::number(rows[i].posiNo));
        for (size_t j = 0; j < rows[i].differs.size(); ++j) {
            QTableWidgetItem* it = cell(r, int(j) + 1, rows[i].differs[j] ? QStringLiteral("X") : QStringLiteral("O"));
            if (rows[i].differs[j]) it->setBackground(QColor(0xFF, 0x80, 0x80));
        }
    }
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    // Every column at least as wide as its widest text, all columns in view.
    const QFontMetrics fm(grid_->font());
    int column = fm.horizontalAdvance(QStringLiteral("399"));
    for (const QString& h : headers) column = std::max(column, fm.horizontalAdvance(h));
    column += 2 * (grid_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid_) + 1) + 2;
    grid_->horizontalHeader()->setMinimumSectionSize(column);
    grid_->setMinimumWidth(column * int(headers.size()) + 2 * grid_->frameWidth() +
                           grid_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid_));
    grid_->setCurrentCell(0, 0);
    grid_->setUpdatesEnabled(true);
    resize(640, 360);
    KeepTitleWhole(*this);
}

} // namespace rer
