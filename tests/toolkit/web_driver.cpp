// The contract table's hand in the page: mouse events go to whatever the
// browser finds at the point (so a modal box blocks them as it blocks a
// user), text goes in as the browser inserts typed text. A page cannot be
// minimised, and script cannot press Tab: the page test drives Tab with
// real keys, and main() leaves out the rows that need either.
#include <emscripten/val.h>
#include <gtest/gtest.h>
#include <malloc.h>

#include "driver.h"
#include "toolkit_web/web_form.h"
#include "toolkit_web/web_toolkit.h"

namespace vemora::contract {
namespace {

using emscripten::val;

AppInfo TestApp() {
  AppInfo app;
  app.Title = "Test";
  return app;
}

val Hand() {
  return val::module_property("vemoraHand");
}

class WebDriver : public Driver {
 public:
  BasicToolkit& Kit() override { return toolkit_; }
  void Click(Form& form, std::string_view control) override {
    Hand().call<void>("click", Element(form, control));
  }
  void Press(Form& form, std::string_view control) override {
    Hand().call<void>("press", Element(form, control));
  }
  void Release(Form& form, std::string_view control, bool inside) override {
    Hand().call<void>("release", Element(form, control), inside);
  }
  void Type(Form& form, std::string_view control, std::string_view keys) override {
    for (char key : keys) Hand().call<void>("type", Element(form, control), std::string(1, key));
  }
  void Paste(Form& form, std::string_view control, const std::string& text) override {
    Hand().call<void>("type", Element(form, control), text);
  }
  void PickInOpenList(Form& form, std::string_view control, int steps, bool commit) override {
    Hand().call<void>("pick", Element(form, control), steps, commit);
  }
  void Close(Form& form) override { Hand().call<void>("close", Window(form)); }
  void Minimise(Form&) override {}
  bool Minimised(Form&) override { return false; }
  PixelSize ClientSize(Form& form) override {
    const val size = Hand().call<val>("clientSize", Window(form));
    return {size[0].as<int>(), size[1].as<int>()};
  }
  void MoveTo(Form& form, int x, int y) override {
    Hand().call<void>("moveTo", Window(form), x, y);
  }
  std::vector<std::string> TabWalk(Form&, int) override { return {}; }
  unsigned Pixel(Form& form, std::string_view control, int x, int y) override {
    return Hand().call<unsigned>("pixel", Element(form, control), x, y);
  }
  unsigned ButtonFace() override { return Hand().call<unsigned>("buttonFace"); }
  BoxSeen WhileBoxOpen(const std::function<void()>& open,
                       const std::function<void()>& during) override {
    open();
    const val box = Hand().call<val>("box");
    if (box.isNull()) return {};
    during();
    BoxSeen seen{box[0].as<std::string>(), box[1].as<std::string>()};
    Hand().call<void>("ok");
    return seen;
  }

 private:
  static val Window(Form& form) { return static_cast<WebForm&>(form).Window(); }
  static val Element(Form& form, std::string_view name) {
    return Window(form).call<val>("querySelector", "#" + std::string(name));
  }

  WebToolkit toolkit_{TestApp(), ""};
};

}  // namespace

std::unique_ptr<Driver> MakeDriver() {
  return std::make_unique<WebDriver>();
}

// A WebAssembly memory never shrinks: what counts is the heap in use.
double ProcessMemoryMiB() {
  return static_cast<double>(mallinfo().uordblks) / 1048576;
}

}  // namespace vemora::contract

// The page reads the outcome from the module once main() has returned.
int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // A page cannot be minimised, script cannot press Tab, and the page form
  // takes the browser window's size when it shows rather than its design's.
  testing::GTEST_FLAG(filter) =
      "-*ShownAgainWhileMinimisedIsRestored:*TabFollowsTheDesignTable:"
      "*OuterSizeCountsTheClassicFrame";
  const int status = RUN_ALL_TESTS();
  emscripten::val::module_property("vemoraTestDone")(status);
  return status;
}
