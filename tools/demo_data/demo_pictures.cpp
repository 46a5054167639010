// The program's own pictures, drawn in one style: rating icons (colour and
// black-and-white), the result grid's rating strips, the toolbar, the logo
// and the start-up pointer.
#include <QDir>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <functional>
#include <stdexcept>

#include "demo_write.h"

namespace qw::demo {
namespace {

const QColor kNavy(0x1b, 0x3a, 0x5c);
const QColor kSea(0x2f, 0x7f, 0xc1);
const QColor kGold(0xe8, 0xb5, 0x30);

// Colours of one icon set: the colour set, or its black-and-white twin.
struct Ink {
  bool mono;
  QColor Of(const QColor& c) const {
    if (!mono) return c;
    const int g = qGray(c.rgb());
    return QColor(g, g, g, c.alpha());
  }
};

// ---------------------------------------------------------------- rating motifs

// A bell filling the box.
void DrawBell(QPainter& p, const QRectF& box, const Ink& ink) {
  p.save();
  p.translate(box.topLeft());
  p.scale(box.width(), box.height());
  QPainterPath body;
  body.moveTo(0.30, 0.30);
  body.cubicTo(0.30, 0.10, 0.70, 0.10, 0.70, 0.30);
  body.cubicTo(0.70, 0.55, 0.76, 0.68, 0.90, 0.76);
  body.lineTo(0.90, 0.82);
  body.quadTo(0.50, 0.90, 0.10, 0.82);
  body.lineTo(0.10, 0.76);
  body.cubicTo(0.24, 0.68, 0.30, 0.55, 0.30, 0.30);
  body.closeSubpath();
  QLinearGradient brass(0.1, 0, 0.9, 0);
  brass.setColorAt(0.0, ink.Of(QColor(0x8a, 0x5a, 0x00)));
  brass.setColorAt(0.35, ink.mono ? QColor(0xd8, 0xd8, 0xd8) : QColor(0xfb, 0xdc, 0x78));
  brass.setColorAt(0.7, ink.Of(QColor(0xd0, 0x98, 0x20)));
  brass.setColorAt(1.0, ink.Of(QColor(0x7a, 0x4e, 0x00)));
  const QColor outline = ink.mono ? QColor(0x10, 0x10, 0x10) : QColor(0x5a, 0x38, 0x00);
  QPen pen(outline, 0.045);
  pen.setJoinStyle(Qt::RoundJoin);
  // crown loop
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(0.5, 0.11), 0.07, 0.06);
  // clapper
  p.setBrush(ink.Of(QColor(0x6b, 0x45, 0x00)));
  p.drawEllipse(QPointF(0.5, 0.89), 0.075, 0.07);
  p.setBrush(brass);
  p.drawPath(body);
  // lip band and shine
  p.setPen(QPen(outline, 0.03));
  p.drawLine(QPointF(0.16, 0.73), QPointF(0.84, 0.73));
  p.setPen(QPen(QColor(255, 255, 255, 170), 0.05, Qt::SolidLine, Qt::RoundCap));
  QPainterPath shine;
  shine.moveTo(0.40, 0.26);
  shine.cubicTo(0.37, 0.40, 0.36, 0.52, 0.30, 0.64);
  p.drawPath(shine);
  p.restore();
}

// A boat hanging in the slings of a travel lift.
void DrawLift(QPainter& p, const QRectF& box, const Ink& ink) {
  p.save();
  p.translate(box.topLeft());
  p.scale(box.width(), box.height());
  const QColor frame = ink.mono ? QColor(0x20, 0x20, 0x20) : kSea.darker(115);
  const QColor dark = ink.mono ? QColor(0x10, 0x10, 0x10) : kNavy;
  // gantry
  p.setPen(QPen(dark, 0.035, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.setBrush(frame);
  p.drawRect(QRectF(0.08, 0.10, 0.84, 0.09));
  p.drawRect(QRectF(0.08, 0.10, 0.09, 0.74));
  p.drawRect(QRectF(0.83, 0.10, 0.09, 0.74));
  // wheels
  p.setBrush(dark);
  p.drawEllipse(QPointF(0.125, 0.87), 0.065, 0.065);
  p.drawEllipse(QPointF(0.875, 0.87), 0.065, 0.065);
  // slings
  p.setPen(QPen(dark, 0.03));
  p.drawLine(QPointF(0.33, 0.19), QPointF(0.33, 0.66));
  p.drawLine(QPointF(0.67, 0.19), QPointF(0.67, 0.66));
  // hull, bow to the right and a little higher
  QPainterPath hull;
  hull.moveTo(0.21, 0.45);
  hull.lineTo(0.85, 0.40);
  hull.lineTo(0.77, 0.58);
  hull.quadTo(0.63, 0.72, 0.40, 0.71);
  hull.quadTo(0.26, 0.69, 0.23, 0.58);
  hull.closeSubpath();
  p.setPen(QPen(dark, 0.03, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::white);
  p.drawPath(hull);
  // bottom paint
  QPainterPath bottom;
  bottom.moveTo(0.25, 0.61);
  bottom.lineTo(0.755, 0.61);
  bottom.quadTo(0.63, 0.72, 0.40, 0.71);
  bottom.quadTo(0.29, 0.695, 0.25, 0.61);
  p.setBrush(ink.Of(QColor(0xc0, 0x30, 0x28)));
  p.drawPath(bottom);
  // cabin
  p.setBrush(ink.mono ? QColor(0xb0, 0xb0, 0xb0) : QColor(0xd8, 0xe8, 0xf4));
  p.drawRoundedRect(QRectF(0.36, 0.33, 0.27, 0.10), 0.02, 0.02);
  p.restore();
}

// The sun setting over the water.
void DrawSunset(QPainter& p, const QRectF& box, const Ink& ink) {
  p.save();
  p.translate(box.topLeft());
  p.scale(box.width(), box.height());
  const QColor dark = ink.mono ? QColor(0x10, 0x10, 0x10) : QColor(0x9a, 0x3a, 0x08);
  // rays
  p.setPen(QPen(ink.Of(QColor(0xf0, 0x90, 0x20)), 0.05, Qt::SolidLine, Qt::RoundCap));
  for (int i = 0; i < 7; ++i) {
    const double a = 3.14159265 * (0.08 + 0.14 * i);
    const QPointF c(0.5, 0.58);
    p.drawLine(c + QPointF(-0.36 * std::cos(a), -0.36 * std::sin(a)), c + QPointF(-0.46 * std::cos(a), -0.46 * std::sin(a)));
  }
  // sun
  QRadialGradient sun(QPointF(0.5, 0.5), 0.32);
  sun.setColorAt(0.0, ink.mono ? QColor(0xf0, 0xf0, 0xf0) : QColor(0xff, 0xe0, 0x60));
  sun.setColorAt(1.0, ink.Of(QColor(0xf0, 0x70, 0x18)));
  p.setBrush(sun);
  p.setPen(QPen(dark, 0.035));
  p.drawChord(QRectF(0.22, 0.30, 0.56, 0.56), 0, 180 * 16);
  // water
  const QColor water = ink.mono ? QColor(0x30, 0x30, 0x30) : kSea;
  p.setPen(QPen(water, 0.055, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(0.06, 0.62), QPointF(0.94, 0.62));
  p.drawLine(QPointF(0.18, 0.74), QPointF(0.82, 0.74));
  p.drawLine(QPointF(0.32, 0.86), QPointF(0.68, 0.86));
  p.restore();
}

using Motif = std::function<void(QPainter&, const QRectF&, const Ink&)>;

// n motifs side by side on a white ground, `height` pixels high; the widths
// follow the result grid's strips (about one height per motif).
QImage Strip(const Motif& motif, int count, int height, int width, const Ink& ink) {
  QImage img(width, height, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const double cell = static_cast<double>(width) / count;
  const double side = std::min(cell, static_cast<double>(height));
  for (int i = 0; i < count; ++i)
    motif(p, QRectF(i * cell + (cell - side) / 2, (height - side) / 2, side, side), ink);
  return img;
}

void Save(const QImage& img, const QString& path, QStringList& written) {
  const bool jpg = path.endsWith(QStringLiteral(".jpg"));
  if (!img.save(path, jpg ? "JPG" : "PNG", jpg ? 95 : -1)) throw std::runtime_error(("cannot write " + path).toStdString());
  written << path;
}

// ---------------------------------------------------------------- toolbar

QPen Outline(double w = 1.6) { return QPen(kNavy, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }

void IconOpen(QPainter& p) {
  p.setPen(Outline());
  p.setBrush(QColor(0xc9, 0x93, 0x1e));
  p.drawPolygon(QPolygonF({QPointF(3, 9), QPointF(12, 9), QPointF(14, 12), QPointF(27, 12), QPointF(27, 26), QPointF(3, 26)}));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(7, 7, 16, 12));
  QLinearGradient g(0, 15, 0, 27);
  g.setColorAt(0, QColor(0xff, 0xd8, 0x6a));
  g.setColorAt(1, kGold);
  p.setBrush(g);
  p.drawPolygon(QPolygonF({QPointF(3, 26), QPointF(7, 15), QPointF(30, 15), QPointF(27, 26)}));
}

void IconSave(QPainter& p) {
  p.setPen(Outline());
  QLinearGradient g(0, 3, 0, 29);
  g.setColorAt(0, kSea);
  g.setColorAt(1, kNavy);
  p.setBrush(g);
  p.drawPolygon(QPolygonF({QPointF(4, 4), QPointF(24, 4), QPointF(28, 8), QPointF(28, 28), QPointF(4, 28)}));
  p.setBrush(QColor(0xd6, 0xdb, 0xe0));
  p.drawRect(QRectF(9, 4, 13, 8));
  p.setBrush(kNavy);
  p.setPen(Qt::NoPen);
  p.drawRect(QRectF(17, 5.5, 3, 5));
  p.setPen(Outline(1.2));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(8, 16, 16, 10));
  p.setPen(QPen(QColor(0x9a, 0xa8, 0xb8), 1));
  p.drawLine(QPointF(10.5, 19.5), QPointF(21.5, 19.5));
  p.drawLine(QPointF(10.5, 22.5), QPointF(21.5, 22.5));
}

void Magnifier(QPainter& p, QPointF c, double r) {
  p.setPen(QPen(kNavy, 3.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(c + QPointF(r * 0.72, r * 0.72), c + QPointF(r * 1.6, r * 1.6));
  p.setPen(Outline(2));
  QRadialGradient glass(c - QPointF(r / 3, r / 3), r * 1.2);
  glass.setColorAt(0, Qt::white);
  glass.setColorAt(1, QColor(0xa8, 0xd2, 0xf0));
  p.setBrush(glass);
  p.drawEllipse(c, r, r);
}

void Sheet(QPainter& p, const QRectF& r) {
  p.setPen(Outline());
  p.setBrush(Qt::white);
  p.drawRoundedRect(r, 1.5, 1.5);
}

void IconSearch(QPainter& p) {
  Sheet(p, QRectF(5, 3, 20, 26));
  p.setPen(Outline(1.2));
  for (int i = 0; i < 3; ++i) {
    const double y = 8 + i * 7;
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8, y, 4.5, 4.5));
    p.setPen(QPen(QColor(0x9a, 0xa8, 0xb8), 1.4));
    p.drawLine(QPointF(15, y + 2.2), QPointF(22, y + 2.2));
    p.setPen(Outline(1.2));
  }
  p.setPen(QPen(QColor(0x2e, 0x9a, 0x3c), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPolyline(QPolygonF({QPointF(8.5, 10), QPointF(10, 12), QPointF(13.5, 6.5)}));
  p.drawPolyline(QPolygonF({QPointF(8.5, 24), QPointF(10, 26), QPointF(13.5, 20.5)}));
  Magnifier(p, QPointF(22, 20), 5);
}

void IconFind(QPainter& p) { Magnifier(p, QPointF(13, 13), 8.5); }

void IconShow(QPainter& p) {
  Sheet(p, QRectF(3, 5, 26, 22));
  p.setPen(Qt::NoPen);
  p.setBrush(kSea);
  p.drawRect(QRectF(3.8, 5.8, 24.4, 5));
  p.setPen(QPen(QColor(0x9a, 0xa8, 0xb8), 1));
  for (int i = 0; i < 3; ++i) p.drawLine(QPointF(4, 16 + i * 4), QPointF(28, 16 + i * 4));
  p.drawLine(QPointF(11, 11), QPointF(11, 26));
  p.setPen(Qt::NoPen);
  p.setBrush(kGold);
  for (int i = 0; i < 4; ++i) p.drawEllipse(QPointF(7.3, 13.8 + i * 4), 1.6, 1.6);
}

void IconSort(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(kSea);
  for (int i = 0; i < 4; ++i) p.drawRoundedRect(QRectF(4, 5 + i * 6, 6 + i * 4.5, 3.6), 1, 1);
  p.setPen(QPen(kNavy, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawLine(QPointF(25, 5), QPointF(25, 26));
  p.setBrush(kNavy);
  p.drawPolygon(QPolygonF({QPointF(20, 21), QPointF(30, 21), QPointF(25, 28)}));
}

void IconPrint(QPainter& p) {
  Sheet(p, QRectF(9, 3, 14, 11));
  p.setPen(Outline());
  QLinearGradient g(0, 12, 0, 25);
  g.setColorAt(0, QColor(0xe4, 0xe8, 0xec));
  g.setColorAt(1, QColor(0xa8, 0xb2, 0xbc));
  p.setBrush(g);
  p.drawRoundedRect(QRectF(3, 12, 26, 12), 2.5, 2.5);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x2e, 0x9a, 0x3c));
  p.drawEllipse(QPointF(24.5, 16), 1.4, 1.4);
  Sheet(p, QRectF(8, 20, 16, 9));
  p.setPen(QPen(QColor(0x9a, 0xa8, 0xb8), 1));
  p.drawLine(QPointF(11, 23.5), QPointF(21, 23.5));
  p.drawLine(QPointF(11, 26), QPointF(18, 26));
}

void IconIntro(QPainter& p) {
  p.setPen(Outline());
  QLinearGradient g(0, 4, 0, 28);
  g.setColorAt(0, kSea);
  g.setColorAt(1, kNavy);
  p.setBrush(g);
  p.drawRoundedRect(QRectF(3, 6, 26, 20), 4, 4);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawPolygon(QPolygonF({QPointF(13, 11), QPointF(22, 16), QPointF(13, 21)}));
}

void IconRating(QPainter& p) { DrawBell(p, QRectF(2, 2, 28, 28), Ink{false}); }

void IconHelp(QPainter& p) {
  p.setPen(Outline());
  QRadialGradient g(QPointF(12, 10), 18);
  g.setColorAt(0, QColor(0x6a, 0xaf, 0xe6));
  g.setColorAt(1, kNavy);
  p.setBrush(g);
  p.drawEllipse(QPointF(16, 16), 13, 13);
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(19);
  f.setBold(true);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(QRectF(3, 3, 26, 26), Qt::AlignCenter, QStringLiteral("?"));
}

void IconExit(QPainter& p) {
  p.setPen(Outline());
  p.setBrush(QColor(0xb0, 0x7a, 0x3c));
  p.drawRect(QRectF(5, 3, 15, 26));
  p.setBrush(QColor(0x8a, 0x5a, 0x28));
  p.drawPolygon(QPolygonF({QPointF(5, 3), QPointF(14, 6), QPointF(14, 29.5), QPointF(5, 29)}));
  p.setPen(Qt::NoPen);
  p.setBrush(kGold);
  p.drawEllipse(QPointF(12, 17), 1.3, 1.3);
  p.setPen(QPen(QColor(0xc0, 0x30, 0x28), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawLine(QPointF(18, 16), QPointF(29, 16));
  p.drawPolyline(QPolygonF({QPointF(25, 11.5), QPointF(29.5, 16), QPointF(25, 20.5)}));
}

void IconMaps(QPainter& p) {
  QPolygonF outline({QPointF(3, 7), QPointF(11, 4), QPointF(21, 7), QPointF(29, 4), QPointF(29, 25),
                     QPointF(21, 28), QPointF(11, 25), QPointF(3, 28)});
  p.setPen(Outline());
  p.setBrush(QColor(0xa8, 0xd2, 0xf0));
  p.drawPolygon(outline);
  // land
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x9c, 0xc8, 0x7a));
  p.drawPolygon(QPolygonF({QPointF(11, 4.5), QPointF(21, 7.5), QPointF(28.5, 4.5), QPointF(28.5, 14),
                           QPointF(22, 16), QPointF(18, 13), QPointF(13, 17), QPointF(11, 12)}));
  p.setPen(QPen(QColor(0xc0, 0x30, 0x28), 1.4, Qt::DashLine, Qt::RoundCap));
  p.drawPolyline(QPolygonF({QPointF(6, 23), QPointF(12, 20), QPointF(18, 21), QPointF(23, 17)}));
  p.setPen(QPen(kNavy, 1));
  p.drawLine(QPointF(11, 4), QPointF(11, 25));
  p.drawLine(QPointF(21, 7), QPointF(21, 28));
  p.setPen(Outline());
  p.setBrush(Qt::NoBrush);
  p.drawPolygon(outline);
}

void IconKey(QPainter& p) {
  Sheet(p, QRectF(4, 3, 24, 26));
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(7);
  f.setBold(true);
  p.setFont(f);
  for (int i = 0; i < 3; ++i) {
    const QPointF c(10, 9.5 + i * 7);
    p.setPen(Qt::NoPen);
    p.setBrush(i == 1 ? QColor(0xc0, 0x30, 0x28) : kSea);
    p.drawEllipse(c, 3.6, 3.6);
    p.setPen(Qt::white);
    p.drawText(QRectF(c.x() - 4, c.y() - 4, 8, 8), Qt::AlignCenter, QString::number(i + 1));
    p.setPen(QPen(QColor(0x9a, 0xa8, 0xb8), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, c.y()), QPointF(24, c.y()));
  }
}

// ---------------------------------------------------------------- logo and pointer

QImage Logo() {
  QImage img(248, 298, QImage::Format_RGB32);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  QLinearGradient sky(0, 0, 0, 298);
  sky.setColorAt(0, QColor(0x0b, 0x22, 0x3d));
  sky.setColorAt(0.65, QColor(0x17, 0x4a, 0x78));
  sky.setColorAt(1, QColor(0x1f, 0x66, 0x9a));
  p.fillRect(img.rect(), sky);
  // compass rose
  const QPointF c(124, 100);
  p.setPen(QPen(QColor(0xe8, 0xb5, 0x30, 120), 1.2));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(c, 66, 66);
  p.drawEllipse(c, 58, 58);
  for (int i = 0; i < 72; ++i) {
    const double a = i * 3.14159265 / 36;
    const double r0 = i % 2 ? 61 : 59;
    p.drawLine(c + QPointF(r0 * std::cos(a), r0 * std::sin(a)), c + QPointF(66 * std::cos(a), 66 * std::sin(a)));
  }
  const auto point = [&](double angle, double length, double half, const QColor& light, const QColor& dark) {
    const QPointF tip = c + QPointF(length * std::sin(angle), -length * std::cos(angle));
    const QPointF left = c + QPointF(half * std::sin(angle - 1.5708), -half * std::cos(angle - 1.5708));
    const QPointF right = c + QPointF(half * std::sin(angle + 1.5708), -half * std::cos(angle + 1.5708));
    p.setPen(Qt::NoPen);
    p.setBrush(light);
    p.drawPolygon(QPolygonF({c, tip, left}));
    p.setBrush(dark);
    p.drawPolygon(QPolygonF({c, tip, right}));
  };
  for (int i = 0; i < 4; ++i)
    point(3.14159265 / 4 + i * 3.14159265 / 2, 38, 8, QColor(0xd8, 0xe4, 0xee), QColor(0x8a, 0xa4, 0xbc));
  for (int i = 0; i < 4; ++i) point(i * 3.14159265 / 2, 56, 11, QColor(0xf6, 0xd3, 0x6a), QColor(0xc0, 0x86, 0x18));
  p.setBrush(QColor(0x0b, 0x22, 0x3d));
  p.setPen(QPen(QColor(0xf6, 0xd3, 0x6a), 1.5));
  p.drawEllipse(c, 5, 5);
  QFont small(QStringLiteral("DejaVu Serif"));
  small.setPixelSize(11);
  small.setBold(true);
  p.setFont(small);
  p.setPen(QColor(0xf6, 0xd3, 0x6a));
  p.drawText(QRectF(c.x() - 10, c.y() - 82, 20, 14), Qt::AlignCenter, QStringLiteral("N"));
  // waves
  for (int i = 0; i < 3; ++i) {
    QPainterPath wave;
    const double y = 262 + i * 11;
    wave.moveTo(0, y);
    for (int x = 0; x < 248; x += 31)
      wave.cubicTo(x + 8, y - 5, x + 23, y + 5, x + 31, y);
    p.setPen(QPen(QColor(255, 255, 255, 70 - i * 15), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(wave);
  }
  // words
  QFont title(QStringLiteral("DejaVu Serif"));
  title.setPixelSize(38);
  title.setBold(true);
  p.setFont(title);
  p.setPen(Qt::white);
  p.drawText(QRectF(0, 178, 248, 46), Qt::AlignCenter, QStringLiteral("Quaywise"));
  p.setPen(QPen(QColor(0xe8, 0xb5, 0x30), 1.2));
  p.drawLine(QPointF(44, 226), QPointF(204, 226));
  QFont sub(QStringLiteral("DejaVu Sans"));
  sub.setPixelSize(13);
  sub.setLetterSpacing(QFont::AbsoluteSpacing, 1.2);
  p.setFont(sub);
  p.setPen(QColor(0xf6, 0xd3, 0x6a));
  p.drawText(QRectF(0, 230, 248, 22), Qt::AlignCenter, QStringLiteral("New England Marinas"));
  // frame
  p.setPen(QPen(QColor(0xe8, 0xb5, 0x30, 150), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(6.5, 6.5, 235, 285));
  return img;
}

// The intro shown by the splash: a still title picture in the splash's 4:3
// design proportions, with the logo over the open sea.
QImage Intro() {
  QImage img(1280, 960, QImage::Format_RGB32);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  QLinearGradient sea(0, 0, 0, 960);
  sea.setColorAt(0, QColor(0x05, 0x10, 0x1f));
  sea.setColorAt(0.55, QColor(0x0b, 0x22, 0x3d));
  sea.setColorAt(1, QColor(0x17, 0x4a, 0x78));
  p.fillRect(img.rect(), sea);
  for (int i = 0; i < 6; ++i) {
    QPainterPath wave;
    const double y = 780 + i * 26;
    wave.moveTo(0, y);
    for (int x = 0; x < 1280; x += 80) wave.cubicTo(x + 20, y - 10, x + 60, y + 10, x + 80, y);
    p.setPen(QPen(QColor(255, 255, 255, 60 - i * 8), 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(wave);
  }
  const QImage logo = Logo();
  p.drawImage(QRectF(640 - 186, 90, 372, 447), logo);
  QFont line(QStringLiteral("DejaVu Serif"));
  line.setPixelSize(34);
  p.setFont(line);
  p.setPen(Qt::white);
  p.drawText(QRectF(0, 580, 1280, 50), Qt::AlignCenter, QStringLiteral("Brinewick's Digital Guide to New England Marinas"));
  QFont sub(QStringLiteral("DejaVu Sans"));
  sub.setPixelSize(20);
  sub.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
  p.setFont(sub);
  p.setPen(QColor(0xf6, 0xd3, 0x6a));
  p.drawText(QRectF(0, 640, 1280, 34), Qt::AlignCenter,
             QStringLiteral("Maine  \u00b7  New Hampshire  \u00b7  Massachusetts  \u00b7  Rhode Island"));
  return img;
}

// A two-colour arrow pointer, hot spot at the top left corner.
QImage Pointer() {
  QImage img(32, 32, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const QPolygonF arrow({QPointF(1, 1), QPointF(1, 23), QPointF(6.5, 18), QPointF(10.5, 27.5), QPointF(14.5, 25.8),
                         QPointF(10.6, 16.6), QPointF(17.5, 16.6)});
  p.setPen(QPen(Qt::black, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::white);
  p.drawPolygon(arrow);
  return img;
}

}  // namespace

QStringList WritePictures(const QString& programFolder) {
  QStringList written;
  const QDir dir(programFolder);
  dir.mkpath(QStringLiteral("pictures/toolbar"));
  dir.mkpath(QStringLiteral("pictures/list"));
  const int h = 48;  // rating icons are shown scaled down, so they are drawn large
  const auto widthFor = [&](int count) { return static_cast<int>(h * (1.0 + (count - 1) * 0.97) + 0.5); };
  for (const Ink& ink : {Ink{false}, Ink{true}}) {
    const QString prefix = programFolder + (ink.mono ? QStringLiteral("/b") : QStringLiteral("/c"));
    for (int n = 1; n <= 5; ++n) Save(Strip(DrawBell, n, h, widthFor(n), ink), prefix + QStringLiteral("bell%1.jpg").arg(n), written);
    for (int n = 1; n <= 2; ++n) Save(Strip(DrawLift, n, h, widthFor(n), ink), prefix + QStringLiteral("boat%1.jpg").arg(n), written);
    Save(Strip(DrawSunset, 1, h, h, ink), prefix + QStringLiteral("sunset.jpg"), written);
  }
  // The result grid's eight rating pictures, 17 pixels high.
  const int gridWidths[] = {19, 33, 50, 67, 84, 17, 33, 17};
  for (int i = 0; i < 8; ++i) {
    const Motif motif = i < 5 ? Motif(DrawBell) : i < 7 ? Motif(DrawLift) : Motif(DrawSunset);
    const int count = i < 5 ? i + 1 : i < 7 ? i - 4 : 1;
    Save(Strip(motif, count, 17, gridWidths[i], Ink{false}),
         programFolder + QStringLiteral("/pictures/list/%1.png").arg(i + 1, 2, 10, QLatin1Char('0')), written);
  }
  const std::vector<void (*)(QPainter&)> icons = {IconOpen,  IconSave,   IconSearch, IconFind, IconShow,
                                                  IconSort,  IconPrint,  IconIntro,  IconRating, IconHelp,
                                                  IconExit,  IconMaps,   IconKey};
  for (size_t i = 0; i < icons.size(); ++i) {
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    icons[i](p);
    p.end();
    Save(img, programFolder + QStringLiteral("/pictures/toolbar/%1.png").arg(static_cast<int>(i) + 1, 2, 10, QLatin1Char('0')), written);
  }
  Save(Logo(), programFolder + QStringLiteral("/pictures/logo.png"), written);
  Save(Pointer(), programFolder + QStringLiteral("/pictures/pointer.png"), written);
  Save(Intro(), programFolder + QStringLiteral("/Marina_Final.png"), written);
  return written;
}

}  // namespace qw::demo
