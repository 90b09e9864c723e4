#include "riff_writer.h"

#include <stdexcept>

namespace vemora::clipgen {
namespace {

Bytes Container(std::string_view id, std::string_view type, const std::vector<Bytes>& children) {
  Bytes body;
  PutFourCC(body, type);
  for (const Bytes& child : children) Append(body, child);
  return Chunk(id, body);
}

}  // namespace

void PutU16(Bytes& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutU32(Bytes& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutI32(Bytes& out, std::int32_t value) {
  PutU32(out, static_cast<std::uint32_t>(value));
}

void PutFourCC(Bytes& out, std::string_view fourcc) {
  if (fourcc.size() != 4) throw std::invalid_argument("a FOURCC has four characters");
  out.insert(out.end(), fourcc.begin(), fourcc.end());
}

void Append(Bytes& out, const Bytes& more) {
  out.insert(out.end(), more.begin(), more.end());
}

Bytes Chunk(std::string_view fourcc, const Bytes& data) {
  if (data.size() > 0xFFFFFFF0u) throw std::length_error("RIFF chunk too large");
  Bytes out;
  out.reserve(data.size() + 9);
  PutFourCC(out, fourcc);
  PutU32(out, static_cast<std::uint32_t>(data.size()));
  Append(out, data);
  if (data.size() % 2 != 0) out.push_back(0);
  return out;
}

Bytes List(std::string_view type, const std::vector<Bytes>& children) {
  return Container("LIST", type, children);
}

Bytes Riff(std::string_view type, const std::vector<Bytes>& children) {
  return Container("RIFF", type, children);
}

}  // namespace vemora::clipgen
