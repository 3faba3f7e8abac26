#include "ui/plot/pet_chart.h"

#include <QApplication>
#include <QBuffer>
#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsScene>
#include <QImage>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QSvgGenerator>
#include <QValueAxis>
#include <clocale>

#include "common/atomic_file.h"
#include "common/platform.h"
#include "common/text.h"

namespace sorvane::plot {

namespace {

// Qt says once per run that it made a runtime folder of its own; on a server without a
// login session that is the normal case, not news for the user.
QtMessageHandler previousHandler = nullptr;

void QuietAboutRuntimeFolder(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))) return;
  if (previousHandler) previousHandler(type, context, message);
}

// Lines of many points are drawn thinner, so that a year of days stays legible.
constexpr qsizetype kManyPoints = 400;

QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QLineSeries* SegmentSeries(const ChartLine& line, const std::vector<ChartPoint>& points) {
  auto* series = new QLineSeries;
  series->setName(Text(line.name));
  QList<QPointF> list;
  list.reserve(static_cast<qsizetype>(points.size()));
  for (const ChartPoint& point : points) list.append(QPointF(point.x, point.y));
  series->replace(list);
  return series;
}

void StylePen(QLineSeries* series, const ChartLine& line, qsizetype points) {
  QPen pen(QColor(Text(line.color)));
  pen.setWidthF(points > kManyPoints ? 1.2 : 2.0);
  series->setPen(pen);
  if (series->count() == 1) {  // a value between two empty ones: a dot, not nothing
    series->setPointsVisible(true);
    series->setMarkerSize(5);
  }
}

QCategoryAxis* PeriodAxis(const ChartPlan& plan) {
  auto* axis = new QCategoryAxis;
  axis->setTitleText(Text(plan.xTitle));
  axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  axis->setStartValue(plan.xMin);
  for (const AxisTick& tick : plan.ticks) axis->append(Text(tick.label), tick.x);
  axis->setRange(plan.xMin, plan.xMax);
  return axis;
}

QValueAxis* ValueAxis(const ChartPlan& plan) {
  auto* axis = new QValueAxis;
  axis->setTitleText(Text(plan.yTitle));
  axis->setRange(0, plan.yMax * 1.05);  // a little room above the highest value
  axis->applyNiceNumbers();
  axis->setLabelFormat(axis->max() >= 10 ? "%.0f" : "%.1f");
  return axis;
}

// The chart of `plan`, one series per segment; the segments of a method share its
// colour and its one legend entry.
QChart* BuildChart(const ChartPlan& plan, ImageSize size) {
  auto* chart = new QChart;
  chart->setTitle(Text(plan.title));
  QFont titleFont = chart->titleFont();
  titleFont.setPointSizeF(12);
  titleFont.setBold(true);
  chart->setTitleFont(titleFont);
  chart->setBackgroundRoundness(0);
  chart->setDropShadowEnabled(false);
  chart->legend()->setAlignment(Qt::AlignBottom);

  QCategoryAxis* xAxis = PeriodAxis(plan);
  QValueAxis* yAxis = ValueAxis(plan);
  chart->addAxis(xAxis, Qt::AlignBottom);
  chart->addAxis(yAxis, Qt::AlignLeft);

  for (const ChartLine& line : plan.lines) {
    qsizetype points = 0;
    for (const auto& segment : line.segments) points += static_cast<qsizetype>(segment.size());
    // A method without any value keeps its legend entry through an empty series.
    const std::vector<std::vector<ChartPoint>> none(1);
    const auto& segments = line.segments.empty() ? none : line.segments;
    bool first = true;
    for (const auto& segment : segments) {
      QLineSeries* series = SegmentSeries(line, segment);
      chart->addSeries(series);  // the theme colours it here; the method's colour comes after
      StylePen(series, line, points);
      series->attachAxis(xAxis);
      series->attachAxis(yAxis);
      if (!first)
        for (QLegendMarker* marker : chart->legend()->markers(series)) marker->setVisible(false);
      first = false;
    }
  }
  chart->resize(size.widthPixels, size.heightPixels);
  return chart;
}

QByteArray Render(QGraphicsScene& scene, const ChartPlan& plan, ImageFormat format, ImageSize size) {
  const QRectF area(0, 0, size.widthPixels, size.heightPixels);
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  if (format == ImageFormat::Svg) {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(size.widthPixels, size.heightPixels));
    svg.setViewBox(area);
    svg.setResolution(96);  // dots per inch: the pixel size of screens
    svg.setTitle(Text(plan.title));
    svg.setDescription(QStringLiteral("PET chart drawn by sorvane-cli plot"));
    QPainter painter(&svg);
    scene.render(&painter, area, area);
    painter.end();
  } else {
    QImage image(size.widthPixels, size.heightPixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    scene.render(&painter, area, area);
    painter.end();
    image.save(&buffer, "PNG");
  }
  return buffer.data();
}

}  // namespace

struct ChartApplication::Running {
  int argc = 1;
  char name[16] = "sorvane-cli";
  char* argv[2] = {name, nullptr};
  QApplication application{argc, argv};
};

ChartApplication::ChartApplication() {
  if (QCoreApplication::instance()) return;
  // Charts are drawn into files, never shown: no display is needed, and the offscreen
  // platform gives the same pictures on every machine.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  previousHandler = qInstallMessageHandler(QuietAboutRuntimeFolder);
  running_ = std::make_unique<Running>();
  std::setlocale(LC_NUMERIC, "C");  // Qt takes the user's locale; numbers here never do
}

ChartApplication::~ChartApplication() {
  if (!running_) return;
  running_.reset();
  qInstallMessageHandler(previousHandler);
}

std::optional<ImageFormat> ImageFormatOf(const std::filesystem::path& file) {
  const std::string name = file.filename().string();
  if (EndsWithIgnoringCase(name, ".svg")) return ImageFormat::Svg;
  if (EndsWithIgnoringCase(name, ".png")) return ImageFormat::Png;
  return std::nullopt;
}

Expected<void> WriteChart(const ChartPlan& plan, const std::filesystem::path& file, ImageFormat format, ImageSize size) {
  QGraphicsScene scene;
  scene.addItem(BuildChart(plan, size));  // the scene owns the chart
  const QByteArray bytes = Render(scene, plan, format, size);
  if (bytes.isEmpty()) return Fail(Problem{platform::Utf8(file), 0, {}, "the image could not be drawn"});
  auto out = AtomicFile::Create(file);
  if (!out) return Fail(out.error());
  out->Write(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  return out->Commit();
}

}  // namespace sorvane::plot
