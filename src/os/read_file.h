// Reading a whole file that someone else may have swapped for a pipe, a
// device or a link while we look.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vemora {

// The content of the regular file at `path` (links followed) when it holds
// at most `maxBytes`. The file is opened once, without blocking, and its
// type and size are checked on the open descriptor, which alone is read: a
// FIFO, device, directory or socket, a larger file, or one that cannot be
// opened or read gives nullopt, never a wait. A file that grows while it is
// read is refused too.
std::optional<std::string> ReadRegularFile(const std::string& path, std::uint64_t maxBytes);

}  // namespace vemora
