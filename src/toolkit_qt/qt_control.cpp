#include "toolkit_qt/qt_control.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>

#include "runtime/numbers.h"
#include "runtime/runtime_error.h"
#include "toolkit/property_checks.h"
#include "toolkit_qt/qt_widgets.h"

namespace vemora {
QtControl::QtControl(const ControlDesign& design, QWidget* widget, Dpi dpi)
    : name_(design.name), kind_(design.kind), widget_(widget), dpi_(dpi) {}

bool QtControl::HasFont() const {
  return kind_ != ControlKind::Image && kind_ != ControlKind::Animation;
}

double QtControl::GetGeometry(Prop prop) const {
  const QRect g = widget_->geometry();
  switch (prop) {
    case Prop::Height:
      return dpi_.ToTwipsY(g.height());
    case Prop::Width:
      return dpi_.ToTwipsX(g.width());
    case Prop::Top:
      return dpi_.ToTwipsY(g.y());
    default:
      return dpi_.ToTwipsX(g.x());
  }
}

void QtControl::SetGeometry(Prop prop, double twips) {
  QRect g = widget_->geometry();
  switch (prop) {
    case Prop::Height:
      if (twips < 0) RaiseBadValue();
      g.setHeight(CheckedPixels(dpi_.ToPixelsY(twips)));
      break;
    case Prop::Width:
      if (twips < 0) RaiseBadValue();
      g.setWidth(CheckedPixels(dpi_.ToPixelsX(twips)));
      break;
    case Prop::Top:
      g.moveTop(CheckedPixels(dpi_.ToPixelsY(twips)));
      break;
    default:
      g.moveLeft(CheckedPixels(dpi_.ToPixelsX(twips)));
      break;
  }
  widget_->setGeometry(g);
}

void QtControl::SetFontSize(double points) {
  if (!HasFont()) RaiseUnsupported();
  CheckFontSize(points);
  QFont font = widget_->font();
  font.setPointSizeF(points);
  widget_->setFont(font);
}

double QtControl::Get(Prop prop) const {
  switch (prop) {
    case Prop::Height:
    case Prop::Width:
    case Prop::Top:
    case Prop::Left:
      return GetGeometry(prop);
    case Prop::FontSize:
      if (!HasFont()) RaiseUnsupported();
      return widget_->font().pointSizeF();
    case Prop::Enabled:
      return widget_->isEnabled() ? -1 : 0;
    case Prop::Value:
      if (auto* box = qobject_cast<QCheckBox*>(widget_)) return box->isChecked() ? 1 : 0;
      if (auto* option = qobject_cast<QRadioButton*>(widget_)) return option->isChecked() ? -1 : 0;
      RaiseUnsupported();
    case Prop::ListIndex:
      if (auto* combo = qobject_cast<QComboBox*>(widget_)) return combo->currentIndex();
      RaiseUnsupported();
    default:
      RaiseUnsupported();
  }
}

void QtControl::Set(Prop prop, double value) {
  switch (prop) {
    case Prop::Height:
    case Prop::Width:
    case Prop::Top:
    case Prop::Left:
      SetGeometry(prop, value);
      return;
    case Prop::FontSize:
      SetFontSize(value);
      return;
    case Prop::Enabled:
      widget_->setEnabled(value != 0);
      return;
    case Prop::Value:
      if (auto* box = qobject_cast<QCheckBox*>(widget_)) {
        if (value != 0 && value != 1) RaiseBadValue();
        box->setChecked(value == 1);
        return;
      }
      if (auto* option = qobject_cast<QRadioButton*>(widget_)) {
        option->setChecked(value != 0);
        return;
      }
      RaiseUnsupported();
    case Prop::ListIndex:
      if (auto* combo = qobject_cast<QComboBox*>(widget_)) {
        const int index = RealToInt32(value);
        if (index < -1 || index >= combo->count()) RaiseBadValue();
        combo->setCurrentIndex(index);
        return;
      }
      RaiseUnsupported();
    default:
      RaiseUnsupported();
  }
}

std::string QtControl::GetText(Prop prop) const {
  if (prop == Prop::Text) {
    if (auto* edit = qobject_cast<QLineEdit*>(widget_)) return edit->text().toStdString();
    if (auto* combo = qobject_cast<QComboBox*>(widget_)) return combo->currentText().toStdString();
  } else if (prop == Prop::Caption) {
    if (auto* label = qobject_cast<QLabel*>(widget_)) return label->text().toStdString();
    if (auto* button = qobject_cast<QAbstractButton*>(widget_)) return button->text().toStdString();
    if (auto* frame = qobject_cast<QGroupBox*>(widget_)) return frame->title().toStdString();
  }
  RaiseUnsupported();
}

void QtControl::SetText(Prop prop, std::string_view text) {
  if (prop == Prop::Text) {
    if (auto* edit = qobject_cast<QLineEdit*>(widget_)) return edit->setText(ToQString(text));
  } else if (prop == Prop::Caption && kind_ != ControlKind::Image) {
    if (auto* label = qobject_cast<QLabel*>(widget_)) return label->setText(ToQString(text));
    if (auto* button = qobject_cast<QAbstractButton*>(widget_))
      return button->setText(ToQString(text));
    if (auto* frame = qobject_cast<QGroupBox*>(widget_)) return frame->setTitle(ToQString(text));
  }
  RaiseUnsupported();
}

void QtControl::Connect(Event event, std::function<void()> handler) {
  QObject* context = widget_;
  if (event == Event::Change) {
    if (auto* edit = qobject_cast<QLineEdit*>(widget_)) {
      QObject::connect(edit, &QLineEdit::textChanged, context, [handler] { handler(); });
      return;
    }
  } else if (auto* box = qobject_cast<QCheckBox*>(widget_)) {
    QObject::connect(box, &QCheckBox::toggled, context, [handler] { handler(); });
    return;
  } else if (auto* option = qobject_cast<QRadioButton*>(widget_)) {
    // An option's Click means it became selected.
    QObject::connect(option, &QRadioButton::toggled, context, [handler](bool on) {
      if (on) handler();
    });
    return;
  } else if (auto* combo = qobject_cast<QComboBox*>(widget_)) {
    QObject::connect(combo, &QComboBox::currentIndexChanged, context, [handler](int index) {
      if (index >= 0) handler();
    });
    return;
  } else if (auto* button = qobject_cast<QPushButton*>(widget_)) {
    QObject::connect(button, &QPushButton::clicked, context, [handler] { handler(); });
    return;
  } else if (auto* picture = dynamic_cast<PictureBox*>(widget_)) {
    picture->SetClickHandler(std::move(handler));
    return;
  }
  RaiseUnsupported();
}

}  // namespace vemora
