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

constexpr ControlDesign Black(ControlDesign d) {
  d.blackText = true;
  return d;
}

constexpr ControlDesign Icon(ControlDesign d) {
  d.showsIcon = true;  // at its natural size
  return d;
}

constexpr ControlDesign Description(ControlDesign d) {
  d.font = {"MS Sans Serif", 9.75, true, true};
  return d;
}

// Enter and Esc press it.
constexpr ControlDesign DefaultAndCancel(ControlDesign d) {
  d.isDefault = d.isCancel = true;
  return d;
}

constexpr std::array kControls = {
    // name, kind, container, left, top, width, height, design caption, tab index
    Icon(Row("Image1", K::Image, "", 195, 240, 480, 480, "", -1)),
    Black(Row("LabelTitel", K::Label, "", 1080, 240, 3765, 480, "LabelTitel", 0)),
    Row("LabelVersion", K::Label, "", 1050, 765, 1680, 225, "LabelVersion", 2),
    Row("LabelRevision", K::Label, "", 3315, 765, 1635, 225, "LabelRevision", 3),
    Row("Animation1", K::Animation, "", 5040, 120, 855, 615, "", 1),
    Black(Description(
        Row("LabelBeschreibung", K::Label, "", 240, 1300, 5600, 1300, kDescription, 4))),
    Black(Row("Labelmail", K::Label, "", 240, 3000, 5000, 200, kMail, 5)),
    Black(Row("LabelWWW", K::Label, "", 240, 3300, 4100, 200, kWeb, 6)),
    DefaultAndCancel(Row("cbOK", K::CommandButton, "", 4605, 3600, 1260, 345, "OK", 8)),
    Row("cbSysInfo", K::CommandButton, "", 4620, 4035, 1245, 345, "&Systeminfo...", 9),
    Row("LabelCopyright", K::Label, "", 195, 4110, 3495, 225, "LabelCopyright", 7),
};

}  // namespace

const FormDesign& InfoFormDesign() {
  static const FormDesign design{"Info_Form", "Info Vemora",       6000,
                                 4500,        Border::FixedDialog, kControls};
  return design;
}

}  // namespace vemora
