// The toolkit contract: forms and controls built from design tables and
// reached by property name, their events, the application object and the
// services (message box, the end of the program). Windows' code talks to
// widgets only through this. The classic behaviour behind it lives once in
// basic_form.h; each toolkit (Qt, Win32, ...) adds only native primitives,
// and tests put recording fakes in its place.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vemora {

// The classic True: an option button's Value when selected, Enabled when on.
inline constexpr int kTrue = -1;

// Properties reached by name. Get gives a real, Set takes a real; Text and
// Caption are texts. A request the control cannot serve raises a run-time
// error (438 for a property it lacks, 380 for a value it refuses).
enum class Prop { Height, Width, Top, Left, FontSize, Value, Enabled, ListIndex, Text, Caption };

enum class ControlKind {
  TextBox,
  CommandButton,
  ComboBox,  // a drop-down list the user cannot type into
  Frame,
  OptionButton,
  CheckBox,
  Image,
  Label,
  Animation,
};

enum class Event { Click, Change };

class Control {
 public:
  virtual ~Control() = default;
  virtual std::string_view Name() const = 0;
  virtual ControlKind Kind() const = 0;
  virtual double Get(Prop prop) const = 0;
  virtual void Set(Prop prop, double value) = 0;
  virtual std::string GetText(Prop prop) const = 0;
  virtual void SetText(Prop prop, std::string_view text) = 0;
};

struct FontDesign {
  std::string_view face;  // empty: the form's default font
  double size = 0;        // points; 0: the form's default size
  bool bold = false;
  bool italic = false;
};

// One row of a form's design table. Geometry in twips, relative to the
// container (the form, or the named frame).
struct ControlDesign {
  std::string_view name = {};
  ControlKind kind = ControlKind::Label;
  std::string_view container = {};  // empty: the form itself
  int left = 0, top = 0, width = 0, height = 0;
  std::string_view caption = {};  // caption, or a text box's design text
  int tabIndex = -1;              // -1: takes no focus by Tab
  FontDesign font = {};
  std::string_view toolTip = {};
  bool enabled = true;
  int value = 0;                                 // check box 1 ticked; option button kTrue
  std::span<const std::string_view> items = {};  // combo box list
  bool questionPointer = false;                  // the arrow-with-question-mark pointer
  bool showsIcon = false;                        // an image showing the program's icon
  bool stretch = false;                          // the picture fills the box
  bool isDefault = false;                        // Enter presses it
  bool isCancel = false;                         // Esc presses it
  bool blackText = false;                        // black instead of the system text colour
  // On a label: the control it names. A screen reader announces that control
  // by the label's caption, so the label also comes just before it.
  std::string_view labelFor = {};
};

// Design tables read as tables: one positional row per control, with the
// rarer settings added by name.
constexpr ControlDesign Row(std::string_view name, ControlKind kind, std::string_view container,
                            int left, int top, int width, int height, std::string_view caption,
                            int tabIndex) {
  ControlDesign d;
  d.name = name, d.kind = kind, d.container = container;
  d.left = left, d.top = top, d.width = width, d.height = height;
  d.caption = caption, d.tabIndex = tabIndex;
  return d;
}

enum class Border { Sizable, FixedDialog };

struct FormDesign {
  std::string_view name;
  std::string_view caption;
  int clientWidth, clientHeight;  // twips
  Border border;
  std::span<const ControlDesign> controls;  // in the order the walk yields them
};

class Form {
 public:
  virtual ~Form() = default;
  // Height and Width are the outer size in twips, frame included.
  virtual double Get(Prop prop) const = 0;
  virtual void Set(Prop prop, double value) = 0;
  virtual std::string Caption() const = 0;
  virtual void SetCaption(std::string_view caption) = 0;
  // Every control once, in one fixed order, the same on every walk.
  virtual const std::vector<Control*>& Controls() = 0;
  // A control by name; an unknown name raises error 9.
  virtual Control& Item(std::string_view name) = 0;
  virtual void Refresh() = 0;
  // Modeless, without owner; showing an open form again brings it to the
  // front, restored if it was minimised.
  virtual void Show() = 0;
  // Runs the unload handler, then removes the window.
  virtual void Unload() = 0;
  // Opens a clip in an animation control and plays it, repeating. A clip
  // that cannot be read leaves the control empty and raises nothing; a
  // control of another kind raises 438.
  virtual void OpenClip(std::string_view control, const std::string& path) = 0;

  // Handlers. Design values are applied before any handler is connected,
  // so they raise nothing. A handler's run-time error that nothing handles
  // ends at the event boundary: a message box, and the program goes on.
  virtual void OnControl(std::string_view control, Event event, std::function<void()> handler) = 0;
  virtual void OnLoad(std::function<void()> handler) = 0;
  virtual void OnResize(std::function<void()> handler) = 0;
  virtual void OnUnload(std::function<void()> handler) = 0;
  // Runs the load handler: called once, right after the handlers are set.
  virtual void Load() = 0;
};

// The application object.
struct AppInfo {
  std::string Title;
  std::int16_t Major = 0, Minor = 0, Revision = 0;
  std::string LegalCopyright;
  std::string Path;  // the executable's directory, no trailing separator
};

enum MsgBoxStyle : int { kOkOnly = 0, kCritical = 16, kExclamation = 48, kInformation = 64 };

// Services of the platform: message boxes, the end of the program, the
// user's decimal separator.
class Services {
 public:
  virtual ~Services() = default;
  // Modal to the whole program: no form takes input while it is open. An
  // empty title gives the application's Title.
  virtual int MsgBox(std::string_view text, int style, std::string_view title = {}) = 0;
  // Ends the program as soon as the running handler returns.
  virtual void EndProgram() = 0;
  virtual std::string DecimalSeparator() const = 0;
};

// Starting another program and looking up a file: the program hands these
// to the windows that need them; no toolkit is involved.
class Programs {
 public:
  virtual ~Programs() = default;
  // Starts a program directly (no shell), detached, not waited for.
  // A missing or non-executable file raises error 53.
  virtual void StartProgram(const std::string& path) = 0;
  // The name of an existing regular file, else the empty text.
  virtual std::string FileLookup(const std::string& path) = 0;
};

class Toolkit : public Services {
 public:
  virtual std::unique_ptr<Form> CreateForm(const FormDesign& design) = 0;
  virtual const AppInfo& App() const = 0;
};

// The one program-wide reference to a form's single instance: created on
// first use, cleared by the form's own unload.
template <class F>
class FormRef {
 public:
  using Factory = std::function<std::unique_ptr<F>()>;
  explicit FormRef(Factory factory) : factory_(std::move(factory)) {}
  F& operator()() {
    if (!instance_) {
      retired_.reset();
      instance_ = factory_();
      instance_->Load();
    }
    return *instance_;
  }
  bool Loaded() const { return instance_ != nullptr; }
  F* Get() const { return instance_.get(); }
  // The unload handler that clears the reference is still running on the
  // instance, so it is kept until the next creation or the program's end.
  void Clear() { retired_ = std::move(instance_); }

 private:
  Factory factory_;
  std::unique_ptr<F> instance_;
  std::unique_ptr<F> retired_;
};

// Runs a handler at the event boundary: an unhandled run-time error becomes
// the classic message and the program goes on.
void RunAtEventBoundary(Services& services, const std::function<void()>& handler);

}  // namespace vemora
