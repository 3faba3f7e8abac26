// Cross-validation of a calibration: each station in turn is left out of the table, its
// coefficients are interpolated from all the others exactly as the coefficient generator
// interpolates a station of a list, and its PET adjusted with them is compared with its
// reference. Tells how far the generator can be trusted in this network of stations.
#pragma once

#include <string>
#include <vector>

#include "coefficients/calibration.h"
#include "coefficients/coefficient_table.h"

namespace sorvane {

// The table of the calibration: its stations and, per table method, the fitted intercept
// and slope. `leftOut` (an index) is a station not put in; -1 puts every station in.
CoefficientTable TableOf(const Calibration& calibration, long leftOut = -1);

struct CrossValidationRow {
  std::string station;
  int method = 0;  // MethodId
  LineFit fitted;
  LineFit interpolated;
  double rmseBefore = 0;        // of the value itself against the reference, mm per period
  double rmseFitted = 0;        // adjusted with the station's own coefficients
  double rmseInterpolated = 0;  // adjusted with the interpolated ones
};

// Per station and table method, in calibration order. A station at the very coordinates
// of another takes that station's coefficients, as it would be given them by the table.
// Empty with fewer than two stations.
std::vector<CrossValidationRow> CrossValidate(const Calibration& calibration);

}  // namespace sorvane
