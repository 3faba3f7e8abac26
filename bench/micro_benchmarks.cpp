// Micro-benchmarks of the PET run's hot paths: the field stream, numbers and dates in,
// each method, the terms its record shares with the others, values out, the per-station geometry table, and a whole small run.
// Figures only; nothing here checks a result (the tests do).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "common/app_folder.h"
#include "common/data_file_list.h"
#include "common/field_reader.h"
#include "common/notices.h"
#include "common/numbers.h"
#include "methods/solar_geometry.h"
#include "run/method_table.h"
#include "jobs/pet_job.h"
#include "run/row_terms_maker.h"
#include "run/station_setup.h"
#include "run/weather_file_reader.h"
#include "weather_text.h"

namespace {

using namespace sorvane;
using bench::WeatherKind;

const std::string& DailyText(std::uint64_t rows) {
  static const std::string text = bench::WeatherFileText({WeatherKind::Daily, rows, 1, 1});
  return text;
}

// The fields of a generated daily file: dates, then the seven parameters of each row.
struct SampleFields {
  std::vector<std::string> dates;
  std::vector<std::string> numbers;
};

const SampleFields& Samples() {
  static const SampleFields samples = [] {
    SampleFields s;
    FieldReader fields(DailyText(4096));
    std::string line;
    for (int i = 0; i < 2; ++i) fields.ReadLine(line);
    for (int i = 0; i < 3; ++i) fields.Next();
    fields.ReadLine(line);
    for (;;) {
      const auto key = fields.Next();
      if (key.status != FieldReader::Status::Ok || key.text == "&") break;
      s.dates.emplace_back(key.text);
      for (int c = 0; c < 7; ++c) s.numbers.emplace_back(fields.Next().text);
    }
    return s;
  }();
  return samples;
}

void BM_ParseNumber(benchmark::State& state) {
  const auto& numbers = Samples().numbers;
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ParseNumber(numbers[i]));
    if (++i == numbers.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ParseNumber);

// Numbers outside the short decimal form: exponents, many digits, spaces, signs.
void BM_ParseNumberUnusual(benchmark::State& state) {
  static const std::array<std::string_view, 8> kTexts{" 8.5 ", "-3.25", "1e3", "0.1234567890123456789",
                                                      "+17", "12345678901234567890", ".5", "3."};
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ParseNumber(kTexts[i]));
    i = (i + 1) % kTexts.size();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ParseNumberUnusual);

void BM_FieldReaderNext(benchmark::State& state) {
  const std::string& text = DailyText(4096);
  std::size_t fieldCount = 0;
  for (auto _ : state) {
    FieldReader fields(text);
    for (auto f = fields.Next(); f.status == FieldReader::Status::Ok && f.end != FieldReader::End::FileEnd;
         f = fields.Next()) {
      benchmark::DoNotOptimize(f.text.data());
      ++fieldCount;
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(fieldCount));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_FieldReaderNext);

void BM_ParseDate(benchmark::State& state) {
  const auto& dates = Samples().dates;
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ParseDate(dates[i]));
    if (++i == dates.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ParseDate);

// Header and every record of a daily file held in memory: the reading half of a run.
void BM_WeatherFileReaderRecords(benchmark::State& state) {
  const std::string& text = DailyText(4096);
  std::int64_t records = 0;
  for (auto _ : state) {
    WeatherFileReader reader{FieldReader(text)};
    if (!reader.ReadHeader()) state.SkipWithError("the generated header is refused");
    WeatherRecord record;
    while (reader.NextRecord(record) == WeatherFileReader::Step::Record) {
      benchmark::DoNotOptimize(record.TMAX);
      ++records;
    }
  }
  state.SetItemsProcessed(records);
}
BENCHMARK(BM_WeatherFileReaderRecords);

// The records of a daily (or monthly) file at a station in the heat index grid, and
// their terms.
struct MethodInputs {
  std::vector<WeatherRecord> records;
  std::vector<RowTerms> terms;
  StationHeader station;
  PreparedStation prepared{PrepareStation(StationHeader{}, std::nullopt)};
};

const MethodInputs& Inputs(WeatherKind kind) {
  static auto make = [](WeatherKind k) {
    auto* inputs = new MethodInputs;
    const std::string text = bench::WeatherFileText({k, 1024, 1, 1});
    WeatherFileReader reader{FieldReader(text)};
    const auto header = reader.ReadHeader();
    inputs->station = header->Station;
    inputs->prepared = PrepareStation(inputs->station, 150.0);  // a heat index from the middle of the grid
    WeatherRecord record;
    while (reader.NextRecord(record) == WeatherFileReader::Step::Record) {
      record.PeriodKey = {};
      inputs->records.push_back(record);
      inputs->terms.push_back(RowTermsOf(record, inputs->prepared.days.At(record.DayOfYear)));
    }
    return inputs;
  };
  static const MethodInputs* daily = make(WeatherKind::Daily);
  static const MethodInputs* monthly = make(WeatherKind::Monthly);
  return kind == WeatherKind::Monthly ? *monthly : *daily;
}

void BM_MethodCompute(benchmark::State& state) {
  const int id = static_cast<int>(state.range(0));
  const MethodEntry& method = MethodEntryFor(id);
  const MethodInputs& inputs = Inputs(id == kThornthwaiteId ? WeatherKind::Monthly : WeatherKind::Daily);
  StationConstants constants = inputs.prepared.constants;
  if (id == kThornthwaiteId) constants.ThornthwaiteExponent = 3.0;
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(method.compute(inputs.records[i], inputs.station, constants, inputs.terms[i]));
    if (++i == inputs.records.size()) i = 0;
  }
  state.SetLabel(std::string(method.name));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MethodCompute)->DenseRange(1, 8);

// The terms of a record, as the run makes them once for all its methods.
void BM_RowTermsMaker(benchmark::State& state) {
  const MethodInputs& inputs = Inputs(WeatherKind::Daily);
  RowTermsMaker maker;
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(maker.For(inputs.records[i], inputs.prepared.days));
    if (++i == inputs.records.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RowTermsMaker);

void BM_AppendPetValue(benchmark::State& state) {
  // Values as the methods give them: mostly 0..15 mm, a few monthly sums, some zeros.
  std::vector<double> values;
  for (int i = 0; i < 1024; ++i) values.push_back((i % 97) * 0.1371 + (i % 7 == 0 ? 180.0 : 0.0));
  std::string out;
  std::size_t i = 0;
  for (auto _ : state) {
    if (out.size() > 60000) out.clear();
    AppendPetValue(out, values[i]);
    if (++i == values.size()) i = 0;
  }
  benchmark::DoNotOptimize(out.data());
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AppendPetValue);

void BM_SolarGeometryTable(benchmark::State& state) {
  const double latitude = LatitudeRadians(14.41);
  for (auto _ : state) {
    SolarGeometryTable table(latitude);
    benchmark::DoNotOptimize(table.AnnualDayLengthTotal());
  }
}
BENCHMARK(BM_SolarGeometryTable);

// A whole run over one daily file of state.range(0) rows in a fresh ApplicationFolder:
// opening, header, constants, every record, the result file put in place.
class SmallRun {
 public:
  explicit SmallRun(std::uint64_t rows) {
    root_ = std::filesystem::temp_directory_path() / ("sorvane_bench_" + std::to_string(::getpid()));
    std::filesystem::remove_all(root_);
    for (const char* folder : {"data/PET_DATA", "support", "OUTPUT"}) std::filesystem::create_directories(root_ / folder);
    std::filesystem::copy_file(std::filesystem::path(SORVANE_SOURCE_DIR) / "appfolder" / "support" / "heat_index_data.csv",
                               root_ / "support" / "heat_index_data.csv");
    std::ofstream(root_ / "data/PET_DATA/STATION.csv", std::ios::binary)
        << bench::WeatherFileText({WeatherKind::Daily, rows, 1, 1});
  }
  ~SmallRun() { std::filesystem::remove_all(root_); }
  AppFolder Folder() const { return AppFolder(root_); }

 private:
  std::filesystem::path root_;
};

void BM_ProcessPetFiles(benchmark::State& state) {
  const SmallRun run(static_cast<std::uint64_t>(state.range(0)));
  const AppFolder folder = run.Folder();
  const std::vector<ListedName> names = NamesGiven({"STATION.csv"});
  for (auto _ : state) {
    CollectedNotices notices;
    const RunSummary summary = ProcessPetFiles(names, folder, notices, RunOptions{1, {}});
    if (summary.processed != 1) state.SkipWithError("the generated file was refused");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ProcessPetFiles)->Arg(365)->Arg(3650)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
