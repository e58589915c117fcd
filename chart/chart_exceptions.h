#pragma once
#include "runtime/exceptions.h"

namespace tokiwa {

class ChartException : public Exception { using Exception::Exception; };
class AxisException : public ChartException { using ChartException::ChartException; };
class LegendException : public ChartException { using ChartException::ChartException; };

}  // namespace tokiwa
