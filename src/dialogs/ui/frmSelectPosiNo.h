#pragma once
#include <QDialog>

class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;

namespace rer {

class AppContext;

// Which positions a write or a verification covers: all, or a range.
class frmSelectPosiNo : public QDialog {
    Q_OBJECT
public:
    frmSelectPosiNo(AppContext& ctx, QWidget* parent = nullptr);

    QRadioButton* optSelectPosiNo(int i) const { return opt_[i]; }
    QSlider* sldrStartPosiNo() const { return sldrStart_; }
    QSlider* sldrEndPosiNo() const { return sldrEnd_; }
    QSpinBox* UpDownStartPosiNo() const { return upStart_; }
    QSpinBox* UpDownEndPosiNo() const { return upEnd_; }
    int startNo() const;
    int endNo() const;

    void cmdSelectPosiOk_Click();
    void cmdSelectPosiCancel_Click();

    // Cancel, Escape and the close box.
    void reject() override;

private:
    void optSelectPosiNo_Click(int index);
    void setStart(int v);
    void setEnd(int v);

    AppContext& ctx_;
    QRadioButton* opt_[2];
    QLabel* lblStartPosiMoji;
    QLabel* lblEndPosiMoji;
    QLabel* lblStartPosiNo;
    QLabel* lblEndPosiNo;
    QSpinBox* upStart_;
    QSpinBox* upEnd_;
    QSlider* sldrStart_;
    QSlider* sldrEnd_;
};

} // namespace rer
