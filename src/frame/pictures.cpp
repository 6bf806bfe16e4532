// Drawing the background (night sky over a mast with its waves) and the transceiver.
#include "frame/pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <cmath>

namespace jurnal {

QImage backgroundPicture() {
  QImage image(1024, 768, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, 768);
  sky.setColorAt(0.0, QColor(8, 20, 52));
  sky.setColorAt(0.7, QColor(34, 70, 120));
  sky.setColorAt(1.0, QColor(70, 110, 150));
  p.fillRect(image.rect(), sky);

  // Stars, the same every time.
  QRandomGenerator stars(1801);
  for (int i = 0; i < 220; ++i) {
    const int x = stars.bounded(1024), y = stars.bounded(480);
    const int a = 80 + stars.bounded(170);
    p.setPen(QColor(255, 255, 240, a));
    p.drawPoint(x, y);
  }

  // Latitude and longitude lines of a globe low on the horizon.
  p.setPen(QPen(QColor(120, 170, 220, 60), 1.2));
  const QPointF globe(512, 1180);
  for (int r = 520; r <= 700; r += 45) p.drawEllipse(globe, r * 1.6, r);
  for (int k = -6; k <= 6; ++k) {
    QPainterPath meridian;
    meridian.moveTo(globe.x() + k * 120, 768);
    meridian.quadTo(globe.x() + k * 60, 520, globe.x(), 470);
    p.drawPath(meridian);
  }

  // Hills.
  QPainterPath hills;
  hills.moveTo(0, 768);
  hills.lineTo(0, 650);
  hills.cubicTo(200, 600, 380, 690, 560, 640);
  hills.cubicTo(720, 600, 880, 660, 1024, 620);
  hills.lineTo(1024, 768);
  p.fillPath(hills, QColor(12, 28, 40));

  // A lattice mast with a beam antenna.
  const double baseX = 760, baseY = 640, topY = 250;
  p.setPen(QPen(QColor(190, 200, 210), 2));
  p.drawLine(QPointF(baseX - 22, baseY), QPointF(baseX - 4, topY));
  p.drawLine(QPointF(baseX + 22, baseY), QPointF(baseX + 4, topY));
  for (double y = baseY; y > topY + 10; y -= 28) {
    const double w1 = 22 - (baseY - y) / (baseY - topY) * 18;
    const double w2 = 22 - (baseY - y + 28) / (baseY - topY) * 18;
    p.drawLine(QPointF(baseX - w1, y), QPointF(baseX + w2, y - 28));
    p.drawLine(QPointF(baseX + w1, y), QPointF(baseX - w2, y - 28));
  }
  p.setPen(QPen(QColor(220, 225, 230), 3));
  p.drawLine(QPointF(baseX, topY), QPointF(baseX, topY - 40));
  p.drawLine(QPointF(baseX - 120, topY - 20), QPointF(baseX + 120, topY - 20));
  for (int e = -3; e <= 3; ++e) {
    const double len = 70 - std::abs(e) * 6;
    p.drawLine(QPointF(baseX + e * 38, topY - 20 - len / 2), QPointF(baseX + e * 38, topY - 20 + len / 2));
  }

  // Waves leaving the antenna.
  for (int i = 1; i <= 7; ++i) {
    p.setPen(QPen(QColor(255, 210, 120, 200 - i * 24), 2.5));
    const double r = i * 60.0;
    p.drawArc(QRectF(baseX - r, topY - 20 - r, 2 * r, 2 * r), 110 * 16, 80 * 16);
  }
  p.end();
  return image;
}

QImage transceiverPicture() {
  QImage image(492, 292, QImage::Format_ARGB32);
  image.fill(QColor(236, 236, 236));
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);

  // Cabinet.
  QLinearGradient body(0, 30, 0, 270);
  body.setColorAt(0, QColor(70, 72, 78));
  body.setColorAt(1, QColor(28, 29, 33));
  p.setBrush(body);
  p.setPen(QPen(QColor(15, 15, 18), 3));
  p.drawRoundedRect(QRectF(14, 34, 464, 230), 18, 18);
  p.setBrush(QColor(40, 40, 44));
  p.drawRect(QRectF(40, 262, 40, 14));
  p.drawRect(QRectF(412, 262, 40, 14));

  // Display with the frequency.
  QLinearGradient lcd(0, 60, 0, 130);
  lcd.setColorAt(0, QColor(250, 190, 90));
  lcd.setColorAt(1, QColor(215, 140, 40));
  p.setBrush(lcd);
  p.setPen(QPen(QColor(10, 10, 10), 2));
  p.drawRoundedRect(QRectF(150, 58, 300, 76), 6, 6);
  QFont digits(QStringLiteral("Liberation Mono"));
  digits.setPixelSize(44);
  digits.setBold(true);
  p.setFont(digits);
  p.setPen(QColor(40, 20, 0));
  p.drawText(QRectF(150, 58, 300, 76), Qt::AlignCenter, QStringLiteral("14.074.00"));

  // S-meter.
  p.setBrush(QColor(245, 235, 210));
  p.setPen(QPen(QColor(10, 10, 10), 2));
  p.drawRoundedRect(QRectF(34, 58, 100, 76), 6, 6);
  p.setPen(QPen(QColor(60, 60, 60), 1.5));
  for (int i = 0; i <= 9; ++i) {
    const double a = (200 - i * 22) * M_PI / 180.0;
    p.drawLine(QPointF(84 + 34 * std::cos(a), 126 - 34 * std::sin(a)), QPointF(84 + 42 * std::cos(a), 126 - 42 * std::sin(a)));
  }
  p.setPen(QPen(QColor(200, 20, 20), 2));
  p.drawLine(QPointF(84, 126), QPointF(84 + 40 * std::cos(1.0), 126 - 40 * std::sin(1.0)));

  // Tuning knob.
  QRadialGradient knob(QPointF(300, 205), 55, QPointF(285, 190));
  knob.setColorAt(0, QColor(120, 120, 128));
  knob.setColorAt(1, QColor(20, 20, 24));
  p.setBrush(knob);
  p.setPen(QPen(QColor(5, 5, 5), 2));
  p.drawEllipse(QPointF(300, 205), 50, 50);
  p.setBrush(QColor(60, 60, 66));
  p.drawEllipse(QPointF(318, 190), 9, 9);

  // Small knobs and buttons.
  for (int i = 0; i < 3; ++i) {
    p.setBrush(QColor(50, 50, 56));
    p.drawEllipse(QPointF(60 + i * 50, 205), 17, 17);
    p.setPen(QPen(QColor(230, 230, 230), 2));
    p.drawLine(QPointF(60 + i * 50, 205), QPointF(60 + i * 50, 191));
    p.setPen(QPen(QColor(5, 5, 5), 2));
  }
  for (int i = 0; i < 6; ++i) {
    p.setBrush(i == 2 ? QColor(90, 160, 90) : QColor(170, 170, 175));
    p.drawRoundedRect(QRectF(372 + (i % 2) * 46, 160 + (i / 2) * 30, 38, 20), 4, 4);
  }
  p.end();
  return image;
}

}  // namespace jurnal
