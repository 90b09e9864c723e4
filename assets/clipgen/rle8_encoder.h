// BI_RLE8 encoder: encoded runs for repeated indices, absolute mode for
// stretches of three or more differing ones, an end of line after every
// row and an end of bitmap at the end.
#pragma once

#include <cstdint>
#include <span>

#include "riff_writer.h"

namespace vemora::clipgen {

// indices: width * height palette indices, rows top-down. The result
// stores the rows bottom-up, as a BI_RLE8 bitmap does.
Bytes EncodeRle8(std::span<const std::uint8_t> indices, int width, int height);

}  // namespace vemora::clipgen
