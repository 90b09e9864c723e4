#include "toolkit_web/web_dom.h"

#include <emscripten/bind.h>

#include <cctype>
#include <cstdint>

namespace vemora {

namespace {

// The page hands back the sink's address it was given with the listener;
// an element's listeners go with the element before its sink does.
void Dispatch(std::uintptr_t sink, int code, val event) {
  // NOLINTNEXTLINE(performance-no-int-to-ptr): the address is the sink's own
  reinterpret_cast<EventSink*>(sink)->Handle(code, std::move(event));
}

std::uintptr_t Address(EventSink& sink) {
  return reinterpret_cast<std::uintptr_t>(&sink);
}

}  // namespace

EMSCRIPTEN_BINDINGS(vemora_event_sink) {
  emscripten::function("vemoraDispatch", &Dispatch);
}

val Document() {
  return val::global("document");
}

val MakeElement(const char* tag, const val& parent, const char* className) {
  val element = Document().call<val>("createElement", std::string(tag));
  if (className) element.set("className", std::string(className));
  if (!parent.isUndefined()) parent.call<void>("appendChild", element);
  return element;
}

val Listen(val target, const char* type, EventSink& sink, int code) {
  return val::module_property("vemoraListen")(target, std::string(type), Address(sink), code);
}

int StartTimer(int intervalMs, EventSink& sink, int code) {
  return val::module_property("vemoraEvery")(intervalMs, Address(sink), code).as<int>();
}

void StopTimer(int id) {
  val::global("clearInterval")(id);
}

std::string Px(int pixels) {
  return std::to_string(pixels) + "px";
}

void Place(const val& element, const PixelRect& box) {
  val style = element["style"];
  style.set("left", Px(box.left));
  style.set("top", Px(box.top));
  style.set("width", Px(box.width));
  style.set("height", Px(box.height));
}

std::string FontFamily(std::string_view face) {
  const std::string quoted = "\"" + std::string(face) + "\"";
  if (face == "Arial") return quoted + ", \"Liberation Sans\", Helvetica, sans-serif";
  return quoted + ", sans-serif";
}

void ApplyFont(const val& element, const FontDesign& font) {
  val style = element["style"];
  style.set("fontFamily", FontFamily(font.face));
  style.set("fontSize", std::to_string(font.size) + "pt");
  style.set("fontWeight", std::string(font.bold ? "bold" : "normal"));
  style.set("fontStyle", std::string(font.italic ? "italic" : "normal"));
}

std::string PlainCaption(std::string_view caption) {
  std::string plain;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    plain += caption[i];
  }
  return plain;
}

void ShowCaption(val element, std::string_view caption) {
  element.set("textContent", std::string());
  std::string before;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != '&' || i + 1 >= caption.size()) {
      before += caption[i];
    } else if (caption[++i] == '&') {
      before += '&';
    } else {
      // The key letter: one byte; a caption's keys are plain letters.
      element.call<void>("append", before);
      before.clear();
      val key = MakeElement("u", element);
      key.set("textContent", std::string(1, caption[i]));
      element.set("accessKey", std::string(1, static_cast<char>(std::tolower(caption[i]))));
    }
  }
  element.call<void>("append", before);
}

}  // namespace vemora
