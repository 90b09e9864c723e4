// The toolkit contract, one table for every toolkit: the property rules and
// their errors, the event rules, the form's life, Tab order, message boxes
// and clips, each driven as a user or a window's code would.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <variant>
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

// Each event of each control, logged as "Name.Event".
constexpr std::array<std::pair<std::string_view, Event>, 7> kEvents = {{
    {"Text1", Event::Change},
    {"Combo1", Event::Click},
    {"Check1", Event::Click},
    {"OptionA", Event::Click},
    {"OptionB", Event::Click},
    {"Button1", Event::Click},
    {"Picture1", Event::Click},
}};

class ContractTest : public testing::Test {
 protected:
  void SetUp() override {
    form = Kit().CreateForm(kProbeForm);
    for (const auto& [name, event] : kEvents)
      form->OnControl(
          name, event,
          [this, logged = std::string(name) + (event == Event::Click ? ".Click" : ".Change")] {
            log.push_back(logged);
          });
    form->OnLoad([this] { log.push_back("Load"); });
    form->OnResize([this] { log.push_back("Resize"); });
    form->OnUnload([this] { log.push_back("Unload"); });
    form->Load();
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

// The run-time error a request raised; 0 for none.
template <class Request>
int ErrorOf(Request request) {
  try {
    request();
  } catch (const RuntimeError& e) {
    return e.Code();
  }
  return 0;
}

// ---- Properties: what each kind has, and the value read back.

struct PropertyRow {
  const char* name;
  const char* control;
  Prop prop;
  std::variant<std::monostate, double, const char*> set;  // nothing: read only
  std::variant<double, const char*> expected;
};

class PropertyTest : public ContractTest, public testing::WithParamInterface<PropertyRow> {};

TEST_P(PropertyTest, ReadsBackTheValue) {
  const PropertyRow& row = GetParam();
  Control& c = Item(row.control);
  if (const double* value = std::get_if<double>(&row.set)) c.Set(row.prop, *value);
  if (const char* const* text = std::get_if<const char*>(&row.set)) c.SetText(row.prop, *text);
  if (const double* value = std::get_if<double>(&row.expected))
    EXPECT_EQ(c.Get(row.prop), *value);
  else
    EXPECT_EQ(c.GetText(row.prop), std::get<const char*>(row.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Rules, PropertyTest,
    testing::Values(PropertyRow{"TextBoxText", "Text1", Prop::Text, {}, "abc"},
                    PropertyRow{"TextSet", "Text1", Prop::Text, "Über", "Über"},
                    PropertyRow{"LabelCaption", "Label1", Prop::Caption, "neu", "neu"},
                    PropertyRow{"FrameCaption", "Frame1", Prop::Caption, {}, "Gruppe"},
                    PropertyRow{"ButtonCaption", "Button1", Prop::Caption, {}, "Knopf"},
                    PropertyRow{"PictureCaptionEmpty", "Picture1", Prop::Caption, {}, ""},
                    PropertyRow{"ListTextIsTheChoice", "Combo1", Prop::Text, {}, ""},
                    PropertyRow{"NoChoiceAtStart", "Combo1", Prop::ListIndex, {}, -1.0},
                    PropertyRow{"ListIndexLast", "Combo1", Prop::ListIndex, 2.0, 2.0},
                    PropertyRow{"ListIndexCleared", "Combo1", Prop::ListIndex, -1.0, -1.0},
                    PropertyRow{"CheckBoxOne", "Check1", Prop::Value, 1.0, 1.0},
                    PropertyRow{"OptionSelectedIsTrue", "OptionA", Prop::Value, {}, -1.0},
                    PropertyRow{"OptionAnyNonZeroSelects", "OptionB", Prop::Value, 1.0, -1.0},
                    PropertyRow{"SelectedOptionNotCleared", "OptionA", Prop::Value, 0.0, -1.0},
                    PropertyRow{"EnabledIsTrue", "Label1", Prop::Enabled, {}, -1.0},
                    PropertyRow{"DisabledIsZero", "Button1", Prop::Enabled, 0.0, 0.0},
                    PropertyRow{"DefaultFontSize", "Text1", Prop::FontSize, {}, 8.25},
                    PropertyRow{"LargestFontSize", "Label1", Prop::FontSize, 2048.0, 2048.0},
                    PropertyRow{"DesignTwips", "Button1", Prop::Width, {}, 1500.0},
                    PropertyRow{"InsideItsFrame", "OptionB", Prop::Top, {}, 720.0},
                    PropertyRow{"WholePixels", "Label1", Prop::Left, 247.0, 240.0},
                    PropertyRow{"NegativeLeft", "Label1", Prop::Left, -150.0, -150.0},
                    PropertyRow{"TopInWholePixels", "Label1", Prop::Top, 1000.0, 1005.0},
                    PropertyRow{"HeightInWholePixels", "Label1", Prop::Height, 1000.0, 1005.0},
                    PropertyRow{"ZeroHeight", "Label1", Prop::Height, 0.0, 0.0}),
    RowName<PropertyRow>);

// ---- The errors a request meets, and the value it leaves.

struct ErrorRow {
  const char* name;
  const char* control;
  Prop prop;
  std::variant<double, const char*> set;  // a text is set with SetText
  int error;
};

class PropertyErrorTest : public ContractTest, public testing::WithParamInterface<ErrorRow> {};

TEST_P(PropertyErrorTest, RaisesItsError) {
  const ErrorRow& row = GetParam();
  Control& c = Item(row.control);
  if (const double* value = std::get_if<double>(&row.set))
    EXPECT_EQ(ErrorOf([&] { c.Set(row.prop, *value); }), row.error);
  else
    EXPECT_EQ(ErrorOf([&] { c.SetText(row.prop, std::get<const char*>(row.set)); }), row.error);
  EXPECT_TRUE(log.empty()) << log.front();
}

INSTANTIATE_TEST_SUITE_P(
    Rules, PropertyErrorTest,
    testing::Values(ErrorRow{"CheckBoxTwo", "Check1", Prop::Value, 2.0, 380},
                    ErrorRow{"CheckBoxTrue", "Check1", Prop::Value, -1.0, 380},
                    ErrorRow{"ListIndexPastEnd", "Combo1", Prop::ListIndex, 3.0, 380},
                    ErrorRow{"ListIndexBelowNone", "Combo1", Prop::ListIndex, -2.0, 380},
                    ErrorRow{"ListIndexOverflow", "Combo1", Prop::ListIndex, 3e9, 6},
                    ErrorRow{"FontSizeZero", "Text1", Prop::FontSize, 0.0, 380},
                    ErrorRow{"FontSizeTooLarge", "Text1", Prop::FontSize, 2048.5, 380},
                    ErrorRow{"PictureHasNoFont", "Picture1", Prop::FontSize, 10.0, 438},
                    ErrorRow{"ClipHasNoFont", "Clip1", Prop::FontSize, 10.0, 438},
                    ErrorRow{"NegativeHeight", "Text1", Prop::Height, -1.0, 380},
                    ErrorRow{"WidthBeyondAnyScreen", "Text1", Prop::Width, 1e12, 380},
                    ErrorRow{"LabelHasNoValue", "Label1", Prop::Value, 1.0, 438},
                    ErrorRow{"ButtonHasNoListIndex", "Button1", Prop::ListIndex, 0.0, 438},
                    ErrorRow{"GeometryIsNoText", "Text1", Prop::Height, "1", 438},
                    ErrorRow{"ListTextIsReadOnly", "Combo1", Prop::Text, "8", 438},
                    ErrorRow{"PictureCaptionIsReadOnly", "Picture1", Prop::Caption, "x", 438},
                    ErrorRow{"LabelHasNoText", "Label1", Prop::Text, "x", 438},
                    ErrorRow{"TextBoxHasNoCaption", "Text1", Prop::Caption, "x", 438}),
    RowName<ErrorRow>);

struct FormErrorRow {
  const char* name;
  std::function<void(Form&)> request;
  int error;
};

class FormErrorTest : public ContractTest, public testing::WithParamInterface<FormErrorRow> {};

TEST_P(FormErrorTest, RaisesItsError) {
  EXPECT_EQ(ErrorOf([&] { GetParam().request(*form); }), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, FormErrorTest,
    testing::Values(
        FormErrorRow{"UnknownControl", [](Form& f) { f.Item("Nope"); }, 9},
        FormErrorRow{"HandlerForUnknownControl",
                     [](Form& f) { f.OnControl("Nope", Event::Click, {}); }, 9},
        FormErrorRow{"LabelRaisesNoClick", [](Form& f) { f.OnControl("Label1", Event::Click, {}); },
                     438},
        FormErrorRow{"ButtonRaisesNoChange",
                     [](Form& f) { f.OnControl("Button1", Event::Change, {}); }, 438},
        FormErrorRow{"ClipInALabel", [](Form& f) { f.OpenClip("Label1", "quorl.avi"); }, 438},
        FormErrorRow{"FormHasNoFontSize", [](Form& f) { f.Get(Prop::FontSize); }, 438},
        FormErrorRow{"NegativeFormWidth", [](Form& f) { f.Set(Prop::Width, -1); }, 380}),
    RowName<FormErrorRow>);

// ---- Events: which request or user action raises which, and how often.

struct EventRow {
  const char* name;
  // Steps split by ';': "value C V", "index C V", "text C T" from code;
  // "click C", "press C", "release C" (over it), "beside C" (next to it),
  // "type C KEYS", "enter C N" or "esc C N" (the open list, N items down)
  // by the user.
  const char* steps;
  const char* events;  // as logged, split by blanks
};

class EventTest : public ContractTest, public testing::WithParamInterface<EventRow> {
 protected:
  void Run(const std::string& line) {
    std::istringstream in(line);
    std::string verb, control, arg;
    in >> verb >> control >> arg;
    if (verb == "value" || verb == "index")
      Item(control).Set(verb == "value" ? Prop::Value : Prop::ListIndex, std::stod(arg));
    else if (verb == "text")
      Item(control).SetText(Prop::Text, arg);
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
};

TEST_P(EventTest, RaisesTheClassicEvents) {
  std::istringstream steps(GetParam().steps);
  for (std::string step; std::getline(steps, step, ';');) Run(step);
  std::string events;
  for (const std::string& event : log) events += (events.empty() ? "" : " ") + event;
  EXPECT_EQ(events, GetParam().events);
}

// Arrow steps in the open list raise nothing: only the choice committed
// with Enter counts, and Esc leaves the choice as it was. A button or
// picture clicks when the mouse button is released over it.
INSTANTIATE_TEST_SUITE_P(
    Rules, EventTest,
    testing::Values(
        EventRow{"CheckValueFromCode", "value Check1 1", "Check1.Click"},
        EventRow{"CheckSameValue", "value Check1 0", ""},
        EventRow{"CheckClickedTwice", "click Check1; click Check1", "Check1.Click Check1.Click"},
        EventRow{"OptionFromCode", "value OptionB -1", "OptionB.Click"},
        EventRow{"OptionAlreadySelected", "value OptionA -1", ""},
        EventRow{"OptionClicked", "click OptionB", "OptionB.Click"},
        EventRow{"SelectedOptionClicked", "click OptionA", ""},
        EventRow{"ListIndexFromCode", "index Combo1 1", "Combo1.Click"},
        EventRow{"ListIndexSameAgain", "index Combo1 1; index Combo1 1", "Combo1.Click"},
        EventRow{"ListIndexCleared", "index Combo1 1; index Combo1 -1", "Combo1.Click"},
        EventRow{"OpenListCommitted", "index Combo1 0; enter Combo1 2",
                 "Combo1.Click Combo1.Click"},
        EventRow{"OpenListLeftWithEsc", "index Combo1 0; esc Combo1 2", "Combo1.Click"},
        EventRow{"TextFromCodeOnce", "text Text1 xyz", "Text1.Change"},
        EventRow{"SameText", "text Text1 abc", ""},
        EventRow{"EveryKeystroke", "type Text1 12", "Text1.Change Text1.Change"},
        EventRow{"ButtonClicked", "click Button1", "Button1.Click"},
        EventRow{"ButtonReleasedBeside", "press Button1; beside Button1", ""},
        EventRow{"PictureNotOnPress", "press Picture1", ""},
        EventRow{"PictureOnRelease", "press Picture1; release Picture1", "Picture1.Click"},
        EventRow{"PictureReleasedBeside", "press Picture1; beside Picture1", ""}),
    RowName<EventRow>);

// After the list, the state the events were about.
TEST_F(ContractTest, OpenListCommitsTheItemSteppedTo) {
  Item("Combo1").Set(Prop::ListIndex, 0);
  driver->PickInOpenList(*form, "Combo1", 2, true);
  driver->Click(*form, "Check1");  // the list loses the focus
  EXPECT_EQ(Item("Combo1").Get(Prop::ListIndex), 2);
  EXPECT_EQ(Item("Combo1").GetText(Prop::Text), "16");
  driver->PickInOpenList(*form, "Combo1", 1, false);
  EXPECT_EQ(Item("Combo1").Get(Prop::ListIndex), 2);
}

TEST_F(ContractTest, OptionClickedClearsTheOther) {
  driver->Click(*form, "OptionB");
  EXPECT_EQ(Item("OptionA").Get(Prop::Value), 0);
  EXPECT_EQ(Item("OptionB").Get(Prop::Value), kTrue);
}

// A handler's run-time error ends at the event boundary: the classic
// message, titled by the program, and the program goes on.
TEST_F(ContractTest, HandlerErrorBecomesTheMessage) {
  form->OnControl("Button1", Event::Click, [] { Raise(ErrorNumber::kOverflow); });
  const BoxSeen box = driver->WhileBoxOpen([&] { driver->Click(*form, "Button1"); }, [] {});
  EXPECT_EQ(box.text, "Laufzeitfehler '6':\n\nÜberlauf");
  EXPECT_EQ(box.title, "Test");
  EXPECT_FALSE(Kit().Ended());
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

TEST_F(ContractTest, ResizeOnlyForANewSize) {
  form->Set(Prop::Width, form->Get(Prop::Width));
  EXPECT_TRUE(log.empty());
  form->Set(Prop::Width, form->Get(Prop::Width) + 150);
  EXPECT_EQ(log, std::vector<std::string>{"Resize"});
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

// ---- Message boxes: modal to the whole program.
TEST_F(ContractTest, MessageBoxBlocksEveryForm) {
  auto other = Kit().CreateForm(kOtherForm);
  int clicks = 0;
  other->OnControl("Other1", Event::Click, [&] { ++clicks; });
  other->Show();
  driver->MoveTo(*form, 0, 0);
  driver->MoveTo(*other, 700, 500);
  const BoxSeen box = driver->WhileBoxOpen(
      [&] { Kit().MsgBox("Systeminformationsprogramm zur Zeit nicht verfügbar.", kOkOnly); },
      [&] {
        driver->Click(*other, "Other1");
        driver->Click(*form, "Button1");
      });
  EXPECT_EQ(box.title, "Test");
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
