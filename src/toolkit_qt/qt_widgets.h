// Widgets that report their events through callbacks, so the toolkit needs
// no meta-object code of its own.
#pragma once

#include <QLabel>
#include <QString>
#include <QWidget>
#include <functional>
#include <string>
#include <string_view>

namespace vemora {

// Vemora's texts are UTF-8.
inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

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

// Gives screen readers the roles Qt cannot tell from a plain widget: a
// form's window is a frame or a dialog, the animation control an animation.
void InstallAccessibleRoles();

}  // namespace vemora
