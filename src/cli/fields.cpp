#include "cli/fields.h"

#include <cstdint>

namespace vemora::cli {
namespace {

struct FieldEntry {
  Field field;
  std::string_view name;
  std::string CalcInputs::*text;       // null for a switch
  std::int16_t CalcInputs::*checkBox;  // null for a text and for nw4
};

constexpr FieldEntry kEntries[] = {
    {Field::kDisk, "disk", &CalcInputs::Text_V1, nullptr},
    {Field::kMirror, "mirror", nullptr, &CalcInputs::Check_V2},
    {Field::kBlock, "block", &CalcInputs::Combo_V3, nullptr},
    {Field::kClients, "clients", &CalcInputs::Text_V6, nullptr},
    {Field::kFiles, "files", &CalcInputs::Text_V7, nullptr},
    {Field::kNw4, "nw4", nullptr, nullptr},
    {Field::kCompression, "compression", nullptr, &CalcInputs::Check_L3},
    {Field::kSuballocation, "suballocation", nullptr, &CalcInputs::Check_L4},
    {Field::kOther, "other", &CalcInputs::Text_L8, nullptr},
};

const FieldEntry& EntryOf(Field field) {
  return kEntries[static_cast<std::size_t>(field)];
}

}  // namespace

std::string_view FieldName(Field field) {
  return EntryOf(field).name;
}

std::optional<Field> FieldByName(std::string_view name) {
  for (const FieldEntry& entry : kEntries) {
    if (entry.name == name) return entry.field;
  }
  return std::nullopt;
}

bool IsSwitch(Field field) {
  return EntryOf(field).text == nullptr;
}

void SetText(CalcInputs& inputs, Field field, std::string text) {
  inputs.*EntryOf(field).text = std::move(text);
}

const std::string& TextOf(const CalcInputs& inputs, Field field) {
  return inputs.*EntryOf(field).text;
}

void SetSwitch(CalcInputs& inputs, Field field, bool on) {
  if (field == Field::kNw4) {
    // Option buttons: exactly one of the two is selected.
    inputs.Option_NW4 = on ? kSelected : 0;
    inputs.Option_NW3 = on ? 0 : kSelected;
    return;
  }
  inputs.*EntryOf(field).checkBox = on ? kTicked : 0;
}

bool SwitchOn(const CalcInputs& inputs, Field field) {
  if (field == Field::kNw4) return inputs.Option_NW4 == kSelected;
  return inputs.*EntryOf(field).checkBox == kTicked;
}

bool CompressionAllowed(const CalcInputs& inputs) {
  return !SwitchOn(inputs, Field::kCompression) || SwitchOn(inputs, Field::kNw4);
}

}  // namespace vemora::cli
