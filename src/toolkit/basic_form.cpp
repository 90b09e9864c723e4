#include "toolkit/basic_form.h"

#include <cmath>

#include "runtime/numbers.h"
#include "runtime/runtime_error.h"
#include "toolkit/basic_toolkit.h"
#include "toolkit/clip_player.h"

namespace vemora {

BasicForm::BasicForm(BasicToolkit& toolkit, const FormDesign& design, Dpi dpi)
    : toolkit_(toolkit), design_(design), dpi_(dpi) {
  toolkit_.FormLoaded(*this);
}

BasicForm::~BasicForm() {
  if (!unloaded_) toolkit_.FormDestroyed(*this);
}

void BasicForm::Build() {
  BuildContainer({}, nullptr);
  for (const ControlDesign& d : design_.controls) controls_.push_back(&Find(d.name));
  for (const auto& control : owned_) control->Start();
}

void BasicForm::BuildContainer(std::string_view container, BasicControl* parent) {
  for (const auto& [d, role] : TabRoles(design_.controls, container)) {
    owned_.push_back(NativeControl(*d, parent, ToPixels(*d, dpi_), role));
    BasicControl* control = owned_.back().get();
    byName_.emplace(std::string(d->name), control);
    if (d->kind == ControlKind::Frame) BuildContainer(d->name, control);
  }
}

void BasicForm::ReleaseControls() {
  for (const auto& control : owned_)
    if (ClipPlayer* player = control->Player()) player->Close();
  controls_.clear();
  byName_.clear();
  owned_.clear();
}

BasicControl& BasicForm::Find(std::string_view name) const {
  const auto it = byName_.find(name);
  if (it == byName_.end()) Raise(ErrorNumber::kSubscriptOutOfRange);
  return *it->second;
}

double BasicForm::Get(Prop prop) const {
  const PixelSize client = NativeClientSize();
  const PixelSize frame = FrameAllowance(design_.border, dpi_);
  if (prop == Prop::Height) return ToTwips(client.height + frame.height, dpi_.y);
  if (prop == Prop::Width) return ToTwips(client.width + frame.width, dpi_.x);
  Raise(ErrorNumber::kPropertyNotSupported);
}

void BasicForm::Set(Prop prop, double value) {
  if (prop != Prop::Height && prop != Prop::Width) Raise(ErrorNumber::kPropertyNotSupported);
  if (!std::isfinite(value) || value < 0 || value > 1e7) Raise(ErrorNumber::kInvalidPropertyValue);
  PixelSize client = NativeClientSize();
  const PixelSize frame = FrameAllowance(design_.border, dpi_);
  if (prop == Prop::Height)
    client.height = std::max(0, RealToInt32(value * dpi_.y / kTwipsPerInch) - frame.height);
  else
    client.width = std::max(0, RealToInt32(value * dpi_.x / kTwipsPerInch) - frame.width);
  NativeResize(client);
}

// Resize comes first when the form is first shown, then with every new
// size; a size it already had raises nothing.
void BasicForm::Show() {
  const bool first = !shown_;
  shown_ = true;
  NativeShow(first);
  if (first) UserResized();
}

void BasicForm::UserResized() {
  if (!shown_ || unloaded_) return;
  const PixelSize client = NativeClientSize();
  if (client == lastClient_) return;
  lastClient_ = client;
  if (onResize_) Deliver(onResize_);
}

void BasicForm::UserClosed() {
  Unload();
}

// The unload handler runs first; then the window goes, its clips with it,
// and the last form's unload ends the program.
void BasicForm::Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  if (onUnload_) Deliver(onUnload_);
  NativeHide();
  for (const auto& control : owned_)
    if (ClipPlayer* player = control->Player()) player->Close();
  toolkit_.FormUnloaded(*this);
}

void BasicForm::OpenClip(std::string_view control, const std::string& path) {
  ClipPlayer* player = Find(control).Player();
  if (!player) Raise(ErrorNumber::kPropertyNotSupported);
  player->Open(path);
}

void BasicForm::OnControl(std::string_view control, Event event, std::function<void()> handler) {
  Find(control).Connect(event, std::move(handler));
}

void BasicForm::Load() {
  if (onLoad_) Deliver(onLoad_);
}

void BasicForm::Deliver(const std::function<void()>& handler) {
  RunAtEventBoundary(toolkit_, handler);
}

void BasicForm::SelectOption(BasicControl& option) {
  if (option.Get(Prop::Value) != 0) return;
  const std::string_view container = option.Design().container;
  for (const auto& c : owned_)
    if (c.get() != &option && c->Kind() == ControlKind::OptionButton &&
        c->Design().container == container)
      c->SetSelected(false);
  option.SetSelected(true);
  option.RaiseClick();
}

void BasicForm::SyncOptions() {
  std::vector<BasicControl*> selected;
  for (const auto& c : owned_)
    if (c->Kind() == ControlKind::OptionButton && c->SyncSelection()) selected.push_back(c.get());
  for (BasicControl* option : selected) option->RaiseClick();
}

}  // namespace vemora
