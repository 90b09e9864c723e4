#include "toolkit_qt/qt_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <limits>

#include "toolkit_qt/animation_view.h"
#include "toolkit_qt/qt_toolkit.h"

namespace vemora {
namespace {

Dpi PrimaryScreenDpi() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return {};
  return {screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY()};
}

// One widget per kind of control, with its design values; no handler is
// connected yet, so none of this raises an event.
QWidget* MakeWidget(const ControlDesign& d, const QIcon& icon) {
  const QString caption = ToQString(d.caption);
  switch (d.kind) {
    case ControlKind::TextBox: {
      auto* edit = new QLineEdit(caption);
      edit->setMaxLength(std::numeric_limits<int>::max());  // Qt would cut at 32767
      return edit;
    }
    case ControlKind::CommandButton: {
      auto* button = new QPushButton(caption);
      button->setAutoDefault(false);
      button->setProperty(kDefaultRole, d.isDefault);
      button->setProperty(kCancelRole, d.isCancel);
      return button;
    }
    case ControlKind::ComboBox: {
      auto* combo = new QComboBox;
      for (std::string_view item : d.items) combo->addItem(ToQString(item));
      combo->setCurrentIndex(-1);
      return combo;
    }
    case ControlKind::Frame:
      return new QGroupBox(caption);
    case ControlKind::OptionButton: {
      auto* option = new QRadioButton(caption);
      option->setChecked(d.value == kTrue);
      TabIntoGroupHere(option, d.value == kTrue);
      return option;
    }
    case ControlKind::CheckBox: {
      auto* box = new QCheckBox(caption);
      box->setChecked(d.value == 1);
      return box;
    }
    case ControlKind::Image: {
      auto* picture = new PictureBox;
      if (d.showsIcon) picture->setPixmap(icon.pixmap(QSize(32, 32)));
      picture->setScaledContents(d.stretch);
      picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      return picture;
    }
    case ControlKind::Label: {
      auto* label = new QLabel(caption);
      label->setWordWrap(true);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      return label;
    }
    case ControlKind::Animation:
      return new AnimationView;
  }
  return new QWidget;
}

void ApplyLook(QWidget* w, const ControlDesign& d) {
  w->setObjectName(ToQString(d.name));
  // A picture has no text of its own: a screen reader says what it does.
  if (d.kind == ControlKind::Image) w->setAccessibleName(ToQString(d.toolTip));
  if (!d.toolTip.empty()) w->setToolTip(ToQString(d.toolTip));
  if (d.questionPointer) w->setCursor(Qt::WhatsThisCursor);
  if (d.blackText) {
    QPalette palette = w->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    w->setPalette(palette);
  }
  w->setEnabled(d.enabled);
}

}  // namespace

QtForm::QtForm(QtToolkit& toolkit, const FormDesign& design)
    : BasicForm(toolkit, design, PrimaryScreenDpi()), toolkit_(toolkit), window_(new FormWindow) {
  window_->setObjectName(ToQString(design.name));
  window_->setWindowTitle(ToQString(design.caption));
  window_->setWindowIcon(toolkit_.Icon());
  const QSize client(ToPixels(design.clientWidth, ScreenDpi().x),
                     ToPixels(design.clientHeight, ScreenDpi().y));
  if (design.border == Border::FixedDialog) {
    window_->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    window_->setFixedSize(client);
  } else {
    window_->resize(client);
  }
  Build();
  // A label named after a field gives it its name for screen readers.
  for (const ControlDesign& d : design.controls)
    if (auto* label = qobject_cast<QLabel*>(Widget(d.name).Widget()); label && !d.labelFor.empty())
      label->setBuddy(Widget(d.labelFor).Widget());
  ApplyTabOrder();
  window_->onResize = [this] { UserResized(); };
  window_->onClose = [this] { UserClosed(); };
}

QtForm::~QtForm() {
  // Destroyed only outside this window's own events (the reference keeps an
  // unloaded form until the next creation or the program's end).
  ReleaseControls();
  delete window_.data();
}

std::unique_ptr<BasicControl> QtForm::NativeControl(const ControlDesign& d, BasicControl* container,
                                                    const PixelRect& box, TabRole) {
  QWidget* widget = MakeWidget(d, toolkit_.Icon());
  widget->setParent(container ? static_cast<QtControl*>(container)->Widget() : window_.data());
  ApplyLook(widget, d);
  widget->setGeometry(box.left, box.top, box.width, box.height);
  widget->show();
  return std::make_unique<QtControl>(d, *this, widget);
}

void QtForm::ApplyTabOrder() {
  const auto order = TabOrder(Design().controls);
  for (std::size_t i = 1; i < order.size(); ++i)
    QWidget::setTabOrder(Widget(order[i - 1]->name).Widget(), Widget(order[i]->name).Widget());
  if (!order.empty()) Widget(order.front()->name).Widget()->setFocus();
}

PixelSize QtForm::NativeClientSize() const {
  return {window_->width(), window_->height()};
}

void QtForm::NativeSetCaption(std::string_view caption) {
  window_->setWindowTitle(ToQString(caption));
}

void QtForm::NativeShow(bool) {
  if (!window_->isVisible()) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      const PixelSize frame = FrameAllowance(Design().border, ScreenDpi());
      QRect outer(QPoint(), window_->size() + QSize(frame.width, frame.height));
      outer.moveCenter(screen->availableGeometry().center());
      window_->move(outer.topLeft());
    }
    window_->show();
    return;
  }
  if (window_->isMinimized())
    window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
  window_->raise();
  window_->activateWindow();
}

}  // namespace vemora
