// Runs a program as a child process with a chosen locale and input, and
// collects what it writes and its exit status.
#pragma once

#include <string>
#include <vector>

namespace vemora::testing_support {

struct ChildResult {
  int status = -1;  // exit status, -1 if the child did not exit normally
  std::string out, err;
};

// The child gets this process's environment without LANG, LANGUAGE and LC_*,
// plus LC_ALL=locale.
ChildResult RunChild(const std::string& program, const std::vector<std::string>& args,
                     const std::string& locale, const std::string& input = {});

// An installed locale whose decimal separator is a comma, or "" if none is.
std::string CommaLocale();

}  // namespace vemora::testing_support
