// Writes the clip reader's seed clips into the folder named by the only
// argument: the small clips of the reader's tests, one of every kind the
// reader decodes, so the fuzzer starts from files that decode. A failure
// ends it through the uncaught exception, with its text.
#include <string>

#include "clip/avi_test_files.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  using namespace vemora::avi_testing;
  const std::string folder = argv[1];
  WriteBytes(folder + "/rle8.avi", vemora::clipgen::WriteAvi(SmallRleVideo()));
  WriteBytes(folder + "/raw8_top_down.avi", vemora::clipgen::WriteAvi(GradientVideo(8, true)));
  WriteBytes(folder + "/raw24.avi", vemora::clipgen::WriteAvi(GradientVideo(24, false)));
}
