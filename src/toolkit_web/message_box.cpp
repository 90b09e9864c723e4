#include "toolkit_web/message_box.h"

namespace vemora {
namespace {

// The style's icon; the text says what it means.
struct IconLook {
  const char* sign;
  const char* className;
};

IconLook IconOfStyle(int style) {
  switch (style & 0x70) {
    case 16:
      return {"\u00d7", "vemora-icon critical"};
    case 32:
      return {"?", "vemora-icon question"};
    case 48:
      return {"!", "vemora-icon exclamation"};
    case 64:
      return {"i", "vemora-icon information"};
    default:
      return {nullptr, nullptr};
  }
}

}  // namespace

void MessageBoxes::Show(std::string_view text, int style, std::string_view title) {
  waiting_.push_back({std::string(text), std::string(title), style});
  if (!Open()) OpenNext();
}

void MessageBoxes::OpenNext() {
  const Box box = waiting_.front();
  waiting_.pop_front();
  val dialog = MakeElement("dialog", Document()["body"], "vemora-msgbox");
  dialog.set("id", std::string("MsgBox"));
  dialog.call<void>("setAttribute", std::string("role"), std::string("alertdialog"));
  dialog.call<void>("setAttribute", std::string("aria-labelledby"), std::string("MsgBox.title"));
  dialog.call<void>("setAttribute", std::string("aria-describedby"), std::string("MsgBox.text"));
  val bar = MakeElement("div", dialog, "vemora-caption");
  bar.set("id", std::string("MsgBox.title"));
  bar.set("textContent", box.title);
  val body = MakeElement("div", dialog, "vemora-msgbody");
  if (const IconLook icon = IconOfStyle(box.style); icon.sign) {
    val sign = MakeElement("span", body, icon.className);
    sign.call<void>("setAttribute", std::string("role"), std::string("img"));
    sign.set("textContent", std::string(icon.sign));
  }
  val text = MakeElement("label", body);
  text.set("id", std::string("MsgBox.text"));
  text.set("textContent", box.text);
  val buttons = MakeElement("div", dialog, "vemora-msgbuttons");
  buttons.call<void>("setAttribute", std::string("role"), std::string("group"));
  val ok = MakeElement("button", buttons);
  ok.set("type", std::string("button"));
  ok.set("id", std::string("MsgBox.OK"));
  ok.set("textContent", std::string("OK"));
  Listen(ok, "click", *this, kOk);
  Listen(dialog, "cancel", *this, kEsc);
  open_ = dialog;
  dialog.call<void>("showModal");
  ok.call<void>("focus");
}

// Closed at once, not when the browser gets round to it: the next box, or
// the end of the page, follows the user's answer directly.
void MessageBoxes::Handle(int code, val event) {
  if (code == kEsc) event.call<void>("preventDefault");
  open_.call<void>("close");
  open_.call<void>("remove");
  open_ = val::undefined();
  if (!waiting_.empty()) return OpenNext();
  if (allClosed_) allClosed_();
}

}  // namespace vemora
