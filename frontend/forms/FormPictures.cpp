#include "forms/FormPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

namespace zrv::front {

namespace {

const QColor kSoil(222, 196, 150);
const QColor kSoil2(200, 170, 120);
const QColor kSoil3(176, 146, 100);
const QColor kWeak(236, 222, 190);
const QColor kRock(150, 150, 150);
const QColor kConcrete(190, 190, 200);
const QColor kMachine(120, 150, 200);

void hatch(QPainter& p, const QRectF& r, const QColor& fill, Qt::BrushStyle style = Qt::BDiagPattern) {
  p.fillRect(r, fill);
  p.fillRect(r, QBrush(QColor(90, 70, 40), style));
}

void block(QPainter& p, const QRectF& r, const QColor& fill) {
  p.setPen(QPen(Qt::black, 1.5));
  p.setBrush(fill);
  p.drawRect(r);
}

void text(QPainter& p, const QPointF& at, const QString& s) {
  p.setPen(Qt::black);
  p.drawText(at, s);
}

void arrow(QPainter& p, QPointF from, QPointF to, const QString& label = {}) {
  p.setPen(QPen(Qt::black, 1.5));
  p.drawLine(from, to);
  const QPointF d = to - from;
  const qreal len = std::hypot(d.x(), d.y());
  if (len <= 0) return;
  const QPointF u = d / len, n(-u.y(), u.x());
  p.setBrush(Qt::black);
  p.drawPolygon(QPolygonF({to, to - 8 * u + 4 * n, to - 8 * u - 4 * n}));
  if (!label.isEmpty()) text(p, to + 6 * u + QPointF(-4, 4), label);
}

void dimension(QPainter& p, qreal x, qreal y0, qreal y1, const QString& label) {
  p.setPen(QPen(Qt::black, 1, Qt::DashLine));
  p.drawLine(QPointF(x, y0), QPointF(x, y1));
  p.setPen(Qt::black);
  p.drawLine(QPointF(x - 4, y0), QPointF(x + 4, y0));
  p.drawLine(QPointF(x - 4, y1), QPointF(x + 4, y1));
  text(p, QPointF(x + 6, (y0 + y1) / 2 + 4), label);
}

void ground(QPainter& p, qreal y, qreal width) {
  p.setPen(QPen(Qt::black, 2));
  p.drawLine(QPointF(0, y), QPointF(width, y));
}

void footingOnSurface(QPainter& p, qreal cx, qreal y, qreal w, qreal h) {
  block(p, QRectF(cx - w / 2, y - h, w, h), kConcrete);
  arrow(p, QPointF(cx, y - h - 34), QPointF(cx, y - h - 2), {});
  text(p, QPointF(cx + 6, y - h - 20), QStringLiteral("P e^iwt"));
}

QImage canvas(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

void drawLayout(QPainter& p) {
  hatch(p, QRectF(0, 110, 360, 130), kSoil);
  ground(p, 110, 360);
  text(p, QPointF(10, 20), QStringLiteral("Surface footing"));
  footingOnSurface(p, 85, 110, 90, 24);
  text(p, QPointF(195, 20), QStringLiteral("Embedded footing"));
  // The embedded footing, its weakened zone and the side layer around it.
  hatch(p, QRectF(200, 110, 140, 50), kSoil2, Qt::FDiagPattern);
  p.fillRect(QRectF(222, 110, 96, 50), kWeak);
  block(p, QRectF(235, 90, 70, 70), kConcrete);
  text(p, QPointF(200, 182), QStringLiteral("side layer"));
  p.setPen(QPen(Qt::black, 1));
  p.drawLine(QPointF(226, 140), QPointF(212, 200));
  text(p, QPointF(160, 214), QStringLiteral("weakened zone"));
  dimension(p, 345, 110, 160, QStringLiteral("e"));
  text(p, QPointF(10, 230), QStringLiteral("soil"));
}

void drawHalfSpace(QPainter& p) {
  hatch(p, QRectF(0, 110, 360, 130), kSoil);
  ground(p, 110, 360);
  footingOnSurface(p, 180, 110, 120, 28);
  text(p, QPointF(120, 180), QStringLiteral("HALF-SPACE"));
  text(p, QPointF(120, 200), QStringLiteral("Vs, unit weight, Poisson, damping"));
}

void drawStratum(QPainter& p) {
  hatch(p, QRectF(0, 110, 360, 80), kSoil);
  hatch(p, QRectF(0, 190, 360, 50), kRock, Qt::CrossPattern);
  ground(p, 110, 360);
  p.setPen(QPen(Qt::black, 2));
  p.drawLine(QPointF(0, 190), QPointF(360, 190));
  footingOnSurface(p, 160, 110, 120, 28);
  text(p, QPointF(20, 160), QStringLiteral("STRATUM"));
  text(p, QPointF(20, 225), QStringLiteral("rigid bed rock"));
  dimension(p, 320, 110, 190, QStringLiteral("H"));
}

void drawMultilayer(QPainter& p) {
  const QColor colours[] = {kSoil, kSoil2, kSoil3, kSoil2};
  for (int i = 0; i < 4; ++i) {
    hatch(p, QRectF(0, 110 + 30 * i, 360, 30), colours[i]);
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(QPointF(0, 110 + 30 * i), QPointF(360, 110 + 30 * i));
    text(p, QPointF(290, 130 + 30 * i), QStringLiteral("layer %1").arg(i + 1));
  }
  ground(p, 110, 360);
  footingOnSurface(p, 160, 110, 120, 28);
  text(p, QPointF(20, 50), QStringLiteral("MULTILAYER"));
}

void drawPiles(QPainter& p, qreal cx, qreal top, qreal bottom, int count, qreal spacing) {
  for (int i = 0; i < count; ++i) {
    const qreal x = cx + (i - (count - 1) / 2.0) * spacing;
    block(p, QRectF(x - 5, top, 10, bottom - top), kConcrete);
  }
}

void drawPile(QPainter& p) {
  hatch(p, QRectF(0, 110, 360, 45), kSoil);
  hatch(p, QRectF(0, 155, 360, 45), kSoil2);
  hatch(p, QRectF(0, 200, 360, 40), kSoil3);
  ground(p, 110, 360);
  drawPiles(p, 180, 110, 215, 4, 40);
  footingOnSurface(p, 180, 112, 180, 26);
  text(p, QPointF(10, 30), QStringLiteral("PILE GROUP"));
  text(p, QPointF(290, 135), QStringLiteral("layer 1"));
  text(p, QPointF(290, 180), QStringLiteral("layer 2"));
  text(p, QPointF(290, 225), QStringLiteral("tip soil"));
}

// Three machines M1, M2, M3 on the footing or cap; the soil in two
// sub-layers; piles below a cap.
void drawMassedFoundation(QPainter& p, bool pileCap) {
  const qreal ground = 200;
  hatch(p, QRectF(0, ground, 300, 50), kSoil);
  hatch(p, QRectF(0, ground + 50, 300, 40), kSoil2);
  front::ground(p, ground, 300);
  if (pileCap) drawPiles(p, 150, ground, ground + 82, 4, 55);
  block(p, QRectF(50, ground - 30, 200, 30), kConcrete);
  const qreal widths[] = {50, 40, 36};
  const qreal heights[] = {40, 56, 30};
  qreal x = 60;
  for (int i = 0; i < 3; ++i) {
    block(p, QRectF(x, ground - 30 - heights[i], widths[i], heights[i]), kMachine);
    text(p, QPointF(x + 6, ground - 30 - heights[i] / 2 + 4), QStringLiteral("M%1").arg(i + 1));
    x += widths[i] + 14;
  }
  text(p, QPointF(8, 20),
       pileCap ? QStringLiteral("Pile cap with equipment") : QStringLiteral("Footing with equipment"));
}

// A plate with the local axes at a corner of its base, the C.G. with the
// global axes (Z down) and the C.B. at the centre of the base.
void drawAxes(QPainter& p) {
  const QPointF origin(30, 405);
  const qreal w = 200, h = 60, depth = 40;
  const QPointF b0 = origin, b1 = origin + QPointF(w, 0), b2 = b1 + QPointF(depth, -depth / 2),
                b3 = b0 + QPointF(depth, -depth / 2);
  const QPointF up(0, -h);
  p.setPen(QPen(Qt::black, 1.5));
  p.setBrush(kConcrete);
  p.drawPolygon(QPolygonF({b0 + up, b1 + up, b2 + up, b3 + up}));
  p.drawPolygon(QPolygonF({b0, b1, b1 + up, b0 + up}));
  p.drawPolygon(QPolygonF({b1, b2, b2 + up, b1 + up}));
  arrow(p, origin, origin + QPointF(w + 40, 0), QStringLiteral("x"));
  arrow(p, origin, origin + QPointF(depth + 20, -(depth + 20) / 2), QStringLiteral("y"));
  arrow(p, origin, origin + QPointF(0, -h - 40), QStringLiteral("z"));
  const QPointF cb = (b0 + b1 + b2 + b3) / 4;
  p.setBrush(Qt::white);
  p.drawEllipse(cb, 4, 4);
  text(p, cb + QPointF(8, 14), QStringLiteral("C.B."));
  const QPointF cg = cb + up * 0.5;
  p.setBrush(Qt::black);
  p.drawEllipse(cg, 4, 4);
  text(p, cg + QPointF(-36, -6), QStringLiteral("C.G."));
  arrow(p, cg, cg + QPointF(60, 0), QStringLiteral("X"));
  arrow(p, cg, cg + QPointF(34, -17), QStringLiteral("Y"));
  arrow(p, cg, cg + QPointF(0, 44), QStringLiteral("Z"));
}

}  // namespace

QImage drawFormPicture(TFormPicture which) {
  const bool mass = which == TFormPicture::FootingMass || which == TFormPicture::PileCapMass;
  QImage image = mass ? canvas(300, 430) : canvas(360, 240);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  switch (which) {
    case TFormPicture::Layout: drawLayout(p); break;
    case TFormPicture::HalfSpace: drawHalfSpace(p); break;
    case TFormPicture::Pile: drawPile(p); break;
    case TFormPicture::Stratum: drawStratum(p); break;
    case TFormPicture::Multilayer: drawMultilayer(p); break;
    case TFormPicture::FootingMass:
    case TFormPicture::PileCapMass:
      drawMassedFoundation(p, which == TFormPicture::PileCapMass);
      drawAxes(p);
      break;
  }
  return image;
}

}  // namespace zrv::front
