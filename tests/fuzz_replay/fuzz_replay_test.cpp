#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "support/row_name.h"

namespace vemora::fuzzing {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = VEMORA_FUZZ_CORPUS_DIR;

struct InputRow {
  std::string name;
  std::string target;
  fs::path file;
};

// Test names allow only letters, digits and underscores.
std::string RowNameOf(const std::string& target, const std::string& file) {
  std::string name = target + "_" + file;
  std::replace_if(
      name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); },
      '_');
  return name;
}

std::vector<InputRow> CorpusInputs() {
  std::vector<InputRow> rows;
  std::error_code error;
  for (const auto& folder : fs::directory_iterator(kCorpus, error)) {
    if (!folder.is_directory()) continue;
    const std::string target = folder.path().filename().string();
    for (const auto& file : fs::directory_iterator(folder.path())) {
      if (!file.is_regular_file()) continue;
      const std::string name = file.path().filename().string();
      rows.push_back({RowNameOf(target, name), target, file.path()});
    }
  }
  std::sort(rows.begin(), rows.end(),
            [](const InputRow& a, const InputRow& b) { return a.name < b.name; });
  return rows;
}

std::vector<std::uint8_t> ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CorpusReplay : public ::testing::TestWithParam<InputRow> {};

TEST_P(CorpusReplay, PassesItsTargetsCheck) {
  const InputRow& row = GetParam();
  const FuzzTarget* target = FindFuzzTarget(row.target);
  ASSERT_NE(target, nullptr) << "corpus folder of no fuzz target: " << row.target;
  const std::vector<std::uint8_t> bytes = ReadBytes(row.file);
  try {
    target->check(bytes);
  } catch (const CheckFailure& failure) {
    FAIL() << row.file << ": " << failure.what();
  }
}

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusReplay, ::testing::ValuesIn(CorpusInputs()),
                         testing_support::RowName<InputRow>);

}  // namespace
}  // namespace vemora::fuzzing
