#pragma once
// Hints to the operating system about large blocks of memory.
#include <cstddef>

namespace tokiwa {

// Asks for the block to be backed by huge pages where the system allows it.
// A log of a million rows fills a few hundred MiB of fresh memory, and the
// kernel supplies plain pages one 4 KiB fault at a time; with huge pages a
// fault brings 2 MiB. Only the whole huge pages inside the block are
// affected; blocks smaller than a few huge pages are left alone. Never fails.
void AdviseHugePages(const void* data, std::size_t bytes);

}  // namespace tokiwa
