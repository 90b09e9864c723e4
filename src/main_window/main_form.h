// The main window: its controls' edits and clicks in, a run of the memory
// calculation out to Text_Summe; the layout scaler on load and resize.
#pragma once

#include <functional>
#include <memory>

#include "calc/calc.h"
#include "main_window/layout_scaler.h"
#include "toolkit/toolkit.h"

namespace vemora {

class MainForm;

// What the window shares with the rest of the program: module-level state
// that outlives it, and its own program-wide reference.
struct MainFormContext {
  Toolkit& toolkit;
  CalcState& calcState;
  LayoutScaler& scaler;
  FormRef<MainForm>& self;  // vemora_Form
  std::function<void()> showAbout;
};

class MainForm {
 public:
  explicit MainForm(MainFormContext context);
  // Connects the handlers, then runs Form_Load.
  void Load();
  Form& Window() { return *form_; }

 private:
  void Form_Load();
  void Form_Resize();
  void Form_Unload();
  void Berechnen();
  CalcInputs ReadInputs();
  void Option_NW3_Click();
  void Option_NW4_Click();
  void Logo_Click();
  void Command2_Click();

  MainFormContext context_;
  std::unique_ptr<Form> form_;
};

}  // namespace vemora
