// A recording fake of the toolkit contract for exact tests of window logic:
// forms and controls keep their property values, fail chosen requests with a
// chosen run-time error, and log every call in order, failed ones included.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/runtime_error.h"
#include "platform/toolkit.h"

namespace vemora::testing_support {

enum class Op { Get, Set, GetText, SetText, Refresh, Show, Unload, Load, OpenClip };

struct Call {
  std::string target;  // a control's name, or the form's
  Op op;
  Prop prop = Prop::Height;  // property requests only
  double value = 0;          // Set only, exactly as passed
  std::string text;          // SetText; OpenClip: the path
  int error = 0;             // the run-time error the call raised; 0: none

  bool operator==(const Call&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Call& call);

using CallLog = std::vector<Call>;

// Which requests fail, and with which error.
class FailureRules {
 public:
  // Empty `when`: every request of that kind fails.
  void Add(Op op, Prop prop, ErrorNumber error, std::function<bool(double)> when = {});
  void Clear() { rules_.clear(); }
  // The error the request raises; 0 if it succeeds.
  int ErrorFor(Op op, Prop prop, double value = 0) const;

 private:
  struct Rule {
    Op op;
    Prop prop;
    ErrorNumber error;
    std::function<bool(double)> when;
  };
  std::vector<Rule> rules_;
};

// Stored numbers and texts of one control or form. A property never stored
// is one the object lacks: reading it raises 438.
class PropertyStore {
 public:
  double Number(Prop prop) const;
  const std::string& Text(Prop prop) const;
  void PutNumber(Prop prop, double value) { numbers_[prop] = value; }
  void PutText(Prop prop, std::string text) { texts_[prop] = std::move(text); }
  bool HasNumber(Prop prop) const { return numbers_.contains(prop); }

 private:
  std::map<Prop, double> numbers_;
  std::map<Prop, std::string> texts_;
};

class FakeControl : public Control {
 public:
  FakeControl(std::string name, ControlKind kind, CallLog& log)
      : name_(std::move(name)), kind_(kind), log_(&log) {}

  std::string_view Name() const override { return name_; }
  ControlKind Kind() const override { return kind_; }
  double Get(Prop prop) const override;
  void Set(Prop prop, double value) override;
  std::string GetText(Prop prop) const override;
  void SetText(Prop prop, std::string_view text) override;

  // Test side: neither logged nor subject to failures.
  FakeControl& Put(Prop prop, double value);
  FakeControl& PutText(Prop prop, std::string text);
  double Stored(Prop prop) const { return store_.Number(prop); }
  const std::string& StoredText(Prop prop) const { return store_.Text(prop); }
  FakeControl& FailGet(Prop prop, ErrorNumber error);
  FakeControl& FailSet(Prop prop, ErrorNumber error, std::function<bool(double)> when = {});
  void ClearFailures() { failures_.Clear(); }

 private:
  void Record(Call call) const;

  std::string name_;
  ControlKind kind_;
  CallLog* log_;
  PropertyStore store_;
  FailureRules failures_;
};

class FakeForm : public Form {
 public:
  explicit FakeForm(std::string name = "Form") : name_(std::move(name)) {}

  // Controls are walked in the order they are added.
  FakeControl& Add(std::string name, ControlKind kind = ControlKind::Label);
  // A control by name; an unknown name is a fault of the test.
  FakeControl& Find(std::string_view name);

  double Get(Prop prop) const override;
  void Set(Prop prop, double value) override;
  std::string Caption() const override { return caption_; }
  void SetCaption(std::string_view caption) override;
  const std::vector<Control*>& Controls() override { return walk_; }
  Control& Item(std::string_view name) override;
  void Refresh() override;
  void Show() override;
  void Unload() override;
  void OpenClip(std::string_view control, const std::string& path) override;
  void OnControl(std::string_view control, Event event, std::function<void()> handler) override;
  void OnLoad(std::function<void()> handler) override { onLoad_ = std::move(handler); }
  void OnResize(std::function<void()> handler) override { onResize_ = std::move(handler); }
  void OnUnload(std::function<void()> handler) override { onUnload_ = std::move(handler); }
  void Load() override;

  // Test side.
  FakeForm& Put(Prop prop, double value);
  FakeForm& PutSize(double height, double width);
  FakeForm& FailGet(Prop prop, ErrorNumber error);
  FakeForm& FailSet(Prop prop, ErrorNumber error);
  // Refresh, Show, Unload, Load or OpenClip.
  FakeForm& FailOperation(Op op, ErrorNumber error);
  void ClearFailures() { failures_.Clear(); }
  // Runs a control's handler as the toolkit would; false if none is set.
  bool Fire(std::string_view control, Event event);
  bool FireResize();
  bool HasHandler(std::string_view control, Event event) const;

  const CallLog& Log() const { return log_; }
  CallLog Calls(Op op) const;
  CallLog CallsOn(std::string_view target) const;
  void ClearLog() { log_.clear(); }

 private:
  void Operation(Op op, std::string target, std::string text = {});

  std::string name_;
  std::string caption_;
  mutable CallLog log_;  // reads are logged too
  PropertyStore store_;
  FailureRules failures_;
  std::vector<std::unique_ptr<FakeControl>> controls_;
  std::vector<Control*> walk_;
  std::map<std::pair<std::string, Event>, std::function<void()>> handlers_;
  std::function<void()> onLoad_, onResize_, onUnload_;
};

}  // namespace vemora::testing_support
