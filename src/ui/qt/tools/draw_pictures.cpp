// Draws Sorvane's pictures: the icon and the two decorative pictures of the main window,
// a sun over an evaporation pan and a leaf under a drop of water. Run it to remake the
// PNG files of src/ui/resources:
//   sorvane-draw-pictures src/ui/resources
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <cstdio>

namespace {

// The design is drawn on a 100 x 100 grid and scaled to the picture's size.
void DrawSunOverPan(QPainter& p, const QSizeF& size) {
  p.scale(size.width() / 100.0, size.height() / 100.0);
  p.setRenderHint(QPainter::Antialiasing);

  // Sun, upper right, with twelve rays.
  const QPointF sun(64, 30);
  p.setPen(QPen(QColor(0xF2, 0x9B, 0x16), 3.2, Qt::SolidLine, Qt::RoundCap));
  for (int i = 0; i < 12; ++i) {
    const double a = i * M_PI / 6;
    p.drawLine(sun + QPointF(std::cos(a), std::sin(a)) * 19, sun + QPointF(std::cos(a), std::sin(a)) * 26);
  }
  QRadialGradient glow(sun, 15, sun - QPointF(4, 4));
  glow.setColorAt(0, QColor(0xFF, 0xF3, 0x9A));
  glow.setColorAt(1, QColor(0xFB, 0xC0, 0x2D));
  p.setPen(QPen(QColor(0xE8, 0x8A, 0x10), 1.5));
  p.setBrush(glow);
  p.drawEllipse(sun, 15, 15);

  // Vapour rising from the water.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(0x7F, 0xA7, 0xC9), 2.2, Qt::SolidLine, Qt::RoundCap));
  for (double x : {22.0, 36.0, 50.0}) {
    QPainterPath wisp(QPointF(x, 64));
    wisp.cubicTo(x - 5, 58, x + 5, 54, x, 47);
    wisp.cubicTo(x - 4, 42, x + 3, 39, x, 35);
    p.drawPath(wisp);
  }

  // The pan: a shallow round tin seen from the side, full of water.
  QLinearGradient tin(0, 70, 0, 92);
  tin.setColorAt(0, QColor(0xC9, 0xCF, 0xD6));
  tin.setColorAt(1, QColor(0x7D, 0x86, 0x91));
  p.setPen(QPen(QColor(0x4E, 0x56, 0x60), 1.6));
  p.setBrush(tin);
  QPainterPath body;
  body.moveTo(8, 72);
  body.lineTo(14, 90);
  body.quadTo(50, 98, 86, 90);
  body.lineTo(92, 72);
  body.closeSubpath();
  p.drawPath(body);
  QLinearGradient water(0, 66, 0, 78);
  water.setColorAt(0, QColor(0x6F, 0xC3, 0xF0));
  water.setColorAt(1, QColor(0x1E, 0x6F, 0xB8));
  p.setBrush(water);
  p.drawEllipse(QRectF(8, 66, 84, 12));
  p.setPen(QPen(QColor(0xE3, 0xF4, 0xFF), 1.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(26, 71), QPointF(40, 71));
  p.drawLine(QPointF(56, 73), QPointF(70, 73));
}

void DrawLeafAndDrop(QPainter& p, const QSizeF& size) {
  p.scale(size.width() / 100.0, size.height() / 100.0);
  p.setRenderHint(QPainter::Antialiasing);

  // A drop of water, upper half.
  QPainterPath drop(QPointF(50, 4));
  drop.cubicTo(58, 18, 72, 30, 72, 42);
  drop.cubicTo(72, 54, 62, 60, 50, 60);
  drop.cubicTo(38, 60, 28, 54, 28, 42);
  drop.cubicTo(28, 30, 42, 18, 50, 4);
  QLinearGradient blue(30, 10, 70, 60);
  blue.setColorAt(0, QColor(0x9A, 0xD8, 0xFA));
  blue.setColorAt(1, QColor(0x1B, 0x64, 0xB0));
  p.setPen(QPen(QColor(0x14, 0x4E, 0x8C), 2));
  p.setBrush(blue);
  p.drawPath(drop);
  p.setPen(QPen(QColor(255, 255, 255, 200), 3, Qt::SolidLine, Qt::RoundCap));
  p.drawArc(QRectF(36, 32, 18, 20), 110 * 16, 60 * 16);

  // A leaf below it, tilted, with its midrib.
  QPainterPath leaf(QPointF(14, 94));
  leaf.cubicTo(16, 72, 44, 62, 88, 66);
  leaf.cubicTo(78, 88, 46, 100, 14, 94);
  QLinearGradient green(14, 94, 88, 66);
  green.setColorAt(0, QColor(0x2E, 0x7D, 0x32));
  green.setColorAt(1, QColor(0x8B, 0xC3, 0x4A));
  p.setPen(QPen(QColor(0x1B, 0x5E, 0x20), 2));
  p.setBrush(green);
  p.drawPath(leaf);
  p.setPen(QPen(QColor(0xDC, 0xED, 0xC8), 1.6, Qt::SolidLine, Qt::RoundCap));
  QPainterPath rib(QPointF(18, 92));
  rib.quadTo(48, 80, 84, 68);
  p.setBrush(Qt::NoBrush);
  p.drawPath(rib);
}

template <typename Draw>
bool Save(const QDir& folder, const char* name, QSize pixels, Draw draw) {
  QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  draw(painter, QSizeF(pixels));
  painter.end();
  const QString path = folder.filePath(QString::fromLatin1(name));
  if (image.save(path, "PNG")) return true;
  std::fprintf(stderr, "sorvane-draw-pictures: %s: cannot be written\n", qPrintable(path));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: sorvane-draw-pictures FOLDER\n");
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  bool ok = true;
  // Image1 is 1155 x 1110 twips and Image2 675 x 825 twips: 77 x 74 and 45 x 55 pixels.
  ok &= Save(folder, "image1.png", {77, 74}, DrawSunOverPan);
  ok &= Save(folder, "image2.png", {45, 55}, DrawLeafAndDrop);
  ok &= Save(folder, "icon.png", {48, 48}, DrawSunOverPan);
  ok &= Save(folder, "sorvane-256.png", {256, 256}, DrawSunOverPan);
  return ok ? 0 : 1;
}
