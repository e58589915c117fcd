#include "runtime/messages.h"

#include <cctype>
#include <cstdio>
#include <vector>

namespace tokiwa {

namespace {

std::string ArgText(const FormatArg& a) {
  if (auto s = std::get_if<std::string>(&a)) return *s;
  if (auto i = std::get_if<long long>(&a)) return std::to_string(*i);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%g", std::get<double>(a));
  return buf;
}

}  // namespace

std::string FormatText(std::string_view format, std::initializer_list<FormatArg> args) {
  std::vector<FormatArg> list(args);
  std::string out;
  out.reserve(format.size() + 32);
  size_t next = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    char c = format[i];
    if (c != '%' || i + 1 >= format.size()) {
      out += c;
      continue;
    }
    if (format[i + 1] == '%') {
      out += '%';
      ++i;
      continue;
    }
    size_t j = i + 1;
    size_t index = next;
    bool explicitIndex = false;
    if (std::isdigit(static_cast<unsigned char>(format[j]))) {
      size_t k = j;
      size_t n = 0;
      while (k < format.size() && std::isdigit(static_cast<unsigned char>(format[k])))
        n = n * 10 + (format[k++] - '0');
      if (k < format.size() && format[k] == ':') {
        index = n;
        explicitIndex = true;
        j = k + 1;
      }
    }
    if (j < format.size() && (format[j] == 's' || format[j] == 'd') && index < list.size()) {
      out += ArgText(list[index]);
      next = explicitIndex ? index + 1 : next + 1;
      i = j;
      continue;
    }
    out += c;
  }
  return out;
}

}  // namespace tokiwa
