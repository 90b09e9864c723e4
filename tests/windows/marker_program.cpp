// A program for the start tests. It takes no arguments: everything it does
// follows from its own path P. It writes P.started with how it was started
// (the show flags of its start-up info and its command line). A copy whose
// name begins with "wait" then runs until P.release appears (at most about
// 20 seconds) and leaves P.ended.
#include <windows.h>

#include <fstream>
#include <string>

namespace {

std::string OwnPath() {
  char path[MAX_PATH + 1] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(path, length);
}

bool Exists(const std::string& path) {
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Written under another name first, so a reader never sees half of it.
void WriteMarker(const std::string& path, const std::string& text) {
  std::ofstream(path + ".tmp", std::ios::binary) << text;
  ::MoveFileA((path + ".tmp").c_str(), path.c_str());
}

}  // namespace

int main() {
  const std::string self = OwnPath();
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  ::GetStartupInfoA(&startup);
  const bool showFlag = (startup.dwFlags & STARTF_USESHOWWINDOW) != 0;
  WriteMarker(self + ".started", "show=" + std::to_string(showFlag ? startup.wShowWindow : -1) +
                                     "\ncommand=" + ::GetCommandLineA() + "\n");
  const std::string name = self.substr(self.find_last_of("\\/") + 1);
  if (name.rfind("wait", 0) != 0) return 0;
  for (int i = 0; i < 400 && !Exists(self + ".release"); ++i) ::Sleep(50);
  WriteMarker(self + ".ended", "");
  return 0;
}
