#include "child_process.h"

#include <fcntl.h>
#include <langinfo.h>
#include <locale.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

extern char** environ;

namespace vemora::testing_support {
namespace {

// A temporary file holding `content`, removed when it goes out of scope.
struct TempFile {
  explicit TempFile(const std::string& content = {}) {
    const int fd = ::mkstemp(path.data());
    if (fd < 0) throw std::runtime_error("mkstemp failed");
    ::close(fd);
    std::ofstream(path, std::ios::binary) << content;
  }
  ~TempFile() { std::remove(path.c_str()); }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  std::string Content() const {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  std::string path = "/tmp/vemora-cli-test-XXXXXX";
};

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace

ChildResult RunChild(const std::string& program, const std::vector<std::string>& args,
                     const std::string& locale, const std::string& input) {
  TempFile in(input), out, err;
  posix_spawn_file_actions_t actions;
  ::posix_spawn_file_actions_init(&actions);
  ::posix_spawn_file_actions_addopen(&actions, 0, in.path.c_str(), O_RDONLY, 0);
  ::posix_spawn_file_actions_addopen(&actions, 1, out.path.c_str(), O_WRONLY | O_TRUNC, 0);
  ::posix_spawn_file_actions_addopen(&actions, 2, err.path.c_str(), O_WRONLY | O_TRUNC, 0);

  std::vector<std::string> argv{program}, env;
  argv.insert(argv.end(), args.begin(), args.end());
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    if (!text.starts_with("LC_") && !text.starts_with("LANG=") && !text.starts_with("LANGUAGE=")) {
      env.push_back(text);
    }
  }
  env.push_back("LC_ALL=" + locale);
  std::vector<char*> argvPointers = Pointers(argv), envPointers = Pointers(env);

  pid_t pid = 0;
  const int spawned = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argvPointers.data(),
                                    envPointers.data());
  ::posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) throw std::runtime_error("cannot start " + program);
  int wstatus = 0;
  while (::waitpid(pid, &wstatus, 0) < 0 && errno == EINTR) {
  }
  ChildResult result;
  if (WIFEXITED(wstatus)) result.status = WEXITSTATUS(wstatus);
  result.out = out.Content();
  result.err = err.Content();
  return result;
}

std::string CommaLocale() {
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_AT.UTF-8", "fr_FR.UTF-8"}) {
    const locale_t locale = ::newlocale(LC_NUMERIC_MASK, name, static_cast<locale_t>(0));
    if (locale == static_cast<locale_t>(0)) continue;
    const bool comma = std::strcmp(::nl_langinfo_l(RADIXCHAR, locale), ",") == 0;
    ::freelocale(locale);
    if (comma) return name;
  }
  return {};
}

}  // namespace vemora::testing_support
