// The About box: the program's icon, name and version.
#pragma once

#include <QDialog>

namespace chainforge {

class CAboutDialog : public QDialog {
    Q_OBJECT

  public:
    explicit CAboutDialog(QWidget* parent = nullptr);
};

}  // namespace chainforge
