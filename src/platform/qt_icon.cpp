#include <QPixmap>

#include "platform/program_icon.h"
#include "platform/qt_toolkit.h"

namespace vemora {

QIcon ProgramIcon() {
  QIcon icon;
  icon.addPixmap(QPixmap(kProgramIcon32));
  icon.addPixmap(QPixmap(kProgramIcon16));
  return icon;
}

}  // namespace vemora
