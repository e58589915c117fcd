#pragma once
// The class library's class registry: component classes by name, so that a
// stored form can name the class of each component it holds and have one made.
#include <functional>
#include <string>
#include <string_view>

#include "runtime/component.h"

namespace tokiwa {

// Makes a new component of one class, owned by the given component.
using TComponentClass = std::function<TComponent*(TComponent* owner)>;

// Answers false, keeping the first registration, when the name is taken.
bool RegisterClass(std::string_view name, TComponentClass create);
// The class registered under the name (compared exactly), or nullptr.
const TComponentClass* FindClass(std::string_view name);

}  // namespace tokiwa
