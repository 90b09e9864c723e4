#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
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

struct InputRow {
  std::string name;  // target_file, letters, digits and underscores only
  std::string target;
  fs::path file;
};

std::vector<InputRow> CorpusInputs() {
  std::vector<InputRow> rows;
  for (const auto& folder : fs::directory_iterator(VEMORA_FUZZ_CORPUS_DIR)) {
    for (const auto& file : fs::directory_iterator(folder.path())) {
      const std::string target = folder.path().filename().string();
      std::string name = target + "_" + file.path().filename().string();
      std::replace_if(
          name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
      rows.push_back({name, target, file.path()});
    }
  }
  std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  return rows;
}

class CorpusReplay : public ::testing::TestWithParam<InputRow> {};

TEST_P(CorpusReplay, PassesItsTargetsCheck) {
  const InputRow& row = GetParam();
  const FuzzTarget* target = FindFuzzTarget(row.target);
  ASSERT_NE(target, nullptr) << "corpus folder of no fuzz target: " << row.target;
  std::ifstream in(row.file, std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
  target->check(bytes);  // a broken rule throws, and the row fails with its text
}

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusReplay, ::testing::ValuesIn(CorpusInputs()),
                         testing_support::RowName<InputRow>);

}  // namespace
}  // namespace vemora::fuzzing
