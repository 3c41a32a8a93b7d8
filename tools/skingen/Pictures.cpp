#include "Pictures.h"

#include "SkinPainter.h"

#include <QConicalGradient>
#include <QDir>
#include <QFileInfo>
#include <QLinearGradient>
#include <QRadialGradient>
#include <QTransform>
#include <cmath>
#include <functional>

namespace skingen {

using namespace qv530::skin;
using namespace theme;

namespace {

constexpr double kPi = 3.14159265358979323846;

QRect ToQRect(const Rect& r) { return QRect(r.x, r.y, r.width, r.height); }

class Writer {
public:
    explicit Writer(QString folder) : folder_(std::move(folder)) {}

    bool Save(const QString& name, const QImage& image) {
        if (failed_) return false;
        const QString path = folder_ + QLatin1Char('/') + name;
        if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !image.save(path, "PNG")) {
            failed_ = true;
            error_ = QStringLiteral("cannot write ") + path;
            return false;
        }
        written_ << name;
        return true;
    }
    // Draws into a new picture of `size` and saves it.
    void Draw(const QString& name, Size size, const std::function<void(QPainter&, QImage&)>& draw) {
        QImage image = NewImage(size);
        QPainter p;
        Begin(p, image);
        draw(p, image);
        p.end();
        Save(name, image);
    }

    bool failed() const { return failed_; }
    const QString& error() const { return error_; }
    const QStringList& written() const { return written_; }

private:
    QString folder_;
    QStringList written_;
    QString error_;
    bool failed_ = false;
};

// ------------------------------------------------------------------ the mouse

// Badge centres of a view in picture coordinates.
QPointF Anchor(const std::array<Point, 7>& overlays, int n) {
    const Point p = overlays[static_cast<std::size_t>(n - 1)];
    return QPointF(p.x - kMousePictureOrigin.x + kOverlaySize / 2.0, p.y - kMousePictureOrigin.y + kOverlaySize / 2.0);
}

void ShellFill(QPainter& p, const QPainterPath& path, const QPointF& light) {
    QRadialGradient g(light, path.boundingRect().width() * 0.9);
    g.setColorAt(0, QColor(92, 84, 88));
    g.setColorAt(0.45, QColor(48, 42, 46));
    g.setColorAt(1, QColor(18, 15, 17));
    p.setPen(QPen(QColor(8, 6, 7), 2));
    p.setBrush(g);
    p.drawPath(path);
}

void Seam(QPainter& p, const QPainterPath& path, qreal width = 1.6) {
    p.setPen(QPen(QColor(6, 4, 5), width, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(QPen(QColor(255, 255, 255, 28), 1));
    p.drawPath(path.translated(1, 0));
}

void Accent(QPainter& p, const QPainterPath& path, qreal width = 3) {
    p.setPen(QPen(QColor(220, 40, 40, 90), width + 4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(QPen(QColor(235, 50, 50), width, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(path);
}

void Wheel(QPainter& p, const QRectF& r) {
    QLinearGradient g(r.topLeft(), r.topRight());
    g.setColorAt(0, QColor(20, 18, 19));
    g.setColorAt(0.5, QColor(96, 90, 92));
    g.setColorAt(1, QColor(20, 18, 19));
    p.setPen(QPen(QColor(0, 0, 0), 1.2));
    p.setBrush(g);
    p.drawRoundedRect(r, r.width() / 2, r.width() / 2);
    p.setPen(QPen(QColor(0, 0, 0, 150), 1));
    for (qreal y = r.top() + 5; y < r.bottom() - 3; y += 4) p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
    p.setPen(QPen(QColor(235, 50, 50, 200), 1.5));
    p.drawLine(QPointF(r.center().x(), r.top() + 3), QPointF(r.center().x(), r.bottom() - 3));
}

void SmallKey(QPainter& p, const QRectF& r) {
    FillRounded(p, r, 4, QColor(70, 64, 68), QColor(28, 25, 27));
    StrokeRounded(p, r, 4, QColor(0, 0, 0), 1.2);
}

void Shadow(QPainter& p, const QRectF& ellipse) {
    QRadialGradient g(ellipse.center(), ellipse.width() / 2);
    g.setColorAt(0, QColor(0, 0, 0, 150));
    g.setColorAt(1, QColor(0, 0, 0, 0));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.setTransform(QTransform()
                       .translate(ellipse.center().x(), ellipse.center().y())
                       .scale(1.0, ellipse.height() / ellipse.width())
                       .translate(-ellipse.center().x(), -ellipse.center().y()));
    p.drawEllipse(ellipse.center(), ellipse.width() / 2, ellipse.width() / 2);
    p.restore();
}

// Top view: front up, an asymmetric right-handed body with the thumb side on the left.
void DrawMouseTop(QPainter& p) {
    const QPointF b1 = Anchor(kFrontOverlays, 1), b2 = Anchor(kFrontOverlays, 2), b3 = Anchor(kFrontOverlays, 3);
    const QPointF b4 = Anchor(kFrontOverlays, 4), b5 = Anchor(kFrontOverlays, 5);
    const QPointF b6 = Anchor(kFrontOverlays, 6), b7 = Anchor(kFrontOverlays, 7);
    const qreal cx = b3.x();
    const qreal front = b1.y() - 42;
    const qreal back = 462;
    const qreal left = b4.x() - 14;
    const qreal right = b2.x() + 40;

    Shadow(p, QRectF(left - 10, back - 40, right - left + 40, 70));
    QPainterPath body;
    body.moveTo(cx, front);
    body.cubicTo(right - 20, front - 4, right + 2, front + 40, right, front + 120);
    body.cubicTo(right - 2, front + 220, right + 10, back - 120, right - 30, back - 30);
    body.cubicTo(right - 70, back + 6, left + 70, back + 8, left + 40, back - 40);
    body.cubicTo(left + 10, back - 90, left - 4, b5.y() + 30, left, b4.y() - 10);
    body.cubicTo(left + 2, front + 120, left - 2, front + 20, left + 50, front + 4);
    body.cubicTo(left + 80, front - 4, cx - 40, front - 2, cx, front);
    ShellFill(p, body, QPointF(cx - 30, front + 160));

    // Palm section and the split between the two buttons.
    const qreal split = front + 180;
    QPainterPath palm;
    palm.moveTo(left + 6, split + 10);
    palm.cubicTo(left + 80, split - 18, right - 60, split - 22, right - 2, split + 2);
    Seam(p, palm);
    QPainterPath middle;
    middle.moveTo(cx, front + 2);
    middle.lineTo(cx, b3.y() - 18);
    Seam(p, middle);
    // Red accent along the palm edge.
    QPainterPath accent;
    accent.moveTo(left + 40, back - 46);
    accent.cubicTo(cx - 40, back - 10, cx + 60, back - 10, right - 36, back - 40);
    Accent(p, accent, 2.5);

    Wheel(p, QRectF(cx - 10, front + 34, 20, b3.y() - 14 - (front + 34)));
    SmallKey(p, QRectF(cx - 9, b6.y() - 10, 18, 20));
    SmallKey(p, QRectF(cx - 9, b7.y() - 10, 18, 20));
    // Side buttons on the thumb edge.
    SmallKey(p, QRectF(left - 6, b4.y() - 22, 16, 44));
    SmallKey(p, QRectF(left - 6, b5.y() - 22, 16, 44));
    // Logo mark on the palm.
    QPainterPath mark;
    mark.moveTo(cx - 22, back - 110);
    mark.lineTo(cx, back - 86);
    mark.lineTo(cx + 22, back - 110);
    Accent(p, mark, 3);
}

// Side view: the thumb side, front to the left.
void DrawMouseSide(QPainter& p) {
    const QPointF b1 = Anchor(kSideOverlays, 1), b2 = Anchor(kSideOverlays, 2), b3 = Anchor(kSideOverlays, 3);
    const QPointF b4 = Anchor(kSideOverlays, 4), b5 = Anchor(kSideOverlays, 5);
    const QPointF b6 = Anchor(kSideOverlays, 6), b7 = Anchor(kSideOverlays, 7);
    const qreal top = b1.y() - 14;
    const qreal base = 318;
    const qreal front = b2.x() - 30;
    const qreal back = 440;

    Shadow(p, QRectF(front - 10, base - 12, back - front + 30, 34));
    QPainterPath body;
    body.moveTo(front + 10, base);
    body.cubicTo(front - 6, base - 40, front - 8, top + 40, front + 16, top + 8);
    body.cubicTo(front + 60, top - 6, b7.x(), top - 12, b5.x() + 20, top - 16);
    body.cubicTo(back - 30, top - 10, back + 6, base - 90, back - 10, base - 10);
    body.lineTo(front + 10, base);
    body.closeSubpath();
    ShellFill(p, body, QPointF(b4.x(), top + 40));

    // Skirt and grip.
    QPainterPath skirt;
    skirt.moveTo(front + 6, base - 30);
    skirt.cubicTo(front + 120, base - 20, back - 120, base - 20, back - 6, base - 40);
    Seam(p, skirt);
    QPainterPath grip;
    grip.addRoundedRect(QRectF(b3.x() - 20, base - 66, back - b3.x() - 40, 30), 14, 14);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawPath(grip);
    p.setPen(QPen(QColor(255, 255, 255, 16), 1));
    for (qreal x = b3.x() - 10; x < back - 70; x += 7) p.drawLine(QPointF(x, base - 62), QPointF(x + 6, base - 42));

    // Button shells along the top: button 2 further forward, button 1 behind it.
    QPainterPath edge;
    edge.moveTo(front + 20, top + 20);
    edge.cubicTo(b1.x(), top + 10, b6.x(), top + 12, b6.x() - 6, top + 34);
    Seam(p, edge);
    QPainterPath cut;
    cut.moveTo((b2.x() + b1.x()) / 2, top + 4);
    cut.lineTo((b2.x() + b1.x()) / 2 + 4, top + 16);
    Seam(p, cut);
    // The wheel shows above the shell between the buttons; a guide leads to its mark.
    Wheel(p, QRectF(b2.x() + 18, top - 16, 34, 14));
    p.setPen(QPen(QColor(255, 255, 255, 110), 1, Qt::DashLine));
    p.drawLine(QPointF(b2.x() + 35, top - 2), QPointF(b3.x(), b3.y() - 14));
    // DPI keys on top.
    SmallKey(p, QRectF(b6.x() - 9, top - 8, 16, 10));
    SmallKey(p, QRectF(b7.x() - 7, top - 9, 16, 10));
    // Side buttons.
    SmallKey(p, QRectF(b4.x() - 26, b4.y() - 12, 52, 22));
    SmallKey(p, QRectF(b5.x() - 26, b5.y() - 12, 52, 22));
    QPainterPath accent;
    accent.moveTo(front + 30, base - 12);
    accent.lineTo(back - 40, base - 16);
    Accent(p, accent, 2);
}

// Back view: the rear of the mouse with the thumb-side buttons on the right.
void DrawMouseBack(QPainter& p) {
    const QPointF b4 = Anchor(kBackOverlays, 4), b5 = Anchor(kBackOverlays, 5);
    const qreal right = b4.x() + 14;
    const qreal left = right - 250;
    const qreal cx = (left + right) / 2 - 6;
    const qreal top = 100;
    const qreal base = 330;

    Shadow(p, QRectF(left - 10, base - 14, right - left + 30, 36));
    QPainterPath body;
    body.moveTo(left + 20, base);
    body.cubicTo(left - 6, base - 70, left + 4, top + 40, cx - 20, top);
    body.cubicTo(cx + 40, top - 8, right - 30, top + 40, right - 6, b4.y() - 40);
    body.cubicTo(right + 10, b5.y() + 10, right, base - 20, right - 20, base);
    body.closeSubpath();
    ShellFill(p, body, QPointF(cx - 20, top + 60));

    QPainterPath skirt;
    skirt.moveTo(left + 8, base - 26);
    skirt.cubicTo(cx - 40, base - 14, cx + 40, base - 14, right - 6, base - 26);
    Seam(p, skirt);
    QPainterPath accent;
    accent.moveTo(cx - 70, top + 60);
    accent.cubicTo(cx - 30, top + 40, cx + 30, top + 40, cx + 70, top + 60);
    Accent(p, accent, 3);
    Text(p, QRect(int(cx) - 60, int(top) + 90, 120, 20), QStringLiteral("QV530"), 15, QColor(220, 200, 200),
         Qt::AlignCenter, QFont::Bold);
    SmallKey(p, QRectF(right - 14, b4.y() - 14, 18, 28));
    SmallKey(p, QRectF(right - 14, b5.y() - 14, 18, 28));
}

// ------------------------------------------------------------------ pieces

void Chevron(QPainter& p, const QPointF& c, qreal size, bool down, const QColor& colour) {
    QPainterPath path;
    if (down) {
        path.moveTo(c.x() - size, c.y() - size / 2);
        path.lineTo(c.x(), c.y() + size / 2);
        path.lineTo(c.x() + size, c.y() - size / 2);
    } else {
        path.moveTo(c.x() - size / 2, c.y() - size);
        path.lineTo(c.x() + size / 2, c.y());
        path.lineTo(c.x() - size / 2, c.y() + size);
    }
    p.setPen(QPen(colour, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void Triangle(QPainter& p, const QRectF& r, int direction, const QColor& colour) {
    // direction 0 up, 1 down, 2 left, 3 right
    QPolygonF t;
    const QPointF c = r.center();
    const qreal h = std::min(r.width(), r.height()) * 0.28;
    switch (direction) {
    case 0: t << QPointF(c.x() - h, c.y() + h / 2) << QPointF(c.x() + h, c.y() + h / 2) << QPointF(c.x(), c.y() - h); break;
    case 1: t << QPointF(c.x() - h, c.y() - h / 2) << QPointF(c.x() + h, c.y() - h / 2) << QPointF(c.x(), c.y() + h); break;
    case 2: t << QPointF(c.x() + h / 2, c.y() - h) << QPointF(c.x() + h / 2, c.y() + h) << QPointF(c.x() - h, c.y()); break;
    default: t << QPointF(c.x() - h / 2, c.y() - h) << QPointF(c.x() - h / 2, c.y() + h) << QPointF(c.x() + h, c.y()); break;
    }
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(t);
}

void Wordmark(QPainter& p, const QRect& r, int pixelSize) {
    p.save();
    p.setFont(Font(pixelSize, QFont::Bold));
    const QFontMetrics m(p.font());
    const QString a = QStringLiteral("QV530");
    const QString b = QStringLiteral("-10800rad");
    const int y = r.top() + (r.height() + m.ascent() - m.descent()) / 2;
    p.setPen(kText);
    p.drawText(r.left(), y, a);
    p.setPen(QColor(230, 60, 60));
    p.drawText(r.left() + m.horizontalAdvance(a), y, b);
    p.restore();
}

// Window-corner icon buttons.
void IconButton(QPainter& p, const QRect& r, int kind, bool over) {
    const QRectF c = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(over ? kHighlight : QColor(200, 150, 150), 1));
    p.setBrush(over ? kRed : QColor(60, 22, 24));
    p.drawEllipse(c);
    p.setPen(QPen(kText, 1.5, Qt::SolidLine, Qt::RoundCap));
    const QPointF m = c.center();
    if (kind == 0) {  // close
        p.drawLine(m + QPointF(-3.2, -3.2), m + QPointF(3.2, 3.2));
        p.drawLine(m + QPointF(-3.2, 3.2), m + QPointF(3.2, -3.2));
    } else if (kind == 1) {  // minimise
        p.drawLine(m + QPointF(-3.5, 1.5), m + QPointF(3.5, 1.5));
    } else {  // help
        Text(p, r.adjusted(0, 0, 1, 0), QStringLiteral("?"), 11, kText, Qt::AlignCenter, QFont::Bold);
    }
}

// Horizontal slider track and fill.
void SliderTrack(QPainter& p, const QRect& r) {
    InsetBox(p, r, QColor(16, 7, 8));
}

void SliderFill(QPainter& p, const QRect& r, bool vertical) {
    QLinearGradient g = vertical ? QLinearGradient(r.bottomLeft(), r.topLeft()) : QLinearGradient(r.topLeft(), r.topRight());
    g.setColorAt(0, QColor(150, 28, 28));
    g.setColorAt(0.7, QColor(230, 50, 40));
    g.setColorAt(1, QColor(255, 140, 60));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    p.setPen(QPen(QColor(255, 255, 255, 70), 1));
    if (vertical) p.drawLine(QPointF(r.left() + 1.5, r.top() + 2), QPointF(r.left() + 1.5, r.bottom() - 2));
    else p.drawLine(QPointF(r.left() + 2, r.top() + 1.5), QPointF(r.right() - 2, r.top() + 1.5));
}

// ------------------------------------------------------------------ dials

QPointF Polar(const QPointF& c, double radius, double degrees) {
    const double a = degrees * kPi / 180.0;
    return QPointF(c.x() + radius * std::cos(a), c.y() - radius * std::sin(a));
}

// A ring segment between two angles (degrees, counter-clockwise from the right).
QPainterPath RingSegment(const QPointF& c, double inner, double outer, double from, double to) {
    QPainterPath path;
    const QRectF o(c.x() - outer, c.y() - outer, 2 * outer, 2 * outer);
    const QRectF i(c.x() - inner, c.y() - inner, 2 * inner, 2 * inner);
    path.arcMoveTo(o, from);
    path.arcTo(o, from, to - from);
    path.arcTo(i, to, from - to);
    path.closeSubpath();
    return path;
}

void DrawRateDial(QPainter& p, int currentHz) {
    const QPointF c(kRateDialCentre.x - kRateDialOrigin.x, kRateDialCentre.y - kRateDialOrigin.y);
    const double inner = kRateRingInner;
    const double outer = std::min<double>(kRateRingOuter, std::min(c.y(), kRateDial.height - 1 - c.y()));
    struct Quadrant {
        int hz;
        double from;
    };
    // Upper right 1000, upper left 125, lower left 250, lower right 500.
    const Quadrant quadrants[] = {{1000, 0}, {125, 90}, {250, 180}, {500, 270}};
    for (const Quadrant& q : quadrants) {
        const bool on = q.hz == currentHz;
        const QPainterPath seg = RingSegment(c, inner, outer, q.from + 2.5, q.from + 87.5);
        QRadialGradient g(c, outer);
        g.setColorAt(inner / outer, on ? QColor(200, 36, 36) : QColor(58, 24, 26));
        g.setColorAt(1, on ? QColor(255, 90, 60) : QColor(84, 34, 36));
        p.setPen(QPen(on ? kHighlight : QColor(120, 50, 50), on ? 1.5 : 1));
        p.setBrush(g);
        p.drawPath(seg);
        const QPointF label = Polar(c, (inner + outer) / 2, q.from + 45);
        Text(p, QRect(int(label.x()) - 22, int(label.y()) - 8, 44, 16), QString::number(q.hz), 11,
             on ? kText : kMuted, Qt::AlignCenter, on ? QFont::Bold : QFont::Normal);
    }
    // Hub with the current rate.
    QRadialGradient hub(c, inner - 4);
    hub.setColorAt(0, QColor(70, 26, 28));
    hub.setColorAt(1, QColor(26, 10, 11));
    p.setPen(QPen(kBright, 1.5));
    p.setBrush(hub);
    p.drawEllipse(c, inner - 5, inner - 5);
    Text(p, QRect(int(c.x()) - 30, int(c.y()) - 13, 60, 16), QString::number(currentHz), 13, kHighlight,
         Qt::AlignCenter, QFont::Bold);
    Text(p, QRect(int(c.x()) - 30, int(c.y()) + 2, 60, 12), QStringLiteral("Hz"), 9, kMuted, Qt::AlignCenter);
}

void DrawSpeedDial(QPainter& p, int level) {
    const QPointF c(kSpeedDialCentre.x - kSpeedDialOrigin.x, kSpeedDialCentre.y - kSpeedDialOrigin.y);
    const double inner = kSpeedRingInner;
    const double outer = kSpeedRingOuter - 1;
    const double pointer = SpeedDialPointerDegrees(level);
    // Ten 18-degree steps from the slow (left) end to the fast (right) end.
    for (int step = 0; step < 10; ++step) {
        const double from = 180.0 - (step + 1) * 18.0;
        const double mid = from + 9.0;
        const bool lit = mid >= pointer - 0.01 || (level >= 11);
        const QPainterPath seg = RingSegment(c, inner, outer, from + 1.2, from + 16.8);
        QColor a = lit ? QColor(190, 34, 34) : QColor(58, 24, 26);
        QColor b = lit ? QColor(255, 110 + step * 12, 50) : QColor(84, 34, 36);
        QRadialGradient g(c, outer);
        g.setColorAt(inner / outer, a);
        g.setColorAt(1, b);
        p.setPen(QPen(lit ? QColor(255, 150, 90) : QColor(110, 46, 46), 1));
        p.setBrush(g);
        p.drawPath(seg);
    }
    // Needle pointing at the level's direction.
    const QPointF tip = Polar(c, outer + 0.5, pointer);
    const QPointF baseL = Polar(c, inner - 12, pointer + 8);
    const QPointF baseR = Polar(c, inner - 12, pointer - 8);
    QPolygonF needle;
    needle << tip << baseL << baseR;
    p.setPen(QPen(QColor(60, 50, 0), 1));
    p.setBrush(kHighlight);
    p.drawPolygon(needle);
    QRadialGradient hub(c, 18);
    hub.setColorAt(0, QColor(90, 30, 30));
    hub.setColorAt(1, QColor(30, 10, 11));
    p.setPen(QPen(kBright, 1.5));
    p.setBrush(hub);
    p.drawEllipse(c, 17, 17);
    Text(p, QRect(int(c.x()) - 17, int(c.y()) - 17, 34, 17), QString::number(level), 13, kText, Qt::AlignCenter,
         QFont::Bold);
}

// ------------------------------------------------------------------ windows

void DrawMain(QPainter& p) {
    const QRect all(0, 0, kMainWindow.width, kMainWindow.height);
    DialogBackground(p, all, 32);
    Text(p, QRect(kMainLogo.x + kMainLogo.width + 8, 6, 300, 22), QStringLiteral("Gaming Mouse Configurator"), 12,
         QColor(200, 160, 160), Qt::AlignLeft | Qt::AlignVCenter);
    // Recessed zones the column, the picture area and the panel sit in.
    InsetBox(p, ToQRect(kMainLeftColumn).adjusted(-3, -3, 3, 3), QColor(20, 8, 9));
    InsetBox(p, ToQRect(kMainPictureArea).adjusted(-3, -3, 3, 3), QColor(20, 8, 9));
    // The settings panel's content starts right under the title band.
    InsetBox(p, QRect(kSettingsPanel.x - 3, kSettingsPanel.y, kSettingsPanel.width + 6, kSettingsPanel.height + 3),
             QColor(20, 8, 9));
    // Command strip behind Apply / Cancel / Reset.
    p.fillRect(QRect(kApplyButton.x - 8, kApplyButton.y - 4, kResetButton.right() - kApplyButton.x + 16,
                     kApplyButton.height + 8),
               QColor(0, 0, 0, 60));
    p.fillRect(QRect(14, kMainNote.y - 6, kMainWindow.width - 28, 1), kLine);
}

void DrawSplash(QPainter& p) {
    const QRect all(0, 0, kSplash.width, kSplash.height);
    QLinearGradient g(all.topLeft(), all.bottomRight());
    g.setColorAt(0, QColor(60, 16, 18));
    g.setColorAt(1, QColor(12, 5, 6));
    p.fillRect(all, g);
    p.save();
    p.setPen(QPen(QColor(200, 40, 40, 60), 2));
    for (int i = 0; i < 6; ++i) p.drawLine(QPointF(300 + i * 40, 0), QPointF(100 + i * 40, kSplash.height));
    p.restore();
    // The mouse, scaled down, on the right.
    p.save();
    p.translate(250, 40);
    p.scale(0.72, 0.72);
    p.translate(-60, -30);
    DrawMouseTop(p);
    p.restore();
    Wordmark(p, QRect(30, 270, 300, 40), 30);
    Text(p, QRect(32, 312, 300, 20), QStringLiteral("Gaming Mouse Configurator"), 14, kMuted, Qt::AlignLeft | Qt::AlignVCenter);
    p.fillRect(QRect(32, 340, 150, 3), QColor(220, 40, 40));
    Text(p, QRect(32, 380, 300, 16), QStringLiteral("Version 2.1"), 11, kMuted, Qt::AlignLeft | Qt::AlignVCenter);
    StrokeRounded(p, all, 0, kBright, 2);
}

void SectionHeader(QPainter& p, const QRect& r, int icon) {
    FillRounded(p, QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 3, QColor(150, 38, 38), QColor(96, 30, 30));
    p.fillRect(QRect(r.left() + 1, r.top() + 2, 3, r.height() - 4), kHighlight);
    StrokeRounded(p, QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 3, QColor(190, 70, 70), 1);
    if (icon == 0) Chevron(p, QPointF(r.right() - 12, r.center().y() + 1), 4, true, kText);
    else Chevron(p, QPointF(r.right() - 11, r.center().y() + 1), 4, false, kText);
}

void DrawPageBackground(QPainter& p, Size size) { PagePanel(p, QRect(0, 0, size.width, size.height)); }

void DrawDpiPage(QPainter& p) {
    DrawPageBackground(p, kDpiPage);
    for (int i = 0; i < kDpiStageCount; ++i) {
        const QRect column(DpiColumnLeft(i), 2, kDpiColumnWidth, kDpiPage.height - 4);
        if (i % 2 == 0) p.fillRect(column.adjusted(1, 0, -1, 0), QColor(255, 255, 255, 8));
        Text(p, QRect(DpiColumnLeft(i), kDpiStageLabelTop, kDpiColumnWidth, 16), QString::number(i + 1), 11, kMuted,
             Qt::AlignCenter, QFont::Bold);
    }
}

void DrawLightingPage(QPainter& p, Size size, int rows) {
    DrawPageBackground(p, size);
    for (int r = 1; r <= rows; ++r) {
        p.fillRect(QRect(6, LightingRowTop(r) - 1, size.width - 12, 1), kLine);
    }
}

void DrawScrollSkin(QPainter& p) {
    const int w = kScrollCell;
    for (int row = 0; row < 3; ++row) {
        const QColor face = row == 0 ? QColor(120, 36, 36) : row == 1 ? QColor(170, 44, 44) : QColor(220, 60, 50);
        for (int half = 0; half < 2; ++half) {
            const bool vertical = half == 0;
            const int base = half * 4;
            // Arrows.
            for (int a = 0; a < 2; ++a) {
                const QRect cell((base + a) * w, row * w, w, w);
                FillRounded(p, QRectF(cell).adjusted(0.5, 0.5, -0.5, -0.5), 2, face.lighter(115), face.darker(130));
                const int dir = vertical ? (a == 0 ? 0 : 1) : (a == 0 ? 2 : 3);
                Triangle(p, cell, dir, row == 0 ? QColor(235, 210, 210) : kText);
            }
            // Thumb.
            const QRect thumb((base + 2) * w, row * w, w, w);
            FillRounded(p, QRectF(thumb).adjusted(1.5, 0.5, -1.5, -0.5), 3, face.lighter(125), face);
            if (!vertical) {
                p.fillRect(thumb, Qt::transparent);
                QLinearGradient g(thumb.topLeft(), thumb.bottomLeft());
                g.setColorAt(0, face.lighter(125));
                g.setColorAt(1, face);
                p.setPen(Qt::NoPen);
                p.setBrush(g);
                p.drawRoundedRect(QRectF(thumb).adjusted(0.5, 1.5, -0.5, -1.5), 3, 3);
            }
            // Track.
            const QRect track((base + 3) * w, row * w, w, w);
            p.fillRect(track, QColor(30, 12, 13));
            p.setPen(QPen(QColor(70, 28, 30), 1));
            if (vertical) p.drawLine(track.center().x(), track.top(), track.center().x(), track.bottom());
            else p.drawLine(track.left(), track.center().y(), track.right(), track.center().y());
        }
        // Corner cell.
        const QRect corner(8 * w, row * w, w, w);
        p.fillRect(corner, QColor(30, 12, 13));
        p.setPen(QPen(QColor(140, 50, 50), 1));
        for (int k = 3; k < w; k += 3) {
            if (row == 0) p.drawLine(corner.right() - k, corner.bottom(), corner.right(), corner.bottom() - k);
            else p.drawLine(corner.left() + k, corner.bottom(), corner.left(), corner.bottom() - k);
        }
    }
}

void DrawIcon(QPainter& p) {
    const QRectF all(0, 0, kIcon.width, kIcon.height);
    FillRounded(p, all.adjusted(8, 8, -8, -8), 48, QColor(150, 36, 36), QColor(60, 16, 18));
    StrokeRounded(p, all.adjusted(8, 8, -8, -8), 48, QColor(230, 80, 70), 4);
    // A simple mouse glyph.
    const QRectF body(78, 40, 100, 170);
    QPainterPath path;
    path.addRoundedRect(body, 50, 50);
    p.setPen(QPen(QColor(20, 8, 9), 5));
    p.setBrush(QColor(34, 30, 32));
    p.drawPath(path);
    p.setPen(QPen(QColor(10, 5, 6), 4));
    p.drawLine(QPointF(128, 42), QPointF(128, 112));
    p.drawLine(QPointF(80, 112), QPointF(176, 112));
    p.setPen(Qt::NoPen);
    p.setBrush(kHighlight);
    p.drawRoundedRect(QRectF(120, 62, 16, 34), 8, 8);
    p.setBrush(QColor(230, 50, 40));
    p.drawRoundedRect(QRectF(96, 170, 64, 6), 3, 3);
}

void DrawColourCycle(QPainter& p) {
    const QRect r(0, 0, kColourCycle.width, kColourCycle.height);
    QLinearGradient g(r.topLeft(), r.topRight());
    const QColor stops[] = {Qt::red, QColor(255, 255, 0), Qt::green, Qt::cyan, Qt::blue, Qt::magenta, Qt::red};
    for (int i = 0; i < 7; ++i) g.setColorAt(i / 6.0, stops[i]);
    p.fillRect(r, g);
    QLinearGradient shade(r.topLeft(), r.bottomLeft());
    shade.setColorAt(0, QColor(255, 255, 255, 70));
    shade.setColorAt(1, QColor(0, 0, 0, 60));
    p.fillRect(r, shade);
}

}  // namespace

QStringList DrawAllPictures(const QString& folder, QString* error) {
    Writer w(folder);

    // Splash, main window and its pieces.
    w.Draw(QStringLiteral("splash.png"), kSplash, [](QPainter& p, QImage&) { DrawSplash(p); });
    w.Draw(QStringLiteral("main.png"), kMainWindow, [](QPainter& p, QImage&) { DrawMain(p); });
    w.Draw(QStringLiteral("Logo.png"), {kMainLogo.width, kMainLogo.height}, [](QPainter& p, QImage&) {
        p.setPen(Qt::NoPen);
        p.setBrush(kHighlight);
        QPolygonF mark;
        mark << QPointF(2, 4) << QPointF(12, 12) << QPointF(2, 20) << QPointF(7, 12);
        p.drawPolygon(mark);
        p.setBrush(QColor(230, 50, 40));
        p.drawPolygon(mark.translated(8, 0));
        Wordmark(p, QRect(26, 0, 174, 24), 16);
    });
    w.Draw(QStringLiteral("MLogo.png"), {kMainLowerLogo.width, kMainLowerLogo.height}, [](QPainter& p, QImage&) {
        QPainterPath shield;
        shield.moveTo(4, 4);
        shield.lineTo(24, 4);
        shield.lineTo(24, 16);
        shield.quadTo(24, 26, 14, 28);
        shield.quadTo(4, 26, 4, 16);
        shield.closeSubpath();
        p.setPen(QPen(kHighlight, 1.2));
        p.setBrush(kBright);
        p.drawPath(shield);
        Text(p, QRect(4, 4, 20, 22), QStringLiteral("Q"), 14, kText, Qt::AlignCenter, QFont::Bold);
        Text(p, QRect(30, 0, 100, 30), QStringLiteral("GAMING GEAR"), 11, kMuted, Qt::AlignLeft | Qt::AlignVCenter,
             QFont::Bold);
    });
    w.Draw(QStringLiteral("BK_MainLeft.png"), {kMainLeftColumn.width, kMainLeftColumn.height},
           [](QPainter& p, QImage& img) { PagePanel(p, img.rect()); });
    w.Draw(QStringLiteral("BK_MainMid.png"), {kMainPictureArea.width, kMainPictureArea.height},
           [](QPainter& p, QImage& img) {
               QRadialGradient g(QPointF(img.width() / 2.0, img.height() * 0.45), img.width() * 0.7);
               g.setColorAt(0, QColor(92, 28, 30));
               g.setColorAt(1, QColor(22, 9, 10));
               p.fillRect(img.rect(), g);
               p.setPen(QPen(QColor(255, 80, 80, 22), 1));
               for (int y = img.height() - 150; y < img.height(); y += 14) p.drawLine(0, y, img.width(), y);
               for (int x = -img.width(); x < 2 * img.width(); x += 40)
                   p.drawLine(QPointF(img.width() / 2.0 + (x - img.width() / 2.0) * 0.3, img.height() - 150),
                              QPointF(x, img.height()));
               StrokeRounded(p, img.rect(), 4, kLine, 1);
           });
    w.Draw(QStringLiteral("BK_MainRight.png"), kPanelBackground, [](QPainter& p, QImage& img) {
        QLinearGradient g(0, 0, 0, img.height());
        g.setColorAt(0, QColor(44, 17, 19, 235));
        g.setColorAt(1, QColor(24, 10, 11, 235));
        p.fillRect(img.rect(), g);
    });

    // The mouse in three views and the button overlays.
    w.Draw(QStringLiteral("Mouse/Front/MouseFront.png"), kMousePicture, [](QPainter& p, QImage&) { DrawMouseTop(p); });
    w.Draw(QStringLiteral("Mouse/Side/MouseSide.png"), kMousePicture, [](QPainter& p, QImage&) { DrawMouseSide(p); });
    w.Draw(QStringLiteral("Mouse/Back/MouseBack.png"), kMousePicture, [](QPainter& p, QImage&) { DrawMouseBack(p); });
    struct View {
        const char* folder;
        char letter;
        const std::array<Point, 7>* overlays;
    };
    const View views[] = {{"Front", 'F', &kFrontOverlays}, {"Side", 'S', &kSideOverlays}, {"Back", 'B', &kBackOverlays}};
    for (const View& v : views) {
        for (int n = 1; n <= 7; ++n) {
            if ((*v.overlays)[static_cast<std::size_t>(n - 1)].x < 0) continue;
            for (bool over : {false, true}) {
                const QString name = QStringLiteral("Mouse/%1/%2-%3-%4.png")
                                         .arg(QLatin1String(v.folder))
                                         .arg(QLatin1Char(v.letter))
                                         .arg(n)
                                         .arg(over ? QStringLiteral("over") : QStringLiteral("normal"));
                w.Draw(name, {kOverlaySize, kOverlaySize},
                       [n, over](QPainter& p, QImage& img) { Badge(p, img.rect(), n, over); });
            }
        }
    }

    // Command buttons.
    const struct {
        const char* name;
        PillState state;
    } pills[] = {{"normal", PillState::Normal}, {"over", PillState::Hover}, {"leave", PillState::Pressed}};
    for (const auto& pill : pills) {
        const PillState state = pill.state;
        w.Draw(QStringLiteral("button-cancel-%1.png").arg(QLatin1String(pill.name)), kCommandButton,
               [state](QPainter& p, QImage& img) { Pill(p, img.rect(), state); });
        w.Draw(QStringLiteral("button-config-%1.png").arg(QLatin1String(pill.name)), kProfilesButtonSize,
               [state](QPainter& p, QImage& img) {
                   Pill(p, img.rect(), state);
                   // A small stack-of-profiles mark on the right.
                   for (int i = 0; i < 3; ++i)
                       p.fillRect(QRect(img.width() - kProfilesMarkWidth + 2, 9 + i * 5, 12, 2), QColor(255, 255, 255, 170));
               });
        w.Draw(QStringLiteral("button-mouse-%1.png").arg(QLatin1String(pill.name)), kViewButtonSize,
               [state](QPainter& p, QImage& img) { Pill(p, img.rect(), state); });
    }
    w.Draw(QStringLiteral("button-save-leave.png"), kCommandButton,
           [](QPainter& p, QImage& img) { Pill(p, img.rect(), PillState::Disabled); });
    const char* icons[] = {"close", "min", "help"};
    for (int k = 0; k < 3; ++k) {
        for (bool over : {false, true}) {
            w.Draw(QStringLiteral("button-%1-%2.png").arg(QLatin1String(icons[k]), over ? "over" : "normal"),
                   kSmallButton, [k, over](QPainter& p, QImage& img) { IconButton(p, img.rect(), k, over); });
        }
    }

    // Left column sections.
    w.Draw(QStringLiteral("ItemBK.png"), kSectionHeader, [](QPainter& p, QImage& img) { SectionHeader(p, img.rect(), 0); });
    w.Draw(QStringLiteral("MacroManagementBK.png"), kSectionHeader,
           [](QPainter& p, QImage& img) { SectionHeader(p, img.rect(), 1); });
    w.Draw(QStringLiteral("ButtonAssignment/BK_ButtonAssignment.png"), {kButtonListPanel.width, kButtonListPanel.height},
           [](QPainter& p, QImage& img) {
               PagePanel(p, img.rect());
               for (int i = 0; i < 7; ++i) {
                   const int y = kButtonListFirstRowY + i * kButtonListRowPitch;
                   if (i % 2 == 0) p.fillRect(QRect(3, y - 1, img.width() - 6, kButtonListRowPitch), QColor(255, 255, 255, 7));
               }
           });
    for (bool over : {false, true}) {
        w.Draw(QStringLiteral("ButtonAssignment/DropdownBox-%1.png").arg(over ? "over" : "normal"), kDropdownBox,
               [over](QPainter& p, QImage& img) {
                   const QRectF r = QRectF(img.rect()).adjusted(0.5, 0.5, -0.5, -0.5);
                   FillRounded(p, r, 3, over ? QColor(120, 34, 34) : QColor(38, 15, 17),
                               over ? QColor(86, 26, 26) : QColor(22, 9, 10));
                   StrokeRounded(p, r, 3, over ? kHighlight : QColor(150, 60, 60), 1);
                   p.fillRect(QRect(img.width() - 17, 3, 1, img.height() - 6), QColor(150, 60, 60));
                   Triangle(p, QRectF(img.width() - 16, 0, 16, img.height()), 1, over ? kHighlight : kText);
               });
    }
    w.Draw(QStringLiteral("XYSensitivity/BK_XYSensSetting.png"), kAxisPanel, [](QPainter& p, QImage& img) {
        PagePanel(p, img.rect());
    });
    w.Draw(QStringLiteral("XYSensitivity/1.png"), kAxisSliderPicture, [](QPainter& p, QImage&) {
        SliderTrack(p, ToQRect(kAxisSliderCut));
        p.setPen(QPen(QColor(255, 255, 255, 40), 1));
        for (int i = 1; i < 10; ++i) {
            const int x = kAxisSliderCut.width * i / 10;
            p.drawLine(x, 3, x, kAxisSliderCut.height - 4);
        }
    });
    w.Draw(QStringLiteral("XYSensitivity/2.png"), kAxisSliderPicture,
           [](QPainter& p, QImage&) { SliderFill(p, ToQRect(kAxisSliderCut).adjusted(1, 1, -1, -1), false); });

    // Settings panel pages.
    w.Draw(QStringLiteral("DPISetting/BK_DPISetting.png"), kDpiPage, [](QPainter& p, QImage&) { DrawDpiPage(p); });
    w.Draw(QStringLiteral("DPISetting/BK-DPIValue.png"), kDpiValueBox, [](QPainter& p, QImage& img) {
        FillRounded(p, QRectF(img.rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, QColor(70, 22, 24), QColor(36, 12, 13));
        StrokeRounded(p, img.rect(), 3, QColor(200, 60, 60), 1);
    });
    w.Draw(QStringLiteral("DPISetting/DPIStage/0.png"), kDpiSliderCut,
           [](QPainter& p, QImage& img) { SliderTrack(p, img.rect()); });
    w.Draw(QStringLiteral("DPISetting/DPIStage/82.png"), kDpiSliderCut,
           [](QPainter& p, QImage& img) { SliderFill(p, img.rect().adjusted(1, 1, -1, -1), true); });
    for (bool on : {true, false}) {
        w.Draw(QStringLiteral("%1.png").arg(on ? "Enable" : "Disable"), kRadioIcon,
               [on](QPainter& p, QImage& img) { RadioIcon(p, img.rect(), on); });
        w.Draw(QStringLiteral("MouseAttribute/ScrollSpeed/%1.png").arg(on ? "Enable" : "Disable"), kRadioIcon,
               [on](QPainter& p, QImage& img) { RadioIcon(p, img.rect(), on); });
    }
    w.Draw(QStringLiteral("Lighting/BK_Lighting.png"), kLightingPage,
           [](QPainter& p, QImage&) { DrawLightingPage(p, kLightingPage, 5); });
    w.Draw(QStringLiteral("Lighting/BK_PADLighting.png"), kPadLightingPage,
           [](QPainter& p, QImage&) { DrawLightingPage(p, kPadLightingPage, 4); });
    const QRect cut(kStageSliderCut.x, kStageSliderCut.y, kStageSliderCut.width, kStageSliderCut.height);
    w.Draw(QStringLiteral("StageSlider/1.png"), kStageSliderPicture, [cut](QPainter& p, QImage&) {
        SliderTrack(p, cut);
        p.setPen(QPen(QColor(255, 255, 255, 45), 1));
        for (int i = 1; i < 4; ++i) p.drawLine(cut.left() + cut.width() * i / 4, 3, cut.left() + cut.width() * i / 4, 7);
    });
    w.Draw(QStringLiteral("StageSlider/10.png"), kStageSliderPicture,
           [cut](QPainter& p, QImage&) { SliderFill(p, cut.adjusted(1, 1, -1, -1), false); });
    w.Draw(QStringLiteral("USBReportRate/BK_USBReportRate.png"), kReportRatePage,
           [](QPainter& p, QImage&) { DrawPageBackground(p, kReportRatePage); });
    for (int hz : kReportRatesHz) {
        w.Draw(QStringLiteral("USBReportRate/%1HZ.png").arg(hz), kRateDial, [hz](QPainter& p, QImage&) { DrawRateDial(p, hz); });
    }
    w.Draw(QStringLiteral("AngleSnap/BK_AngleSnap.png"), kAngleSnapPage,
           [](QPainter& p, QImage&) { DrawPageBackground(p, kAngleSnapPage); });
    w.Draw(QStringLiteral("MouseAttribute/BK_MouseAttribute.png"), kMouseAttributePage,
           [](QPainter& p, QImage&) { DrawPageBackground(p, kMouseAttributePage); });
    for (int level = 1; level <= kSpeedLevels; ++level) {
        w.Draw(QStringLiteral("MouseAttribute/Speed/%1.png").arg(level), kSpeedDial,
               [level](QPainter& p, QImage&) { DrawSpeedDial(p, level); });
    }
    w.Draw(QStringLiteral("MouseAttribute/BK_ScrollSpeed.png"), kScrollSpeedPage, [](QPainter& p, QImage&) {
        DrawPageBackground(p, kScrollSpeedPage);
        InsetBox(p, ToQRect(kWheelLinesEdit).adjusted(-2, -2, 2, 2), QColor(16, 7, 8));
    });
    w.Draw(QStringLiteral("MouseAttribute/ScrollSpeed/ScrollLines.png"), {kWheelArrows.width, kWheelArrows.height},
           [](QPainter& p, QImage& img) {
               const QRect up(0, 0, img.width(), kWheelArrowSplit - 1);
               const QRect down(0, kWheelArrowSplit, img.width(), img.height() - kWheelArrowSplit);
               for (const QRect& r : {up, down}) {
                   FillRounded(p, QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 2, kBright, kDark);
                   StrokeRounded(p, r, 2, QColor(200, 80, 80), 1);
               }
               Triangle(p, up, 0, kText);
               Triangle(p, down, 1, kText);
           });

    // Profile dialog.
    w.Draw(QStringLiteral("Config/Config.png"), kConfigDialog, [](QPainter& p, QImage& img) {
        DialogBackground(p, img.rect(), 30);
        InsetBox(p, ToQRect(kConfigList).adjusted(-3, -3, 3, 3), QColor(20, 8, 9));
    });
    w.Draw(QStringLiteral("Config/New-Config.png"), kConfigButton, [](QPainter& p, QImage& img) { Pill(p, img.rect(), PillState::Normal); });
    w.Draw(QStringLiteral("Config/Del-Config.png"), kConfigButton, [](QPainter& p, QImage& img) { Pill(p, img.rect(), PillState::Pressed); });

    // Game dialog.
    w.Draw(QStringLiteral("Games/Games.png"), kGameDialog, [](QPainter& p, QImage& img) {
        DialogBackground(p, img.rect(), 30);
        InsetBox(p, ToQRect(kGameList).adjusted(-3, -3, 3, 3), QColor(20, 8, 9));
        InsetBox(p, ToQRect(kGameNameEdit).adjusted(-2, -2, 2, 2), QColor(16, 7, 8));
    });
    for (bool over : {false, true}) {
        const PillState state = over ? PillState::Hover : PillState::Normal;
        const char* look = over ? "over" : "normal";
        w.Draw(QStringLiteral("Games/button-%1.png").arg(look), kGameButton,
               [state](QPainter& p, QImage& img) { Pill(p, img.rect(), state); });
        w.Draw(QStringLiteral("Games/wide-%1.png").arg(look), kGameWideButton,
               [state](QPainter& p, QImage& img) { Pill(p, img.rect(), state); });
    }

    // Key capture dialog.
    w.Draw(QStringLiteral("single-key.png"), kSingleKeyDialog, [](QPainter& p, QImage& img) {
        DialogBackground(p, img.rect(), 28);
        InsetBox(p, ToQRect(kSingleKeyName).adjusted(-3, -3, 3, 3), QColor(20, 8, 9));
    });

    // Macro manager.
    w.Draw(QStringLiteral("MacroManagement/MacroManagement.png"), kMacroManager, [](QPainter& p, QImage& img) {
        DialogBackground(p, img.rect(), 30);
        for (const Rect& r : {kMacroList, kMacroItemList}) InsetBox(p, ToQRect(r).adjusted(-3, -3, 3, 3), QColor(20, 8, 9));
        InsetBox(p, ToQRect(kMacroLoopEdit).adjusted(-2, -2, 2, 2), QColor(16, 7, 8));
        for (const Rect& label : {kMacroListLabel, kMacroItemLabel, kMacroOptionsLabel}) {
            p.fillRect(QRect(label.x, label.bottom() - 1, label.width, 1), QColor(200, 60, 60));
        }
    });
    for (bool over : {false, true}) {
        const PillState state = over ? PillState::Hover : PillState::Normal;
        w.Draw(QStringLiteral("MacroManagement/Record-%1.png").arg(over ? "over" : "normal"), kMacroRecordButton,
               [state, over](QPainter& p, QImage& img) {
                   Pill(p, img.rect(), state);
                   p.setPen(QPen(QColor(255, 255, 255, 200), 1.2));
                   p.setBrush(over ? QColor(255, 60, 40) : QColor(220, 30, 30));
                   // At the left, before the caption (long captions need the width).
                   p.drawEllipse(QPointF(14, img.height() / 2.0), 5, 5);
               });
        w.Draw(QStringLiteral("MacroManagement/button-new-%1.png").arg(over ? "over" : "normal"), kMacroButton,
               [state](QPainter& p, QImage& img) { Pill(p, img.rect(), state); });
        w.Draw(QStringLiteral("MacroManagement/button-cancel-%1.png").arg(over ? "over" : "normal"), kMacroButton,
               [state](QPainter& p, QImage& img) { Pill(p, img.rect(), state); });
        w.Draw(QStringLiteral("macro-button-close-%1.png").arg(over ? "over" : "normal"), kSmallButton,
               [over](QPainter& p, QImage& img) { IconButton(p, img.rect(), 0, over); });
    }
    for (bool on : {false, true}) {
        const QString name = on ? QStringLiteral("PaneMakingTick.png") : QStringLiteral("Pane.png");
        w.Draw(QStringLiteral("MacroManagement/") + name, kTickBox, [on](QPainter& p, QImage& img) { TickBox(p, img.rect(), on); });
        w.Draw(name, kTickBox, [on](QPainter& p, QImage& img) { TickBox(p, img.rect(), on); });
    }

    // Macro assignment dialog.
    w.Draw(QStringLiteral("macro-key.png"), kMacroKeyDialog, [](QPainter& p, QImage& img) {
        DialogBackground(p, img.rect(), 28);
        InsetBox(p, ToQRect(kMacroKeySelector).adjusted(-2, -2, 2, 2), QColor(20, 8, 9));
    });

    // Numbered resources.
    const QString res = QLatin1String(kResourceFolder) + QLatin1Char('/');
    w.Draw(res + QString::number(kIconResource) + QStringLiteral(".png"), kIcon, [](QPainter& p, QImage&) { DrawIcon(p); });
    w.Draw(res + QString::number(kScrollBarResource) + QStringLiteral(".png"), kScrollBarSkin,
           [](QPainter& p, QImage&) { DrawScrollSkin(p); });
    w.Draw(res + QString::number(kColourCycleResource) + QStringLiteral(".png"), kColourCycle,
           [](QPainter& p, QImage&) { DrawColourCycle(p); });

    if (w.failed()) {
        if (error != nullptr) *error = w.error();
        return {};
    }
    return w.written();
}

}  // namespace skingen
