// What a weather file's columns leave unsaid, told once per file by a run and a check
// alike: heads that look like parameters but are not used, parameters that a method
// which runs takes as 0 for want of a column, and empty fields read as 0.
#pragma once

#include <string>
#include <vector>

#include "run/weather_file_reader.h"

namespace sorvane {

// The heads (as written) of the columns that are not used although they contain a
// head word (TMAX, TMIN, RH, WS, SS, EVP): 'Tmax (°C)', 'RH', 'TMAX1', 'PRESSURE'.
std::vector<std::string> UnusedParameterHeads(const WeatherFileHeader& header);

// "heads not used: 'Tmax (°C)', 'RH'; a column is used only when its head is one of ..."
std::string UnusedHeadsNotice(const std::vector<std::string>& heads);

// A parameter without a column that methods which run take as 0.
struct AbsentParameter {
  Parameter parameter = Parameter::None;
  std::vector<int> methods;  // MethodIds, ascending
  bool otherReadingRecorded = false;  // RH1 or RH2 without the other: --estimate-missing would fill it
};
std::vector<AbsentParameter> AbsentParameters(ParameterSet columns, const std::vector<int>& methods);

// "no RH2 column: Modified Penman and Penman Montieth run with RH2 = 0", and for one
// humidity reading of two, that --estimate-missing fills it.
std::string AbsentParameterText(const AbsentParameter& absent);

// "line 17 repeats the year and month of line 5; a monthly file holds one row per month":
// the first repeat of a weekly or monthly file.
std::string RepeatedPeriodNotice(PeriodType period, const WeatherFileReader& reader);

// For a file whose columns allow no method: what each method lacks. "no method can run:
// Modified Penman needs WS, RH1/RH2 and SS; Hargreaves needs TMAX and TMIN; ..."
std::string NoMethodText(ParameterSet columns, PeriodType period);

// "3 empty fields were read as 0; the first on line 8 (TMAX)"
std::string EmptyFieldsNotice(const EmptyFieldTally& empty);

}  // namespace sorvane
