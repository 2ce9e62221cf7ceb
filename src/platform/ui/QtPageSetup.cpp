#include "platform/ui/QtPageSetup.h"

#include "platform/ui/WindowPlacement.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace rer {

QtPageSetupDialog::QtPageSetupDialog(QPrinter& printer, int16_t languageNo, QWidget* parent)
    : QDialog(parent), printer_(printer) {
    const bool jp = languageNo == 1;
    const auto pick = [jp](const char* ja, const char* en) { return QString::fromUtf8(jp ? ja : en); };
    setObjectName(QStringLiteral("PageSetup"));
    FitToScreen(*this);
    setWindowTitle(pick("プリンターの設定", "Printer Setup"));

    comboPrinter_ = new QComboBox(this);
    comboPrinter_->setObjectName(QStringLiteral("comboPrinter"));
    const QStringList names = QPrinterInfo::availablePrinterNames();
    comboPrinter_->addItems(names);
    if (!printer_.printerName().isEmpty() && !names.contains(printer_.printerName()))
        comboPrinter_->addItem(printer_.printerName());
    comboPrinter_->setCurrentIndex(comboPrinter_->findText(printer_.printerName()));
    if (comboPrinter_->currentIndex() < 0 && comboPrinter_->count() > 0) {
        const int def = comboPrinter_->findText(QPrinterInfo::defaultPrinterName());
        comboPrinter_->setCurrentIndex(def < 0 ? 0 : def);
    }
    comboPrinter_->setEnabled(comboPrinter_->count() > 0);

    comboPaper_ = new QComboBox(this);
    comboPaper_->setObjectName(QStringLiteral("comboPaper"));
    fillPapers();
    connect(comboPrinter_, &QComboBox::currentIndexChanged, this, [this] { fillPapers(); });

    auto* orientation = new QGroupBox(pick("印刷の向き", "Orientation"), this);
    orientation->setObjectName(QStringLiteral("framOrientation"));
    opt_[0] = new QRadioButton(pick("縦", "Portrait"), orientation);
    opt_[0]->setObjectName(QStringLiteral("optPortrait"));
    opt_[1] = new QRadioButton(pick("横", "Landscape"), orientation);
    opt_[1]->setObjectName(QStringLiteral("optLandscape"));
    opt_[printer_.pageLayout().orientation() == QPageLayout::Landscape ? 1 : 0]->setChecked(true);
    auto* o = new QHBoxLayout(orientation);
    o->addWidget(opt_[0]);
    o->addWidget(opt_[1]);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(pick("キャンセル", "Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(pick("プリンター名:", "Printer:"), comboPrinter_);
    form->addRow(pick("用紙サイズ:", "Paper size:"), comboPaper_);
    auto* top = new QVBoxLayout(this);
    top->addLayout(form);
    top->addWidget(orientation);
    top->addWidget(buttons);
}

void QtPageSetupDialog::fillPapers() {
    // The chosen paper is kept where the printer offers it.
    const QPageSize::PageSizeId now = comboPaper_->count() > 0
                                          ? QPageSize::PageSizeId(comboPaper_->currentData().toInt())
                                          : printer_.pageLayout().pageSize().id();
    QList<QPageSize> sizes;
    const QPrinterInfo info = QPrinterInfo::printerInfo(comboPrinter_->currentText());
    if (!info.isNull()) sizes = info.supportedPageSizes();
    if (sizes.isEmpty())
        for (QPageSize::PageSizeId id : {QPageSize::A3, QPageSize::A4, QPageSize::A5, QPageSize::B4, QPageSize::B5,
                                         QPageSize::Letter, QPageSize::Legal})
            sizes << QPageSize(id);
    comboPaper_->clear();
    for (const QPageSize& s : sizes)
        if (comboPaper_->findData(int(s.id())) < 0 && s.id() != QPageSize::Custom)
            comboPaper_->addItem(s.name(), int(s.id()));
    int i = comboPaper_->findData(int(now));
    if (i < 0) i = comboPaper_->findData(int(QPageSize::A4));
    comboPaper_->setCurrentIndex(i < 0 ? 0 : i);
}

void QtPageSetupDialog::accept() {
    const QString name = comboPrinter_->currentText();
    if (!name.isEmpty() && name != printer_.printerName()) printer_.setPrinterName(name);
    if (comboPaper_->currentIndex() >= 0)
        printer_.setPageSize(QPageSize(QPageSize::PageSizeId(comboPaper_->currentData().toInt())));
    printer_.setPageOrientation(opt_[1]->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait);
    QDialog::accept();
}

} // namespace rer
