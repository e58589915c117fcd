#pragma once
// Finding and counting one byte value in short texts eight bytes at a time:
// the fields and lines of a log are a few dozen bytes, too short for the
// library's vector searches to pay for their calls.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tokiwa {

// 0x80 in exactly the bytes of word equal to c (no carries between bytes).
inline std::uint64_t MatchingBytes(std::uint64_t word, unsigned char c) {
  constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
  const std::uint64_t x = word ^ (0x0101010101010101ull * c);
  return ~(((x & kLow7) + kLow7) | x | kLow7);
}

// Up to eight bytes from data (size of them, if fewer), the rest zero.
inline std::uint64_t LoadUpTo8(const char* data, std::size_t size) {
  std::uint64_t word = 0;
  // A copy of a variable size goes through memory, and the load that follows
  // it waits: whole words are copied as such. An empty text may have no data
  // to copy from.
  if (size >= 8)
    std::memcpy(&word, data, 8);
  else if (size > 0)
    std::memcpy(&word, data, size);
  return word;
}

// Position of the first c in data[0, size), or size.
inline std::size_t FindByte(const char* data, std::size_t size, char c) {
  std::size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, data + i, 8);
    if (const std::uint64_t m = MatchingBytes(word, static_cast<unsigned char>(c)))
      return i + static_cast<std::size_t>(std::countr_zero(m) >> 3);
  }
  for (; i < size; ++i)
    if (data[i] == c) return i;
  return size;
}

// How many times c occurs in data[0, size).
inline std::size_t CountByte(const char* data, std::size_t size, char c) {
  std::size_t count = 0, i = 0;
  for (; i + 8 <= size; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, data + i, 8);
    // The matches as ones, summed into the top byte (no popcount instruction
    // is assumed).
    const std::uint64_t ones = MatchingBytes(word, static_cast<unsigned char>(c)) >> 7;
    count += static_cast<std::size_t>((ones * 0x0101010101010101ull) >> 56);
  }
  for (; i < size; ++i) count += data[i] == c;
  return count;
}

// Whether data[0, size) and other[0, size) hold the same bytes: the texts
// compared per log row (a date, a program's name and folder) are too short
// for a library call to pay for itself.
inline bool SameBytes(const char* data, const char* other, std::size_t size) {
  if (size < 8) {
    for (std::size_t i = 0; i < size; ++i)
      if (data[i] != other[i]) return false;
    return true;
  }
  // Whole words, the last one reaching back over the one before.
  for (std::size_t i = 0; i + 8 < size; i += 8)
    if (LoadUpTo8(data + i, 8) != LoadUpTo8(other + i, 8)) return false;
  return LoadUpTo8(data + size - 8, 8) == LoadUpTo8(other + size - 8, 8);
}

// Whether data[0, size) holds a byte with the high bit set (not ASCII),
// looked at a word at a time as SameBytes looks.
inline bool HasHighByte(const char* data, std::size_t size) {
  std::uint64_t bits = 0;
  if (size < 8) {
    bits = LoadUpTo8(data, size);
  } else {
    for (std::size_t i = 0; i + 8 < size; i += 8) bits |= LoadUpTo8(data + i, 8);
    bits |= LoadUpTo8(data + size - 8, 8);
  }
  return (bits & 0x8080808080808080ull) != 0;
}

}  // namespace tokiwa
