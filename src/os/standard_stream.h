// Standard output and error of a command-line program: UTF-8 inside,
// written as the other end reads it.
#pragma once

#include <memory>
#include <streambuf>

namespace vemora {

enum class StandardStream { kOutput, kError };

// A buffer over standard output or error that takes UTF-8 text. A Windows
// console gets it as wide text: through the console's code page every
// umlaut would come out garbled. A POSIX terminal whose locale names
// another character set (Latin-1, say) gets it in that set. A file or pipe
// gets the bytes unchanged. A write that fails makes the stream's flush
// fail.
std::unique_ptr<std::streambuf> StandardStreamBuffer(StandardStream stream);

}  // namespace vemora
