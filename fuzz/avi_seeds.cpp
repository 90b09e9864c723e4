// Writes the clip reader's seed clips into the folder named by the only
// argument: the small clips of the reader's tests, one of every kind the
// reader decodes, so the fuzzer starts from files that decode.
#include <cstdio>
#include <exception>
#include <string>

#include "clip/avi_test_files.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argc > 0 ? argv[0] : "vemora_avi_seeds");
    return 2;
  }
  using namespace vemora::avi_testing;
  const std::string folder = argv[1];
  try {
    WriteBytes(folder + "/rle8.avi", vemora::clipgen::WriteAvi(SmallRleVideo()));
    WriteBytes(folder + "/raw8_top_down.avi", vemora::clipgen::WriteAvi(GradientVideo(8, true)));
    WriteBytes(folder + "/raw24.avi", vemora::clipgen::WriteAvi(GradientVideo(24, false)));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}
