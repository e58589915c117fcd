#pragma once
// The texts of a series' point labels, each distinct text stored once. A
// launch log has a handful of programs but hundreds of thousands of runs, so
// the points hold 32-bit ids into this pool instead of their own copies.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "runtime/text_hash.h"

namespace tokiwa {

class TLabelPool {
 public:
  // Id 0 stands for "no label" and is never counted.
  static constexpr std::uint32_t kNone = 0;

  TLabelPool() = default;
  // Entries point at the keys of the index: a copy would point into the
  // original. Moves keep the nodes, and with them the pointers.
  TLabelPool(const TLabelPool&) = delete;
  TLabelPool& operator=(const TLabelPool&) = delete;
  TLabelPool(TLabelPool&&) = default;
  TLabelPool& operator=(TLabelPool&&) = default;

  // The id of text, counting users more users (at least one); the empty
  // text is kNone.
  std::uint32_t Acquire(std::string_view text, std::uint32_t users = 1);
  // Counts users users less; the text is forgotten with its last user.
  void Release(std::uint32_t id, std::uint32_t users = 1);
  // The text of an id in use; empty for kNone.
  const std::string& Text(std::uint32_t id) const;
  // Forgets every text (when the series drops all its points).
  void Clear();
  // Distinct texts held.
  std::size_t Size() const { return index_.size(); }

 private:
  using Index = std::unordered_map<std::string, std::uint32_t, TextHash, std::equal_to<>>;
  struct Entry {
    const std::string* text = nullptr;  // the key in index_ (node keys do not move)
    std::uint32_t users = 0;
  };

  // Ids last acquired, by the address of the text they were acquired for.
  static constexpr std::size_t kRecent = 64;
  struct Recent {
    const char* data = nullptr;
    std::uint32_t id = kNone;
  };

  Index index_;
  std::array<Recent, kRecent> recent_{};
  std::vector<Entry> entries_;          // by id - 1
  std::vector<std::uint32_t> freeIds_;  // ids whose text was forgotten
};

}  // namespace tokiwa
