#include "rle8_encoder.h"

#include <algorithm>
#include <stdexcept>

namespace vemora::clipgen {
namespace {

constexpr std::size_t kMaxRun = 255;

// Length of the run of equal indices that starts at `at`, at most kMaxRun.
std::size_t RunAt(std::span<const std::uint8_t> row, std::size_t at) {
  std::size_t run = 1;
  while (at + run < row.size() && run < kMaxRun && row[at + run] == row[at]) ++run;
  return run;
}

void EncodeRow(std::span<const std::uint8_t> row, Bytes& out) {
  std::size_t at = 0;
  while (at < row.size()) {
    const std::size_t run = RunAt(row, at);
    if (run >= 2) {
      out.push_back(static_cast<std::uint8_t>(run));
      out.push_back(row[at]);
      at += run;
      continue;
    }
    // Gather differing indices until a run of three or more begins.
    std::size_t end = at + 1;
    while (end < row.size() && end - at < kMaxRun && RunAt(row, end) < 3) ++end;
    const std::size_t literal = end - at;
    if (literal >= 3) {  // absolute mode, padded to a 16-bit boundary
      out.push_back(0);
      out.push_back(static_cast<std::uint8_t>(literal));
      out.insert(out.end(), row.begin() + static_cast<std::ptrdiff_t>(at),
                 row.begin() + static_cast<std::ptrdiff_t>(end));
      if (literal % 2 != 0) out.push_back(0);
    } else {  // absolute mode starts at three; shorter stretches are runs of one
      for (std::size_t i = at; i < end; ++i) {
        out.push_back(1);
        out.push_back(row[i]);
      }
    }
    at = end;
  }
}

}  // namespace

Bytes EncodeRle8(std::span<const std::uint8_t> indices, int width, int height) {
  if (width < 1 || height < 1 ||
      indices.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    throw std::invalid_argument("RLE8: the indices do not match the size");
  }
  Bytes out;
  const std::size_t w = static_cast<std::size_t>(width);
  for (int y = height - 1; y >= 0; --y) {
    EncodeRow(indices.subspan(static_cast<std::size_t>(y) * w, w), out);
    out.push_back(0);  // end of line
    out.push_back(0);
  }
  out.push_back(0);  // end of bitmap
  out.push_back(1);
  return out;
}

}  // namespace vemora::clipgen
