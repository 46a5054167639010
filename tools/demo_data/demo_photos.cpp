// The marina photos of the demo and the report page's ornaments. Each photo
// is a harbour scene drawn from the marina's own random stream: sky and
// clouds, a far shore with hills, trees and houses, water with ripples and
// reflections, a dock with pilings and boats. Which marina gets which photo
// files (user folder, "+" photos, further photos, the program's own photo)
// is fixed below so that the report's photo rules can all be seen.
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <thread>

#include "demo_model.h"
#include "demo_rng.h"
#include "demo_write.h"

namespace qw::demo {
namespace {

constexpr int kWidth = 720;  // 3.625 by 2.375 in, the report's photo box
constexpr int kHeight = 472;

struct Palette {
  QColor skyTop, skyLow, waterTop, waterLow, hillFar, hillNear, trees, glow;
  bool sun;
};

const Palette kPalettes[] = {
    // clear noon
    {QColor(0x3d, 0x7f, 0xc9), QColor(0xb9, 0xd9, 0xf2), QColor(0x6f, 0xa3, 0xc7), QColor(0x1f, 0x4e, 0x73),
     QColor(0x8a, 0xa2, 0xb8), QColor(0x55, 0x74, 0x5c), QColor(0x2f, 0x4f, 0x33), QColor(), false},
    // hazy morning
    {QColor(0x8f, 0xb3, 0xd6), QColor(0xe6, 0xec, 0xef), QColor(0x9c, 0xb8, 0xc9), QColor(0x3c, 0x5e, 0x78),
     QColor(0xa9, 0xb8, 0xc4), QColor(0x78, 0x8f, 0x80), QColor(0x4a, 0x63, 0x50), QColor(0xff, 0xf4, 0xd8), true},
    // late afternoon
    {QColor(0x4a, 0x78, 0xb5), QColor(0xf2, 0xd2, 0x9b), QColor(0x8c, 0x9e, 0xa8), QColor(0x24, 0x3d, 0x5a),
     QColor(0x8e, 0x8a, 0x9c), QColor(0x4d, 0x5c, 0x45), QColor(0x2c, 0x3a, 0x2a), QColor(0xff, 0xc8, 0x70), true},
    // overcast
    {QColor(0x9a, 0xa4, 0xae), QColor(0xd3, 0xd8, 0xdc), QColor(0x8a, 0x98, 0xa2), QColor(0x3a, 0x4a, 0x56),
     QColor(0x9c, 0xa6, 0xae), QColor(0x66, 0x76, 0x6a), QColor(0x3c, 0x4c, 0x40), QColor(), false},
    // bright summer
    {QColor(0x1f, 0x6f, 0xd0), QColor(0xa8, 0xd4, 0xf5), QColor(0x4f, 0x98, 0xc4), QColor(0x10, 0x46, 0x6e),
     QColor(0x7f, 0x9c, 0xb0), QColor(0x4c, 0x7a, 0x4e), QColor(0x28, 0x52, 0x2c), QColor(), false},
};

QColor Mix(const QColor& a, const QColor& b, double t) {
  return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
                          a.blueF() + (b.blueF() - a.blueF()) * t, a.alphaF() + (b.alphaF() - a.alphaF()) * t);
}

QColor WithAlpha(QColor c, int alpha) {
  c.setAlpha(alpha);
  return c;
}

// A ridge line across the picture: midpoint displacement from the left edge
// to the right edge, between top and bottom.
QPolygonF Ridge(Rng& rng, double base, double rough, int steps) {
  std::vector<double> h(static_cast<size_t>(steps) + 1, 0.0);
  h.front() = (rng.Unit() - 0.5) * rough;
  h.back() = (rng.Unit() - 0.5) * rough;
  for (int span = steps; span > 1; span /= 2) {
    for (int i = span / 2; i < steps; i += span) {
      const double mid = (h[static_cast<size_t>(i - span / 2)] + h[static_cast<size_t>(std::min(i + span / 2, steps))]) / 2;
      h[static_cast<size_t>(i)] = mid + (rng.Unit() - 0.5) * rough * span / steps;
    }
  }
  QPolygonF line;
  for (int i = 0; i <= steps; ++i) line << QPointF(kWidth * i / static_cast<double>(steps), base - std::abs(h[static_cast<size_t>(i)]));
  return line;
}

void FillBelow(QPainter& p, QPolygonF line, double bottom, const QBrush& brush) {
  line << QPointF(kWidth, bottom) << QPointF(0, bottom);
  p.setPen(Qt::NoPen);
  p.setBrush(brush);
  p.drawPolygon(line);
}

void Cloud(QPainter& p, Rng& rng, QPointF c, double size, const Palette& pal) {
  const int puffs = rng.IntBetween(4, 8);
  for (int i = 0; i < puffs; ++i) {
    const QPointF at = c + QPointF((rng.Unit() - 0.5) * size * 2.2, (rng.Unit() - 0.6) * size * 0.5);
    const double r = size * (0.35 + rng.Unit() * 0.45);
    QRadialGradient g(at - QPointF(0, r * 0.3), r);
    const QColor light = pal.sun ? Mix(Qt::white, pal.glow, 0.25) : QColor(Qt::white);
    g.setColorAt(0, WithAlpha(light, 220));
    g.setColorAt(0.7, WithAlpha(Mix(light, pal.skyLow, 0.4), 150));
    g.setColorAt(1, WithAlpha(light, 0));
    p.setBrush(g);
    p.setPen(Qt::NoPen);
    p.drawEllipse(at, r * 1.3, r * 0.8);
  }
}

void House(QPainter& p, Rng& rng, double x, double ground, double scale) {
  static const QColor walls[] = {QColor(0xf4, 0xf1, 0xe8), QColor(0xd9, 0xdc, 0xdf), QColor(0xb8, 0x3a, 0x2e),
                                 QColor(0xe8, 0xd8, 0x9a), QColor(0x9a, 0xa8, 0xb4), QColor(0xf7, 0xf7, 0xf2)};
  static const QColor roofs[] = {QColor(0x3b, 0x3f, 0x46), QColor(0x5a, 0x3a, 0x2c), QColor(0x2e, 0x3d, 0x52),
                                 QColor(0x6b, 0x6b, 0x6b)};
  const double w = scale * (14 + rng.Unit() * 16), h = scale * (9 + rng.Unit() * 8);
  const QColor wall = walls[rng.Next() % 6];
  p.setPen(Qt::NoPen);
  p.setBrush(wall);
  p.drawRect(QRectF(x, ground - h, w, h));
  p.setBrush(wall.darker(125));
  p.drawRect(QRectF(x + w * 0.78, ground - h, w * 0.22, h));
  p.setBrush(roofs[rng.Next() % 4]);
  const double peak = h * (0.5 + rng.Unit() * 0.4);
  p.drawPolygon(QPolygonF({QPointF(x - w * 0.06, ground - h), QPointF(x + w / 2, ground - h - peak),
                           QPointF(x + w * 1.06, ground - h)}));
  p.setBrush(QColor(0x2a, 0x33, 0x3c, 200));
  const int windows = std::max(1, static_cast<int>(w / (6 * scale)));
  for (int i = 0; i < windows; ++i)
    p.drawRect(QRectF(x + w * (i + 0.35) / windows - scale, ground - h * 0.65, scale * 2.2, scale * 2.6));
}

void Lighthouse(QPainter& p, double x, double ground, double scale) {
  const double h = 46 * scale, wb = 9 * scale, wt = 6 * scale;
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xf6, 0xf6, 0xf2));
  p.drawPolygon(QPolygonF({QPointF(x - wb / 2, ground), QPointF(x - wt / 2, ground - h), QPointF(x + wt / 2, ground - h),
                           QPointF(x + wb / 2, ground)}));
  p.setBrush(QColor(0xd8, 0xd8, 0xd2));
  p.drawPolygon(QPolygonF({QPointF(x + wb * 0.15, ground), QPointF(x + wt * 0.15, ground - h), QPointF(x + wt / 2, ground - h),
                           QPointF(x + wb / 2, ground)}));
  p.setBrush(QColor(0x26, 0x2a, 0x30));
  p.drawRect(QRectF(x - wt * 0.6, ground - h - 7 * scale, wt * 1.2, 7 * scale));
  p.setBrush(QColor(0xff, 0xe9, 0x9a));
  p.drawRect(QRectF(x - wt * 0.4, ground - h - 6 * scale, wt * 0.8, 4 * scale));
  p.setBrush(QColor(0xa8, 0x2a, 0x22));
  p.drawPolygon(QPolygonF({QPointF(x - wt * 0.7, ground - h - 7 * scale), QPointF(x, ground - h - 12 * scale),
                           QPointF(x + wt * 0.7, ground - h - 7 * scale)}));
}

// A boat seen from the side, waterline centre at c, `length` pixels long.
void Boat(QPainter& p, Rng& rng, QPointF c, double length, bool reflection) {
  static const QColor hulls[] = {QColor(0xf8, 0xf8, 0xf6), QColor(0xf2, 0xf0, 0xe6), QColor(0x1d, 0x2f, 0x52),
                                 QColor(0x9e, 0x24, 0x22), QColor(0x2f, 0x6a, 0x4a), QColor(0xf8, 0xf8, 0xf6)};
  const bool sail = rng.Chance(0.55);
  const bool right = rng.Chance(0.5);
  const QColor hull = hulls[rng.Next() % 6];
  const double L = length, H = length * (sail ? 0.11 : 0.13);
  const double dir = right ? 1 : -1;
  const auto pt = [&](double fx, double fy) { return c + QPointF(dir * fx * L, fy * H); };
  QPainterPath body;  // transom, sheer rising to the bow, stem, keel line
  body.moveTo(pt(-0.47, 0.1));
  body.lineTo(pt(-0.5, -1.0));
  body.cubicTo(pt(-0.1, -1.05), pt(0.3, -1.1), pt(0.52, -1.35));
  body.cubicTo(pt(0.47, -0.7), pt(0.42, -0.1), pt(0.32, 0.1));
  body.closeSubpath();
  if (reflection) {
    // mirrored about the waterline, shortened and faint
    p.save();
    p.translate(0, c.y());
    p.scale(1, -0.7);
    p.translate(0, -c.y());
    p.setOpacity(0.28);
    p.setPen(Qt::NoPen);
    p.setBrush(hull.darker(130));
    p.drawPath(body);
    p.restore();
  }
  const double line = std::max(0.5, L / 220);
  // superstructure first, so that the hull's sheer covers its foot
  const QColor white(0xee, 0xf0, 0xf0), glass(0x2c, 0x3a, 0x48);
  if (sail) {
    QPainterPath roof;
    roof.moveTo(pt(-0.22, -0.95));
    roof.lineTo(pt(-0.2, -1.55));
    roof.lineTo(pt(0.08, -1.55));
    roof.lineTo(pt(0.2, -1.1));
    roof.closeSubpath();
    p.setPen(QPen(white.darker(140), line));
    p.setBrush(white);
    p.drawPath(roof);
    p.setPen(Qt::NoPen);
    p.setBrush(glass);
    for (int i = 0; i < 3; ++i) p.drawEllipse(pt(-0.14 + i * 0.1, -1.3), L * 0.018, H * 0.13);
  } else {
    QPainterPath cabin;
    cabin.moveTo(pt(-0.3, -1.0));
    cabin.lineTo(pt(-0.3, -1.85));
    cabin.lineTo(pt(0.02, -1.85));
    cabin.lineTo(pt(0.2, -1.1));
    cabin.closeSubpath();
    p.setPen(QPen(white.darker(140), line));
    p.setBrush(white);
    p.drawPath(cabin);
    QPainterPath windows;
    windows.moveTo(pt(-0.26, -1.35));
    windows.lineTo(pt(-0.26, -1.7));
    windows.lineTo(pt(0.0, -1.7));
    windows.lineTo(pt(0.09, -1.35));
    windows.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(glass);
    p.drawPath(windows);
    if (L > 120 && rng.Chance(0.5)) {  // flybridge rail and canopy
      p.setPen(QPen(QColor(0xb0, 0xb4, 0xb8), line * 1.5));
      p.drawLine(pt(-0.28, -2.3), pt(-0.02, -2.3));
      p.drawLine(pt(-0.26, -1.85), pt(-0.26, -2.3));
      p.drawLine(pt(-0.04, -1.85), pt(-0.04, -2.3));
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(0x1f, 0x3a, 0x66));
      p.drawRect(QRectF(std::min(pt(-0.3, 0).x(), pt(0.0, 0).x()), c.y() - H * 2.55, L * 0.3, H * 0.25));
    }
  }
  p.setPen(QPen(hull.darker(170), line));
  QLinearGradient shade(c.x(), c.y() - H * 1.2, c.x(), c.y() + H * 0.2);
  shade.setColorAt(0, hull.lighter(108));
  shade.setColorAt(1, hull.darker(140));
  p.setBrush(shade);
  p.drawPath(body);
  // rub rail and boot stripe
  p.setPen(QPen(hull.lightness() > 128 ? QColor(0x80, 0x86, 0x8c) : QColor(0xe0, 0xe0, 0xe0), std::max(0.6, H * 0.1)));
  p.drawLine(pt(-0.49, -0.85), pt(0.46, -1.08));
  p.setPen(QPen(rng.Chance(0.5) ? QColor(0x1d, 0x2f, 0x52) : QColor(0x9e, 0x24, 0x22), std::max(0.8, H * 0.12)));
  p.drawLine(pt(-0.47, -0.02), pt(0.36, -0.02));
  if (sail) {
    const QPointF foot = pt(0.02, -1.55);
    const double mast = L * (1.1 + rng.Unit() * 0.35);
    p.setPen(QPen(QColor(0xb8, 0xbc, 0xc0), std::max(0.8, L / 110)));
    p.drawLine(foot, foot - QPointF(0, mast));
    p.setPen(QPen(QColor(0x9a, 0xa0, 0xa6), std::max(0.4, L / 300)));
    p.drawLine(foot - QPointF(0, mast), pt(0.52, -1.3));
    p.drawLine(foot - QPointF(0, mast), pt(-0.49, -1.0));
    // boom with the furled mainsail under its cover
    p.setPen(Qt::NoPen);
    p.setBrush(rng.Chance(0.6) ? QColor(0x1f, 0x4e, 0x8a) : QColor(0xc9, 0xb8, 0x8a));
    const QPointF boomEnd = pt(-0.4, -1.7);
    p.drawRoundedRect(QRectF(std::min(foot.x(), boomEnd.x()), foot.y() - H * 0.9, std::abs(boomEnd.x() - foot.x()), H * 0.55),
                      H * 0.2, H * 0.2);
  }
}

// Water from the horizon down: sky-lit at the top, deeper below, with
// ripples that grow towards the viewer.
void Water(QPainter& p, Rng& rng, double horizon, const Palette& pal) {
  QLinearGradient g(0, horizon, 0, kHeight);
  g.setColorAt(0, pal.waterTop);
  g.setColorAt(1, pal.waterLow);
  p.fillRect(QRectF(0, horizon, kWidth, kHeight - horizon), g);
  const int ripples = 900;
  for (int i = 0; i < ripples; ++i) {
    const double t = std::pow(rng.Unit(), 0.8);
    const double y = horizon + 2 + t * (kHeight - horizon);
    const double len = 3 + t * t * 55 * (0.4 + rng.Unit());
    const double x = rng.Unit() * kWidth;
    const bool light = rng.Chance(0.5);
    p.setPen(QPen(light ? WithAlpha(Mix(pal.skyLow, Qt::white, 0.3), 40 + static_cast<int>(50 * t))
                        : WithAlpha(pal.waterLow.darker(130), 35 + static_cast<int>(40 * t)),
                  0.6 + t * 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(x, y), QPointF(x + len, y));
  }
  if (pal.sun) {
    // the sun's path on the water
    const double cx = kWidth * (0.3 + rng.Unit() * 0.4);
    for (int i = 0; i < 160; ++i) {
      const double t = rng.Unit();
      const double y = horizon + 2 + t * (kHeight - horizon) * 0.7;
      const double spread = 10 + t * 90;
      const double x = cx + (rng.Unit() - 0.5) * spread * 2;
      p.setPen(QPen(WithAlpha(pal.glow, 90), 1 + t * 2, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(x, y), QPointF(x + 4 + t * 20, y));
    }
  }
}

// The shore at the horizon: far hills, a band of trees, houses, sometimes a
// lighthouse, and its dark reflection in the water.
void Shore(QPainter& p, Rng& rng, double horizon, const Palette& pal) {
  FillBelow(p, Ridge(rng, horizon - 22 - rng.Unit() * 40, 70, 64), horizon, WithAlpha(pal.hillFar, 255));
  QPolygonF near = Ridge(rng, horizon - 8 - rng.Unit() * 16, 26, 128);
  FillBelow(p, near, horizon, pal.hillNear);
  // tree crowns along the near ridge
  for (int i = 0; i < 170; ++i) {
    const double x = rng.Unit() * kWidth;
    const double top = near[static_cast<int>(x / kWidth * 128)].y();
    const double r = 3 + rng.Unit() * 6;
    p.setBrush(Mix(pal.trees, pal.hillNear, rng.Unit() * 0.5));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(x, top + r * 0.6), r, r * 1.2);
  }
  // a village by the water
  const int houses = rng.IntBetween(3, 11);
  const double village = rng.Unit() * kWidth * 0.7;
  for (int i = 0; i < houses; ++i)
    House(p, rng, village + i * (20 + rng.Unit() * 16), horizon - rng.Unit() * 3, 0.8 + rng.Unit() * 0.4);
  if (rng.Chance(0.35)) Lighthouse(p, kWidth * (rng.Chance(0.5) ? 0.08 + rng.Unit() * 0.1 : 0.82 + rng.Unit() * 0.1), horizon, 0.9);
  // the shoreline and its reflection
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x8a, 0x80, 0x6c));
  p.drawRect(QRectF(0, horizon - 1.5, kWidth, 2.5));
  QLinearGradient refl(0, horizon, 0, horizon + 24);
  refl.setColorAt(0, WithAlpha(pal.hillNear.darker(140), 150));
  refl.setColorAt(1, WithAlpha(pal.hillNear.darker(140), 0));
  p.fillRect(QRectF(0, horizon + 1, kWidth, 24), refl);
}

const QColor kWood(0xa6, 0x8e, 0x6c), kWoodDark(0x5e, 0x4b, 0x38);

// A float at dockY from x0 to x1 with pilings and boats berthed behind it.
void Float(QPainter& p, Rng& rng, double horizon, double dockY, double x0, double x1) {
  const double scale = (dockY - horizon) / (kHeight - horizon);
  const double deck = 10 * scale + 3, face = 7 * scale + 2;
  const int berths = std::max(1, static_cast<int>((x1 - x0) / (100 * scale + 45)));
  for (int i = 0; i < berths; ++i) {
    const double x = x0 + (x1 - x0) * (i + 0.5) / berths + (rng.Unit() - 0.5) * 16;
    Boat(p, rng, QPointF(x, dockY - deck * 0.4), (90 * scale + 40) * (0.8 + rng.Unit() * 0.45), false);
  }
  const int piles = static_cast<int>((x1 - x0) / 70) + 2;
  for (int i = 0; i < piles; ++i) {
    const double x = x0 + (x1 - x0) * i / (piles - 1);
    const double w = 5 * scale + 3;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x4a, 0x3c, 0x2e));
    p.drawRect(QRectF(x - w / 2, dockY - deck - 22 * scale - 6, w, deck + face + 22 * scale + 6));
    p.setBrush(QColor(0x30, 0x28, 0x20, 90));
    p.drawRect(QRectF(x - w / 2, dockY + face, w, 30 * scale + 8));
  }
  QLinearGradient deckShade(0, dockY - deck, 0, dockY);
  deckShade.setColorAt(0, kWood.lighter(112));
  deckShade.setColorAt(1, kWood);
  p.setBrush(deckShade);
  p.drawRect(QRectF(x0, dockY - deck, x1 - x0, deck));
  p.setBrush(kWoodDark);
  p.drawRect(QRectF(x0, dockY, x1 - x0, face));
  p.setPen(QPen(WithAlpha(kWoodDark, 110), 0.8));
  for (double x = x0; x < x1; x += 6 + 4 * scale) p.drawLine(QPointF(x, dockY - deck), QPointF(x - 2, dockY));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x20, 0x20, 0x18, 60));
  p.drawRect(QRectF(x0, dockY + face, x1 - x0, face * 1.6));
}

// A gangway from the float at (gx, dockY) down to the near edge.
void Gangway(QPainter& p, double horizon, double dockY, double gx) {
  const double scale = (dockY - horizon) / (kHeight - horizon);
  const double top = 14 * scale + 6, bottom = 80;
  QLinearGradient gang(0, dockY, 0, kHeight);
  gang.setColorAt(0, kWood);
  gang.setColorAt(1, kWood.lighter(118));
  p.setPen(Qt::NoPen);
  p.setBrush(gang);
  p.drawPolygon(QPolygonF({QPointF(gx - top, dockY - 2), QPointF(gx + top, dockY - 2), QPointF(gx + bottom, kHeight + 2),
                           QPointF(gx - bottom, kHeight + 2)}));
  p.setPen(QPen(WithAlpha(kWoodDark, 120), 1));
  for (int i = 1; i < 16; ++i) {
    const double t = i / 16.0;
    const double y = dockY + (kHeight - dockY) * t * t;
    const double half = top + (bottom - top) * t * t;
    p.drawLine(QPointF(gx - half, y), QPointF(gx + half, y));
  }
  // hand rails on posts along both edges
  for (const double side : {-1.0, 1.0}) {
    QPolygonF rail;
    for (int i = 0; i <= 6; ++i) {
      const double t = i / 6.0;
      const double y = dockY + (kHeight - dockY) * t * t;
      const double x = gx + side * (top + (bottom - top) * t * t);
      const double post = 8 + 60 * t * t;
      p.setPen(QPen(QColor(0x9a, 0x9e, 0xa2), 1 + 2.5 * t * t));
      p.drawLine(QPointF(x, y), QPointF(x, y - post));
      rail << QPointF(x, y - post);
    }
    p.setPen(QPen(QColor(0xd0, 0xd2, 0xd4), 2));
    p.drawPolyline(rail);
  }
}

// Granite and weed along the near shore.
void Rocks(QPainter& p, Rng& rng, double top) {
  const int rocks = rng.IntBetween(9, 16);
  for (int i = 0; i < rocks; ++i) {
    const double cx = kWidth * (i + rng.Unit()) / rocks;
    const double w = 50 + rng.Unit() * 90, h = (kHeight - top) * (0.6 + rng.Unit() * 0.9);
    QPolygonF stone;
    for (int k = 0; k < 9; ++k) {
      const double a = 3.14159265 * (1 + k / 8.0);
      stone << QPointF(cx + std::cos(a) * w / 2 * (0.8 + rng.Unit() * 0.3), kHeight + 6 + std::sin(a) * h * (0.8 + rng.Unit() * 0.3));
    }
    QLinearGradient g(cx, kHeight - h, cx + w / 3, kHeight);
    const int grey = 0x70 + static_cast<int>(rng.Unit() * 0x40);
    g.setColorAt(0, QColor(grey + 0x30, grey + 0x2a, grey + 0x22));
    g.setColorAt(1, QColor(grey - 0x30, grey - 0x32, grey - 0x36));
    p.setPen(QPen(QColor(0x3a, 0x36, 0x30, 120), 1));
    p.setBrush(g);
    p.drawPolygon(stone);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x6b, 0x5a, 0x2a, 170));  // rockweed at the waterline
  for (int i = 0; i < 60; ++i) p.drawEllipse(QPointF(rng.Unit() * kWidth, top + (kHeight - top) * (0.35 + rng.Unit() * 0.3)), 8 + rng.Unit() * 14, 3);
}

// What stands in front of the water: a float with a gangway, two floats
// across a basin, or a mooring field seen from the rocks.
void Foreground(QPainter& p, Rng& rng, double horizon) {
  const int kind = rng.PickWeighted({5, 3, 2});
  const bool mirrored = rng.Chance(0.5);
  const double water = kHeight - horizon;
  if (kind == 0) {
    const double dockY = horizon + water * (0.42 + rng.Unit() * 0.2);
    const double x0 = mirrored ? kWidth * (0.25 + rng.Unit() * 0.2) : -10;
    const double x1 = mirrored ? kWidth + 10 : kWidth * (0.55 + rng.Unit() * 0.25);
    Float(p, rng, horizon, dockY, x0, x1);
    const double gx = mirrored ? x0 + (x1 - x0) * (0.2 + rng.Unit() * 0.3) : x1 - (x1 - x0) * (0.2 + rng.Unit() * 0.3);
    Gangway(p, horizon, dockY, gx);
    if (rng.Chance(0.7)) {
      const double x = mirrored ? gx - 170 - rng.Unit() * 60 : gx + 170 + rng.Unit() * 60;
      Boat(p, rng, QPointF(x, dockY + (kHeight - dockY) * 0.55), 190 + rng.Unit() * 60, true);
    }
  } else if (kind == 1) {
    const double farY = horizon + water * (0.2 + rng.Unit() * 0.08);
    Float(p, rng, horizon, farY, mirrored ? kWidth * 0.3 : -10, mirrored ? kWidth + 10 : kWidth * 0.7);
    const double nearY = horizon + water * (0.62 + rng.Unit() * 0.12);
    Float(p, rng, horizon, nearY, mirrored ? -10 : kWidth * (0.1 + rng.Unit() * 0.2),
          mirrored ? kWidth * (0.75 + rng.Unit() * 0.15) : kWidth + 10);
  } else {
    const int moored = rng.IntBetween(2, 4);
    for (int i = 0; i < moored; ++i) {
      const double t = 0.35 + rng.Unit() * 0.3;
      Boat(p, rng, QPointF(kWidth * (i + 0.2 + rng.Unit() * 0.6) / moored, horizon + water * t), 60 + t * 160, true);
    }
    Rocks(p, rng, horizon + water * (0.8 + rng.Unit() * 0.08));
  }
}

QImage Photo(int marinaNo, int shot) {
  Rng rng(marinaNo, "photos", "scene", shot);
  const Palette& pal = kPalettes[rng.Next() % (sizeof kPalettes / sizeof kPalettes[0])];
  QImage img(kWidth, kHeight, QImage::Format_RGB32);
  // A new image holds whatever memory it was given: the parts the scene does
  // not paint over would differ from one run of the generator to the next.
  img.fill(Qt::black);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const double horizon = kHeight * (0.36 + rng.Unit() * 0.14);
  QLinearGradient sky(0, 0, 0, horizon);
  sky.setColorAt(0, pal.skyTop);
  sky.setColorAt(1, pal.skyLow);
  p.fillRect(QRectF(0, 0, kWidth, horizon + 1), sky);
  if (pal.sun) {
    QRadialGradient glow(QPointF(kWidth * (0.2 + rng.Unit() * 0.6), horizon - 30), kWidth * 0.45);
    glow.setColorAt(0, WithAlpha(pal.glow, 170));
    glow.setColorAt(1, WithAlpha(pal.glow, 0));
    p.fillRect(QRectF(0, 0, kWidth, horizon + 1), glow);
  }
  const int clouds = rng.IntBetween(2, 7);
  for (int i = 0; i < clouds; ++i)
    Cloud(p, rng, QPointF(rng.Unit() * kWidth, horizon * (0.12 + rng.Unit() * 0.6)), 18 + rng.Unit() * 40, pal);
  Shore(p, rng, horizon, pal);
  p.end();
  // the far shore a little soft, as haze and the lens make it
  img = img.scaled(kWidth / 2, kHeight / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .scaled(kWidth, kHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  p.begin(&img);
  p.setRenderHint(QPainter::Antialiasing);
  Water(p, rng, horizon, pal);
  // moorings in the middle distance
  const int moored = rng.IntBetween(2, 7);
  for (int i = 0; i < moored; ++i) {
    const double t = 0.05 + rng.Unit() * 0.25;
    Boat(p, rng, QPointF(rng.Unit() * kWidth, horizon + (kHeight - horizon) * t), 22 + t * 120, true);
  }
  Foreground(p, rng, horizon);
  p.end();
  // a little grain and a soft vignette, as a camera gives
  Rng grain(marinaNo, "photos", "grain", shot);
  for (int y = 0; y < kHeight; ++y) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    const double vy = (y - kHeight / 2.0) / kHeight;
    for (int x = 0; x < kWidth; ++x) {
      const double vx = (x - kWidth / 2.0) / kWidth;
      const double shade = 1.0 - 0.35 * (vx * vx + vy * vy);
      const int noise = static_cast<int>(grain.Next() % 9) - 4;
      const QRgb c = line[x];
      const auto ch = [&](int v) { return std::clamp(static_cast<int>(v * shade) + noise, 0, 255); };
      line[x] = qRgb(ch(qRed(c)), ch(qGreen(c)), ch(qBlue(c)));
    }
  }
  return img;
}

// One photo to write: whose scene, which shot, where.
struct PhotoFile {
  int marinaNo;
  int shot;
  QString path;
};

// The photos of each marina:
// - most marinas: a user folder Photos/<geo>/<no> with the main photo
//   <geo>-<no>-@1.jpg; every seventh also an older @1 and a "+" photo @2+
//   that wins; every eleventh a plain @3 and a "+" @3 (the "+" one wins);
// - every ninth marina and 581: no user folder, the program's own photo
//   photos/<geo>-<no>.jpg instead;
// - 479: a user folder holding only a further photo (no "@"): the report
//   falls back to the program's photo;
// - 484: no photo at all;
// - further photos <geo>-<no>-<n>.jpg for every thirteenth marina (1 to 4 of
//   them, some as "+" photos), and 507 with ten of them (2 and 2+ both).
std::vector<PhotoFile> PlanPhotos(const QString& programFolder, const std::vector<MapMark>& marks) {
  std::vector<PhotoFile> files;
  for (const MapMark& m : marks) {
    const int no = m.marinaNo;
    const QString stem = QStringLiteral("%1-%2-").arg(m.geoCode).arg(no);
    const QString user = QStringLiteral("%1/Photos/%2/%3/").arg(programFolder).arg(m.geoCode).arg(no);
    const QString own = QStringLiteral("%1/photos/%2-%3.jpg").arg(programFolder).arg(m.geoCode).arg(no);
    if (no == 484) continue;
    if (no == 479) {
      files.push_back({no, 5, user + stem + QStringLiteral("1.jpg")});
      files.push_back({no, 0, own});
      continue;
    }
    if (no % 9 == 0 || no == 581) {
      files.push_back({no, 0, own});
      continue;
    }
    if (no % 7 == 0) {
      files.push_back({no, 1, user + stem + QStringLiteral("@1.jpg")});
      files.push_back({no, 0, user + stem + QStringLiteral("@2+.jpg")});
    } else if (no % 11 == 0) {
      files.push_back({no, 1, user + stem + QStringLiteral("@3.jpg")});
      files.push_back({no, 0, user + stem + QStringLiteral("@3+.jpg")});
    } else {
      files.push_back({no, 0, user + stem + QStringLiteral("@1.jpg")});
    }
    if (no == 507) {
      for (int n = 1; n <= 10; ++n) files.push_back({no, 10 + n, user + stem + QString::number(n) + QStringLiteral(".jpg")});
      files.push_back({no, 30, user + stem + QStringLiteral("2+.jpg")});
    } else if (no % 13 == 0) {
      const int extra = 1 + no % 4;
      for (int n = 1; n <= extra; ++n)
        files.push_back({no, 10 + n, user + stem + QString::number(n) + (n == 2 ? QStringLiteral("+.jpg") : QStringLiteral(".jpg"))});
    }
  }
  return files;
}

void WriteJpeg(const QImage& img, const QString& path) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  if (!img.save(path, "JPG", 86)) throw std::runtime_error(("cannot write " + path).toStdString());
}

// A picture of one colour, w by h pixels (PNG content under the page's names).
void WriteFlat(const QString& path, const QColor& colour, int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(colour);
  if (!img.save(path, "PNG")) throw std::runtime_error(("cannot write " + path).toStdString());
}

}  // namespace

QStringList WriteMarinaPhotos(const QString& programFolder, const std::vector<MapMark>& marks) {
  const std::vector<PhotoFile> files = PlanPhotos(programFolder, marks);
  // Drawn on a few threads: each photo is independent of the others.
  const size_t threads = std::clamp<size_t>(std::thread::hardware_concurrency(), 1, 3);
  std::vector<std::string> errors(threads);
  std::vector<std::thread> pool;
  for (size_t t = 0; t < threads; ++t) {
    pool.emplace_back([&, t] {
      try {
        for (size_t i = t; i < files.size(); i += threads) WriteJpeg(Photo(files[i].marinaNo, files[i].shot), files[i].path);
      } catch (const std::exception& e) {
        errors[t] = e.what();
      }
    });
  }
  for (std::thread& th : pool) th.join();
  for (const std::string& e : errors)
    if (!e.empty()) throw std::runtime_error(e);
  QStringList written;
  for (const PhotoFile& f : files) written << f.path;
  return written;
}

QStringList WriteOrnaments(const QString& programFolder) {
  const QColor navy(0x0b, 0x1f, 0x4a);
  WriteFlat(programFolder + QStringLiteral("/bpin.gif"), navy, 4, 4);
  WriteFlat(programFolder + QStringLiteral("/bpingray.gif"), QColor(0x80, 0x80, 0x80), 4, 4);
  WriteFlat(programFolder + QStringLiteral("/bpinlight3.gif"), QColor(0xb4, 0xba, 0xc6), 4, 4);
  // The rule's end piece: a navy quarter round.
  QImage corner(16, 32, QImage::Format_ARGB32);
  corner.fill(Qt::transparent);
  QPainter p(&corner);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(navy);
  p.drawRoundedRect(QRectF(0, 0, 16, 32), 8, 8);
  p.end();
  const QString cornerPath = programFolder + QStringLiteral("/corner.gif");
  if (!corner.save(cornerPath, "PNG")) throw std::runtime_error("cannot write corner.gif");
  return {programFolder + QStringLiteral("/bpin.gif"), programFolder + QStringLiteral("/bpingray.gif"),
          programFolder + QStringLiteral("/bpinlight3.gif"), cornerPath};
}

}  // namespace qw::demo
