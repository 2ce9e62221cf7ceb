#pragma once
#include <QString>

class QPushButton;
class QWidget;

namespace rer {

// A push button carrying its control name.
QPushButton* NamedButton(QWidget* parent, const char* name, const QString& caption);

} // namespace rer
