// The manual's figures, drawn with QPainter: the coordinate systems of a block
// foundation and a layered pile group. Sizes are chosen for print at about
// 16 cm width (lines of 4 to 6 px and labels of 36 px at 1800 px).
#include "figures.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace {

const QColor kLocal(20, 70, 190);
const QColor kGlobal(200, 30, 30);

QFont labelFont(int px, bool bold = false, bool italic = false) {
  QFont f;
  f.setFamilies({"DejaVu Sans", "sans-serif"});
  f.setPixelSize(px);
  f.setBold(bold);
  f.setItalic(italic);
  return f;
}

void arrow(QPainter& p, QPointF from, QPointF to, const QColor& c, qreal w) {
  p.setPen(QPen(c, w, Qt::SolidLine, Qt::RoundCap));
  const QLineF line(from, to);
  const qreal head = 7 * w;
  const QPointF tip = line.p2(), back = line.pointAt(1 - head / line.length());
  p.drawLine(from, back);
  const QPointF n(-(to - from).y() / line.length(), (to - from).x() / line.length());
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  p.drawPolygon(QPolygonF({tip, back + n * head * 0.4, back - n * head * 0.4}));
}

// A label at `at`; `backed` clears the ground under it, so that no line runs through it.
void text(QPainter& p, QPointF at, const QString& s, const QFont& f, const QColor& c = Qt::black,
          Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter, bool backed = false) {
  p.setFont(f);
  const QRectF box(at.x() - (align & Qt::AlignRight ? 1400 : align & Qt::AlignHCenter ? 700 : 0),
                   at.y() - 100, 1400, 200);
  if (backed) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 220));
    const QRectF bb = QFontMetricsF(f, p.device()).boundingRect(box, static_cast<int>(align), s);
    p.drawRoundedRect(bb.adjusted(-8, -2, 8, 2), 6, 6);
  }
  p.setPen(c);
  p.drawText(box, static_cast<int>(align), s);
}

// The centre-of-gravity sign: a circle with two opposite quarters filled.
void gravitySign(QPainter& p, QPointF c, qreal r) {
  p.setPen(QPen(Qt::black, 4));
  p.setBrush(Qt::white);
  p.drawEllipse(c, r, r);
  p.setBrush(Qt::black);
  const QRectF box(c.x() - r, c.y() - r, 2 * r, 2 * r);
  p.drawPie(box, 0, 90 * 16);
  p.drawPie(box, 180 * 16, 90 * 16);
}

void leader(QPainter& p, QPointF from, QPointF to) {
  p.setPen(QPen(Qt::black, 3));
  p.drawLine(from, to);
  p.setBrush(Qt::black);
  p.drawEllipse(to, 6, 6);
}

QImage canvas(int w, int h) {
  QImage image(w, h, QImage::Format_ARGB32);
  image.fill(Qt::white);
  return image;
}

}  // namespace

QImage drawCoordinates() {
  QImage image = canvas(1800, 1130);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal s = 190, k = 0.5, L = 5.4, W = 3.6, H = 2.0;
  const QPointF o(230, 900);
  // Oblique projection: x to the right, y receding at 35 degrees, z up.
  const auto P = [&](qreal x, qreal y, qreal z) {
    return QPointF(o.x() + s * (x + k * y * qCos(qDegreesToRadians(35.0))),
                   o.y() - s * (z + k * y * qSin(qDegreesToRadians(35.0))));
  };
  const auto face = [&](QList<QPointF> pts, QColor c) {
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(QPolygonF(pts));
  };
  face({P(0, 0, 0), P(L, 0, 0), P(L, 0, H), P(0, 0, H)}, QColor(150, 170, 190, 120));
  face({P(0, 0, H), P(L, 0, H), P(L, W, H), P(0, W, H)}, QColor(200, 212, 225, 140));
  face({P(L, 0, 0), P(L, W, 0), P(L, W, H), P(L, 0, H)}, QColor(120, 140, 160, 130));
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(Qt::black, 3, Qt::DashLine));
  for (auto [a, b] : {std::pair{P(0, W, 0), P(L, W, 0)}, {P(0, W, 0), P(0, 0, 0)}, {P(0, W, 0), P(0, W, H)}})
    p.drawLine(a, b);
  p.setPen(QPen(Qt::black, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPolygon(QPolygonF({P(0, 0, 0), P(L, 0, 0), P(L, W, 0), P(L, W, H), P(0, W, H), P(0, 0, H)}));
  p.drawPolyline(QPolygonF({P(0, 0, H), P(L, 0, H), P(L, W, H)}));
  p.drawLine(P(L, 0, 0), P(L, 0, H));

  // Local axes at a corner of the base (the user's choice of origin).
  const QFont axis = labelFont(52, true, true), label = labelFont(36);
  arrow(p, P(0, 0, 0), P(L + 1.3, 0, 0), kLocal, 6);
  arrow(p, P(0, 0, 0), P(0, W + 1.6, 0), kLocal, 6);
  arrow(p, P(0, 0, 0), P(0, 0, H + 1.2), kLocal, 6);
  text(p, P(L + 1.3, 0, 0) + QPointF(12, 30), "x", axis, kLocal);
  text(p, P(0, W + 1.6, 0) + QPointF(-50, -30), "y", axis, kLocal);
  text(p, P(0, 0, H + 1.2) + QPointF(18, -10), "z", axis, kLocal);
  text(p, P(0, 0, 0) + QPointF(-60, 70), "local origin (chosen by the user)", label, kLocal,
       Qt::AlignLeft | Qt::AlignVCenter, true);

  // The centre of gravity with the global axes; the centre of the base below it.
  const QPointF cg = P(L / 2, W / 2, 0.55 * H), cb = P(L / 2, W / 2, 0);
  arrow(p, cg, P(L / 2 + 2.0, W / 2, 0.55 * H), kGlobal, 6);
  arrow(p, cg, P(L / 2, W / 2 + 2.4, 0.55 * H), kGlobal, 6);
  arrow(p, cg, P(L / 2, W / 2, 0.55 * H - 2.3), kGlobal, 6);
  text(p, P(L / 2 + 2.0, W / 2, 0.55 * H) + QPointF(14, -36), "X", axis, kGlobal);
  text(p, P(L / 2, W / 2 + 2.4, 0.55 * H) + QPointF(10, -30), "Y", axis, kGlobal);
  text(p, P(L / 2, W / 2, 0.55 * H - 2.3) + QPointF(20, -10), "Z", axis, kGlobal);
  gravitySign(p, cg, 20);
  text(p, cg + QPointF(-30, -40), "C.G.", labelFont(40, true), Qt::black, Qt::AlignRight | Qt::AlignVCenter);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  p.drawEllipse(cb, 11, 11);
  text(p, cb + QPointF(30, 44), "C.B. (centre of the base)", labelFont(40, true), Qt::black,
       Qt::AlignLeft | Qt::AlignVCenter, true);
  // The base lies below the C.G.: its global Z is positive.
  const QPointF d1 = cg + QPointF(170, 0), d2 = cb + QPointF(170, 0);
  p.setPen(QPen(Qt::black, 2, Qt::DotLine));
  p.drawLine(cb, d2);
  arrow(p, d1, d2, Qt::black, 3);
  text(p, (d1 + d2) / 2 + QPointF(16, 0), "Z of C.B. > 0", label, Qt::black, Qt::AlignLeft | Qt::AlignVCenter,
       true);

  // Legend.
  const QFont legend = labelFont(38);
  arrow(p, QPointF(60, 70), QPointF(200, 70), kLocal, 6);
  text(p, QPointF(230, 70), "local axes x, y, z: z up, origin chosen by the user", legend);
  arrow(p, QPointF(60, 140), QPointF(200, 140), kGlobal, 6);
  text(p, QPointF(230, 140), "global axes X, Y, Z: origin at the C.G., X ∥ x, Y ∥ y, Z down", legend);
  return image;
}

QImage drawPileGroup() {
  QImage image = canvas(1800, 1400);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal left = 60, right = 1740, ground = 250, base = 430, tips = 1040, bottom = 1300;
  const qreal capL = 620, capR = 1180, capTop = 150;
  const QFont label = labelFont(36), axis = labelFont(50, true, true);
  // Side soil beside the cap (two layers), layers along the piles, the half-space.
  const QColor side[] = {QColor(236, 220, 170), QColor(222, 200, 140)};
  const QColor layers[] = {QColor(214, 190, 150), QColor(196, 168, 124), QColor(178, 148, 104)};
  const qreal sideTop[] = {ground, 340, base};
  for (int i = 0; i < 2; ++i)
    p.fillRect(QRectF(left, sideTop[i], right - left, sideTop[i + 1] - sideTop[i]), side[i]);
  const qreal layerTop[] = {base, 620, 830, tips};
  for (int i = 0; i < 3; ++i)
    p.fillRect(QRectF(left, layerTop[i], right - left, layerTop[i + 1] - layerTop[i]), layers[i]);
  QLinearGradient g(0, tips, 0, bottom);
  g.setColorAt(0, QColor(150, 130, 110));
  g.setColorAt(1, QColor(150, 130, 110, 40));
  p.fillRect(QRectF(left, tips, right - left, bottom - tips), g);
  p.setPen(QPen(QColor(80, 60, 40), 2, Qt::DashLine));
  for (qreal y : {340.0, base, 620.0, 830.0, tips}) p.drawLine(QPointF(left, y), QPointF(right, y));
  p.setPen(QPen(Qt::black, 5));
  p.drawLine(QPointF(left, ground), QPointF(right, ground));
  for (qreal x = left; x < right; x += 40)
    if (x < capL - 30 || x > capR) p.drawLine(QPointF(x, ground), QPointF(x + 24, ground - 24));

  // Piles: two vertical ones inside, one battered outwards at each side.
  const qreal batter = qDegreesToRadians(12.0);
  const qreal heads[] = {700, 840, 960, 1100};
  const qreal lean[] = {-1, 0, 0, 1};
  for (int i = 0; i < 4; ++i) {
    const QPointF a(heads[i], base), b(heads[i] + lean[i] * qTan(batter) * (tips - base), tips);
    p.setPen(QPen(QColor(60, 60, 60), 26, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(a, b);
  }
  p.setPen(QPen(Qt::black, 3, Qt::DashLine));
  p.drawLine(QPointF(700, base), QPointF(700, base + 360));
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(Qt::black, 3));
  p.setPen(QPen(Qt::black, 4));
  p.drawArc(QRectF(700 - 280, base - 280, 560, 560), -90 * 16, -12 * 16);
  text(p, QPointF(610, base + 330), "batter angle", label, Qt::black, Qt::AlignRight | Qt::AlignVCenter);

  // The cap, its centre of gravity with the global axes, the centre of its base.
  p.setPen(QPen(Qt::black, 5));
  p.setBrush(QColor(205, 205, 205));
  p.drawRect(QRectF(capL, capTop, capR - capL, base - capTop));
  const QPointF cg(900, 270), cb(900, base);
  arrow(p, cg, cg + QPointF(230, 0), kGlobal, 6);
  arrow(p, cg, QPointF(900, base + 150), kGlobal, 6);
  text(p, cg + QPointF(240, -4), "X", axis, kGlobal);
  text(p, QPointF(915, base + 130), "Z", axis, kGlobal);
  p.setPen(QPen(kGlobal, 4));
  p.setBrush(Qt::white);
  const QPointF yAt = cg + QPointF(-130, 0);
  p.drawEllipse(yAt, 18, 18);
  p.drawLine(yAt + QPointF(-12, -12), yAt + QPointF(12, 12));
  p.drawLine(yAt + QPointF(-12, 12), yAt + QPointF(12, -12));
  text(p, yAt + QPointF(-8, -52), "Y", axis, kGlobal);
  gravitySign(p, cg, 20);
  text(p, cg + QPointF(30, -50), "C.G.", labelFont(38, true));
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  p.drawEllipse(cb, 11, 11);

  // Labels with leaders.
  leader(p, QPointF(1290, 110), QPointF(1120, 200));
  text(p, QPointF(1300, 110), "pile cap", label);
  leader(p, QPointF(1290, 500), cb + QPointF(8, 0));
  text(p, QPointF(1300, 500), "C.B. (cap base centre)", label);
  text(p, QPointF(80, 190), "ground surface", label);
  text(p, QPointF(80, 295), "side soil layer 1", label);
  text(p, QPointF(80, 385), "side soil layer 2", label);
  for (int i = 0; i < 3; ++i)
    text(p, QPointF(80, (layerTop[i] + layerTop[i + 1]) / 2), QString("soil layer %1").arg(i + 1), label);
  text(p, QPointF(80, 1170), "half-space below the pile tips", label);
  leader(p, QPointF(1290, 700), QPointF(960, 700));
  text(p, QPointF(1300, 700), "vertical piles", label);
  leader(p, QPointF(1290, 900), QPointF(1100 + qTan(batter) * (900 - base), 900));
  text(p, QPointF(1300, 900), "battered pile", label);
  leader(p, QPointF(1290, 1000), QPointF(1100 + qTan(batter) * (tips - base) + 10, tips - 4));
  text(p, QPointF(1300, 1000), "pile tips", label);
  text(p, QPointF(900, 1360), "Y points into the page; section in the XZ plane", label, Qt::black,
       Qt::AlignHCenter | Qt::AlignVCenter);
  return image;
}
