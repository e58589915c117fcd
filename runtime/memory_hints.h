#pragma once
// Hints to the operating system about large blocks of memory.
#include <cstddef>
#include <vector>

namespace tokiwa {

// Asks for the block to be backed by huge pages where the system allows it.
// A log of a million rows fills a few hundred MiB of fresh memory, and the
// kernel supplies plain pages one 4 KiB fault at a time; with huge pages a
// fault brings 2 MiB. Only the whole huge pages inside the block are
// affected; blocks smaller than a few huge pages are left alone. Never fails.
void AdviseHugePages(const void* data, std::size_t bytes);

// Empties list and gives it room for count items in memory advised as above:
// the advice must come before the first write, which is what faults pages in.
template <typename T>
void ReserveAdvised(std::vector<T>& list, std::size_t count) {
  list.clear();
  list.reserve(count);
  AdviseHugePages(list.data(), list.capacity() * sizeof(T));
}

// Fills list with count copies of value in advised memory.
template <typename T>
void AssignAdvised(std::vector<T>& list, std::size_t count, const T& value) {
  ReserveAdvised(list, count);
  list.assign(count, value);
}

}  // namespace tokiwa
