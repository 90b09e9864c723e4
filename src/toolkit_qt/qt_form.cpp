#include "toolkit_qt/qt_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <limits>

#include "runtime/numbers.h"
#include "runtime/runtime_error.h"
#include "toolkit_qt/qt_toolkit.h"

namespace vemora {
namespace {

Dpi ScreenDpi() {
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
      option->setChecked(d.value == -1);
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
      return MakeAnimationWidget();
  }
  return new QWidget;
}

void ApplyLook(QWidget* w, const ControlDesign& d) {
  w->setObjectName(ToQString(d.name));
  // A picture has no text of its own: a screen reader says what it does.
  if (d.kind == ControlKind::Image) w->setAccessibleName(ToQString(d.toolTip));
  if (!d.font.face.empty()) {
    QFont font(ToQString(d.font.face));
    font.setPointSizeF(d.font.size);
    font.setBold(d.font.bold);
    font.setItalic(d.font.italic);
    w->setFont(font);
  }
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
    : toolkit_(toolkit), border_(design.border), dpi_(ScreenDpi()), window_(new FormWindow) {
  window_->setObjectName(ToQString(design.name));
  window_->setWindowTitle(ToQString(design.caption));
  window_->setWindowIcon(toolkit_.Icon());
  window_->setFont(toolkit_.DefaultFont());
  const QSize client(static_cast<int>(std::lround(dpi_.ToPixelsX(design.clientWidth))),
                     static_cast<int>(std::lround(dpi_.ToPixelsY(design.clientHeight))));
  if (border_ == Border::FixedDialog) {
    window_->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    window_->setFixedSize(client);
  } else {
    window_->resize(client);
  }
  BuildControls(design);
  ApplyTabOrder(design);
  window_->onResize = [this] {
    if (onResize_) Deliver(onResize_);
  };
  window_->onClose = [this] { Unload(); };
  toolkit_.FormLoaded();
}

QtForm::~QtForm() {
  // Destroyed only outside this window's own events (the reference keeps an
  // unloaded form until the next creation or the program's end).
  delete window_.data();
  if (!unloaded_) toolkit_.FormUnloaded();
}

void QtForm::BuildControls(const FormDesign& design) {
  for (const ControlDesign& d : design.controls) {
    QWidget* widget = MakeWidget(d, toolkit_.Icon());
    widget->setParent(window_);
    ApplyLook(widget, d);
    auto control = std::make_unique<QtControl>(d, widget, dpi_);
    byName_.emplace(std::string(d.name), control.get());
    controls_.push_back(control.get());
    owned_.push_back(std::move(control));
  }
  // Containers may come after their children in the walk.
  for (const ControlDesign& d : design.controls) {
    QWidget* widget = Find(d.name).Widget();
    if (!d.container.empty()) widget->setParent(Find(d.container).Widget());
    // A label named after a field gives it its name for screen readers.
    if (auto* label = qobject_cast<QLabel*>(widget); label && !d.labelFor.empty())
      label->setBuddy(Find(d.labelFor).Widget());
    widget->setGeometry(static_cast<int>(std::lround(dpi_.ToPixelsX(d.left))),
                        static_cast<int>(std::lround(dpi_.ToPixelsY(d.top))),
                        static_cast<int>(std::lround(dpi_.ToPixelsX(d.width))),
                        static_cast<int>(std::lround(dpi_.ToPixelsY(d.height))));
    widget->show();
  }
}

void QtForm::ApplyTabOrder(const FormDesign& design) {
  std::vector<const ControlDesign*> order;
  for (const ControlDesign& d : design.controls) {
    QWidget* widget = Find(d.name).Widget();
    if (d.tabIndex < 0 || widget->focusPolicy() == Qt::NoFocus) continue;
    order.push_back(&d);
  }
  std::stable_sort(order.begin(), order.end(),
                   [](auto* a, auto* b) { return a->tabIndex < b->tabIndex; });
  for (std::size_t i = 1; i < order.size(); ++i)
    QWidget::setTabOrder(Find(order[i - 1]->name).Widget(), Find(order[i]->name).Widget());
  if (!order.empty()) Find(order.front()->name).Widget()->setFocus();
}

QtControl& QtForm::Find(std::string_view name) {
  const auto it = byName_.find(name);
  if (it == byName_.end()) Raise(ErrorNumber::kSubscriptOutOfRange);
  return *it->second;
}

Control& QtForm::Item(std::string_view name) {
  return Find(name);
}

// The outer size counts a standard frame around the client area, the same
// before and after the window manager has drawn one, so that the layout
// captured at load and every later size are measured alike. The pixels are
// those of the classic frames at 96 DPI: a title bar of 19 and a border on
// each side of 4 (sizable) or 3 (fixed dialog); 8 x 27 or 6 x 25 in all.
QSize QtForm::FrameAllowance() const {
  constexpr int kTitleBar = 19;
  const int border = border_ == Border::Sizable ? 4 : 3;
  return {2 * border, kTitleBar + 2 * border};
}

double QtForm::Get(Prop prop) const {
  if (prop == Prop::Height) return dpi_.ToTwipsY(window_->height() + FrameAllowance().height());
  if (prop == Prop::Width) return dpi_.ToTwipsX(window_->width() + FrameAllowance().width());
  Raise(ErrorNumber::kPropertyNotSupported);
}

void QtForm::Set(Prop prop, double value) {
  if (prop != Prop::Height && prop != Prop::Width) Raise(ErrorNumber::kPropertyNotSupported);
  if (!std::isfinite(value) || value < 0 || value > 1e7) Raise(ErrorNumber::kInvalidPropertyValue);
  QSize size = window_->size();
  if (prop == Prop::Height)
    size.setHeight(std::max(0, RealToInt32(dpi_.ToPixelsY(value)) - FrameAllowance().height()));
  else
    size.setWidth(std::max(0, RealToInt32(dpi_.ToPixelsX(value)) - FrameAllowance().width()));
  window_->resize(size);
}

std::string QtForm::Caption() const {
  return window_->windowTitle().toStdString();
}

void QtForm::SetCaption(std::string_view caption) {
  window_->setWindowTitle(ToQString(caption));
}

// The whole window is painted once the running handler returns: inside a
// resize handler that is the paint Qt makes for the resize anyway, so each
// step of a drag paints once, and never a half-moved layout.
void QtForm::Refresh() {
  window_->update();
}

void QtForm::Show() {
  if (!window_->isVisible()) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      QRect frame(QPoint(), window_->size() + FrameAllowance());
      frame.moveCenter(screen->availableGeometry().center());
      window_->move(frame.topLeft());
    }
    window_->show();
    return;
  }
  window_->raise();
  window_->activateWindow();
}

void QtForm::Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  if (onUnload_) Deliver(onUnload_);
  if (window_) {
    window_->hide();
    CloseAnimationClips(window_);
  }
  toolkit_.FormUnloaded();
}

void QtForm::OpenClip(std::string_view control, const std::string& path) {
  OpenAnimationClip(Find(control).Widget(), path);
}

void QtForm::OnControl(std::string_view control, Event event, std::function<void()> handler) {
  Find(control).Connect(event, [this, handler = std::move(handler)] { Deliver(handler); });
}

void QtForm::Load() {
  if (onLoad_) Deliver(onLoad_);
}

void QtForm::Deliver(const std::function<void()>& handler) {
  RunAtEventBoundary(toolkit_, handler);
}

}  // namespace vemora
