#include "os/process.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <thread>

extern char** environ;
#endif

namespace vemora {

namespace {

// A file name never holds a zero; the OS would silently cut the text there.
bool Unusable(const std::string& path) {
  return path.empty() || path.find('\0') != std::string::npos;
}

}  // namespace

#ifdef _WIN32

// The ANSI calls, not the wide ones, on purpose. The paths come from the
// registry, read through its ANSI calls as the classic launcher read them,
// so they are text in the ANSI code page, not UTF-8: the ANSI calls take
// them back exactly as they were written, where a conversion from UTF-8 for
// the wide calls would garble every character beyond ASCII. A name that
// FileLookup gives back is in that code page too.

bool StartProgram(const std::string& path) {
  if (Unusable(path)) return false;
  std::string commandLine = "\"" + path + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION started{};
  if (!::CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &started)) {
    return false;
  }
  ::CloseHandle(started.hThread);
  ::CloseHandle(started.hProcess);
  return true;
}

std::string FileLookup(const std::string& path) {
  if (Unusable(path)) return {};
  WIN32_FIND_DATAA found{};
  HANDLE search = ::FindFirstFileA(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return {};
  constexpr DWORD kNotOrdinary = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN |
                                 FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE;
  std::string name;
  do {
    if ((found.dwFileAttributes & kNotOrdinary) == 0) {
      name = found.cFileName;
      break;
    }
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
  return name;
}

#else

namespace {

class SpawnSettings {
 public:
  SpawnSettings() {
    ::posix_spawnattr_init(&attr_);
    ::posix_spawn_file_actions_init(&actions_);
    // A fresh session: the program outlives us and ignores our terminal's
    // signals. Signal mask and dispositions start from the defaults.
    short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
#ifdef POSIX_SPAWN_SETSID
    flags |= POSIX_SPAWN_SETSID;
#endif
    ::posix_spawnattr_setflags(&attr_, flags);
    sigset_t signals;
    sigemptyset(&signals);
    ::posix_spawnattr_setsigmask(&attr_, &signals);
    sigfillset(&signals);
    ::posix_spawnattr_setsigdefault(&attr_, &signals);
    // No input from us, and none of our descriptors (a held lock, above
    // all) beyond the standard output and error.
    ::posix_spawn_file_actions_addopen(&actions_, 0, "/dev/null", O_RDONLY, 0);
#if defined(__GLIBC__) && (__GLIBC__ > 2 || __GLIBC_MINOR__ >= 34)
    ::posix_spawn_file_actions_addclosefrom_np(&actions_, 3);
#endif
  }
  ~SpawnSettings() {
    ::posix_spawn_file_actions_destroy(&actions_);
    ::posix_spawnattr_destroy(&attr_);
  }
  SpawnSettings(const SpawnSettings&) = delete;
  SpawnSettings& operator=(const SpawnSettings&) = delete;

  const posix_spawnattr_t* Attr() const {
    return &attr_;
  }
  const posix_spawn_file_actions_t* Actions() const {
    return &actions_;
  }

 private:
  posix_spawnattr_t attr_;
  posix_spawn_file_actions_t actions_;
};

// The started program stays our child until it ends. One small thread per
// start waits for exactly that process, so it never becomes a zombie and no
// other child of the program is reaped by mistake.
void ReapWhenDone(pid_t pid) {
  try {
    std::thread([pid] {
      while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
      }
    }).detach();
  } catch (const std::system_error&) {
    // No thread to be had: the program runs anyway, and its exit status
    // waits in the process table until we end.
  }
}

}  // namespace

bool StartProgram(const std::string& path) {
  if (Unusable(path)) return false;
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
      ::access(path.c_str(), X_OK) != 0) {
    return false;
  }
  const SpawnSettings settings;
  char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
  pid_t pid = 0;
  // glibc reports a failed exec as posix_spawn's result (it waits for the
  // child's exec through a close-on-exec channel and reaps a failed child).
  if (::posix_spawn(&pid, path.c_str(), settings.Actions(), settings.Attr(), argv, environ) != 0) {
    return false;
  }
  ReapWhenDone(pid);
  return true;
}

std::string FileLookup(const std::string& path) {
  if (Unusable(path)) return {};
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return {};
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

#endif

}  // namespace vemora
