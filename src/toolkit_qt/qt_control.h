// One control of a Qt form: properties by name in twips and points, and its
// events, mapped onto the widget that shows it.
#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "toolkit/toolkit.h"

namespace vemora {

// Twips to pixels and back with the screen's logical DPI.
struct Dpi {
  double x = 96, y = 96;
  double ToPixelsX(double twips) const { return twips * x / 1440.0; }
  double ToPixelsY(double twips) const { return twips * y / 1440.0; }
  double ToTwipsX(int pixels) const { return pixels * 1440.0 / x; }
  double ToTwipsY(int pixels) const { return pixels * 1440.0 / y; }
};

class QtControl : public Control {
 public:
  QtControl(const ControlDesign& design, QWidget* widget, Dpi dpi);
  std::string_view Name() const override { return name_; }
  ControlKind Kind() const override { return kind_; }
  double Get(Prop prop) const override;
  void Set(Prop prop, double value) override;
  std::string GetText(Prop prop) const override;
  void SetText(Prop prop, std::string_view text) override;

  QWidget* Widget() const { return widget_; }
  // Connects the handler to the widget's own signal for that event.
  void Connect(Event event, std::function<void()> handler);

 private:
  double GetGeometry(Prop prop) const;
  void SetGeometry(Prop prop, double twips);
  void SetFontSize(double points);
  bool HasFont() const;

  std::string name_;
  ControlKind kind_;
  QWidget* widget_;
  Dpi dpi_;
};

}  // namespace vemora
