// Prints where the controls of both windows lie, from their design tables,
// for the real-window scripts to source: at[NAME]="x y" (the control's
// centre) and rect[NAME]="left top width height", in twips of its window's
// client area; client[FORM]="width height"; and the main window's caption
// as the build's version and copyright make it.
#include <cstdio>
#include <string>

#include "about_window/info_form_design.h"
#include "main_window/main_form_design.h"

namespace {

void Print(const vemora::FormDesign& form) {
  std::printf("client[%s]='%d %d'\n", std::string(form.name).c_str(), form.clientWidth,
              form.clientHeight);
  for (const vemora::ControlDesign& control : form.controls) {
    int left = control.left, top = control.top;
    for (const vemora::ControlDesign& outer : form.controls) {  // one level of frames
      if (outer.name == control.container) left += outer.left, top += outer.top;
    }
    const std::string name(control.name);
    std::printf("at[%s]='%d %d'\nrect[%s]='%d %d %d %d'\n", name.c_str(), left + control.width / 2,
                top + control.height / 2, name.c_str(), left, top, control.width, control.height);
  }
}

}  // namespace

int main() {
  Print(vemora::MainFormDesign());
  Print(vemora::InfoFormDesign());
  std::printf("caption='%s'\n", VEMORA_CAPTION);
  return 0;
}
