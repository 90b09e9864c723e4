#include "toolkit/basic_toolkit.h"

#include <algorithm>

#include "toolkit/basic_form.h"

namespace vemora {

int BasicToolkit::MsgBox(std::string_view text, int style, std::string_view title) {
  return NativeMsgBox(text, style, title.empty() ? std::string_view(app_.Title) : title);
}

void BasicToolkit::EndProgram() {
  ended_ = true;
  for (BasicForm* form : forms_) form->NativeHide();
  NativeQuit();
}

void BasicToolkit::FormLoaded(BasicForm& form) {
  forms_.push_back(&form);
}

void BasicToolkit::FormUnloaded(BasicForm& form) {
  FormDestroyed(form);
  if (!forms_.empty()) return;
  ended_ = true;
  NativeQuit();
}

void BasicToolkit::FormDestroyed(BasicForm& form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), &form), forms_.end());
}

}  // namespace vemora
