// The Qt application behind the toolkit: created first, before any form, and
// running the event loop until the program ends.
#pragma once

#include <memory>

class QApplication;

namespace vemora {

class QtApplication {
 public:
  // Names the application for the desktop (menu entry, icon, version).
  // When no display can be opened, says so in German and English on
  // standard error and ends the program with status 1.
  QtApplication(int& argc, char** argv, const char* version);
  ~QtApplication();
  QtApplication(const QtApplication&) = delete;
  QtApplication& operator=(const QtApplication&) = delete;

  // Runs the event loop; the program's exit status.
  int Exec();

 private:
  std::unique_ptr<QApplication> application_;
};

}  // namespace vemora
