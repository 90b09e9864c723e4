// UTF-8, Vemora's text, as the wide (W) functions of Windows take it.
#pragma once

#ifdef _WIN32
#include <string>
#include <string_view>

namespace vemora {

std::wstring WideFromUtf8(std::string_view text);

}  // namespace vemora
#endif
