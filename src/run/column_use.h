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

// What closes every notice of a head not used.
inline constexpr std::string_view kUsedHeads =
    "a column is used only when its head is one of TMAX, TMIN, RH1, RH2, RH, TDEW, WS, SS, RS, EVP";

// "heads not used: 'Tmax (°C)', 'PRESSURE'; a column is used only when its head is one of ..."
std::string UnusedHeadsNotice(const std::vector<std::string>& heads);

// The parameters a file gives twice over, of which the methods take the first:
// "TDEW is not used: the humidity is taken from RH1/RH2; RS is not used: the sunshine is
// taken from SS"; empty when there are none.
std::string UnusedAlternativesText(ParameterSet columns);

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

// "RS lies beyond what 0 to N hours of sunshine give ... on 4 rows, the first on line
// 9: ..." (the rows whose measured radiation gave the sunshine methods an n/N held at 0
// or 1).
std::string HeldSunshineNotice(long rows, long firstLine);

// "3 empty fields were read as 0; the first on line 8 (TMAX)"
std::string EmptyFieldsNotice(const EmptyFieldTally& empty);

}  // namespace sorvane
