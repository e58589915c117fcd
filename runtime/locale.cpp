#include "runtime/locale.h"

namespace tokiwa {

FormatSettings JapaneseFormatSettings() { return FormatSettings{}; }

}  // namespace tokiwa
