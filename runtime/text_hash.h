#pragma once
// The hash for maps keyed by std::string that are searched with a
// string_view, so a lookup costs no copy of the text.
#include <cstddef>
#include <functional>
#include <string_view>

namespace tokiwa {

struct TextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

}  // namespace tokiwa
