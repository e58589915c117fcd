#include "chart/axis.h"

namespace tokiwa {

void TChartAxis::ComputeReservedSize(TRect&) {}
void TChartAxis::DrawAxis(bool) {}
bool TChartAxis::IsClickOnAxis(int, int) const { return false; }

}  // namespace tokiwa
