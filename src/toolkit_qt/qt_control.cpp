#include "toolkit_qt/qt_control.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "toolkit_qt/animation_view.h"
#include "toolkit_qt/qt_widgets.h"

namespace vemora {

QtControl::QtControl(const ControlDesign& design, BasicForm& form, QWidget* widget)
    : BasicControl(design, form), widget_(widget) {
  ReportUserActions();
}

// Signals that code's own changes also send are told apart by the rules.
void QtControl::ReportUserActions() {
  if (auto* edit = qobject_cast<QLineEdit*>(widget_)) {
    QObject::connect(edit, &QLineEdit::textChanged, edit, [this] { UserEdited(); });
  } else if (auto* combo = qobject_cast<QComboBox*>(widget_)) {
    // With the list open, Qt changes the index only on the committed choice.
    QObject::connect(combo, &QComboBox::currentIndexChanged, combo, [this] { UserPicked(); });
  } else if (auto* push = qobject_cast<QPushButton*>(widget_)) {
    QObject::connect(push, &QPushButton::clicked, push, [this] { UserClicked(); });
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget_)) {
    QObject::connect(button, &QAbstractButton::toggled, button, [this] { UserToggled(); });
  } else if (auto* picture = dynamic_cast<PictureBox*>(widget_)) {
    picture->SetClickHandler([this] { UserClicked(); });
  }
}

// Tab enters an option group at its selected button; the arrow keys still
// move between all of them.
void TabIntoGroupHere(QWidget* option, bool selected) {
  option->setFocusPolicy(selected ? Qt::StrongFocus : Qt::ClickFocus);
}

ClipPlayer* QtControl::Player() {
  auto* view = dynamic_cast<AnimationView*>(widget_);
  return view ? &view->Player() : nullptr;
}

PixelRect QtControl::NativeRect() const {
  const QRect g = widget_->geometry();
  return {g.x(), g.y(), g.width(), g.height()};
}

void QtControl::NativePlace(const PixelRect& box) {
  widget_->setGeometry(box.left, box.top, box.width, box.height);
}

void QtControl::NativeFont(const FontDesign& design) {
  QFont font(ToQString(design.face));
  font.setPointSizeF(design.size);
  font.setBold(design.bold);
  font.setItalic(design.italic);
  widget_->setFont(font);
}

std::string QtControl::NativeText() const {
  if (auto* edit = qobject_cast<QLineEdit*>(widget_)) return edit->text().toStdString();
  if (auto* combo = qobject_cast<QComboBox*>(widget_)) return combo->currentText().toStdString();
  if (auto* label = qobject_cast<QLabel*>(widget_)) return label->text().toStdString();
  if (auto* button = qobject_cast<QAbstractButton*>(widget_)) return button->text().toStdString();
  if (auto* frame = qobject_cast<QGroupBox*>(widget_)) return frame->title().toStdString();
  return {};
}

void QtControl::NativeSetText(std::string_view text) {
  const QString q = ToQString(text);
  if (auto* edit = qobject_cast<QLineEdit*>(widget_)) return edit->setText(q);
  if (auto* label = qobject_cast<QLabel*>(widget_)) return label->setText(q);
  if (auto* button = qobject_cast<QAbstractButton*>(widget_)) return button->setText(q);
  if (auto* frame = qobject_cast<QGroupBox*>(widget_)) return frame->setTitle(q);
}

bool QtControl::NativeChecked() const {
  auto* button = qobject_cast<QAbstractButton*>(widget_);
  return button && button->isChecked();
}

void QtControl::NativeCheck(bool on) {
  if (auto* button = qobject_cast<QAbstractButton*>(widget_)) button->setChecked(on);
  if (Kind() == ControlKind::OptionButton) TabIntoGroupHere(widget_, on);
}

int QtControl::NativeSelection() const {
  auto* combo = qobject_cast<QComboBox*>(widget_);
  return combo ? combo->currentIndex() : -1;
}

void QtControl::NativeSelect(int index) {
  if (auto* combo = qobject_cast<QComboBox*>(widget_)) combo->setCurrentIndex(index);
}

}  // namespace vemora
