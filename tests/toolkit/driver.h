// What the contract table needs of a toolkit beyond the contract: the
// toolkit itself, and a user's hand on its forms through the toolkit's own
// native means (mouse, keys, clipboard, window frame). Each toolkit supplies
// one driver; the table is the same for all.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/basic_toolkit.h"
#include "toolkit/units.h"

namespace vemora::contract {

struct BoxSeen {
  std::string text, title;
};

class Driver {
 public:
  virtual ~Driver() = default;
  virtual BasicToolkit& Kit() = 0;
  // The left button pressed and released over the control.
  virtual void Click(Form& form, std::string_view control) = 0;
  virtual void Press(Form& form, std::string_view control) = 0;
  // The button pressed before let go over the control, or beside it.
  virtual void Release(Form& form, std::string_view control, bool inside) = 0;
  // Keystrokes into a text box, one character each.
  virtual void Type(Form& form, std::string_view control, std::string_view keys) = 0;
  // The text put on the clipboard and pasted with Ctrl+V.
  virtual void Paste(Form& form, std::string_view control, const std::string& text) = 0;
  // Opens the list, steps down `steps` items with the arrow key, then
  // Enter (commit) or Esc.
  virtual void PickInOpenList(Form& form, std::string_view control, int steps, bool commit) = 0;
  virtual void Close(Form& form) = 0;  // the window's close box
  virtual void Minimise(Form& form) = 0;
  virtual bool Minimised(Form& form) = 0;
  virtual PixelSize ClientSize(Form& form) = 0;
  // Where the window's client area lies on the screen.
  virtual void MoveTo(Form& form, int x, int y) = 0;
  // The controls focused after each of `presses` Tab keys.
  virtual std::vector<std::string> TabWalk(Form& form, int presses) = 0;
  // A pixel of the control as the screen shows it, 0xRRGGBB, and the colour
  // of a button's face.
  virtual unsigned Pixel(Form& form, std::string_view control, int x, int y) = 0;
  virtual unsigned ButtonFace() = 0;
  // Calls `open`, which shows a message box; while it is open runs
  // `during`, then presses its OK button. What the box showed.
  virtual BoxSeen WhileBoxOpen(const std::function<void()>& open,
                               const std::function<void()>& during) = 0;
};

std::unique_ptr<Driver> MakeDriver();

// The memory this process holds of its own, in MiB (resident on Linux,
// private bytes on Windows).
double ProcessMemoryMiB();

}  // namespace vemora::contract
