// The text of the benchmark weather files, made the same way on every machine: the
// generator program writes it to disk, the micro-benchmarks read it from memory.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace sorvane::bench {

enum class WeatherKind { Daily, Weekly, Monthly };

struct WeatherFileRecipe {
  WeatherKind kind = WeatherKind::Daily;
  std::uint64_t rows = 365;       // data rows before the "&" row
  std::uint64_t seed = 1;
  std::uint64_t fileNumber = 1;   // the station's number; each number gives another station
};

// Hands the file's text to `sink` in pieces of about a mebibyte, CR LF line ends, the
// "&" row last. False as soon as `sink` returns false.
bool GenerateWeatherFile(const WeatherFileRecipe& recipe, const std::function<bool(std::string_view)>& sink);

// The whole text at once, for files that fit in memory.
std::string WeatherFileText(const WeatherFileRecipe& recipe);

}  // namespace sorvane::bench
