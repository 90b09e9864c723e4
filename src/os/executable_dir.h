// The folder of the running program, where its clip lies beside it.
#pragma once

#include <string>

namespace vemora {

// The directory of the running executable with links resolved, without a
// trailing separator; empty when the OS cannot tell.
std::string ExecutableDirectory();

}  // namespace vemora
