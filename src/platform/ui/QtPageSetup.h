#pragma once
#include <QDialog>
#include <cstdint>

class QComboBox;
class QPrinter;
class QRadioButton;

namespace rer {

// The printer set-up of the File menu: chooses the printer, the paper and the
// orientation that later prints start from. Nothing is printed; Cancel
// leaves the printer as it was.
class QtPageSetupDialog : public QDialog {
    Q_OBJECT
public:
    QtPageSetupDialog(QPrinter& printer, int16_t languageNo, QWidget* parent = nullptr);

    QComboBox* comboPrinter() const { return comboPrinter_; }
    QComboBox* comboPaper() const { return comboPaper_; }
    QRadioButton* optOrientation(int i) const { return opt_[i == 0 ? 0 : 1]; }

    void accept() override;

private:
    void fillPapers();

    QPrinter& printer_;
    QComboBox* comboPrinter_ = nullptr;
    QComboBox* comboPaper_ = nullptr;
    QRadioButton* opt_[2] = {nullptr, nullptr}; // portrait, landscape
};

} // namespace rer
