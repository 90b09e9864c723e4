// Whether another copy of the program runs. The guard takes a per-user lock
// and holds it for its own life; the OS drops the lock when the process dies,
// so a crash leaves nothing stale behind.
#pragma once

#include <string>

namespace vemora {

class SingleInstance {
 public:
  // The program's own lock: $XDG_RUNTIME_DIR/vemora.lock when that is a
  // directory of ours that no one else can write, else /tmp/vemora-<uid>.lock.
  // On Windows the mutex "Local\Vemora-SingleInstance".
  SingleInstance();
  // A lock of the caller's choosing: a file path on POSIX, a mutex name on
  // Windows. Tests use their own.
  explicit SingleInstance(const std::string& lock);
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // True when another live process holds the lock.
  bool PrevInstance() const { return prev_; }
  // True when this object holds the lock. False both for a second copy and
  // for a lock that could not be trusted: a lock path that is a link, not a
  // regular file or not ours is neither followed nor believed, and the
  // program then runs unguarded (PrevInstance is false). Running a second
  // copy is harmless; refusing to start would let whoever planted the lock
  // keep the user from starting the program at all.
  bool Guarded() const { return handle_ != kNone; }

 private:
  void Acquire(const std::string& lock);

#ifdef _WIN32
  static constexpr void* kNone = nullptr;
  void* handle_ = kNone;
#else
  static constexpr int kNone = -1;
  int handle_ = kNone;
#endif
  bool prev_ = false;
};

// The lock path the default guard uses, from the current environment:
// vemora.lock in $XDG_RUNTIME_DIR when that is a directory of ours that no
// one else can write, else in $XDG_STATE_HOME/vemora (by default
// ~/.local/state/vemora), which is created 0700 when missing and trusted on
// the same terms. Only the user can create anything there, so no one else
// decides whether the guard works. Empty (the program runs unguarded) when
// neither directory can be had.
std::string DefaultLockPath();

}  // namespace vemora
