#pragma once
#include "app/ProgramState.h"

#include <QDialog>

class QTableWidget;

namespace rer {

class AppContext;

// What to verify the position table against: 1 a file, 2 the controller,
// 0 cancelled.
class frmDataShogo : public QDialog {
    Q_OBJECT
public:
    frmDataShogo(AppContext& ctx, QWidget* parent = nullptr);
    int Select_Shogo = 0;
};

// The differing positions of the last verification: frmSyogoKekka for the
// two-axis product, frm3KSyogo for the one-axis one.
class frmSyogoKekka : public QDialog {
    Q_OBJECT
public:
    frmSyogoKekka(AppContext& ctx, Product p, QWidget* parent = nullptr);
    QTableWidget* flgdSyogoKekka() const { return grid_; }

private:
    QTableWidget* grid_;
};

} // namespace rer
