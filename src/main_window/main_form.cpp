#include "main_window/main_form.h"

#include <array>
#include <cstdint>
#include <string_view>

#include "main_window/main_form_design.h"

namespace vemora {

MainForm::MainForm(MainFormContext context)
    : context_(std::move(context)), form_(context_.toolkit.CreateForm(MainFormDesign())) {}

void MainForm::Load() {
  struct HandlerRow {
    std::string_view control;
    Event event;
    void (MainForm::*handler)();
  };
  static constexpr std::array kHandlers = {
      HandlerRow{"Text_V1", Event::Change, &MainForm::Berechnen},
      HandlerRow{"Text_V6", Event::Change, &MainForm::Berechnen},
      HandlerRow{"Text_V7", Event::Change, &MainForm::Berechnen},
      HandlerRow{"Text_L8", Event::Change, &MainForm::Berechnen},
      HandlerRow{"Combo_V3", Event::Click, &MainForm::Berechnen},
      HandlerRow{"Check_V2", Event::Click, &MainForm::Berechnen},
      HandlerRow{"Check_L3", Event::Click, &MainForm::Berechnen},
      HandlerRow{"Check_L4", Event::Click, &MainForm::Berechnen},
      HandlerRow{"Option_NW3", Event::Click, &MainForm::Option_NW3_Click},
      HandlerRow{"Option_NW4", Event::Click, &MainForm::Option_NW4_Click},
      HandlerRow{"Logo", Event::Click, &MainForm::Logo_Click},
      HandlerRow{"Command2", Event::Click, &MainForm::Command2_Click},
  };
  for (const HandlerRow& row : kHandlers)
    form_->OnControl(row.control, row.event, [this, h = row.handler] { (this->*h)(); });
  form_->OnLoad([this] { Form_Load(); });
  form_->OnResize([this] { Form_Resize(); });
  form_->OnUnload([this] { Form_Unload(); });
  form_->Load();
}

void MainForm::Form_Load() {
  // Raises Combo_V3_Click, so the first result stands before the window shows.
  context_.self().Window().Item("Combo_V3").Set(Prop::ListIndex, 0);
  context_.scaler.Capture(*form_);
}

void MainForm::Form_Resize() {
  context_.scaler.Scale(*form_);
}

void MainForm::Form_Unload() {
  context_.self.Clear();
}

void MainForm::Berechnen() {
  const std::string text =
      CalculateMemory(ReadInputs(), context_.calcState, context_.toolkit.DecimalSeparator());
  context_.self().Window().Item("Text_Summe").SetText(Prop::Text, text);
}

CalcInputs MainForm::ReadInputs() {
  Form& w = context_.self().Window();
  const auto text = [&w](std::string_view name) { return w.Item(name).GetText(Prop::Text); };
  const auto value = [&w](std::string_view name) {
    return static_cast<std::int16_t>(w.Item(name).Get(Prop::Value));
  };
  CalcInputs in;
  in.Text_V1 = text("Text_V1");
  in.Check_V2 = value("Check_V2");
  in.Combo_V3 = text("Combo_V3");
  in.Text_V6 = text("Text_V6");
  in.Text_V7 = text("Text_V7");
  in.Option_NW3 = value("Option_NW3");
  in.Option_NW4 = value("Option_NW4");
  in.Check_L3 = value("Check_L3");
  in.Check_L4 = value("Check_L4");
  in.Text_L8 = text("Text_L8");
  return in;
}

void MainForm::Option_NW3_Click() {
  Control& compression = context_.self().Window().Item("Check_L3");
  compression.Set(Prop::Enabled, 0);
  // Clearing a tick raises Check_L3_Click, which recalculates as well.
  compression.Set(Prop::Value, 0);
  Berechnen();
}

void MainForm::Option_NW4_Click() {
  context_.self().Window().Item("Check_L3").Set(Prop::Enabled, -1);
  Berechnen();
}

void MainForm::Logo_Click() {
  context_.showAbout();
}

void MainForm::Command2_Click() {
  form_->Unload();
  context_.toolkit.EndProgram();
}

}  // namespace vemora
