// Whether another copy of the program runs for this user. The guard takes
// per-user locks and holds them for its own life; the OS drops them when the
// process dies, so a crash leaves nothing stale behind.
#pragma once

#include <string>
#include <vector>

namespace vemora {

class SingleInstance {
 public:
  // The program's own locks (DefaultLockPaths).
  SingleInstance();
  // Locks of the caller's choosing, taken in order until one is held by
  // another process: file paths on POSIX; on Windows one mutex name. Tests
  // use their own.
  explicit SingleInstance(const std::vector<std::string>& locks);
  explicit SingleInstance(const std::string& lock);
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // True when another live process holds one of the locks.
  bool PrevInstance() const { return prev_; }
  // True when this object holds a lock. False both for a second copy and
  // when no lock could be had or trusted: a lock path that is a link, not a
  // regular file or not ours is neither followed nor believed, and the next
  // one is tried. With none left the program runs unguarded (PrevInstance
  // is false), and says so. Running a second copy is harmless; refusing to
  // start would let whoever planted a lock keep the user from starting the
  // program at all.
#ifdef _WIN32
  bool Guarded() const {
    return handle_ != kNone;
  }
#else
  bool Guarded() const {
    return !held_.empty();
  }
#endif

 private:
  void Acquire(const std::string& lock);

#ifdef _WIN32
  static constexpr void* kNone = nullptr;
  void* handle_ = kNone;
#else
  void Release();
  std::vector<int> held_;
#endif
  bool prev_ = false;
};

// The program's locks. On Windows the mutex "Local\Vemora-SingleInstance"
// of the session. On POSIX: LockPaths for the home folder of the user's
// passwd entry and $XDG_RUNTIME_DIR.
std::vector<std::string> DefaultLockPaths();

#ifndef _WIN32
// vemora.lock in `home`/.local/state/vemora (created 0700 when missing),
// always first: it is found the same way from every session of the user,
// whatever $HOME, $XDG_STATE_HOME or $XDG_RUNTIME_DIR say there, so a copy
// started after su or over ssh meets the desktop's copy. Then, as an
// addition, vemora.lock in `runtimeDir` (may be null): it still guards when
// the home cannot be used. A folder is used only when it is ours and no one
// else can write in it, so no one else decides whether the guard works; one
// that is not is left out.
std::vector<std::string> LockPaths(const std::string& home, const char* runtimeDir);
#endif

}  // namespace vemora
