// Fonts shared by every control that asks for the same one and deleted when
// the last one lets go: a form of twenty controls needs three, and each font
// costs the system a search through the installed ones.
#pragma once

#include <windows.h>

#include <vector>

namespace vemora {

class FontCache {
 public:
  FontCache() = default;
  ~FontCache();
  FontCache(const FontCache&) = delete;
  FontCache& operator=(const FontCache&) = delete;

  HFONT Acquire(const LOGFONTW& font);
  void Release(HFONT font);

 private:
  struct Entry {
    LOGFONTW font;
    HFONT handle;
    int users;
  };
  std::vector<Entry> entries_;
};

}  // namespace vemora
