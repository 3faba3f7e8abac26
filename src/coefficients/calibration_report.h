// The texts of a calibration: the reference coefficient table in the layout of
// support/Coefficients.csv, its statistics, its cross-validation, each as a file and as a
// compact table for a terminal. Numbers in files are the shortest text that reads back
// as the same double; the compact tables round to three decimals.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "coefficients/calibration.h"
#include "coefficients/cross_validation.h"

namespace sorvane {

// Line 1 "Station,Latitude,Longitude," then "<method>,," per table method (the last comma
// closing the table's trailing empty field), line 2 ",,,Intercept,Slope,...", then one row
// per station; every line ended by CR LF.
std::string CoefficientTableText(const Calibration& calibration);

// Per station and method (the reference left out): pairs, intercept, slope, r², and the
// RMSE and mean bias (value less reference) before and after adjustment.
std::string CalibrationStatsText(const Calibration& calibration);
std::string CalibrationStatsSummary(const Calibration& calibration);

// Per station and method, the coefficients and RMSEs, each head with its unit (mm per
// `period` of the calibrated files).
std::string CrossValidationText(const std::vector<CrossValidationRow>& rows, PeriodType period);
// Per method: the mean over stations of the RMSE before adjustment, adjusted with the
// fitted and with the interpolated coefficients, and the largest interpolated one, under
// a line of units; then, for each method whose interpolated coefficients do worse than
// none, that `coeff` should not be used for it between these stations.
std::string CrossValidationSummary(const std::vector<CrossValidationRow>& rows, PeriodType period);

// `<table less its last four characters><suffix>`: beside the table.
std::filesystem::path BesideTable(const std::filesystem::path& table, std::string_view suffix);

}  // namespace sorvane
