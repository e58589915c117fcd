#pragma once
// The timeline's two-line foot: what it says after a build, after a reload of
// the folder, and after a click on a bar.
#include <string>
#include <vector>

#include "runtime/locale.h"

namespace tokiwa {

class TCustomChart;
class TGanttSeries;

// "[ﾌｧｲﾙ名] " + the bar's label, then "[実行期間] " + start + " ～ " + end in
// the locale's default date-time text, as one text with a CR LF between.
std::string BarFootText(const TGanttSeries& series, int index,
                        const FormatSettings& settings = JapaneseFormatSettings());

// After the folder is read again: the file line ends with a blank.
std::vector<std::string> RenewedFootLines();

// Shows text (lines broken at CR LF, CR or LF) in the foot and repaints it,
// unless the foot already shows exactly that text. Returns whether it changed.
bool ShowFootText(TCustomChart& chart, const std::string& text);

}  // namespace tokiwa
