// The drawn charts: valid SVG and PNG files of the size asked for, a legend entry per
// method, and lines broken where values are empty (read back from the SVG's series).
#include "ui/plot/pet_chart.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QColor>
#include <QImage>
#include <QImageReader>
#include <QSvgRenderer>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace sorvane::plot {
namespace {

namespace fs = std::filesystem;

PetResultTable Table(std::string_view content) {
  FieldReader reader(content);
  auto table = ReadPetResultTable(std::move(reader));
  EXPECT_TRUE(table) << Located(table.error());
  return table ? *table : PetResultTable{};
}

// Twenty days: Hargreaves empty on days 5, 6 and 10; Turc on days 12 and 14, so that
// its day 13 stands alone.
std::string TwentyDays() {
  std::string content = "Date,Hargreaves,Turc\r\n";
  for (int day = 1; day <= 20; ++day) {
    const bool hargreavesEmpty = day == 5 || day == 6 || day == 10;
    const bool turcEmpty = day == 12 || day == 14;
    content += "01/" + std::string(day < 10 ? "0" : "") + std::to_string(day) + "/2011," +
               (hargreavesEmpty ? "" : std::to_string(3 + day / 10) + "." + std::to_string(day % 10)) + "," + (turcEmpty ? "" : "4") +
               "\r\n";
  }
  return content;
}

std::string WeeklyYear() {
  std::string content = "Year,Week,Modified Penman,Hargreaves\r\n";
  for (int week = 1; week <= 52; ++week) content += "2011, " + std::to_string(week) + " ,31.21,29.48\r\n";
  return content;
}

std::string MonthlyYears() {
  std::string content = "Year,Month,Hargreaves,Thornthwaite\r\n";
  for (int year = 2009; year <= 2010; ++year)
    for (int month = 1; month <= 12; ++month) content += std::to_string(year) + ", " + std::to_string(month) + " ,132.69,69.92\r\n";
  return content;
}

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// One line series as the SVG holds it: a group stroked in the series' colour, with the
// x of every point of its polylines.
struct SvgSeries {
  int polylines = 0;
  double minX = 1e300, maxX = -1e300;
};

std::vector<SvgSeries> SeriesOfColour(const std::string& svg, std::string_view colour) {
  std::vector<SvgSeries> found;
  const std::string opening = "<g fill=\"none\" stroke=\"" + std::string(colour) + "\"";
  for (auto at = svg.find(opening); at != std::string::npos; at = svg.find(opening, at + 1)) {
    const auto end = svg.find("</g>", at);
    SvgSeries series;
    for (auto line = svg.find("<polyline", at); line < end; line = svg.find("<polyline", line + 1)) {
      ++series.polylines;
      const auto points = svg.find("points=\"", line) + 8;
      std::istringstream pairs(svg.substr(points, svg.find('"', points) - points));
      std::string pair;
      while (pairs >> pair) {
        const double x = std::stod(pair.substr(0, pair.find(',')));
        series.minX = std::min(series.minX, x);
        series.maxX = std::max(series.maxX, x);
      }
    }
    found.push_back(series);
  }
  return found;
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

class PetChart : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { application_ = new ChartApplication; }
  static void TearDownTestSuite() { delete application_; }

  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("sorvane_plot_test_" + std::to_string(::getpid()));
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  fs::path Write(std::string_view content, const std::string& name, ImageSize size = {}) {
    const fs::path out = folder_ / name;
    const auto written = WriteChart(PlanPetChart(Table(content), "STN1_PET.csv", TicksForWidth(size.widthPixels)), out,
                                    *ImageFormatOf(out), size);
    EXPECT_TRUE(written) << written.error().message;
    return out;
  }

  fs::path folder_;

 private:
  static inline ChartApplication* application_ = nullptr;
};

TEST_F(PetChart, SvgOfEachPeriodKindIsValidAndOfTheSizeAskedFor) {
  const std::string files[] = {TwentyDays(), WeeklyYear(), MonthlyYears()};
  const char* units[] = {"PET (mm per day)", "PET (mm per week)", "PET (mm per month)"};
  for (int k = 0; k < 3; ++k) {
    const fs::path out = Write(files[k], "chart" + std::to_string(k) + ".svg");
    QSvgRenderer renderer(QString::fromStdString(out.string()));
    EXPECT_TRUE(renderer.isValid()) << k;
    EXPECT_EQ(renderer.viewBox(), QRect(0, 0, 1200, 600)) << k;
    const std::string svg = ReadText(out);
    EXPECT_NE(svg.find("viewBox=\"0 0 1200 600\""), std::string::npos) << k;
    EXPECT_NE(svg.find(std::string(">") + units[k] + "</text>"), std::string::npos) << k;
  }
}

TEST_F(PetChart, PngOfEachPeriodKindIsOfTheSizeAskedFor) {
  const std::string files[] = {TwentyDays(), WeeklyYear(), MonthlyYears()};
  for (int k = 0; k < 3; ++k) {
    const fs::path out = Write(files[k], "chart" + std::to_string(k) + ".PNG", {640, 480});
    QImageReader reader(QString::fromStdString(out.string()));
    EXPECT_EQ(reader.format(), "png") << k;
    const QImage image = reader.read();
    EXPECT_EQ(image.size(), QSize(640, 480)) << k;
    // The Hargreaves line is drawn in its colour.
    int orange = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) orange += image.pixelColor(x, y) == QColor("#ff7f0e");
    EXPECT_GT(orange, 50) << k;
  }
}

TEST_F(PetChart, EmptyValuesLeaveGapsAndEachMethodHasOneLegendEntry) {
  const std::string svg = ReadText(Write(TwentyDays(), "gaps.svg"));

  // Hargreaves: days 1-4, 7-9 and 11-20, three series whose lines do not cross the gaps.
  const auto hargreaves = SeriesOfColour(svg, "#ff7f0e");
  ASSERT_EQ(hargreaves.size(), 3u);
  for (const auto& series : hargreaves) EXPECT_GT(series.polylines, 0);
  EXPECT_LT(hargreaves[0].maxX, hargreaves[1].minX);
  EXPECT_LT(hargreaves[1].maxX, hargreaves[2].minX);

  // Turc: days 1-11, the lone day 13 (a dot, no line) and days 15-20.
  const auto turc = SeriesOfColour(svg, "#2ca02c");
  ASSERT_EQ(turc.size(), 3u);
  EXPECT_GT(turc[0].polylines, 0);
  EXPECT_EQ(turc[1].polylines, 0);
  EXPECT_GT(turc[2].polylines, 0);
  EXPECT_LT(turc[0].maxX, turc[2].minX);
  EXPECT_EQ(Count(svg, "<circle"), 1u);

  // The legend: one marker in each method's colour, one entry with each name.
  EXPECT_EQ(Count(svg, "<g fill=\"#ff7f0e\" fill-opacity=\"1\" stroke=\"#000000\""), 1u);
  EXPECT_EQ(Count(svg, "<g fill=\"#2ca02c\" fill-opacity=\"1\" stroke=\"#000000\""), 1u);
  EXPECT_EQ(Count(svg, ">Hargreaves</text>"), 1u);
  EXPECT_EQ(Count(svg, ">Turc</text>"), 1u);
  EXPECT_EQ(Count(svg, ">STN1_PET.csv: daily PET, 2011-01-01 to 2011-01-20</text>"), 1u);
  EXPECT_EQ(Count(svg, ">Date</text>"), 1u);
  EXPECT_EQ(Count(svg, ">2011-01-01</text>"), 1u);
}

TEST_F(PetChart, AFolderThatDoesNotExistIsAnErrorAndNothingIsWritten) {
  const auto written =
      WriteChart(PlanPetChart(Table(TwentyDays()), "A.csv"), folder_ / "none" / "chart.svg", ImageFormat::Svg, {});
  ASSERT_FALSE(written);
  EXPECT_EQ(written.error().file, (folder_ / "none" / "chart.svg").string());
  EXPECT_NE(written.error().message, "");
  EXPECT_FALSE(fs::exists(folder_ / "none"));
}

TEST(ImageFormat, ComesFromTheExtensionWithoutRegardToCase) {
  EXPECT_EQ(ImageFormatOf("a/chart.svg"), ImageFormat::Svg);
  EXPECT_EQ(ImageFormatOf("chart.SVG"), ImageFormat::Svg);
  EXPECT_EQ(ImageFormatOf("chart.png"), ImageFormat::Png);
  EXPECT_EQ(ImageFormatOf("chart.jpg"), std::nullopt);
  EXPECT_EQ(ImageFormatOf("png"), std::nullopt);
}

}  // namespace
}  // namespace sorvane::plot
