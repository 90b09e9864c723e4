#include "os/standard_stream.h"

#ifdef _WIN32
#include <windows.h>

#include "os/wide_text.h"
#else
#include <iconv.h>
#include <langinfo.h>
#include <locale.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <memory>
#include <string>
#endif

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string_view>
#include <utility>

namespace vemora {

namespace {

// The bytes of an unfinished UTF-8 character at the end of `text`, held
// back until the rest comes, so that a character the stream's buffer split
// is converted whole.
std::size_t UnfinishedTail(std::string_view text) {
  for (std::size_t back = 1; back <= std::min<std::size_t>(3, text.size()); ++back) {
    const auto byte = static_cast<unsigned char>(text[text.size() - back]);
    if ((byte & 0xC0) == 0x80) continue;
    const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    return length > back ? back : 0;
  }
  return 0;
}

// Writes through `write`, in pieces as large as its buffer, and on each
// flush.
class TextBuffer final : public std::streambuf {
 public:
  using Writer = std::function<bool(std::string_view text)>;
  TextBuffer(Writer write, bool wholeCharacters)
      : write_(std::move(write)), wholeCharacters_(wholeCharacters) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
  }
  ~TextBuffer() override { Drain(0); }
  TextBuffer(const TextBuffer&) = delete;
  TextBuffer& operator=(const TextBuffer&) = delete;

 protected:
  int_type overflow(int_type c) override {
    if (!Drain(Held())) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }
  int sync() override { return Drain(Held()) ? 0 : -1; }

 private:
  std::size_t Held() const {
    return wholeCharacters_ ? UnfinishedTail({pbase(), static_cast<std::size_t>(pptr() - pbase())})
                            : 0;
  }
  // Writes the buffer but its last `keep` bytes, which move to its start.
  bool Drain(std::size_t keep) {
    const std::size_t size = static_cast<std::size_t>(pptr() - pbase());
    const bool written = size == keep || write_({pbase(), size - keep});
    std::memmove(buffer_.data(), pbase() + size - keep, keep);
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    pbump(static_cast<int>(keep));
    return written;
  }

  Writer write_;
  const bool wholeCharacters_;
  std::array<char, 8192> buffer_{};
};

// Through the C library, which keeps the line ends as they have always been
// written (CR LF in a Windows file).
TextBuffer::Writer BytesTo(std::FILE* file) {
  return [file](std::string_view text) {
    return std::fwrite(text.data(), 1, text.size(), file) == text.size() && std::fflush(file) == 0;
  };
}

#ifndef _WIN32
// The character set of the user's locale when `fd` is a terminal and that
// set is not UTF-8; empty otherwise. ASCII (the C locale) counts as UTF-8:
// a terminal under it is nearly always a UTF-8 one.
std::string TerminalCharset(int fd) {
  if (::isatty(fd) == 0) return {};
  const locale_t user = ::newlocale(LC_CTYPE_MASK, "", locale_t{});
  if (user == locale_t{}) return {};
  std::string charset = ::nl_langinfo_l(CODESET, user);
  ::freelocale(user);
  return charset == "UTF-8" || charset == "ANSI_X3.4-1968" ? std::string() : charset;
}

// Converted, so that a terminal in a Latin-1 locale shows "Ü" rather than
// two characters, the second of which (0x9c) it would take for a C1
// control. What the set cannot hold becomes "?".
TextBuffer::Writer ConvertedTo(std::FILE* file, const std::string& charset) {
  const iconv_t converter = ::iconv_open((charset + "//TRANSLIT").c_str(), "UTF-8");
  if (reinterpret_cast<std::intptr_t>(converter) == -1) return BytesTo(file);  // iconv's failure
  const std::shared_ptr<void> owner(converter, [](void* c) { ::iconv_close(c); });
  return [owner, bytes = BytesTo(file)](std::string_view text) {
    std::string out;
    char* in = const_cast<char*>(text.data());
    std::size_t left = text.size();
    while (left > 0) {
      std::array<char, 1024> chunk{};
      char* at = chunk.data();
      std::size_t room = chunk.size();
      const std::size_t done = ::iconv(owner.get(), &in, &left, &at, &room);
      out.append(chunk.data(), at);
      if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
        out += '?';  // a byte that is no part of a character
        ++in;
        --left;
      }
    }
    return bytes(out);
  };
}
#else
TextBuffer::Writer WideTo(HANDLE console) {
  return [console](std::string_view text) {
    const std::wstring wide = WideFromUtf8(text);
    for (std::size_t done = 0; done < wide.size();) {
      DWORD written = 0;
      // At most the buffer's 8 KiB at once, well below what a console takes.
      const auto want = static_cast<DWORD>(wide.size() - done);
      if (!::WriteConsoleW(console, wide.data() + done, want, &written, nullptr) || written == 0) {
        return false;
      }
      done += written;
    }
    return true;
  };
}
#endif

}  // namespace

std::unique_ptr<std::streambuf> StandardStreamBuffer(StandardStream stream) {
  const bool output = stream == StandardStream::kOutput;
#ifdef _WIN32
  HANDLE handle = ::GetStdHandle(output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
  DWORD mode = 0;
  if (handle != nullptr && handle != INVALID_HANDLE_VALUE && ::GetConsoleMode(handle, &mode)) {
    return std::make_unique<TextBuffer>(WideTo(handle), true);
  }
#else
  const std::string charset = TerminalCharset(output ? STDOUT_FILENO : STDERR_FILENO);
  if (!charset.empty()) {
    return std::make_unique<TextBuffer>(ConvertedTo(output ? stdout : stderr, charset), true);
  }
#endif
  return std::make_unique<TextBuffer>(BytesTo(output ? stdout : stderr), false);
}

}  // namespace vemora
