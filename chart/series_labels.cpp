#include "chart/series_labels.h"

#include <limits>
#include <stdexcept>

namespace tokiwa {

namespace {

const std::string& EmptyText() {
  static const std::string empty;
  return empty;
}

}  // namespace

std::uint32_t TLabelPool::Acquire(std::string_view text, std::uint32_t users) {
  if (text.empty()) return kNone;
  // A caller adding many points usually passes the same few strings again:
  // the id last found for these bytes' address is checked by comparing texts,
  // which is cheaper than hashing them.
  Recent& recent = recent_[(reinterpret_cast<std::uintptr_t>(text.data()) >> 3) % kRecent];
  if (recent.data == text.data() && recent.id != kNone && recent.id <= entries_.size()) {
    Entry& e = entries_[recent.id - 1];
    if (e.text && *e.text == text) {
      e.users += users;
      return recent.id;
    }
  }
  auto found = index_.find(text);
  if (found == index_.end()) {
    std::uint32_t id;
    if (!freeIds_.empty()) {
      id = freeIds_.back();
      freeIds_.pop_back();
    } else {
      if (entries_.size() >= std::numeric_limits<std::uint32_t>::max() - 1)
        throw std::length_error("TLabelPool: too many distinct labels");
      entries_.emplace_back();
      id = static_cast<std::uint32_t>(entries_.size());
    }
    found = index_.emplace(std::string(text), id).first;
    entries_[id - 1].text = &found->first;
  }
  // Every user is a point, and points are counted by int: no overflow.
  entries_[found->second - 1].users += users;
  recent = {text.data(), found->second};
  return found->second;
}

void TLabelPool::Release(std::uint32_t id, std::uint32_t users) {
  if (id == kNone) return;
  Entry& e = entries_[id - 1];
  e.users -= users;
  if (e.users > 0) return;
  index_.erase(index_.find(*e.text));
  e.text = nullptr;
  freeIds_.push_back(id);
}

const std::string& TLabelPool::Text(std::uint32_t id) const {
  return id == kNone ? EmptyText() : *entries_[id - 1].text;
}

void TLabelPool::Clear() {
  recent_ = {};
  Index().swap(index_);
  std::vector<Entry>().swap(entries_);
  std::vector<std::uint32_t>().swap(freeIds_);
}

}  // namespace tokiwa
