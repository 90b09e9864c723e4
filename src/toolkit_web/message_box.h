// Message boxes in the page: one at a time, modal to the whole page (the
// browser's modal dialog makes everything else inert), with the style's
// icon, the title and an OK button that has the focus. Enter and Esc close
// a box; the next waiting one opens then.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <string_view>

#include "toolkit_web/web_dom.h"

namespace vemora {

class MessageBoxes : private EventSink {
 public:
  // Runs when the last open box has closed.
  explicit MessageBoxes(std::function<void()> allClosed) : allClosed_(std::move(allClosed)) {}
  // The page cannot wait for the user: the box opens (or waits its turn)
  // and the caller goes on.
  void Show(std::string_view text, int style, std::string_view title);
  bool Open() const { return !open_.isUndefined(); }

 private:
  struct Box {
    std::string text, title;
    int style;
  };
  enum Code { kOk, kEsc };
  void Handle(int code, val event) override;
  void OpenNext();

  std::function<void()> allClosed_;
  std::deque<Box> waiting_;
  val open_ = val::undefined();
};

}  // namespace vemora
