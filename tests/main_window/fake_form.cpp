#include "main_window/fake_form.h"

#include <algorithm>
#include <iomanip>
#include <iterator>
#include <stdexcept>

namespace vemora::testing_support {
namespace {

const char* OpName(Op op) {
  static constexpr const char* kNames[] = {"Get",  "Set",    "GetText", "SetText", "Refresh",
                                           "Show", "Unload", "Load",    "OpenClip"};
  return kNames[static_cast<int>(op)];
}

const char* PropName(Prop prop) {
  static constexpr const char* kNames[] = {"Height", "Width",   "Top",       "Left", "FontSize",
                                           "Value",  "Enabled", "ListIndex", "Text", "Caption"};
  return kNames[static_cast<int>(prop)];
}

void RaiseIf(int error) {
  if (error != 0) Raise(static_cast<ErrorNumber>(error));
}

CallLog Filter(const CallLog& log, const std::function<bool(const Call&)>& keep) {
  CallLog out;
  std::copy_if(log.begin(), log.end(), std::back_inserter(out), keep);
  return out;
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const Call& call) {
  out << call.target << ' ' << OpName(call.op) << ' ' << PropName(call.prop) << ' '
      << std::setprecision(17) << call.value;
  if (!call.text.empty()) out << " \"" << call.text << '"';
  if (call.error != 0) out << " error " << call.error;
  return out;
}

void FailureRules::Add(Op op, Prop prop, ErrorNumber error, std::function<bool(double)> when) {
  rules_.push_back({op, prop, error, std::move(when)});
}

int FailureRules::ErrorFor(Op op, Prop prop, double value) const {
  for (const Rule& rule : rules_) {
    if (rule.op == op && rule.prop == prop && (!rule.when || rule.when(value))) {
      return static_cast<int>(rule.error);
    }
  }
  return 0;
}

double PropertyStore::Number(Prop prop) const {
  const auto it = numbers_.find(prop);
  if (it == numbers_.end()) Raise(ErrorNumber::kPropertyNotSupported);
  return it->second;
}

const std::string& PropertyStore::Text(Prop prop) const {
  const auto it = texts_.find(prop);
  if (it == texts_.end()) Raise(ErrorNumber::kPropertyNotSupported);
  return it->second;
}

// Control: every request is logged before its outcome takes effect.

void FakeControl::Record(Call call) const {
  log_->push_back(std::move(call));
}

double FakeControl::Get(Prop prop) const {
  const int error = failures_.ErrorFor(Op::Get, prop);
  Record({name_, Op::Get, prop, 0, {}, error});
  RaiseIf(error);
  return store_.Number(prop);
}

void FakeControl::Set(Prop prop, double value) {
  const int error = failures_.ErrorFor(Op::Set, prop, value);
  Record({name_, Op::Set, prop, value, {}, error});
  RaiseIf(error);
  store_.PutNumber(prop, value);
}

std::string FakeControl::GetText(Prop prop) const {
  const int error = failures_.ErrorFor(Op::Get, prop);
  Record({name_, Op::GetText, prop, 0, {}, error});
  RaiseIf(error);
  return store_.Text(prop);
}

void FakeControl::SetText(Prop prop, std::string_view text) {
  const int error = failures_.ErrorFor(Op::Set, prop);
  Record({name_, Op::SetText, prop, 0, std::string(text), error});
  RaiseIf(error);
  store_.PutText(prop, std::string(text));
}

FakeControl& FakeControl::Put(Prop prop, double value) {
  store_.PutNumber(prop, value);
  return *this;
}

FakeControl& FakeControl::PutText(Prop prop, std::string text) {
  store_.PutText(prop, std::move(text));
  return *this;
}

FakeControl& FakeControl::FailGet(Prop prop, ErrorNumber error) {
  failures_.Add(Op::Get, prop, error);
  return *this;
}

FakeControl& FakeControl::FailSet(Prop prop, ErrorNumber error, std::function<bool(double)> when) {
  failures_.Add(Op::Set, prop, error, std::move(when));
  return *this;
}

// Form.

FakeControl& FakeForm::Add(std::string name, ControlKind kind) {
  controls_.push_back(std::make_unique<FakeControl>(std::move(name), kind, log_));
  walk_.push_back(controls_.back().get());
  return *controls_.back();
}

FakeControl& FakeForm::Find(std::string_view name) {
  for (const auto& control : controls_) {
    if (control->Name() == name) return *control;
  }
  throw std::out_of_range("no fake control " + std::string(name));
}

double FakeForm::Get(Prop prop) const {
  const int error = failures_.ErrorFor(Op::Get, prop);
  log_.push_back({name_, Op::Get, prop, 0, {}, error});
  RaiseIf(error);
  return store_.Number(prop);
}

void FakeForm::Set(Prop prop, double value) {
  const int error = failures_.ErrorFor(Op::Set, prop, value);
  log_.push_back({name_, Op::Set, prop, value, {}, error});
  RaiseIf(error);
  store_.PutNumber(prop, value);
}

void FakeForm::SetCaption(std::string_view caption) {
  const int error = failures_.ErrorFor(Op::Set, Prop::Caption);
  log_.push_back({name_, Op::SetText, Prop::Caption, 0, std::string(caption), error});
  RaiseIf(error);
  caption_ = caption;
}

Control& FakeForm::Item(std::string_view name) {
  for (const auto& control : controls_) {
    if (control->Name() == name) return *control;
  }
  Raise(ErrorNumber::kSubscriptOutOfRange);
}

void FakeForm::Operation(Op op, std::string target, std::string text) {
  const int error = failures_.ErrorFor(op, Prop::Height);
  log_.push_back({std::move(target), op, Prop::Height, 0, std::move(text), error});
  RaiseIf(error);
}

void FakeForm::Refresh() {
  Operation(Op::Refresh, name_);
}
void FakeForm::Show() {
  Operation(Op::Show, name_);
}

void FakeForm::Unload() {
  Operation(Op::Unload, name_);
  if (onUnload_) onUnload_();
}

void FakeForm::Load() {
  Operation(Op::Load, name_);
  if (onLoad_) onLoad_();
}

void FakeForm::OpenClip(std::string_view control, const std::string& path) {
  Operation(Op::OpenClip, std::string(control), path);
}

void FakeForm::OnControl(std::string_view control, Event event, std::function<void()> handler) {
  handlers_[{std::string(control), event}] = std::move(handler);
}

FakeForm& FakeForm::Put(Prop prop, double value) {
  store_.PutNumber(prop, value);
  return *this;
}

FakeForm& FakeForm::PutSize(double height, double width) {
  return Put(Prop::Height, height).Put(Prop::Width, width);
}

FakeForm& FakeForm::FailGet(Prop prop, ErrorNumber error) {
  failures_.Add(Op::Get, prop, error);
  return *this;
}

FakeForm& FakeForm::FailSet(Prop prop, ErrorNumber error) {
  failures_.Add(Op::Set, prop, error);
  return *this;
}

FakeForm& FakeForm::FailOperation(Op op, ErrorNumber error) {
  failures_.Add(op, Prop::Height, error);
  return *this;
}

bool FakeForm::Fire(std::string_view control, Event event) {
  const auto it = handlers_.find({std::string(control), event});
  if (it == handlers_.end() || !it->second) return false;
  it->second();
  return true;
}

bool FakeForm::FireResize() {
  if (!onResize_) return false;
  onResize_();
  return true;
}

bool FakeForm::HasHandler(std::string_view control, Event event) const {
  return handlers_.contains({std::string(control), event});
}

CallLog FakeForm::Calls(Op op) const {
  return Filter(log_, [op](const Call& call) { return call.op == op; });
}

CallLog FakeForm::CallsOn(std::string_view target) const {
  return Filter(log_, [target](const Call& call) { return call.target == target; });
}

}  // namespace vemora::testing_support
