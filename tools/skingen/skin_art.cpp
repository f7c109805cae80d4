#include "skin_art.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <numbers>

namespace skingen {

namespace {

QColor withAlpha(QColor color, int alpha)
{
    color.setAlpha(alpha);
    return color;
}

// A rectangle with its corners cut at 45 degrees: the shape of every panel.
QPainterPath chamfered(const QRectF &r, qreal cut)
{
    QPainterPath path;
    path.moveTo(r.left() + cut, r.top());
    path.lineTo(r.right() - cut, r.top());
    path.lineTo(r.right(), r.top() + cut);
    path.lineTo(r.right(), r.bottom() - cut);
    path.lineTo(r.right() - cut, r.bottom());
    path.lineTo(r.left() + cut, r.bottom());
    path.lineTo(r.left(), r.bottom() - cut);
    path.lineTo(r.left(), r.top() + cut);
    path.closeSubpath();
    return path;
}

QPainter *begin(QImage &image, QPainter &p)
{
    p.begin(&image);
    p.setRenderHint(QPainter::Antialiasing);
    return &p;
}

// Strokes a path several times with growing width and falling alpha, then
// once sharp: a soft glow around a crisp line.
void glowStroke(QPainter &p, const QPainterPath &path, const QColor &color, qreal width,
                int layers = 4)
{
    p.setBrush(Qt::NoBrush);
    for (int i = layers; i >= 1; --i) {
        p.setPen(QPen(withAlpha(color, 22), width + 2.5 * i, Qt::SolidLine, Qt::RoundCap,
                      Qt::RoundJoin));
        p.drawPath(path);
    }
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

void panel(QImage &image, const Palette &c, qreal cut, int fillAlpha, bool bright)
{
    QPainter p;
    begin(image, p);
    const QRectF r = QRectF(image.rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    const QPainterPath shape = chamfered(r, cut);
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, withAlpha(bright ? c.raised : c.panel, fillAlpha));
    fill.setColorAt(1, withAlpha(c.base, fillAlpha));
    p.fillPath(shape, fill);
    p.setPen(QPen(bright ? c.accent : c.line, bright ? 1.6 : 1.2));
    p.drawPath(shape);
}

// Button face: a chamfered plate, the accent edge when highlighted.
void plate(QImage &image, const Palette &c, bool on)
{
    QPainter p;
    begin(image, p);
    const QRectF r = QRectF(image.rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    const QPainterPath shape = chamfered(r, std::min(r.height(), r.width()) * 0.22);
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    if (on) {
        fill.setColorAt(0, withAlpha(c.accent, 110));
        fill.setColorAt(1, withAlpha(c.accent2, 60));
    } else {
        fill.setColorAt(0, withAlpha(c.raised, 230));
        fill.setColorAt(1, withAlpha(c.panel, 230));
    }
    p.fillPath(shape, fill);
    p.setPen(QPen(on ? c.accent : c.line, on ? 1.6 : 1.1));
    p.drawPath(shape);
}

void background(QImage &image, const Palette &c)
{
    QPainter p;
    begin(image, p);
    const QRectF r(0, 0, image.width(), image.height());
    const QPainterPath shape = chamfered(r.adjusted(2, 2, -2, -2), 16);
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, c.panel);
    fill.setColorAt(0.55, c.base);
    fill.setColorAt(1, c.base.darker(130));
    p.fillPath(shape, fill);

    p.setClipPath(shape);
    // A hexagon grid, barely visible, for texture.
    p.setPen(QPen(withAlpha(c.accent, 14), 1));
    const qreal side = 18;
    const qreal h = std::sqrt(3.0) * side;
    for (int row = 0; row * h < r.height() + h; ++row) {
        for (int col = 0; col * side * 1.5 < r.width() + side; ++col) {
            const qreal cx = col * side * 1.5;
            const qreal cy = row * h + ((col % 2) ? h / 2 : 0);
            QPainterPath hex;
            for (int k = 0; k < 6; ++k) {
                const qreal a = std::numbers::pi / 3 * k;
                const QPointF pt(cx + side * std::cos(a), cy + side * std::sin(a));
                k == 0 ? hex.moveTo(pt) : hex.lineTo(pt);
            }
            hex.closeSubpath();
            p.drawPath(hex);
        }
    }
    // Glow behind the page area.
    QRadialGradient glow(QPointF(550, 330), 420);
    glow.setColorAt(0, withAlpha(c.accent, 46));
    glow.setColorAt(0.6, withAlpha(c.accent2, 14));
    glow.setColorAt(1, Qt::transparent);
    p.fillRect(r, glow);
    // Diagonal light streaks.
    p.setPen(QPen(withAlpha(c.accent, 20), 2));
    for (int i = 0; i < 6; ++i)
        p.drawLine(QPointF(620 + i * 60, 600), QPointF(920 + i * 60, 0));
}

void frame(QImage &image, const Palette &c)
{
    QPainter p;
    begin(image, p);
    const QRectF r = QRectF(image.rect()).adjusted(2.5, 2.5, -2.5, -2.5);
    glowStroke(p, chamfered(r, 16), withAlpha(c.accent, 200), 1.6);
    // Title band and its accent rule.
    QPainterPath band;
    band.moveTo(r.left() + 16, r.top());
    band.lineTo(r.right() - 16, r.top());
    band.lineTo(r.right() - 4, r.top() + 12);
    band.lineTo(r.right() - 4, r.top() + 52);
    band.lineTo(r.left() + 4, r.top() + 52);
    band.lineTo(r.left() + 4, r.top() + 12);
    band.closeSubpath();
    p.fillPath(band, withAlpha(c.base, 120));
    QPainterPath rule;
    rule.moveTo(360, 56);
    rule.lineTo(380, 44);
    rule.lineTo(620, 44);
    rule.lineTo(640, 56);
    glowStroke(p, rule, c.accent, 1.4, 3);
    p.setPen(QPen(withAlpha(c.line, 200), 1));
    p.drawLine(QPointF(20, 56), QPointF(360, 56));
    p.drawLine(QPointF(640, 56), QPointF(980, 56));
    // Corner ticks.
    p.setPen(QPen(c.accent, 2));
    for (const QPointF &pt : {QPointF(14, 570), QPointF(986, 570)}) {
        const qreal dir = pt.x() < 500 ? 1 : -1;
        for (int i = 0; i < 4; ++i)
            p.drawLine(QPointF(pt.x() + dir * i * 8, pt.y()),
                       QPointF(pt.x() + dir * (i * 8 + 4), pt.y() + 8));
    }
}

void decoration(QImage &image, const Palette &c, bool mirrored)
{
    QPainter p;
    begin(image, p);
    if (mirrored) {
        p.translate(image.width(), 0);
        p.scale(-1, 1);
    }
    const qreal w = image.width();
    const qreal h = image.height();
    QPainterPath bracket;
    bracket.moveTo(w - 6, 6);
    bracket.lineTo(22, 6);
    bracket.lineTo(6, h / 2);
    bracket.lineTo(22, h - 6);
    bracket.lineTo(w * 0.55, h - 6);
    glowStroke(p, bracket, c.accent, 1.8);
    p.setBrush(withAlpha(c.accent, 200));
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 5; ++i)
        p.drawRect(QRectF(30 + i * 14, h / 2 - 3, 9, 6));
    p.setBrush(withAlpha(c.accent2, 160));
    p.drawRect(QRectF(w * 0.55 + 6, h - 9, w * 0.3, 3));
}

void logo(QImage &image, const Palette &c, bool hovered)
{
    QPainter p;
    begin(image, p);
    const qreal h = image.height();
    const qreal w = image.width();
    // "Z4" built from strokes so that it needs no font.
    QPainterPath mark;
    const qreal top = 8;
    const qreal bottom = h - 12;
    const qreal left = w / 2 - 44;
    mark.moveTo(left, top);
    mark.lineTo(left + 36, top);
    mark.lineTo(left + 2, bottom);
    mark.lineTo(left + 38, bottom);
    const qreal four = left + 50;
    QPainterPath digit;
    digit.moveTo(four + 26, bottom);
    digit.lineTo(four + 26, top);
    digit.lineTo(four, top + (bottom - top) * 0.68);
    digit.lineTo(four + 36, top + (bottom - top) * 0.68);
    const QColor color = hovered ? c.accent.lighter(130) : c.accent;
    glowStroke(p, mark, color, 4.5, hovered ? 6 : 3);
    glowStroke(p, digit, color, 4.5, hovered ? 6 : 3);
    p.setPen(QPen(withAlpha(hovered ? c.accent : c.line, 220), 1.5));
    p.drawLine(QPointF(10, h - 4), QPointF(w / 2 - 56, h - 4));
    p.drawLine(QPointF(w / 2 + 56, h - 4), QPointF(w - 10, h - 4));
}

void gearIcon(QImage &image, const Palette &c, bool on)
{
    QPainter p;
    begin(image, p);
    const QPointF centre(image.width() / 2.0, image.height() / 2.0 + 1);
    const qreal outer = image.width() * 0.36;
    const qreal inner = outer * 0.74;
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const qreal a0 = std::numbers::pi * i / teeth;
        const qreal a1 = std::numbers::pi * (i + 1) / teeth;
        const qreal rad = (i % 2) ? inner : outer;
        const QPointF p0 = centre + QPointF(rad * std::cos(a0), rad * std::sin(a0));
        const QPointF p1 = centre + QPointF(rad * std::cos(a1), rad * std::sin(a1));
        i == 0 ? gear.moveTo(p0) : gear.lineTo(p0);
        gear.lineTo(p1);
    }
    gear.closeSubpath();
    gear.addEllipse(centre, outer * 0.36, outer * 0.36);
    gear.setFillRule(Qt::OddEvenFill);
    if (on) {
        p.setPen(QPen(withAlpha(c.accent, 60), 4));
        p.drawPath(gear);
    }
    p.fillPath(gear, on ? c.accent : c.icon);
}

void closeIcon(QImage &image, const Palette &c, bool on)
{
    QPainter p;
    begin(image, p);
    const QRectF r = QRectF(image.rect()).adjusted(6, 7, -6, -5);
    QPainterPath cross;
    cross.moveTo(r.topLeft());
    cross.lineTo(r.bottomRight());
    cross.moveTo(r.topRight());
    cross.lineTo(r.bottomLeft());
    if (on)
        glowStroke(p, cross, c.accent2.lighter(120), 3, 4);
    else {
        p.setPen(QPen(c.icon, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(cross);
    }
}

void resetIcon(QImage &image, const Palette &c, bool on)
{
    QPainter p;
    begin(image, p);
    const QRectF r = QRectF(image.rect()).adjusted(7, 7, -7, -7);
    const QColor color = on ? c.accent : c.icon;
    QPainterPath arc;
    arc.arcMoveTo(r, 60);
    arc.arcTo(r, 60, 280);
    if (on) {
        glowStroke(p, arc, color, 2.6, 3);
    } else {
        p.setPen(QPen(color, 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(arc);
    }
    // Arrow head at the start of the arc.
    const QPointF tip = arc.pointAtPercent(0);
    QPainterPath head;
    head.moveTo(tip + QPointF(-6, -4));
    head.lineTo(tip + QPointF(3, -1));
    head.lineTo(tip + QPointF(-2, 6));
    head.closeSubpath();
    p.fillPath(head, color);
}

void checkIcon(QImage &image, const Palette &c, bool on)
{
    QPainter p;
    begin(image, p);
    const qreal w = image.width();
    const qreal h = image.height();
    QPainterPath tick;
    tick.moveTo(w * 0.22, h * 0.52);
    tick.lineTo(w * 0.42, h * 0.72);
    tick.lineTo(w * 0.78, h * 0.3);
    const QColor color = on ? c.accent : c.icon;
    if (on)
        glowStroke(p, tick, color, 3, 3);
    else {
        p.setPen(QPen(color, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(tick);
    }
}

// Round button behind the bottom bar's icons.
void roundButton(QImage &image, const Palette &c, bool on,
                 void (*icon)(QImage &, const Palette &, bool))
{
    {
        QPainter p;
        begin(image, p);
        const QRectF r = QRectF(image.rect()).adjusted(1.5, 1.5, -1.5, -1.5);
        QRadialGradient fill(r.center(), r.width() / 2);
        fill.setColorAt(0, on ? withAlpha(c.accent, 70) : c.raised);
        fill.setColorAt(1, c.panel);
        p.setBrush(fill);
        p.setPen(QPen(on ? c.accent : c.line, 1.4));
        p.drawEllipse(r);
    }
    icon(image, c, on);
}

void profileContainer(QImage &image, const Palette &c)
{
    panel(image, c, 12, 215, false);
    QPainter p;
    begin(image, p);
    // Three stacked layers: the profile symbol.
    const qreal cx = image.width() / 2.0;
    for (int i = 2; i >= 0; --i) {
        const qreal cy = 40 + i * 12;
        QPainterPath layer;
        layer.moveTo(cx, cy - 12);
        layer.lineTo(cx + 24, cy);
        layer.lineTo(cx, cy + 12);
        layer.lineTo(cx - 24, cy);
        layer.closeSubpath();
        p.fillPath(layer, withAlpha(i == 0 ? c.accent : c.panel, i == 0 ? 200 : 255));
        p.setPen(QPen(i == 0 ? c.accent : c.line, 1.4));
        p.drawPath(layer);
    }
    p.setPen(QPen(withAlpha(c.accent, 160), 1));
    p.drawLine(QPointF(14, 88), QPointF(image.width() - 14, 88));
}

void functionButton(QImage &image, const Palette &c, bool on)
{
    QPainter p;
    begin(image, p);
    const QRectF r = QRectF(image.rect()).adjusted(1, 1, -1, -1);
    QPainterPath shape;
    shape.moveTo(r.left(), r.top());
    shape.lineTo(r.right() - 12, r.top());
    shape.lineTo(r.right(), r.bottom());
    shape.lineTo(r.left(), r.bottom());
    shape.closeSubpath();
    QLinearGradient fill(r.topLeft(), r.topRight());
    fill.setColorAt(0, withAlpha(on ? c.accent : c.raised, on ? 90 : 200));
    fill.setColorAt(1, withAlpha(c.panel, on ? 140 : 120));
    p.fillPath(shape, fill);
    p.setPen(QPen(on ? c.accent : c.line, 1));
    p.drawPath(shape);
    p.fillRect(QRectF(r.left(), r.top(), 3, r.height()), on ? c.accent : withAlpha(c.accent, 110));
}

using IconPainter = void (*)(QPainter &, qreal, const QColor &);

void keyGlyph(QPainter &p, qreal s, const QColor &color)
{
    // A mouse seen from above with its left button lit.
    QPainterPath body;
    body.addRoundedRect(QRectF(s * 0.22, s * 0.08, s * 0.56, s * 0.84), s * 0.28, s * 0.28);
    p.setPen(QPen(color, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(body);
    p.drawLine(QPointF(s * 0.5, s * 0.08), QPointF(s * 0.5, s * 0.42));
    p.drawLine(QPointF(s * 0.22, s * 0.42), QPointF(s * 0.78, s * 0.42));
    QPainterPath left;
    left.addRoundedRect(QRectF(s * 0.27, s * 0.14, s * 0.19, s * 0.24), 3, 3);
    p.fillPath(left, color);
}

void macroGlyph(QPainter &p, qreal s, const QColor &color)
{
    // Record dot and a timeline.
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawEllipse(QPointF(s * 0.28, s * 0.5), s * 0.17, s * 0.17);
    p.setPen(QPen(color, 1.8, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(s * 0.55, s * (0.28 + i * 0.22)),
                   QPointF(s * (0.95 - i * 0.08), s * (0.28 + i * 0.22)));
}

void colorGlyph(QPainter &p, qreal s, const QColor &color)
{
    // Three overlapping light circles.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(color, 1.8));
    p.drawEllipse(QPointF(s * 0.5, s * 0.34), s * 0.22, s * 0.22);
    p.drawEllipse(QPointF(s * 0.34, s * 0.62), s * 0.22, s * 0.22);
    p.drawEllipse(QPointF(s * 0.66, s * 0.62), s * 0.22, s * 0.22);
}

void sensorGlyph(QPainter &p, qreal s, const QColor &color)
{
    // Cross-hair.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(color, 1.8));
    p.drawEllipse(QPointF(s / 2, s / 2), s * 0.32, s * 0.32);
    p.drawLine(QPointF(s / 2, s * 0.04), QPointF(s / 2, s * 0.3));
    p.drawLine(QPointF(s / 2, s * 0.7), QPointF(s / 2, s * 0.96));
    p.drawLine(QPointF(s * 0.04, s / 2), QPointF(s * 0.3, s / 2));
    p.drawLine(QPointF(s * 0.7, s / 2), QPointF(s * 0.96, s / 2));
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawEllipse(QPointF(s / 2, s / 2), s * 0.07, s * 0.07);
}

void functionIcon(QImage &image, const Palette &c, bool on, IconPainter glyph)
{
    QPainter p;
    begin(image, p);
    const qreal s = image.width();
    if (on) {
        QRadialGradient glow(QPointF(s / 2, s / 2), s / 2);
        glow.setColorAt(0, withAlpha(c.accent, 90));
        glow.setColorAt(1, Qt::transparent);
        p.fillRect(image.rect(), glow);
    }
    glyph(p, s, on ? c.accent : c.icon);
}

void pageBackground(QImage &image, const Palette &c)
{
    panel(image, c, 14, 200, false);
    QPainter p;
    begin(image, p);
    // Header band of 46 px over which the page title sits.
    QPainterPath header;
    header.moveTo(16, 3);
    header.lineTo(image.width() - 16, 3);
    header.lineTo(image.width() - 3, 16);
    header.lineTo(image.width() - 3, 44);
    header.lineTo(3, 44);
    header.lineTo(3, 16);
    header.closeSubpath();
    QLinearGradient fill(0, 0, image.width(), 0);
    fill.setColorAt(0, withAlpha(c.accent, 60));
    fill.setColorAt(0.5, withAlpha(c.accent2, 18));
    fill.setColorAt(1, Qt::transparent);
    p.fillPath(header, fill);
    glowStroke(
        p,
        [&] {
            QPainterPath rule;
            rule.moveTo(12, 45);
            rule.lineTo(260, 45);
            return rule;
        }(),
        c.accent, 1.4, 3);
    p.setPen(QPen(withAlpha(c.line, 160), 1));
    p.drawLine(QPointF(260, 45), QPointF(image.width() - 12, 45));
}

void checkbox(QImage &image, const Palette &c, bool on)
{
    QPainter p;
    begin(image, p);
    const QRectF r = QRectF(image.rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    p.setPen(QPen(on ? c.accent : c.line, 1.4));
    p.setBrush(c.base);
    p.drawRoundedRect(r, 3, 3);
    if (on) {
        QPainterPath tick;
        tick.moveTo(r.left() + 3, r.center().y());
        tick.lineTo(r.center().x() - 1, r.bottom() - 3);
        tick.lineTo(r.right() - 2.5, r.top() + 3);
        p.setPen(QPen(c.accent, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(tick);
    }
}

void radio(QImage &image, const Palette &c, bool on)
{
    QPainter p;
    begin(image, p);
    const QRectF r = QRectF(image.rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    p.setPen(QPen(on ? c.accent : c.line, 1.4));
    p.setBrush(c.base);
    p.drawEllipse(r);
    if (on) {
        p.setPen(Qt::NoPen);
        p.setBrush(c.accent);
        p.drawEllipse(r.center(), r.width() * 0.24, r.width() * 0.24);
    }
}

void segment(QImage &image, const Palette &c, bool on)
{
    QPainter p;
    begin(image, p);
    const QRectF r = QRectF(image.rect()).adjusted(0.5, 1.5, -0.5, -1.5);
    if (on) {
        QLinearGradient fill(r.topLeft(), r.bottomLeft());
        fill.setColorAt(0, c.accent.lighter(115));
        fill.setColorAt(1, c.accent2);
        p.fillRect(r, fill);
    } else {
        p.fillRect(r, c.raised);
        p.setPen(QPen(c.line, 1));
        p.drawRect(r);
    }
}

void mouseModel(QImage &image, const Palette &c)
{
    QPainter p;
    begin(image, p);
    const qreal w = image.width();
    const qreal h = image.height();
    QPainterPath body;
    body.moveTo(w * 0.5, h * 0.03);
    body.cubicTo(w * 0.95, h * 0.03, w * 0.95, h * 0.35, w * 0.9, h * 0.6);
    body.cubicTo(w * 0.86, h * 0.85, w * 0.7, h * 0.97, w * 0.5, h * 0.97);
    body.cubicTo(w * 0.3, h * 0.97, w * 0.14, h * 0.85, w * 0.1, h * 0.6);
    body.cubicTo(w * 0.05, h * 0.35, w * 0.05, h * 0.03, w * 0.5, h * 0.03);
    QLinearGradient fill(0, 0, 0, h);
    fill.setColorAt(0, c.raised);
    fill.setColorAt(1, c.base);
    p.fillPath(body, fill);
    glowStroke(p, body, c.accent, 1.6, 3);
    p.setPen(QPen(c.line, 1.4));
    p.drawLine(QPointF(w * 0.5, h * 0.03), QPointF(w * 0.5, h * 0.36));
    p.drawLine(QPointF(w * 0.1, h * 0.38), QPointF(w * 0.9, h * 0.38));
    // Wheel and DPI button.
    p.setBrush(c.base);
    p.setPen(QPen(c.accent, 1.6));
    p.drawRoundedRect(QRectF(w * 0.455, h * 0.1, w * 0.09, h * 0.14), 6, 6);
    p.drawRoundedRect(QRectF(w * 0.47, h * 0.27, w * 0.06, h * 0.05), 3, 3);
    // Side buttons.
    p.setPen(QPen(c.line, 1.4));
    p.drawRoundedRect(QRectF(w * 0.06, h * 0.42, w * 0.06, h * 0.1), 3, 3);
    p.drawRoundedRect(QRectF(w * 0.06, h * 0.54, w * 0.06, h * 0.1), 3, 3);
    // Logo light.
    QRadialGradient light(QPointF(w * 0.5, h * 0.75), w * 0.16);
    light.setColorAt(0, withAlpha(c.accent, 200));
    light.setColorAt(1, Qt::transparent);
    p.setPen(Qt::NoPen);
    p.setBrush(light);
    p.drawEllipse(QPointF(w * 0.5, h * 0.75), w * 0.16, w * 0.16);
}

// Background of every open list and menu: fully opaque, so that nothing
// beneath shows through, with a flat fill that text reads well on.
void popup(QImage &image, const Palette &c)
{
    QPainter p;
    begin(image, p);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(image.rect(), c.panel.darker(115));
    p.setPen(QPen(c.line, 1));
    p.drawRect(QRectF(image.rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

Picture pic(const char *path, int w, int h, std::function<void(QImage &, const Palette &)> draw)
{
    return Picture{QString::fromLatin1(path), w, h, std::move(draw)};
}

} // namespace

Palette paletteForSkin(int skinNumber)
{
    // Skin 1: graphite with cyan light; skin 2: warm charcoal with ember orange.
    // Further skins rotate the accent's hue.
    if (skinNumber == 2) {
        return Palette{QColor(0x14, 0x0e, 0x0c), QColor(0x24, 0x19, 0x15), QColor(0x38, 0x27, 0x20),
                       QColor(0xff, 0x7a, 0x1a), QColor(0xff, 0x2d, 0x55), QColor(0x6b, 0x4b, 0x3e),
                       QColor(0xb8, 0xa8, 0xa0)};
    }
    Palette palette{QColor(0x0b, 0x0f, 0x14), QColor(0x16, 0x1d, 0x26), QColor(0x22, 0x2c, 0x38),
                    QColor(0x00, 0xe5, 0xff), QColor(0x2a, 0x6c, 0xff), QColor(0x3b, 0x4d, 0x60),
                    QColor(0xa8, 0xb4, 0xc0)};
    if (skinNumber > 2) {
        palette.accent.setHsv((palette.accent.hue() + 70 * (skinNumber - 2)) % 360,
                              palette.accent.saturation(), palette.accent.value());
        palette.accent2.setHsv((palette.accent2.hue() + 70 * (skinNumber - 2)) % 360,
                               palette.accent2.saturation(), palette.accent2.value());
    }
    return palette;
}

std::vector<Picture> skinPictures()
{
    std::vector<Picture> all;
    all.push_back(pic("background.png", 1000, 600, background));
    all.push_back(pic("frame/frameBackground.png", 1000, 600, frame));
    all.push_back(pic("frame/decoration1.png", 140, 44,
                      [](QImage &i, const Palette &c) { decoration(i, c, false); }));
    all.push_back(pic("frame/decoration2.png", 140, 44,
                      [](QImage &i, const Palette &c) { decoration(i, c, true); }));
    all.push_back(
        pic("frame/web_0.png", 220, 50, [](QImage &i, const Palette &c) { logo(i, c, false); }));
    all.push_back(
        pic("frame/web_1.png", 220, 50, [](QImage &i, const Palette &c) { logo(i, c, true); }));

    all.push_back(pic("list_up/listUpContainer.png", 96, 34,
                      [](QImage &i, const Palette &c) { panel(i, c, 8, 230, false); }));
    for (int on = 0; on < 2; ++on) {
        const QByteArray suffix = "_" + QByteArray::number(on) + ".png";
        all.push_back(Picture{QString::fromLatin1("list_up/applicationSetting" + suffix), 32, 32,
                              [on](QImage &i, const Palette &c) { gearIcon(i, c, on); }});
        all.push_back(Picture{QString::fromLatin1("list_up/applicationMinimize" + suffix), 32, 32,
                              [on](QImage &i, const Palette &c) { closeIcon(i, c, on); }});
        all.push_back(
            Picture{QString::fromLatin1("list_dn/btnReset" + suffix), 32, 32,
                    [on](QImage &i, const Palette &c) { roundButton(i, c, on, resetIcon); }});
        all.push_back(
            Picture{QString::fromLatin1("list_dn/btnApply" + suffix), 32, 32,
                    [on](QImage &i, const Palette &c) { roundButton(i, c, on, checkIcon); }});
        all.push_back(Picture{QString::fromLatin1("list_pf/profileFW" + suffix), 49, 26,
                              [on](QImage &i, const Palette &c) { plate(i, c, on); }});
        all.push_back(Picture{QString::fromLatin1("list_fn/listFnBtn" + suffix), 150, 37,
                              [on](QImage &i, const Palette &c) { functionButton(i, c, on); }});
        const std::pair<const char *, IconPainter> glyphs[] = {{"list_fn/fnKeydefine", keyGlyph},
                                                               {"list_fn/fnMacro", macroGlyph},
                                                               {"list_fn/fnColor", colorGlyph},
                                                               {"list_fn/fnSensor", sensorGlyph}};
        for (const auto &[name, glyph] : glyphs) {
            all.push_back(Picture{
                QString::fromLatin1(name + suffix), 22, 22,
                [on, glyph](QImage &i, const Palette &c) { functionIcon(i, c, on, glyph); }});
        }
        all.push_back(Picture{QString::fromLatin1("common/checkbox" + suffix), 16, 16,
                              [on](QImage &i, const Palette &c) { checkbox(i, c, on); }});
        all.push_back(Picture{QString::fromLatin1("common/radio" + suffix), 16, 16,
                              [on](QImage &i, const Palette &c) { radio(i, c, on); }});
        all.push_back(Picture{QString::fromLatin1("common/dropdown" + suffix), 176, 24,
                              [on](QImage &i, const Palette &c) { plate(i, c, on); }});
        all.push_back(Picture{QString::fromLatin1("common/slider" + suffix), 24, 14,
                              [on](QImage &i, const Palette &c) { segment(i, c, on); }});
        all.push_back(Picture{QString::fromLatin1("common/btnGroup" + suffix), 90, 28,
                              [on](QImage &i, const Palette &c) { plate(i, c, on); }});
        all.push_back(Picture{QString::fromLatin1("common/btnStage" + suffix), 56, 30,
                              [on](QImage &i, const Palette &c) { plate(i, c, on); }});
        all.push_back(Picture{QString::fromLatin1("common/keyInput" + suffix), 200, 26,
                              [on](QImage &i, const Palette &c) { plate(i, c, on); }});
        all.push_back(
            Picture{QString::fromLatin1("common/btnDefault" + suffix), 30, 30,
                    [on](QImage &i, const Palette &c) { roundButton(i, c, on, resetIcon); }});
        all.push_back(
            Picture{QString::fromLatin1("common/btnApply" + suffix), 30, 30,
                    [on](QImage &i, const Palette &c) { roundButton(i, c, on, checkIcon); }});
    }
    all.push_back(pic("list_dn/listDnContainer.png", 982, 44,
                      [](QImage &i, const Palette &c) { panel(i, c, 14, 220, false); }));
    all.push_back(pic("list_pf/listPfContainer.png", 95, 378, profileContainer));
    all.push_back(pic("list_center/pageBackground.png", 759, 442, pageBackground));
    all.push_back(pic("list_center/panelBackground.png", 340, 420,
                      [](QImage &i, const Palette &c) { panel(i, c, 14, 245, true); }));
    all.push_back(pic("common/popup.png", 24, 24, popup));
    all.push_back(pic("model_ms/mouse.png", 220, 330, mouseModel));
    return all;
}

} // namespace skingen
