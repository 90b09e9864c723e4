#include "toolkit_qt/qt_widgets.h"

#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>

#include "toolkit_qt/animation_view.h"

namespace vemora {

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && onClick_)
    onClick_();
}

void FormWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (onResize) onResize();
}

void FormWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  if (onClose) onClose();
}

namespace {

QPushButton* ButtonWithRole(const QWidget& window, const char* role) {
  for (QPushButton* button : window.findChildren<QPushButton*>())
    if (button->property(role).toBool() && button->isEnabled()) return button;
  return nullptr;
}

}  // namespace

// Esc presses the cancel button; Enter presses the focused button, else the
// default button, as a dialog frame does.
void FormWindow::keyPressEvent(QKeyEvent* event) {
  QPushButton* target = nullptr;
  if (event->key() == Qt::Key_Escape) {
    target = ButtonWithRole(*this, kCancelRole);
  } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    target = qobject_cast<QPushButton*>(focusWidget());
    if (!target) target = ButtonWithRole(*this, kDefaultRole);
  }
  if (target) {
    target->click();
    return;
  }
  QWidget::keyPressEvent(event);
}

namespace {

QAccessibleInterface* AccessibleWithRole(const QString&, QObject* object) {
  if (auto* window = dynamic_cast<FormWindow*>(object)) {
    const bool dialog = window->windowFlags().testFlag(Qt::Dialog);
    return new QAccessibleWidget(window, dialog ? QAccessible::Dialog : QAccessible::Window);
  }
  if (auto* clip = dynamic_cast<AnimationView*>(object))
    return new QAccessibleWidget(clip, QAccessible::Animation);
  return nullptr;
}

}  // namespace

void InstallAccessibleRoles() {
  QAccessible::installFactory(&AccessibleWithRole);
}

}  // namespace vemora
