#include "about_window/info_form_design.h"

#include <array>
#include <string_view>

namespace vemora {
namespace {

using K = ControlKind;

constexpr std::string_view kDescription =
    "Utility zur Berechnung des Arbeitsspeichers von Netware-Servern. Die Berechnung erfolgt "
    "laut den offiziellen Angaben von Novell. Der errechnete Wert ist sinnvoll aufzurunden.  "
    "Der Autor übernimmt keinerlei Haftung. :-))";

// Reserved example domains only: the addresses reach no one.
constexpr std::string_view kMail = "eMail: planung@example.com oder hilfe@example.org";
constexpr std::string_view kWeb = "WWW: www.example.com oder www.example.net";

ControlDesign Label(std::string_view name, int left, int top, int width, int height,
                    std::string_view caption, int tab, bool black) {
  return {.name = name, .kind = K::Label, .container = {}, .left = left, .top = top,
          .width = width, .height = height, .caption = caption, .tabIndex = tab,
          .blackText = black};
}

ControlDesign Button(std::string_view name, int left, int top, int width, int height,
                     std::string_view caption, int tab, bool defaultAndCancel) {
  return {.name = name, .kind = K::CommandButton, .container = {}, .left = left, .top = top,
          .width = width, .height = height, .caption = caption, .tabIndex = tab,
          .isDefault = defaultAndCancel, .isCancel = defaultAndCancel};
}

const std::array kControls = {
    ControlDesign{.name = "Image1", .kind = K::Image, .left = 195, .top = 240, .width = 480,
                  .height = 480, .caption = "", .tabIndex = -1, .showsIcon = true},
    Label("LabelTitel", 1080, 240, 3765, 480, "LabelTitel", 0, true),
    Label("LabelVersion", 1050, 765, 1680, 225, "LabelVersion", 2, false),
    Label("LabelRevision", 3315, 765, 1635, 225, "LabelRevision", 3, false),
    ControlDesign{.name = "Animation1", .kind = K::Animation, .left = 5040, .top = 120,
                  .width = 855, .height = 615, .caption = "", .tabIndex = 1},
    ControlDesign{.name = "LabelBeschreibung", .kind = K::Label, .left = 240, .top = 1300,
                  .width = 5600, .height = 1300, .caption = kDescription, .tabIndex = 4,
                  .font = {"MS Sans Serif", 9.75, true, true}, .blackText = true},
    Label("Labelmail", 240, 3000, 5000, 200, kMail, 5, true),
    Label("LabelWWW", 240, 3300, 4100, 200, kWeb, 6, true),
    Button("cbOK", 4605, 3600, 1260, 345, "OK", 8, true),
    Button("cbSysInfo", 4620, 4035, 1245, 345, "&Systeminfo...", 9, false),
    Label("LabelCopyright", 195, 4110, 3495, 225, "LabelCopyright", 7, false),
};

}  // namespace

const FormDesign& InfoFormDesign() {
  static const FormDesign design{"Info_Form", "Info Vemora", 6000, 4500, Border::FixedDialog,
                                 kControls};
  return design;
}

}  // namespace vemora
