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
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace vemora::testing_support {
namespace {

// A temporary file, removed when it goes out of scope.
class TempFile {
 public:
  explicit TempFile(const std::string& content = {}) {
    char name[] = "/tmp/vemora-cli-test-XXXXXX";
    const int fd = ::mkstemp(name);
    if (fd < 0) throw std::runtime_error("mkstemp failed");
    ::close(fd);
    path_ = name;
    std::ofstream(path_, std::ios::binary) << content;
  }
  ~TempFile() { std::remove(path_.c_str()); }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  const std::string& Path() const { return path_; }
  std::string Content() const {
    std::ifstream in(path_, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

 private:
  std::string path_;
};

bool IsLocaleVariable(const char* entry) {
  return std::strncmp(entry, "LC_", 3) == 0 || std::strncmp(entry, "LANG=", 5) == 0 ||
         std::strncmp(entry, "LANGUAGE=", 9) == 0;
}

std::vector<std::string> ChildEnvironment(const std::string& locale) {
  std::vector<std::string> env;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    if (!IsLocaleVariable(*entry)) env.emplace_back(*entry);
  }
  env.push_back("LC_ALL=" + locale);
  return env;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

bool HasCommaSeparator(const std::string& name) {
  const locale_t locale = ::newlocale(LC_NUMERIC_MASK, name.c_str(), static_cast<locale_t>(0));
  if (locale == static_cast<locale_t>(0)) return false;
  const bool comma = std::strcmp(::nl_langinfo_l(RADIXCHAR, locale), ",") == 0;
  ::freelocale(locale);
  return comma;
}

std::vector<std::string> ListedLocales() {
  std::vector<std::string> names;
  FILE* list = ::popen("locale -a 2>/dev/null", "r");
  if (list == nullptr) return names;
  char line[256];
  while (std::fgets(line, sizeof line, list) != nullptr) {
    std::string name(line);
    while (!name.empty() && (name.back() == '\n' || name.back() == '\r')) name.pop_back();
    names.push_back(name);
  }
  ::pclose(list);
  return names;
}

}  // namespace

ChildResult RunChild(const std::string& program, const std::vector<std::string>& args,
                     const std::string& locale, const std::string& input) {
  TempFile in(input), out, err;
  posix_spawn_file_actions_t actions;
  ::posix_spawn_file_actions_init(&actions);
  ::posix_spawn_file_actions_addopen(&actions, 0, in.Path().c_str(), O_RDONLY, 0);
  ::posix_spawn_file_actions_addopen(&actions, 1, out.Path().c_str(), O_WRONLY | O_TRUNC, 0);
  ::posix_spawn_file_actions_addopen(&actions, 2, err.Path().c_str(), O_WRONLY | O_TRUNC, 0);

  std::vector<std::string> argv{program};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<std::string> env = ChildEnvironment(locale);
  std::vector<char*> argvPointers = Pointers(argv), envPointers = Pointers(env);

  pid_t pid = 0;
  const int spawned = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argvPointers.data(),
                                    envPointers.data());
  ::posix_spawn_file_actions_destroy(&actions);
  ChildResult result;
  if (spawned != 0) throw std::runtime_error("cannot start " + program);
  int wstatus = 0;
  while (::waitpid(pid, &wstatus, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(wstatus)) result.status = WEXITSTATUS(wstatus);
  result.out = out.Content();
  result.err = err.Content();
  return result;
}

std::string CommaLocale() {
  std::vector<std::string> candidates{"de_DE.UTF-8", "de_DE.utf8", "de_AT.UTF-8", "fr_FR.UTF-8"};
  const std::vector<std::string> listed = ListedLocales();
  candidates.insert(candidates.end(), listed.begin(), listed.end());
  for (const std::string& name : candidates) {
    if (HasCommaSeparator(name)) return name;
  }
  return {};
}

}  // namespace vemora::testing_support
