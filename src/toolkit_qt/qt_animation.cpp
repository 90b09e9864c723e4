#include "toolkit_qt/animation_view.h"
#include "toolkit_qt/qt_widgets.h"

namespace vemora {

QWidget* MakeAnimationWidget() {
  return new AnimationView;
}

void OpenAnimationClip(QWidget* animation, const std::string& path) {
  static_cast<AnimationView*>(animation)->Open(path);
}

void CloseAnimationClips(QWidget* window) {
  for (QWidget* child : window->findChildren<QWidget*>()) {
    if (auto* view = dynamic_cast<AnimationView*>(child)) view->Close();
  }
}

}  // namespace vemora
