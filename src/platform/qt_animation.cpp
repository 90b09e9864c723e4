#include "platform/qt_widgets.h"

namespace vemora {

QWidget* MakeAnimationWidget() {
  auto* box = new QWidget;
  box->setAutoFillBackground(true);
  box->setBackgroundRole(QPalette::Button);
  return box;
}

void OpenAnimationClip(QWidget*, const std::string&) {}

}  // namespace vemora
