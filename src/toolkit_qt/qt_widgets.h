// Widgets that report their events through callbacks, so the toolkit needs
// no meta-object code of its own.
#pragma once

#include <QLabel>
#include <QWidget>
#include <functional>
#include <string>

namespace vemora {

// Dynamic properties that mark a form's default and cancel buttons.
inline constexpr const char* kDefaultRole = "vemoraDefault";
inline constexpr const char* kCancelRole = "vemoraCancel";

// The image control: a picture that can be clicked.
class PictureBox : public QLabel {
 public:
  using QLabel::QLabel;
  void SetClickHandler(std::function<void()> handler) { onClick_ = std::move(handler); }

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  std::function<void()> onClick_;
};

// A form's top-level window.
class FormWindow : public QWidget {
 public:
  FormWindow() = default;
  std::function<void()> onResize;
  std::function<void()> onClose;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace vemora

namespace vemora {

// The animation control: created empty; opening a clip plays it, repeating.
// A clip that cannot be read leaves it empty, without a message.
QWidget* MakeAnimationWidget();
void OpenAnimationClip(QWidget* animation, const std::string& path);
// Every animation control in `window` lets go of its clip: an unloaded
// form's widgets are kept a while, its clips must not be.
void CloseAnimationClips(QWidget* window);

}  // namespace vemora
