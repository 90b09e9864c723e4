// Starting another program and looking up a file, for the platform services.
#pragma once

#include <string>

namespace vemora {

// Starts the program at `path` directly, never through a shell: the whole
// text is one file name, blanks, quotes, ';' and "$(...)" included. The
// program runs on its own (its own session on POSIX, a normal focused window
// on Windows); it is not waited for and leaves no zombie behind.
// False for a missing, non-executable or unstartable file.
// On POSIX a backslash is an ordinary character of a file name: the text is
// passed on as it is, never translated to '/'.
[[nodiscard]] bool StartProgram(const std::string& path);

// The name part (after the last separator) of `path` when it names an
// existing regular file, else the empty text; a directory gives "".
// Like StartProgram, POSIX takes a backslash as part of the name.
std::string FileLookup(const std::string& path);

}  // namespace vemora
