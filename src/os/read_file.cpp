#include "os/read_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

#include <algorithm>

namespace vemora {

#ifdef _WIN32

namespace {

std::wstring Wide(const std::string& text) {
  const int length = static_cast<int>(text.size());
  std::wstring wide(
      static_cast<std::size_t>(::MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0)),
      L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), length, wide.data(),
                        static_cast<int>(wide.size()));
  return wide;
}

}  // namespace

std::optional<std::string> ReadRegularFile(const std::string& path, std::uint64_t maxBytes) {
  if (path.empty() || path.find('\0') != std::string::npos) return std::nullopt;
  // A pipe's name opens without waiting (a busy one fails); its type then
  // refuses it.
  HANDLE file = ::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::optional<std::string> content;
  LARGE_INTEGER size{};
  if (::GetFileType(file) == FILE_TYPE_DISK && ::GetFileSizeEx(file, &size) && size.QuadPart >= 0 &&
      static_cast<std::uint64_t>(size.QuadPart) <= maxBytes) {
    std::string bytes(static_cast<std::size_t>(size.QuadPart) + 1, '\0');
    std::size_t got = 0;
    DWORD read = 0;
    bool ok = true;
    while (got < bytes.size()) {
      const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - got, 1 << 20));
      if (!::ReadFile(file, bytes.data() + got, want, &read, nullptr)) ok = false;
      if (!ok || read == 0) break;
      got += read;
    }
    // One byte more than the size said: the file grew, so it is refused.
    if (ok && got <= maxBytes && got < bytes.size()) {
      bytes.resize(got);
      content = std::move(bytes);
    }
  }
  ::CloseHandle(file);
  return content;
}

#else

namespace {

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

std::optional<std::string> ReadRegularFile(const std::string& path, std::uint64_t maxBytes) {
  if (path.empty() || path.find('\0') != std::string::npos) return std::nullopt;
  // O_NONBLOCK: a FIFO opens at once instead of waiting for a writer, and is
  // then refused by its type below.
  const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (file.Get() < 0) return std::nullopt;
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0 ||
      static_cast<std::uint64_t>(info.st_size) > maxBytes) {
    return std::nullopt;
  }
  // Room for one byte more than the size said, to notice a file that grew.
  std::string bytes(static_cast<std::size_t>(info.st_size) + 1, '\0');
  std::size_t got = 0;
  while (got < bytes.size()) {
    const ssize_t read = ::read(file.Get(), bytes.data() + got, bytes.size() - got);
    if (read < 0 && errno == EINTR) continue;
    if (read < 0) return std::nullopt;
    if (read == 0) break;
    got += static_cast<std::size_t>(read);
  }
  if (got == bytes.size() || got > maxBytes) return std::nullopt;
  bytes.resize(got);
  return bytes;
}

#endif

}  // namespace vemora
