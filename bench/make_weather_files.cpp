// make_weather_files: writes large weather data files for the benchmarks.
//
//   make_weather_files --kind daily|weekly|monthly --rows N [--files F] [--out DIR]
//                      [--seed S] [--name NAME]
//
// Every file holds the four header lines, N data rows with all seven parameters and the
// closing "&" row, lines ended by CR LF (see weather_text.h). One file is NAME.csv;
// several are NAME_00001.csv, NAME_00002.csv, ... File k's text depends only on the
// kind, N, the seed and k. NAME defaults to <kind>_<N>.
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>

#include "weather_text.h"

namespace {

namespace fs = std::filesystem;
using sorvane::bench::WeatherKind;

struct Options {
  sorvane::bench::WeatherFileRecipe recipe;
  std::uint64_t files = 1;
  fs::path out = ".";
  std::string name;
};

std::string_view KindWord(WeatherKind kind) {
  switch (kind) {
    case WeatherKind::Daily: return "daily";
    case WeatherKind::Weekly: return "weekly";
    case WeatherKind::Monthly: return "monthly";
  }
  return "";
}

std::string NumberText(std::uint64_t number, int width = 1) {
  char buffer[24];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, number);
  (void)ec;
  std::string text(buffer, end);
  if (static_cast<int>(text.size()) < width) text.insert(0, static_cast<std::size_t>(width) - text.size(), '0');
  return text;
}

bool WriteFile(const fs::path& path, const sorvane::bench::WeatherFileRecipe& recipe) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) {
    std::cerr << path.string() << ": cannot be written (" << std::strerror(errno) << ")\n";
    return false;
  }
  bool ok = sorvane::bench::GenerateWeatherFile(
      recipe, [file](std::string_view piece) { return std::fwrite(piece.data(), 1, piece.size(), file) == piece.size(); });
  ok = (std::fclose(file) == 0) && ok;
  if (!ok) std::cerr << path.string() << ": writing failed\n";
  return ok;
}

int Usage(std::string_view problem) {
  std::cerr << "make_weather_files: " << problem << "\n"
            << "usage: make_weather_files --kind daily|weekly|monthly --rows N [--files F] [--out DIR]\n"
            << "                          [--seed S] [--name NAME]\n";
  return 2;
}

bool ParseCount(std::string_view text, std::uint64_t& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc{} && end == text.data() + text.size();
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view option = argv[i];
    if (i + 1 >= argc) return Usage(std::string(option) + " needs a value");
    const std::string_view value = argv[++i];
    if (option == "--kind") {
      if (value == "daily") options.recipe.kind = WeatherKind::Daily;
      else if (value == "weekly") options.recipe.kind = WeatherKind::Weekly;
      else if (value == "monthly") options.recipe.kind = WeatherKind::Monthly;
      else return Usage("--kind is daily, weekly or monthly");
    } else if (option == "--rows") {
      if (!ParseCount(value, options.recipe.rows)) return Usage("--rows takes a whole number");
    } else if (option == "--files") {
      if (!ParseCount(value, options.files) || options.files == 0) return Usage("--files takes a whole number above 0");
    } else if (option == "--seed") {
      if (!ParseCount(value, options.recipe.seed)) return Usage("--seed takes a whole number");
    } else if (option == "--out") {
      options.out = value;
    } else if (option == "--name") {
      options.name = value;
    } else {
      return Usage("unknown option " + std::string(option));
    }
  }
  if (options.name.empty()) options.name = std::string(KindWord(options.recipe.kind)) + "_" + NumberText(options.recipe.rows);
  std::error_code ec;
  fs::create_directories(options.out, ec);
  for (std::uint64_t k = 1; k <= options.files; ++k) {
    options.recipe.fileNumber = k;
    const std::string name = options.files > 1 ? options.name + "_" + NumberText(k, 5) : options.name;
    if (!WriteFile(options.out / (name + ".csv"), options.recipe)) return 1;
  }
  return 0;
}
