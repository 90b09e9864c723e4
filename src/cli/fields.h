// The nine inputs as the command line and the CSV columns name them. The two
// version buttons of the window become one switch, nw4 (off: NetWare 3.1x).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "calc/calc.h"

namespace vemora::cli {

enum class Field {
  kDisk,
  kMirror,
  kBlock,
  kClients,
  kFiles,
  kNw4,
  kCompression,
  kSuballocation,
  kOther
};

// Column order of the CSV output.
inline constexpr std::array<Field, 9> kAllFields = {
    Field::kDisk, Field::kMirror,      Field::kBlock,         Field::kClients, Field::kFiles,
    Field::kNw4,  Field::kCompression, Field::kSuballocation, Field::kOther,
};

std::string_view FieldName(Field field);
std::optional<Field> FieldByName(std::string_view name);
bool IsSwitch(Field field);

// Texts go into the inputs unchanged, so they are read exactly as the window reads them.
void SetText(CalcInputs& inputs, Field field, std::string text);
const std::string& TextOf(const CalcInputs& inputs, Field field);

void SetSwitch(CalcInputs& inputs, Field field, bool on);
bool SwitchOn(const CalcInputs& inputs, Field field);

// The window offers compression only for NetWare 4.x.
bool CompressionAllowed(const CalcInputs& inputs);

}  // namespace vemora::cli
