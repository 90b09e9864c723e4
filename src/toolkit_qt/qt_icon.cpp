#include <QPixmap>

#include "toolkit_qt/qt_toolkit.h"

namespace vemora {

QIcon ProgramIcon() {
  QIcon icon;
  icon.addPixmap(QPixmap(":/icon/vemora-32.png"));
  icon.addPixmap(QPixmap(":/icon/vemora-16.png"));
  return icon;
}

}  // namespace vemora
