#pragma once

#include <string>

#include "tools/trapezoid/trapezoid_options.h"
#include "warp/trapezoid_fit.h"

// Every stage of a fit, a line each, for people to read.
std::string ReportText(const TrapezoidOptions& options, const TrapezoidSearch& search);

// The same figures as one JSON object; a figure that is not a number is null.
std::string ReportJson(const TrapezoidOptions& options, const TrapezoidSearch& search);
