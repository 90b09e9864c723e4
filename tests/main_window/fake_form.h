// A recording fake of the toolkit's form and controls for exact tests of the
// layout scaler: objects keep their property values, fail chosen requests
// with a chosen run-time error, and log every property request and Refresh
// in order, failed ones included.
#pragma once

#include <functional>
#include <iomanip>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "runtime/runtime_error.h"
#include "toolkit/toolkit.h"

namespace vemora::testing_support {

enum class Op { Get, Set, Refresh };

struct Call {
  std::string target;  // a control's name, or "Form"
  Op op;
  Prop prop = Prop::Height;
  double value = 0;  // Set only, exactly as passed
  int error = 0;     // the run-time error the call raised; 0: none
  bool operator==(const Call&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Call& call) {
  return out << call.target << " op " << int(call.op) << " prop " << int(call.prop) << ' '
             << std::setprecision(17) << call.value << " error " << call.error;
}

using CallLog = std::vector<Call>;

// Stored numbers, failure rules and the shared log of one form or control. A
// property never stored is one the object lacks: reading it raises 438.
class Recorded {
 public:
  Recorded(std::string name, CallLog& log) : name_(std::move(name)), log_(&log) {}

 protected:
  // Test side: neither logged nor subject to failures.
  void Store(Prop prop, double value) { values_[prop] = value; }
  // Empty `when`: every such request fails.
  void AddFailure(Op op, Prop prop, ErrorNumber error, std::function<bool(double)> when) {
    rules_.push_back({op, prop, error, std::move(when)});
  }
  // Logged before its outcome takes effect.
  void Record(Op op, Prop prop, double value) const {
    int error = 0;
    for (const Rule& rule : rules_) {
      if (rule.op == op && rule.prop == prop && (!rule.when || rule.when(value))) {
        error = static_cast<int>(rule.error);
        break;
      }
    }
    log_->push_back({name_, op, prop, value, error});
    if (error != 0) Raise(static_cast<ErrorNumber>(error));
  }
  double Read(Prop prop) const {
    Record(Op::Get, prop, 0);
    const auto it = values_.find(prop);
    if (it == values_.end()) Raise(ErrorNumber::kPropertyNotSupported);
    return it->second;
  }
  void Write(Prop prop, double value) {
    Record(Op::Set, prop, value);
    values_[prop] = value;
  }

  std::string name_;

 private:
  struct Rule {
    Op op;
    Prop prop;
    ErrorNumber error;
    std::function<bool(double)> when;
  };
  CallLog* log_;
  std::map<Prop, double> values_;
  std::vector<Rule> rules_;
};

class FakeControl : public Control, Recorded {
 public:
  using Recorded::Recorded;
  std::string_view Name() const override { return name_; }
  ControlKind Kind() const override { return ControlKind::Label; }
  double Get(Prop prop) const override { return Read(prop); }
  void Set(Prop prop, double value) override { Write(prop, value); }
  std::string GetText(Prop) const override { Raise(ErrorNumber::kPropertyNotSupported); }
  void SetText(Prop, std::string_view) override { Raise(ErrorNumber::kPropertyNotSupported); }

  FakeControl& Put(Prop prop, double value) {
    Store(prop, value);
    return *this;
  }
  FakeControl& FailGet(Prop prop, ErrorNumber error) {
    AddFailure(Op::Get, prop, error, {});
    return *this;
  }
  FakeControl& FailSet(Prop prop, ErrorNumber error, std::function<bool(double)> when = {}) {
    AddFailure(Op::Set, prop, error, std::move(when));
    return *this;
  }
};

class FakeForm : public Form, Recorded {
 public:
  FakeForm() : Recorded("Form", log_) {}

  // Controls are walked in the order they are added.
  FakeControl& Add(const std::string& name) {
    controls_.push_back(std::make_unique<FakeControl>(name, log_));
    walk_.push_back(controls_.back().get());
    return *controls_.back();
  }
  FakeForm& PutSize(double height, double width) {
    Store(Prop::Height, height);
    Store(Prop::Width, width);
    return *this;
  }
  void FailRefresh(ErrorNumber error) { AddFailure(Op::Refresh, Prop::Height, error, {}); }

  const CallLog& Log() const { return log_; }
  CallLog Filter(const std::function<bool(const Call&)>& keep) const {
    CallLog calls;
    for (const Call& call : log_) {
      if (keep(call)) calls.push_back(call);
    }
    return calls;
  }
  CallLog CallsOn(const std::string& target) const {
    return Filter([&](const Call& call) { return call.target == target; });
  }
  CallLog Calls(Op op) const {
    return Filter([op](const Call& call) { return call.op == op; });
  }
  void ClearLog() { log_.clear(); }

  double Get(Prop prop) const override { return Read(prop); }
  void Set(Prop prop, double value) override { Write(prop, value); }
  const std::vector<Control*>& Controls() override { return walk_; }
  void Refresh() override { Record(Op::Refresh, Prop::Height, 0); }
  // Not used by the scaler.
  std::string Caption() const override { return {}; }
  void SetCaption(std::string_view) override {}
  Control& Item(std::string_view) override { Raise(ErrorNumber::kSubscriptOutOfRange); }
  void Show() override {}
  void Unload() override {}
  void OpenClip(std::string_view, const std::string&) override {}
  void OnControl(std::string_view, Event, std::function<void()>) override {}
  void OnLoad(std::function<void()>) override {}
  void OnResize(std::function<void()>) override {}
  void OnUnload(std::function<void()>) override {}
  void Load() override {}

 private:
  mutable CallLog log_;  // reads are logged too
  std::vector<std::unique_ptr<FakeControl>> controls_;
  std::vector<Control*> walk_;
};

}  // namespace vemora::testing_support
