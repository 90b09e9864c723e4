// A fake of the toolkit's form and controls for exact tests of the layout
// scaler: objects keep the values set on them, and chosen requests fail with
// a chosen run-time error. A property never stored is one the object lacks.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "runtime/runtime_error.h"
#include "toolkit/toolkit.h"

namespace vemora::testing_support {

class Properties {
 public:
  double Read(Prop prop) const {
    if (const auto rule = failGet.find(prop); rule != failGet.end()) Raise(rule->second);
    const auto it = values.find(prop);
    if (it == values.end()) Raise(ErrorNumber::kPropertyNotSupported);
    return it->second;
  }
  void Write(Prop prop, double value) {
    if (const auto rule = failSet.find(prop); rule != failSet.end()) Raise(rule->second);
    if (!values.contains(prop)) Raise(ErrorNumber::kPropertyNotSupported);
    values[prop] = value;
  }

  std::map<Prop, double> values;
  std::map<Prop, ErrorNumber> failGet;
  std::map<Prop, ErrorNumber> failSet;
};

class FakeControl : public Control, public Properties {
 public:
  explicit FakeControl(std::string name) : name_(std::move(name)) {}
  std::string_view Name() const override { return name_; }
  ControlKind Kind() const override { return ControlKind::Label; }
  double Get(Prop prop) const override { return Read(prop); }
  void Set(Prop prop, double value) override { Write(prop, value); }
  std::string GetText(Prop) const override { Raise(ErrorNumber::kPropertyNotSupported); }
  void SetText(Prop, std::string_view) override { Raise(ErrorNumber::kPropertyNotSupported); }

 private:
  std::string name_;
};

class FakeForm : public Form, public Properties {
 public:
  // Controls are walked in the order they are added.
  FakeControl& Add(const std::string& name) {
    controls_.push_back(std::make_unique<FakeControl>(name));
    walk_.push_back(controls_.back().get());
    return *controls_.back();
  }
  FakeForm& PutSize(double height, double width) {
    values[Prop::Height] = height;
    values[Prop::Width] = width;
    return *this;
  }

  int refreshes = 0;
  std::optional<ErrorNumber> refreshError;

  double Get(Prop prop) const override { return Read(prop); }
  void Set(Prop prop, double value) override { Write(prop, value); }
  const std::vector<Control*>& Controls() override { return walk_; }
  void Refresh() override {
    if (refreshError) Raise(*refreshError);
    ++refreshes;
  }
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
  std::vector<std::unique_ptr<FakeControl>> controls_;
  std::vector<Control*> walk_;
};

}  // namespace vemora::testing_support
