#include "dialogs/splash_form.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <cmath>

#include "dialogs/window_placement.h"

namespace zelmora {
namespace {

constexpr QRgb kPanelColor = 0xFFB4C8CE;
constexpr QRgb kGridColor = 0xFFD8E4E8;

// A triangle with its circumscribed circle: the centre found where two
// perpendicular bisectors meet, as a pupil would construct it.
void DrawConstruction(QPainter& painter) {
  const QPointF a(120, 250), b(330, 250), c(250, 120);
  // Centre of the circle through a, b, c.
  const double d =
      2 * (a.x() * (b.y() - c.y()) + b.x() * (c.y() - a.y()) + c.x() * (a.y() - b.y()));
  const double a2 = a.x() * a.x() + a.y() * a.y();
  const double b2 = b.x() * b.x() + b.y() * b.y();
  const double c2 = c.x() * c.x() + c.y() * c.y();
  const QPointF centre((a2 * (b.y() - c.y()) + b2 * (c.y() - a.y()) + c2 * (a.y() - b.y())) / d,
                       (a2 * (c.x() - b.x()) + b2 * (a.x() - c.x()) + c2 * (b.x() - a.x())) / d);
  const double radius = std::hypot(a.x() - centre.x(), a.y() - centre.y());

  painter.setRenderHint(QPainter::Antialiasing);
  QPen bisector(QColor(0, 128, 128), 1, Qt::DashLine);
  painter.setPen(bisector);
  for (const auto& [p, q] : {std::pair{a, b}, std::pair{b, c}}) {
    const QPointF mid = (p + q) / 2;
    const QPointF along = q - p;
    const QPointF normal(-along.y(), along.x());
    const double length = std::hypot(normal.x(), normal.y());
    const QPointF unit = normal / length * 150;
    painter.drawLine(mid - unit, mid + unit);
  }
  painter.setPen(QPen(QColor(0, 0, 128), 2));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(centre, radius, radius);
  painter.setPen(QPen(QColor(128, 0, 0), 2));
  painter.drawPolygon(QPolygonF{a, b, c});

  painter.setPen(Qt::black);
  painter.setFont(QFont(QStringLiteral("Times New Roman"), 13, QFont::Normal, true));
  const std::pair<QPointF, const char*> points[] = {{a, "A"}, {b, "B"}, {c, "C"}, {centre, "O"}};
  for (const auto& [p, name] : points) {
    painter.setBrush(Qt::black);
    painter.drawEllipse(p, 3.5, 3.5);
    painter.drawText(p + QPointF(6, -6), QString::fromLatin1(name));
  }
}

void DrawTitle(QPainter& painter) {
  QFont font(QStringLiteral("Courier New"));
  font.setPixelSize(46);
  font.setBold(true);
  painter.setFont(font);
  const QRect band(0, 18, TSplForm::kWidth, 60);
  painter.setPen(Qt::black);
  painter.drawText(band.translated(3, 3), Qt::AlignCenter, QStringLiteral("Zelmora 2.0"));
  painter.setPen(Qt::white);
  painter.drawText(band, Qt::AlignCenter, QStringLiteral("Zelmora 2.0"));

  font.setPixelSize(16);
  font.setBold(false);
  painter.setFont(font);
  painter.setPen(QColor(0, 0, 64));
  painter.drawText(QRect(0, 76, TSplForm::kWidth, 22), Qt::AlignCenter,
                   QString::fromUtf8("Построения циркулем и линейкой"));
}

}  // namespace

TSplForm::TSplForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      picture_(Picture()) {
  setFixedSize(picture_.size());
  CentreOnScreen(*this);
}

void TSplForm::ShowNow() {
  show();
  repaint();
  QApplication::processEvents();
}

QImage TSplForm::Picture() {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  QPainter painter(&image);
  QLinearGradient sky(0, 0, 0, kHeight);
  sky.setColorAt(0, QColor::fromRgb(kPanelColor));
  sky.setColorAt(1, Qt::white);
  painter.fillRect(image.rect(), sky);
  painter.setPen(QColor::fromRgb(kGridColor));
  for (int x = 0; x < kWidth; x += 16) painter.drawLine(x, 100, x, kHeight);
  for (int y = 100; y < kHeight; y += 16) painter.drawLine(0, y, kWidth, y);
  DrawConstruction(painter);
  DrawTitle(painter);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(Qt::black);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
  return image;
}

void TSplForm::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, picture_);
}

}  // namespace zelmora
