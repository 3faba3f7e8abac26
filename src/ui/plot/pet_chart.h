// Draws a ChartPlan with Qt Charts, off screen, into an SVG or PNG file. Nothing here
// needs a display: the application is started on the offscreen platform unless the
// user chose another one.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "common/problem.h"
#include "ui/plot/chart_plan.h"

namespace sorvane::plot {

// The Qt application that charts need, for as long as it lives; does nothing when one
// is already running. Numbers stay locale-free: LC_NUMERIC is put back to "C".
class ChartApplication {
 public:
  ChartApplication();
  ~ChartApplication();
  ChartApplication(const ChartApplication&) = delete;
  ChartApplication& operator=(const ChartApplication&) = delete;

 private:
  struct Running;
  std::unique_ptr<Running> running_;
};

enum class ImageFormat { Svg, Png };

// By the file's extension, without regard to case: .svg or .png; nullopt otherwise.
std::optional<ImageFormat> ImageFormatOf(const std::filesystem::path& file);

struct ImageSize {
  int widthPixels = 1200;
  int heightPixels = 600;
};

// Draws `plan` and writes the image to `file` (put in place only when complete). The
// problem, naming `file`, says why it cannot be written. Needs a ChartApplication.
Expected<void> WriteChart(const ChartPlan& plan, const std::filesystem::path& file, ImageFormat format, ImageSize size);

}  // namespace sorvane::plot
