// Building blocks of RIFF files: little-endian fields, chunks and lists.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace vemora::clipgen {

using Bytes = std::vector<std::uint8_t>;

void PutU16(Bytes& out, std::uint16_t value);
void PutU32(Bytes& out, std::uint32_t value);
void PutI32(Bytes& out, std::int32_t value);
// Exactly four characters.
void PutFourCC(Bytes& out, std::string_view fourcc);
void Append(Bytes& out, const Bytes& more);

// id, size, data and, for an odd size, one pad byte.
Bytes Chunk(std::string_view fourcc, const Bytes& data);
// "LIST" (or "RIFF"), size, type, then the children as they are.
Bytes List(std::string_view type, const std::vector<Bytes>& children);
Bytes Riff(std::string_view type, const std::vector<Bytes>& children);

}  // namespace vemora::clipgen
