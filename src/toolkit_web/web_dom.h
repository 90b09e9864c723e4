// The toolkit's reach into the page: elements made and styled through
// emscripten::val, and the page's events delivered to a C++ sink.
#pragma once

#include <emscripten/val.h>

#include <string>
#include <string_view>

#include "toolkit/toolkit.h"
#include "toolkit/units.h"

namespace vemora {

using emscripten::val;

// Receives the events a page element was told to report, each with the
// code it was registered under.
class EventSink {
 public:
  virtual ~EventSink() = default;
  virtual void Handle(int code, val event) = 0;
};

val Document();
// A new element, appended to `parent` unless that is undefined.
val MakeElement(const char* tag, const val& parent, const char* className = nullptr);
// The function that stops the listening: needed only where the target
// outlives the sink.
val Listen(val target, const char* type, EventSink& sink, int code);
// Calls the sink every `intervalMs`; the timer's id, for StopTimer.
int StartTimer(int intervalMs, EventSink& sink, int code);
void StopTimer(int id);

std::string Px(int pixels);
void Place(const val& element, const PixelRect& box);
// The design's font face with the fallbacks a browser is sure to have.
std::string FontFamily(std::string_view face);
void ApplyFont(const val& element, const FontDesign& font);

// A caption's "&x" underlines x and makes Alt+x its key; "&&" is one "&".
void ShowCaption(val element, std::string_view caption);
// The caption as a screen reader says it: without its "&".
std::string PlainCaption(std::string_view caption);

}  // namespace vemora
