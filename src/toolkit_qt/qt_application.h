// The Qt application behind the toolkit: created first, before any form, and
// running the event loop until the program ends.
#pragma once

#include <memory>

class QApplication;

namespace vemora {

class QtApplication {
 public:
  // Names the application for the desktop (menu entry, icon, version).
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
