#include "runtime/class_registry.h"

#include <map>

namespace tokiwa {

namespace {

std::map<std::string, TComponentClass, std::less<>>& Registry() {
  static std::map<std::string, TComponentClass, std::less<>> classes;
  return classes;
}

}  // namespace

bool RegisterClass(std::string_view name, TComponentClass create) {
  return Registry().try_emplace(std::string(name), std::move(create)).second;
}

const TComponentClass* FindClass(std::string_view name) {
  auto& classes = Registry();
  auto it = classes.find(name);
  return it == classes.end() ? nullptr : &it->second;
}

}  // namespace tokiwa
