#include "main_window/main_form_design.h"

#include <array>
#include <string_view>

namespace vemora {
namespace {

using K = ControlKind;
using namespace std::string_view_literals;

constexpr FontDesign kLabelFont{"Arial", 9.75, true, false};
constexpr FontDesign kSumLabelFont{"Arial", 12, true, false};
constexpr std::array kBlockSizes = {"4"sv, "8"sv, "16"sv, "32"sv, "64"sv, "128"sv};

constexpr std::string_view kOtherAppsTip =
    "Veranschlagen Sie als ungefähren Richtwert für jedes zusätzliche NLM 500KB. "
    "Des weiteren den Bedarf Ihrer weiteren Services.";

ControlDesign Label(std::string_view name, int left, int top, int width, int height,
                    std::string_view caption, int tab, FontDesign font = kLabelFont) {
  return {.name = name, .kind = K::Label, .container = {}, .left = left, .top = top,
          .width = width, .height = height, .caption = caption, .tabIndex = tab, .font = font};
}

ControlDesign Input(std::string_view name, int left, int top, int width, int height,
                    std::string_view text, int tab) {
  return {.name = name, .kind = K::TextBox, .container = {}, .left = left, .top = top,
          .width = width, .height = height, .caption = text, .tabIndex = tab};
}

ControlDesign InFrame(std::string_view name, ControlKind kind, int left, int top, int width,
                      int height, std::string_view caption, int tab, int value = 0,
                      bool enabled = true) {
  return {.name = name, .kind = kind, .container = "Frame1", .left = left, .top = top,
          .width = width, .height = height, .caption = caption, .tabIndex = tab,
          .enabled = enabled, .value = value};
}

const std::array kControls = {
    Input("Text_Summe", 120, 4800, 1935, 375, "Summe", 10),
    ControlDesign{.name = "Command2", .kind = K::CommandButton, .left = 5040, .top = 4560,
                  .width = 1455, .height = 615, .caption = "Beenden", .tabIndex = 11},
    ControlDesign{.name = "Combo_V3", .kind = K::ComboBox, .left = 4755, .top = 2300,
                  .width = 1815, .height = 315, .caption = "", .tabIndex = 4,
                  .items = kBlockSizes},
    ControlDesign{.name = "Frame1", .kind = K::Frame, .left = 120, .top = 2760, .width = 6375,
                  .height = 1215, .caption = "Optionen", .tabIndex = 12},
    InFrame("Option_NW4", K::OptionButton, 4440, 720, 855, 255, "NW 4.x", 9),
    InFrame("Option_NW3", K::OptionButton, 4440, 360, 1215, 195, "NW 3.1x", 8, -1),
    InFrame("Check_L3", K::CheckBox, 480, 720, 1575, 435, "Kompression", 6, 0, false),
    InFrame("Check_L4", K::CheckBox, 2400, 240, 1575, 435, "Suballocation", 7),
    InFrame("Check_V2", K::CheckBox, 480, 240, 1575, 435, "Spiegelung", 5),
    Input("Text_L8", 4755, 1560, 1815, 375, "3000", 3),
    Input("Text_V1", 4755, 120, 1815, 375, "100", 0),
    Input("Text_V6", 4755, 600, 1815, 375, "5", 1),
    Input("Text_V7", 4755, 1080, 1815, 375, "10000", 2),
    ControlDesign{.name = "Logo", .kind = K::Image, .left = 3000, .top = 4680, .width = 600,
                  .height = 600, .caption = "", .tabIndex = -1,
                  .toolTip = "Erläuterung und Bezugsquellen", .questionPointer = true,
                  .showsIcon = true, .stretch = true},
    Label("Label_Summe", 120, 4320, 5175, 375, "Minimum in MB auf zwei Stellen gerundet", 18,
          kSumLabelFont),
    ControlDesign{.name = "Label_L8", .kind = K::Label, .left = 120, .top = 1550, .width = 4095,
                  .height = 615, .caption = "Andere Anwendungen in KB ohne Install, Monitor etc.",
                  .tabIndex = 17, .font = kLabelFont, .toolTip = kOtherAppsTip},
    Label("Label_V3", 120, 2295, 2655, 375, "Volume-Blockgröße in KB", 16),
    Label("Label_V7", 120, 1155, 4815, 255, "Maximale Anzahl der Dateien auf dem Server", 15),
    Label("Label_V6", 120, 675, 4095, 255, "Maximale Anzahl aller Clients", 14),
    Label("Label_V1", 120, 195, 4455, 255, "Gesamtplattenspeicher in MB (1GB=1024MB)", 13),
};

}  // namespace

const FormDesign& MainFormDesign() {
  static const FormDesign design{"vemora_Form", "Vemora", 6690, 5370, Border::Sizable, kControls};
  return design;
}

}  // namespace vemora
