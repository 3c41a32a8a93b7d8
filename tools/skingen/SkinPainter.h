#pragma once
// Drawing primitives of the skin generator: theme colours, panels, pills,
// badges and text, all on premultiplied ARGB images.
#include "SkinGeometry.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

namespace skingen {

namespace theme {
inline const QColor kDeep(24, 10, 12);
inline const QColor kBody(40, 16, 18);
inline const QColor kPanel(52, 20, 22);
inline const QColor kDark(111, 41, 41);
inline const QColor kBright(143, 32, 32);
inline const QColor kRed(198, 40, 40);
inline const QColor kLine(92, 36, 38);
inline const QColor kHighlight(255, 237, 0);
inline const QColor kText(255, 255, 255);
inline const QColor kMuted(196, 170, 170);
inline const QColor kShell(34, 30, 32);
inline const QColor kShellLight(78, 70, 74);
}  // namespace theme

QImage NewImage(qv530::skin::Size size);
QImage NewImage(int width, int height);

// Starts a painter with antialiasing on.
void Begin(QPainter& painter, QImage& image);

QFont Font(int pixelSize, int weight = QFont::Normal);

// Vertical gradient fill of a rounded rectangle.
void FillRounded(QPainter& p, const QRectF& r, qreal radius, const QColor& top, const QColor& bottom);
// Rounded outline.
void StrokeRounded(QPainter& p, const QRectF& r, qreal radius, const QColor& colour, qreal width = 1.0);

// A window background: body gradient, a title strip of `titleHeight`, a
// bright border and a red accent under the title.
void DialogBackground(QPainter& p, const QRect& r, int titleHeight);
// A recessed box for lists and edit fields.
void InsetBox(QPainter& p, const QRect& r, const QColor& fill = theme::kDeep);
// A section-style panel for pages and column backgrounds.
void PagePanel(QPainter& p, const QRect& r);

enum class PillState { Normal, Hover, Pressed, Disabled };
// A push-button face for a button of any size.
void Pill(QPainter& p, const QRect& r, PillState state);

void Text(QPainter& p, const QRect& r, const QString& text, int pixelSize, const QColor& colour,
          int flags = Qt::AlignCenter, int weight = QFont::Normal);

// A numbered round badge that marks a button on the mouse pictures.
void Badge(QPainter& p, const QRect& r, int number, bool over);

// Radio icon: on = ring with a yellow dot, off = grey ring.
void RadioIcon(QPainter& p, const QRect& r, bool on);
// Tick box: off empty, on with a tick.
void TickBox(QPainter& p, const QRect& r, bool on);

}  // namespace skingen
