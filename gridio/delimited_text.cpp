#include "gridio/delimited_text.h"

#include <algorithm>
#include <cstring>

namespace tokiwa {

// Position of the next c at or after pos_ (or the text's end), remembered so
// each byte is searched at most once per character kind.
std::size_t LineScanner::NextOf(char c, std::size_t& cache) {
  bool& known = c == '\r' ? crKnown_ : lfKnown_;
  if (!known || cache < pos_) {
    const void* hit = std::memchr(text_.data() + pos_, c, text_.size() - pos_);
    cache = hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text_.data()) : text_.size();
    known = true;
  }
  return cache;
}

bool LineScanner::Next(std::string_view& line) {
  if (pos_ >= text_.size()) return false;
  const std::size_t end = std::min(NextOf('\r', nextCr_), NextOf('\n', nextLf_));
  line = text_.substr(pos_, end - pos_);
  pos_ = end;
  if (pos_ < text_.size()) {
    const bool crlf = text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n';
    pos_ += crlf ? 2 : 1;
  }
  return true;
}

}  // namespace tokiwa
