#include "toolkit_win32/font_cache.h"

#include <cwchar>

namespace vemora {
namespace {

bool Same(const LOGFONTW& a, const LOGFONTW& b) {
  return a.lfHeight == b.lfHeight && a.lfWeight == b.lfWeight && a.lfItalic == b.lfItalic &&
         std::wcscmp(a.lfFaceName, b.lfFaceName) == 0;
}

}  // namespace

FontCache::~FontCache() {
  for (const Entry& entry : entries_) DeleteObject(entry.handle);
}

HFONT FontCache::Acquire(const LOGFONTW& font) {
  for (Entry& entry : entries_)
    if (Same(entry.font, font)) {
      ++entry.users;
      return entry.handle;
    }
  entries_.push_back({font, CreateFontIndirectW(&font), 1});
  return entries_.back().handle;
}

void FontCache::Release(HFONT font) {
  for (auto it = entries_.begin(); it != entries_.end(); ++it)
    if (it->handle == font && --it->users == 0) {
      DeleteObject(it->handle);
      entries_.erase(it);
      return;
    }
}

}  // namespace vemora
