// A copy at path P writes P.started (show flag, command line), runs while
// P.hold exists (at most 20 s), writes P.ended.
#include <windows.h>

#include <fstream>
#include <string>

// Written under another name first, so a reader never sees half of it.
static void WriteMarker(const std::string& path, const std::string& text) {
  std::ofstream(path + ".tmp", std::ios::binary) << text;
  ::MoveFileA((path + ".tmp").c_str(), path.c_str());
}

int main() {
  char self[MAX_PATH + 1] = {};
  const std::string path(self, ::GetModuleFileNameA(nullptr, self, MAX_PATH));
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  ::GetStartupInfoA(&startup);
  const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : -1;
  WriteMarker(path + ".started",
              "show=" + std::to_string(show) + "\ncommand=" + ::GetCommandLineA() + "\n");
  const std::string hold = path + ".hold";
  for (int i = 0; i < 400 && ::GetFileAttributesA(hold.c_str()) != INVALID_FILE_ATTRIBUTES; ++i) {
    ::Sleep(50);
  }
  WriteMarker(path + ".ended", "");
}
