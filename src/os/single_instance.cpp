#include "os/single_instance.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#endif

namespace vemora {

SingleInstance::SingleInstance() : SingleInstance(DefaultLockPath()) {}

SingleInstance::SingleInstance(const std::string& lock) {
  Acquire(lock);
}

#ifdef _WIN32

std::string DefaultLockPath() {
  return "Local\\Vemora-SingleInstance";
}

void SingleInstance::Acquire(const std::string& lock) {
  // An empty name would make an unnamed mutex that guards nothing, and a
  // zero would cut the name short: neither is the lock the caller chose.
  if (lock.empty() || lock.find('\0') != std::string::npos) return;
  const int length = static_cast<int>(lock.size());
  std::wstring name(
      static_cast<std::size_t>(::MultiByteToWideChar(CP_UTF8, 0, lock.data(), length, nullptr, 0)),
      L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, lock.data(), length, name.data(),
                        static_cast<int>(name.size()));
  HANDLE mutex = ::CreateMutexW(nullptr, FALSE, name.c_str());
  if (mutex == nullptr) return;  // not ours to use: run unguarded
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

// A runtime directory is trusted only when it is ours and no one else may
// place files in it.
bool TrustedDirectory(const char* dir) {
  if (dir == nullptr || dir[0] != '/') return false;
  struct stat info {};
  return ::stat(dir, &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() &&
         (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace

std::string DefaultLockPath() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (TrustedDirectory(runtime)) {
    std::string path = runtime;
    if (path.back() != '/') path += '/';
    return path + "vemora.lock";
  }
  return "/tmp/vemora-" + std::to_string(::geteuid()) + ".lock";
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
    handle_ = fd;  // the file itself stays: removing it would race a newcomer
    return;
  }
  prev_ = errno == EWOULDBLOCK;
  ::close(fd);
}

SingleInstance::~SingleInstance() {
  if (handle_ != kNone) ::close(handle_);
}

#endif

}  // namespace vemora
