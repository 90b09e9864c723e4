#include "os/single_instance.h"

#ifdef _WIN32
#include <windows.h>

#include "os/wide_text.h"
#else
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#endif

namespace vemora {

SingleInstance::SingleInstance() : SingleInstance(DefaultLockPaths()) {}

SingleInstance::SingleInstance(const std::string& lock)
    : SingleInstance(std::vector<std::string>{lock}) {}

SingleInstance::SingleInstance(const std::vector<std::string>& locks) {
  for (const std::string& lock : locks) {
    if (!prev_) Acquire(lock);
  }
}

#ifdef _WIN32

std::vector<std::string> DefaultLockPaths() {
  return {"Local\\Vemora-SingleInstance"};
}

void SingleInstance::Acquire(const std::string& lock) {
  // An empty name would make an unnamed mutex that guards nothing, and a
  // zero would cut the name short: neither is the lock the caller chose.
  if (lock.empty() || lock.find('\0') != std::string::npos) return;
  HANDLE mutex = ::CreateMutexW(nullptr, FALSE, WideFromUtf8(lock).c_str());
  if (mutex == nullptr) {
    // Refused access: the mutex exists, made by a copy that runs elevated.
    // Any other failure leaves the lock unusable, and the program unguarded.
    prev_ = ::GetLastError() == ERROR_ACCESS_DENIED;
    return;
  }
  if (::GetLastError() == ERROR_ALREADY_EXISTS) {
    prev_ = true;
    ::CloseHandle(mutex);
    return;
  }
  handle_ = mutex;
}

SingleInstance::~SingleInstance() {
  if (handle_ != kNone) ::CloseHandle(handle_);
}

#else

namespace {

// A directory is trusted only when it is ours and no one else may place
// files in it.
bool TrustedDirectory(const std::string& dir) {
  if (dir.empty() || dir[0] != '/') return false;
  struct stat info {};
  return ::stat(dir.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() &&
         (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

std::string WithSlash(std::string dir) {
  if (dir.back() != '/') dir += '/';
  return dir;
}

// Creates the missing folders of `dir`, each 0700 as the state folders
// should be.
void MakeDirectories(const std::string& dir) {
  for (std::size_t end = dir.find('/', 1);; end = dir.find('/', end + 1)) {
    ::mkdir(dir.substr(0, end).c_str(), 0700);
    if (end == std::string::npos) return;
  }
}

}  // namespace

std::vector<std::string> LockPaths(const std::string& home, const char* runtimeDir) {
  std::vector<std::string> paths;
  if (!home.empty() && home[0] == '/') {
    const std::string state = WithSlash(home) + ".local/state/vemora";
    MakeDirectories(state);
    if (TrustedDirectory(state)) paths.push_back(state + "/vemora.lock");
  }
  if (runtimeDir != nullptr && TrustedDirectory(runtimeDir)) {
    // Not the same file twice: its second lock would fail against the first.
    const std::string lock = WithSlash(runtimeDir) + "vemora.lock";
    if (paths.empty() || paths.front() != lock) paths.push_back(lock);
  }
  return paths;
}

std::vector<std::string> DefaultLockPaths() {
  const passwd* user = ::getpwuid(::geteuid());
  return LockPaths(user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "",
                   std::getenv("XDG_RUNTIME_DIR"));
}

void SingleInstance::Acquire(const std::string& lock) {
  if (lock.empty() || lock.find('\0') != std::string::npos) return;
  // Never follow a link, never block on a planted FIFO, never hand the
  // descriptor (and with it the lock) to a program we start.
  const int fd = ::open(lock.c_str(),
                        O_RDONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0600);
  if (fd < 0) return;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid() ||
      info.st_nlink != 1) {
    ::close(fd);
    return;
  }
  int result = 0;
  while ((result = ::flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
  }
  if (result == 0) {
    held_.push_back(fd);  // the file itself stays: removing it would race a newcomer
    return;
  }
  prev_ = errno == EWOULDBLOCK;
  ::close(fd);
  if (prev_) Release();  // a second copy holds none
}

void SingleInstance::Release() {
  for (const int fd : held_) ::close(fd);
  held_.clear();
}

SingleInstance::~SingleInstance() {
  Release();
}

#endif

}  // namespace vemora
