#pragma once
// The program's UTF-8 texts (the message table's) as Qt strings.
#include <QString>
#include <string_view>

namespace tokiwa {

inline QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace tokiwa
