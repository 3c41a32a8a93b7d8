#include "SkinPainter.h"

#include <QLinearGradient>
#include <QRadialGradient>

namespace skingen {

using namespace theme;

QImage NewImage(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage NewImage(qv530::skin::Size size) { return NewImage(size.width, size.height); }

void Begin(QPainter& painter, QImage& image) {
    painter.begin(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
}

QFont Font(int pixelSize, int weight) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::Weight(weight));
    return font;
}

void FillRounded(QPainter& p, const QRectF& r, qreal radius, const QColor& top, const QColor& bottom) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(r, radius, radius);
    p.restore();
}

void StrokeRounded(QPainter& p, const QRectF& r, qreal radius, const QColor& colour, qreal width) {
    p.save();
    p.setPen(QPen(colour, width));
    p.setBrush(Qt::NoBrush);
    const qreal h = width / 2;
    p.drawRoundedRect(r.adjusted(h, h, -h, -h), radius, radius);
    p.restore();
}

void DialogBackground(QPainter& p, const QRect& r, int titleHeight) {
    FillRounded(p, r, 6, QColor(46, 18, 20), kDeep);
    QRect title(r.left(), r.top(), r.width(), titleHeight);
    p.save();
    p.setClipRect(title);
    FillRounded(p, r, 6, kDark, kBright);
    p.restore();
    p.fillRect(QRect(r.left() + 1, r.top() + titleHeight, r.width() - 2, 2), kRed);
    // A faint diagonal texture below the title.
    p.save();
    p.setClipRect(r.adjusted(1, titleHeight + 2, -1, -1));
    p.setPen(QPen(QColor(255, 255, 255, 8), 1));
    for (int x = r.left() - r.height(); x < r.right(); x += 6) {
        p.drawLine(x, r.bottom(), x + r.height(), r.top());
    }
    p.restore();
    StrokeRounded(p, r, 6, kBright, 1.5);
}

void InsetBox(QPainter& p, const QRect& r, const QColor& fill) {
    p.save();
    p.setPen(QPen(QColor(0, 0, 0, 160), 1));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    p.setPen(QPen(QColor(170, 60, 60, 120), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(r).adjusted(1.5, 1.5, -1.5, -1.5), 2, 2);
    p.restore();
}

void PagePanel(QPainter& p, const QRect& r) {
    FillRounded(p, r, 4, QColor(50, 20, 22), QColor(34, 13, 15));
    StrokeRounded(p, r, 4, kLine, 1.0);
}

void Pill(QPainter& p, const QRect& r, PillState state) {
    QColor top = kBright, bottom = kDark, border = QColor(210, 70, 70);
    switch (state) {
    case PillState::Normal: break;
    case PillState::Hover:
        top = QColor(196, 52, 52);
        bottom = QColor(150, 34, 34);
        border = kHighlight;
        break;
    case PillState::Pressed:
        top = QColor(70, 24, 24);
        bottom = QColor(111, 41, 41);
        border = QColor(230, 90, 90);
        break;
    case PillState::Disabled:
        top = QColor(86, 80, 80);
        bottom = QColor(60, 56, 56);
        border = QColor(110, 104, 104);
        break;
    }
    const QRectF box = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = std::min<qreal>(6, r.height() / 2.0 - 1);
    FillRounded(p, box, radius, top, bottom);
    // Gloss on the upper half.
    p.save();
    p.setClipRect(QRectF(box.left(), box.top(), box.width(), box.height() / 2));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, state == PillState::Pressed ? 8 : 26));
    p.drawRoundedRect(box.adjusted(1, 1, -1, -1), radius, radius);
    p.restore();
    StrokeRounded(p, box, radius, border, 1.0);
}

void Text(QPainter& p, const QRect& r, const QString& text, int pixelSize, const QColor& colour, int flags,
          int weight) {
    p.save();
    p.setFont(Font(pixelSize, weight));
    p.setPen(colour);
    p.drawText(r, flags, text);
    p.restore();
}

void Badge(QPainter& p, const QRect& r, int number, bool over) {
    const QRectF c = QRectF(r).adjusted(2, 2, -2, -2);
    p.save();
    if (over) {
        QRadialGradient glow(QRectF(r).center(), r.width() / 2.0);
        glow.setColorAt(0.6, QColor(255, 237, 0, 200));
        glow.setColorAt(1.0, QColor(255, 237, 0, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(QRectF(r));
        p.setBrush(kHighlight);
        p.setPen(QPen(QColor(120, 20, 20), 1.5));
        p.drawEllipse(c.adjusted(1, 1, -1, -1));
        p.restore();
        Text(p, r, QString::number(number), 13, QColor(90, 10, 10), Qt::AlignCenter, QFont::Bold);
        return;
    }
    p.setPen(QPen(QColor(255, 255, 255, 230), 1.5));
    p.setBrush(QColor(143, 32, 32, 215));
    p.drawEllipse(c.adjusted(1, 1, -1, -1));
    p.restore();
    Text(p, r, QString::number(number), 12, kText, Qt::AlignCenter, QFont::Bold);
}

void RadioIcon(QPainter& p, const QRect& r, bool on) {
    const QRectF c = QRectF(r).adjusted(1, 1, -1, -1);
    p.save();
    p.setPen(QPen(on ? kHighlight : QColor(150, 130, 130), 1.4));
    p.setBrush(QColor(20, 8, 9));
    p.drawEllipse(c);
    if (on) {
        p.setPen(Qt::NoPen);
        p.setBrush(kHighlight);
        p.drawEllipse(c.adjusted(3, 3, -3, -3));
    }
    p.restore();
}

void TickBox(QPainter& p, const QRect& r, bool on) {
    const QRectF b = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
    p.save();
    p.setPen(QPen(on ? kHighlight : QColor(170, 150, 150), 1));
    p.setBrush(QColor(20, 8, 9));
    p.drawRoundedRect(b, 2, 2);
    if (on) {
        QPainterPath tick;
        tick.moveTo(b.left() + 2.5, b.center().y());
        tick.lineTo(b.left() + b.width() * 0.42, b.bottom() - 3);
        tick.lineTo(b.right() - 2.5, b.top() + 2.5);
        p.setPen(QPen(kHighlight, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(tick);
    }
    p.restore();
}

}  // namespace skingen
