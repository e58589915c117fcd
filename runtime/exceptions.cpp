#include "runtime/exceptions.h"

#include "runtime/messages.h"

namespace tokiwa {

void ThrowListIndexError(long long index) {
  throw EListError(FormatText(msg::ListIndexError, {Arg(index)}));
}

}  // namespace tokiwa
