#include "main_window/main_form_design.h"

#include <array>
#include <string_view>

namespace vemora {
namespace {

using K = ControlKind;
using namespace std::string_view_literals;

constexpr std::array kBlockSizes = {"4"sv, "8"sv, "16"sv, "32"sv, "64"sv, "128"sv};

constexpr ControlDesign Font(ControlDesign d, double size) {
  d.font = {"Arial", size, true, false};
  return d;
}

constexpr ControlDesign Label(ControlDesign d) {
  return Font(d, 9.75);
}

constexpr ControlDesign Tip(ControlDesign d, std::string_view tip) {
  d.toolTip = tip;
  return d;
}

constexpr ControlDesign Selected(ControlDesign d) {
  d.value = -1;
  return d;
}

constexpr ControlDesign Disabled(ControlDesign d) {
  d.enabled = false;
  return d;
}

constexpr ControlDesign List(ControlDesign d) {
  d.items = kBlockSizes;
  return d;
}

// The label gives the field beside it its name.
constexpr ControlDesign Names(ControlDesign d, std::string_view control) {
  d.labelFor = control;
  return d;
}

// The program's icon stretched over the box, with the help pointer.
constexpr ControlDesign Logo(ControlDesign d) {
  d.questionPointer = d.showsIcon = d.stretch = true;
  return d;
}

constexpr std::array kControls = {
    // name, kind, container, left, top, width, height, caption or text, tab index
    Row("Text_Summe", K::TextBox, "", 120, 4800, 1935, 375, "Summe", 10),
    Row("Command2", K::CommandButton, "", 5040, 4560, 1455, 615, "Beenden", 11),
    List(Row("Combo_V3", K::ComboBox, "", 4755, 2300, 1815, 315, "", 4)),
    Row("Frame1", K::Frame, "", 120, 2760, 6375, 1215, "Optionen", 12),
    Row("Option_NW4", K::OptionButton, "Frame1", 4440, 720, 855, 255, "NW 4.x", 9),
    Selected(Row("Option_NW3", K::OptionButton, "Frame1", 4440, 360, 1215, 195, "NW 3.1x", 8)),
    Disabled(Row("Check_L3", K::CheckBox, "Frame1", 480, 720, 1575, 435, "Kompression", 6)),
    Row("Check_L4", K::CheckBox, "Frame1", 2400, 240, 1575, 435, "Suballocation", 7),
    Row("Check_V2", K::CheckBox, "Frame1", 480, 240, 1575, 435, "Spiegelung", 5),
    Row("Text_L8", K::TextBox, "", 4755, 1560, 1815, 375, "3000", 3),
    Row("Text_V1", K::TextBox, "", 4755, 120, 1815, 375, "100", 0),
    Row("Text_V6", K::TextBox, "", 4755, 600, 1815, 375, "5", 1),
    Row("Text_V7", K::TextBox, "", 4755, 1080, 1815, 375, "10000", 2),
    Tip(Logo(Row("Logo", K::Image, "", 3000, 4680, 600, 600, "", -1)),
        "Erläuterung und Bezugsquellen"),
    Names(Font(Row("Label_Summe", K::Label, "", 120, 4320, 5175, 375,
                   "Minimum in MB auf zwei Stellen gerundet", 18),
               12),
          "Text_Summe"),
    Names(Tip(Label(Row("Label_L8", K::Label, "", 120, 1550, 4095, 615,
                        "Andere Anwendungen in KB ohne Install, Monitor etc.", 17)),
              "Veranschlagen Sie als ungefähren Richtwert für jedes zusätzliche NLM 500KB. "
              "Des weiteren den Bedarf Ihrer weiteren Services."),
          "Text_L8"),
    Names(Label(Row("Label_V3", K::Label, "", 120, 2295, 2655, 375, "Volume-Blockgröße in KB", 16)),
          "Combo_V3"),
    Names(Label(Row("Label_V7", K::Label, "", 120, 1155, 4815, 255,
                    "Maximale Anzahl der Dateien auf dem Server", 15)),
          "Text_V7"),
    Names(Label(Row("Label_V6", K::Label, "", 120, 675, 4095, 255, "Maximale Anzahl aller Clients",
                    14)),
          "Text_V6"),
    Names(Label(Row("Label_V1", K::Label, "", 120, 195, 4455, 255,
                    "Gesamtplattenspeicher in MB (1GB=1024MB)", 13)),
          "Text_V1"),
};

}  // namespace

const FormDesign& MainFormDesign() {
  static const FormDesign design{"vemora_Form", "Vemora", 6690, 5370, Border::Sizable, kControls};
  return design;
}

}  // namespace vemora
