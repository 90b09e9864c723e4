// The toolkit contract, one table for every toolkit: the property rules and
// their errors, the event rules, the form's life, Tab order, message boxes
// and clips, each driven as a user or a window's code would.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "avi_writer.h"
#include "driver.h"
#include "runtime/runtime_error.h"
#include "support/row_name.h"
#include "toolkit/basic_form.h"
#include "toolkit/clip_player.h"

namespace vemora::contract {
namespace {

using namespace std::string_view_literals;
using K = ControlKind;
using testing_support::RowName;

constexpr std::array kItems = {"4"sv, "8"sv, "16"sv};

constexpr ControlDesign With(ControlDesign d, int value, bool icon = false) {
  d.value = value, d.showsIcon = icon;
  return d;
}

constexpr ControlDesign Listing(ControlDesign d) {
  d.items = kItems;
  return d;
}

// Every kind once; the frame comes before its children in Tab order.
constexpr std::array kProbe = {
    Row("Text1", K::TextBox, "", 120, 120, 2400, 300, "abc", 0),
    Listing(Row("Combo1", K::ComboBox, "", 120, 600, 2400, 315, "", 1)),
    Row("Check1", K::CheckBox, "", 120, 1080, 2400, 300, "Haken", 2),
    Row("Frame1", K::Frame, "", 2760, 120, 2400, 1300, "Gruppe", 7),
    With(Row("OptionA", K::OptionButton, "Frame1", 120, 300, 2000, 300, "A", 3), kTrue),
    Row("OptionB", K::OptionButton, "Frame1", 120, 720, 2000, 300, "B", 4),
    Row("Label1", K::Label, "", 120, 1560, 2400, 300, "Beschriftung", -1),
    Row("Button1", K::CommandButton, "", 120, 1980, 1500, 420, "Knopf", 5),
    With(Row("Picture1", K::Image, "", 2760, 1560, 600, 600, "", -1), 0, true),
    Row("Clip1", K::Animation, "", 3600, 1560, 1500, 1000, "", -1),
};
const FormDesign kProbeForm{"Probe", "Probe", 5400, 2700, Border::Sizable, kProbe};

constexpr std::array kOther = {Row("Other1", K::CommandButton, "", 120, 120, 1500, 420, "Noch", 0)};
const FormDesign kOtherForm{"Andere", "Andere", 2000, 900, Border::FixedDialog, kOther};

class ContractTest : public testing::Test {
 protected:
  void SetUp() override {
    form = Kit().CreateForm(kProbeForm);
    // Every event of every control, logged as "Name.Event"; the error rows
    // pin which kinds raise none.
    for (const ControlDesign& c : kProbe)
      for (const auto& [event, name] :
           {std::pair{Event::Click, ".Click"}, {Event::Change, ".Change"}})
        try {
          form->OnControl(c.name, event,
                          [this, logged = std::string(c.name) + name] { log.push_back(logged); });
        } catch (const RuntimeError&) {
        }
    form->OnResize([this] { log.push_back("Resize"); });
    form->OnUnload([this] { log.push_back("Unload"); });
    form->Show();
    log.clear();
  }
  BasicToolkit& Kit() { return driver->Kit(); }
  Control& Item(std::string_view name) { return form->Item(name); }
  ClipPlayer& Clip() { return *static_cast<BasicForm&>(*form).Find("Clip1").Player(); }

  std::unique_ptr<Driver> driver = MakeDriver();
  std::unique_ptr<Form> form;
  std::vector<std::string> log;
};

// A clip file in the temporary folder, removed again by the test.
std::string WriteClip(const char* name, const clipgen::Bytes& bytes) {
  std::string path =
      (std::filesystem::temp_directory_path() / ("vemora-" + std::string(name) + ".avi")).string();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
  return path;
}

// A 4 x 2 clip whose frame i is all in colour i % 2: two runs of four
// pixels, the end of a line, the end of the picture.
clipgen::Bytes TwoColours(int frames, std::uint32_t microSecPerFrame) {
  clipgen::AviVideo video{4, 2, 8, clipgen::kBiRle8, {0x112233, 0x445566}, microSecPerFrame, {}};
  for (int i = 0; i < frames; ++i) {
    const auto colour = static_cast<std::uint8_t>(i % 2);
    video.frames.push_back({4, colour, 0, 0, 4, colour, 0, 1});
  }
  return clipgen::WriteAvi(video);
}

// ---- Requests from code and a user's actions, each step split by ';':
//   "C.P?" reads property P of control C (or of the Form) into the log,
//   "C.P=V" sets a number, "C.P='T'" a text, "on C Click" connects a
//   handler, "clip C" opens a clip that is not there; by the user: "click C",
//   "press C", "release C" (over it), "beside C" (next to it), "type C KEYS",
//   "enter C N" or "esc C N" (the open list, N items down). The log holds
//   the events raised, the values read and each step's run-time error.

struct StepRow {
  const char* name;
  const char* steps;
  const char* log;  // split by blanks
};

// In the order of Prop.
constexpr std::array<std::string_view, 10> kProps = {"Height",   "Width",  "Top",     "Left",
                                                     "FontSize", "Value",  "Enabled", "ListIndex",
                                                     "Text",     "Caption"};

class StepTest : public ContractTest, public testing::WithParamInterface<StepRow> {
 protected:
  void Run(const std::string& step) {
    std::istringstream in(step);
    std::string verb, control, arg;
    in >> verb >> control >> arg;
    if (const auto dot = verb.find('.'); dot != std::string::npos)
      Request(verb.substr(0, dot), verb.substr(dot + 1));
    else if (verb == "on")
      form->OnControl(control, arg == "Click" ? Event::Click : Event::Change, [] {});
    else if (verb == "clip")
      form->OpenClip(control, "quorl.avi");
    else if (verb == "click")
      driver->Click(*form, control);
    else if (verb == "press")
      driver->Press(*form, control);
    else if (verb == "release" || verb == "beside")
      driver->Release(*form, control, verb == "release");
    else if (verb == "type")
      driver->Type(*form, control, arg);
    else if (verb == "enter" || verb == "esc")
      driver->PickInOpenList(*form, control, std::stoi(arg), verb == "enter");
    else
      ADD_FAILURE() << "no step " << verb;
  }
  void Request(const std::string& control, const std::string& request) {
    const std::size_t end = request.find_first_of("=?");
    const std::string value = request.substr(end + 1);
    const auto known = std::find(kProps.begin(), kProps.end(), request.substr(0, end));
    if (known == kProps.end()) return ADD_FAILURE() << "no property in " << request;
    const auto prop = static_cast<Prop>(known - kProps.begin());
    const bool text = value.starts_with('\'') || prop == Prop::Text || prop == Prop::Caption;
    if (control == "Form" && request[end] == '?')
      Log(form->Get(prop));
    else if (control == "Form")
      form->Set(prop, std::stod(value));
    else if (request[end] == '?' && text)
      log.push_back("'" + Item(control).GetText(prop) + "'");
    else if (request[end] == '?')
      Log(Item(control).Get(prop));
    else if (text)
      Item(control).SetText(prop, value.substr(1, value.size() - 2));
    else
      Item(control).Set(prop, std::stod(value));
  }
  // Fifteen digits: every value a row reads shows as written in the table.
  // (The browser's C++ library has no floating-point to_chars.)
  void Log(double value) {
    std::array<char, 32> digits{};
    std::snprintf(digits.data(), digits.size(), "%.15g", value);
    log.emplace_back(digits.data());
  }
};

TEST_P(StepTest, LogsWhatItRaised) {
  std::istringstream steps(GetParam().steps);
  for (std::string step; std::getline(steps, step, ';');) {
    try {
      Run(step);
    } catch (const RuntimeError& e) {
      log.push_back("error " + std::to_string(e.Code()));
    }
  }
  std::string logged;
  for (const std::string& entry : log) logged += (logged.empty() ? "" : " ") + entry;
  EXPECT_EQ(logged, GetParam().log);
}

// What each kind has, and the value read back.
INSTANTIATE_TEST_SUITE_P(
    Properties, StepTest,
    testing::Values(StepRow{"TextSet", "Text1.Text?; Text1.Text='Über'; Text1.Text?",
                            "'abc' Text1.Change 'Über'"},
                    StepRow{"LabelCaption", "Label1.Caption='neu'; Label1.Caption?", "'neu'"},
                    StepRow{"FrameCaption", "Frame1.Caption?", "'Gruppe'"},
                    StepRow{"ButtonCaption", "Button1.Caption?", "'Knopf'"},
                    StepRow{"PictureCaptionEmpty", "Picture1.Caption?", "''"},
                    StepRow{"NoChoiceAtStart", "Combo1.ListIndex?; Combo1.Text?", "-1 ''"},
                    StepRow{"ListIndexLast", "Combo1.ListIndex=2; Combo1.ListIndex?; Combo1.Text?",
                            "Combo1.Click 2 '16'"},
                    StepRow{"ListIndexCleared",
                            "Combo1.ListIndex=1; Combo1.ListIndex=-1; Combo1.ListIndex?",
                            "Combo1.Click -1"},
                    StepRow{"CheckBoxOne", "Check1.Value=1; Check1.Value?", "Check1.Click 1"},
                    StepRow{"OptionSelectedIsTrue", "OptionA.Value?", "-1"},
                    StepRow{"OptionAnyNonZeroSelects",
                            "OptionB.Value=1; OptionB.Value?; OptionA.Value?",
                            "OptionB.Click -1 0"},
                    StepRow{"SelectedOptionNotCleared", "OptionA.Value=0; OptionA.Value?", "-1"},
                    StepRow{"EnabledTrueDisabledZero",
                            "Label1.Enabled?; Button1.Enabled=0; Button1.Enabled?", "-1 0"},
                    StepRow{"DefaultFontSize", "Text1.FontSize?", "8.25"},
                    StepRow{"LargestFontSize", "Label1.FontSize=2048; Label1.FontSize?", "2048"},
                    StepRow{"DesignTwips", "Button1.Width?", "1500"},
                    StepRow{"InsideItsFrame", "OptionB.Top?", "720"},
                    StepRow{"WholePixels", "Label1.Left=247; Label1.Left?", "240"},
                    StepRow{"NegativeLeft", "Label1.Left=-150; Label1.Left?", "-150"},
                    StepRow{"TopInWholePixels", "Label1.Top=1000; Label1.Top?", "1005"},
                    StepRow{"HeightInWholePixels", "Label1.Height=1000; Label1.Height?", "1005"},
                    StepRow{"ZeroHeight", "Label1.Height=0; Label1.Height?", "0"}),
    RowName<StepRow>);

// The errors a request meets; it raises no event.
INSTANTIATE_TEST_SUITE_P(
    Errors, StepTest,
    testing::Values(StepRow{"CheckBoxTwo", "Check1.Value=2", "error 380"},
                    StepRow{"CheckBoxTrue", "Check1.Value=-1", "error 380"},
                    StepRow{"ListIndexPastEnd", "Combo1.ListIndex=3", "error 380"},
                    StepRow{"ListIndexBelowNone", "Combo1.ListIndex=-2", "error 380"},
                    StepRow{"ListIndexOverflow", "Combo1.ListIndex=3e9", "error 6"},
                    StepRow{"FontSizeZero", "Text1.FontSize=0", "error 380"},
                    StepRow{"FontSizeTooLarge", "Text1.FontSize=2048.5", "error 380"},
                    StepRow{"PictureHasNoFont", "Picture1.FontSize=10", "error 438"},
                    StepRow{"ClipHasNoFont", "Clip1.FontSize=10", "error 438"},
                    StepRow{"NegativeHeight", "Text1.Height=-1", "error 380"},
                    StepRow{"WidthBeyondAnyScreen", "Text1.Width=1e12", "error 380"},
                    StepRow{"LabelHasNoValue", "Label1.Value=1", "error 438"},
                    StepRow{"ButtonHasNoListIndex", "Button1.ListIndex=0", "error 438"},
                    StepRow{"GeometryIsNoText", "Text1.Height='1'", "error 438"},
                    StepRow{"ListTextIsReadOnly", "Combo1.Text='8'", "error 438"},
                    StepRow{"PictureCaptionIsReadOnly", "Picture1.Caption='x'", "error 438"},
                    StepRow{"LabelHasNoText", "Label1.Text='x'", "error 438"},
                    StepRow{"TextBoxHasNoCaption", "Text1.Caption='x'", "error 438"},
                    StepRow{"UnknownControl", "Nope.Value?", "error 9"},
                    StepRow{"HandlerForUnknownControl", "on Nope Click", "error 9"},
                    StepRow{"LabelRaisesNoClick", "on Label1 Click", "error 438"},
                    StepRow{"ButtonRaisesNoChange", "on Button1 Change", "error 438"},
                    StepRow{"ClipInALabel", "clip Label1", "error 438"},
                    StepRow{"FormHasNoFontSize", "Form.FontSize?", "error 438"},
                    StepRow{"NegativeFormWidth", "Form.Width=-1", "error 380"}),
    RowName<StepRow>);

// Which request or user action raises which event, and how often. Arrow
// steps in the open list raise nothing: only the choice committed with
// Enter counts, and Esc leaves the choice as it was. A button or picture
// clicks when the mouse button is released over it.
INSTANTIATE_TEST_SUITE_P(
    Events, StepTest,
    testing::Values(
        StepRow{"CheckSameValue", "Check1.Value=0", ""},
        StepRow{"CheckClickedTwice", "click Check1; click Check1", "Check1.Click Check1.Click"},
        StepRow{"OptionAlreadySelected", "OptionA.Value=-1", ""},
        StepRow{"OptionClicked", "click OptionB; OptionA.Value?; OptionB.Value?",
                "OptionB.Click 0 -1"},
        StepRow{"SelectedOptionClicked", "click OptionA", ""},
        StepRow{"ListIndexSameAgain", "Combo1.ListIndex=1; Combo1.ListIndex=1", "Combo1.Click"},
        StepRow{"OpenListCommitted", "Combo1.ListIndex=0; enter Combo1 2",
                "Combo1.Click Combo1.Click"},
        StepRow{"OpenListLeftWithEsc", "Combo1.ListIndex=0; esc Combo1 2; Combo1.ListIndex?",
                "Combo1.Click 0"},
        StepRow{"SameText", "Text1.Text='abc'", ""},
        StepRow{"EveryKeystroke", "type Text1 12", "Text1.Change Text1.Change"},
        StepRow{"ButtonClicked", "click Button1", "Button1.Click"},
        StepRow{"ButtonReleasedBeside", "press Button1; beside Button1", ""},
        StepRow{"PictureNotOnPress", "press Picture1", ""},
        StepRow{"PictureOnRelease", "press Picture1; release Picture1", "Picture1.Click"},
        StepRow{"PictureReleasedBeside", "press Picture1; beside Picture1", ""},
        StepRow{"ResizeOnlyForANewSize", "Form.Width=5670; Form.Width=5670", "Resize"}),
    RowName<StepRow>);

// After the list, the state the events were about.
TEST_F(ContractTest, OpenListCommitsTheItemSteppedTo) {
  Item("Combo1").Set(Prop::ListIndex, 0);
  driver->PickInOpenList(*form, "Combo1", 2, true);
  driver->Click(*form, "Check1");  // the list loses the focus
  EXPECT_EQ(Item("Combo1").Get(Prop::ListIndex), 2);
  EXPECT_EQ(Item("Combo1").GetText(Prop::Text), "16");
}

// ---- Long text: nothing cut at the old limit of 32,767 characters.

TEST_F(ContractTest, FortyThousandCharactersPastedAndTyped) {
  Item("Text1").SetText(Prop::Text, "");
  log.clear();
  driver->Paste(*form, "Text1", std::string(39990, '7'));
  EXPECT_EQ(Item("Text1").GetText(Prop::Text).size(), 39990u);
  driver->Type(*form, "Text1", "0123456789");
  const std::string text = Item("Text1").GetText(Prop::Text);
  EXPECT_EQ(text.size(), 40000u);
  EXPECT_EQ(text.substr(39990), "0123456789");
  EXPECT_EQ(log.size(), 11u);
  Item("Text1").SetText(Prop::Text, std::string(40000, '8'));
  EXPECT_EQ(Item("Text1").GetText(Prop::Text), std::string(40000, '8'));
}

// ---- The form's life.

TEST_F(ContractTest, LoadThenResizeWhenFirstShown) {
  std::vector<std::string> order;
  auto other = Kit().CreateForm(kOtherForm);
  other->OnLoad([&] { order.push_back("Load"); });
  other->OnResize([&] { order.push_back("Resize"); });
  other->Load();
  EXPECT_EQ(order, std::vector<std::string>{"Load"});
  other->Show();
  other->Show();
  EXPECT_EQ(order, (std::vector<std::string>{"Load", "Resize"}));
}

// Height and Width count the classic frame, 8 x 27 pixels at 96 DPI.
TEST_F(ContractTest, OuterSizeCountsTheClassicFrame) {
  EXPECT_EQ(form->Get(Prop::Width), 5520);
  EXPECT_EQ(form->Get(Prop::Height), 3105);
  form->Set(Prop::Width, 6000);
  form->Set(Prop::Height, 4500.4);
  EXPECT_EQ(driver->ClientSize(*form), (PixelSize{392, 273}));
}

TEST_F(ContractTest, ShownAgainWhileMinimisedIsRestored) {
  driver->Minimise(*form);
  ASSERT_TRUE(driver->Minimised(*form));
  form->Show();
  EXPECT_FALSE(driver->Minimised(*form));
  EXPECT_TRUE(log.empty()) << "no Resize for the size it had";
}

// Unload runs its handler, the last form's unload ends the program.
TEST_F(ContractTest, TheLastUnloadEndsTheProgram) {
  auto other = Kit().CreateForm(kOtherForm);
  other->OnUnload([&] { log.push_back("Other.Unload"); });
  other->Load();
  other->Show();
  driver->Close(*form);
  EXPECT_FALSE(Kit().Ended());
  other->Unload();
  other->Unload();
  EXPECT_EQ(log, (std::vector<std::string>{"Unload", "Other.Unload"}));
  EXPECT_TRUE(Kit().Ended());
}

TEST_F(ContractTest, EndProgramEndsWithFormsLoaded) {
  Kit().EndProgram();
  EXPECT_TRUE(Kit().Ended());
  EXPECT_TRUE(log.empty());
}

// ---- Tab: the table's order, a frame entered, an option group by its
// selected button, and round again.
TEST_F(ContractTest, TabFollowsTheDesignTable) {
  EXPECT_EQ(driver->TabWalk(*form, 5),
            (std::vector<std::string>{"Combo1", "Check1", "OptionA", "Button1", "Text1"}));
  Item("OptionB").Set(Prop::Value, kTrue);
  EXPECT_EQ(driver->TabWalk(*form, 3), (std::vector<std::string>{"Combo1", "Check1", "OptionB"}));
}

// ---- Message boxes: modal to the whole program. A handler's run-time error
// ends at the event boundary as the classic message, titled by the program,
// and the program goes on.
TEST_F(ContractTest, MessageBoxBlocksEveryForm) {
  form->OnControl("Picture1", Event::Click, [] { Raise(ErrorNumber::kOverflow); });
  auto other = Kit().CreateForm(kOtherForm);
  int clicks = 0;
  other->OnControl("Other1", Event::Click, [&] { ++clicks; });
  other->Show();
  driver->MoveTo(*form, 0, 0);
  driver->MoveTo(*other, 700, 500);
  const BoxSeen box = driver->WhileBoxOpen([&] { driver->Click(*form, "Picture1"); },
                                           [&] {
                                             driver->Click(*other, "Other1");
                                             driver->Click(*form, "Button1");
                                           });
  EXPECT_EQ(box.text, "Laufzeitfehler '6':\n\nÜberlauf");
  EXPECT_EQ(box.title, "Test");
  EXPECT_FALSE(Kit().Ended());
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(log.empty()) << log.front();
  driver->Click(*other, "Other1");
  EXPECT_EQ(clicks, 1);
}

// ---- Clips: played at their pace, held to the floor, bad ones left empty.

struct ClipRow {
  const char* name;
  std::uint32_t microSecPerFrame;
  int frames;  // 0: a file that is no clip
  int intervalMs;
};

class ClipTest : public ContractTest, public testing::WithParamInterface<ClipRow> {};

TEST_P(ClipTest, PlaysAtItsPaceOrStaysEmpty) {
  const ClipRow& row = GetParam();
  // Over a clip of two frames playing, which the row's must replace.
  for (const auto& [name, bytes] :
       {std::pair{"before", TwoColours(2, 100000)},
        std::pair{row.name, row.frames ? TwoColours(row.frames, row.microSecPerFrame)
                                       : clipgen::Bytes{'R', 'I', 'F', 'F'}}}) {
    const std::string path = WriteClip(name, bytes);
    form->OpenClip("Clip1", path);
    std::filesystem::remove(path);
  }
  EXPECT_EQ(Clip().FrameCount(), row.frames);
  EXPECT_EQ(Clip().IntervalMs(), row.intervalMs);
  if (row.frames == 0) {
    EXPECT_TRUE(Clip().Empty());
    EXPECT_EQ(driver->Pixel(*form, "Clip1", 50, 33), driver->ButtonFace());
    return;
  }
  // Each frame centred at its natural size on the button face: the clip
  // lies at (48..51, 32..33) of the 100 x 67 control.
  const auto shows = [&](unsigned colour) {
    return driver->Pixel(*form, "Clip1", 48, 32) == colour &&
           driver->Pixel(*form, "Clip1", 51, 33) == colour &&
           driver->Pixel(*form, "Clip1", 47, 32) == driver->ButtonFace() &&
           driver->Pixel(*form, "Clip1", 51, 34) == driver->ButtonFace();
  };
  EXPECT_EQ(Clip().Pixels().size(), 8u);
  EXPECT_TRUE(shows(0x112233));
  for (int step = 1; step <= row.frames; ++step) {
    Clip().Step();
    EXPECT_EQ(Clip().CurrentFrame(), step % row.frames);
    EXPECT_TRUE(shows(step % row.frames % 2 ? 0x445566 : 0x112233)) << "frame " << step;
  }
  form->Unload();
  EXPECT_TRUE(Clip().Empty());
  EXPECT_EQ(Clip().Pixels().capacity(), 0u) << "the frame's memory is given back";
}

INSTANTIATE_TEST_SUITE_P(Clips, ClipTest,
                         testing::Values(ClipRow{"AtItsPace", 66667, 3, 67},
                                         ClipRow{"OneMicrosecondHeldToTheFloor", 1, 2, 10},
                                         ClipRow{"TenMillisecondsAsItIs", 10400, 2, 10},
                                         ClipRow{"OneFrameStill", 100000, 1, 0},
                                         ClipRow{"NoClipLeftEmpty", 100000, 0, 0}),
                         RowName<ClipRow>);

// The largest picture the reader takes, in a file of a few hundred bytes:
// 4096 x 4096 RLE8, two frames that end at once. One frame is 64 MiB, and
// closing the form gives it back.
TEST_F(ContractTest, LargeClipGivesItsMemoryBack) {
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "the address sanitizer keeps freed memory in quarantine";
#endif
  const clipgen::AviVideo video{4096,
                                4096,
                                8,
                                clipgen::kBiRle8,
                                std::vector<std::uint32_t>(16, 0x336699),
                                100000,
                                {{0, 1}, {0, 1}}};
  const std::string path = WriteClip("large", clipgen::WriteAvi(video));
  const double before = ProcessMemoryMiB();
  form->OpenClip("Clip1", path);
  std::filesystem::remove(path);
  ASSERT_EQ(Clip().FrameCount(), 2);
  const double shown = ProcessMemoryMiB();
  driver->Close(*form);
  const double after = ProcessMemoryMiB();
  EXPECT_GT(shown - before, 64) << "the frame shown is not held: nothing measured";
  EXPECT_LT(after - before, 8) << "before " << before << ", shown " << shown << ", after " << after
                               << " MiB";
}

}  // namespace
}  // namespace vemora::contract
