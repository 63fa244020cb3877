#include "floor.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QString>

#include <cstdlib>

namespace {

QColor ColourOf(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

QPen PenOf(const GdiPenInfo& info) {
    if (info.style == PS_NULL) return QPen(Qt::NoPen);
    QPen pen(ColourOf(info.color));
    pen.setWidth(info.width <= 1 ? 0 : info.width);
    if (info.style == PS_DOT) pen.setStyle(Qt::DotLine);
    if (info.width > 1) {
        pen.setCapStyle(info.flatEnds ? Qt::FlatCap : Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    }
    return pen;
}

QBrush BrushOf(const GdiBrushInfo& info) {
    if (info.style == BS_NULL) return QBrush(Qt::NoBrush);
    if (info.style == BS_HATCHED) return QBrush(ColourOf(info.color), Qt::DiagCrossPattern);
    return QBrush(ColourOf(info.color));
}

QPolygon PolygonOf(const std::vector<POINT>& points) {
    QPolygon polygon(static_cast<int>(points.size()));
    for (size_t i = 0; i < points.size(); ++i) polygon.setPoint(static_cast<int>(i), points[i].x, points[i].y);
    return polygon;
}

QRect RectOf(const std::vector<POINT>& points) {
    return QRect(QPoint(points[0].x, points[0].y), QPoint(points[1].x - 1, points[1].y - 1));
}

}  // namespace

struct FloorReplay::Impl {
    struct Op {
        GdiOp op;
        bool window;
        QPen pen;
        QBrush brush;
        QPolygon polygon;
        QRect rect;
        QFont font;
        QColor textColour;
        QString text;
        double angle;
    };
    QImage frame;
    QImage window;
    std::vector<Op> ops;

    void Add(const GdiCall& call, bool toWindow) {
        Op op{call.op, toWindow, PenOf(call.penInfo), BrushOf(call.brushInfo), {}, {}, {}, {}, {}, 0.0};
        switch (call.op) {
            case GdiOp::Polygon:
            case GdiOp::Polyline: op.polygon = PolygonOf(call.points); break;
            case GdiOp::FillRect:
            case GdiOp::Ellipse:
            case GdiOp::Rectangle:
            case GdiOp::DrawEdge: op.rect = RectOf(call.points); break;
            case GdiOp::TextOut: {
                op.font = QFont("Liberation Sans");
                op.font.setPixelSize(call.fontInfo.height != 0 ? std::abs(call.fontInfo.height) : 13);
                op.font.setItalic(call.fontInfo.italic);
                op.font.setWeight(call.fontInfo.weight >= 600 ? QFont::Bold : QFont::Normal);
                op.textColour = ColourOf(call.textColor);
                op.text = QString::fromLatin1(call.text.data(), static_cast<int>(call.text.size()));
                op.polygon = PolygonOf(call.points);
                op.angle = -call.fontInfo.escapement / 10.0;
                break;
            }
            case GdiOp::BitBlt: break;
            default: return;  // single moves and lines are not used by the frame
        }
        ops.push_back(std::move(op));
    }
};

FloorReplay::FloorReplay(const std::vector<GdiCall>& frameCalls, const std::vector<GdiCall>& windowCalls, int width,
                         int height)
    : impl_(std::make_unique<Impl>()) {
    impl_->frame = QImage(width, height, QImage::Format_RGB32);
    impl_->window = QImage(width, height, QImage::Format_RGB32);
    impl_->frame.fill(Qt::white);
    impl_->window.fill(Qt::white);
    for (const GdiCall& call : frameCalls) impl_->Add(call, false);
    for (const GdiCall& call : windowCalls) impl_->Add(call, true);
}

FloorReplay::~FloorReplay() = default;

void FloorReplay::Draw() {
    QPainter onFrame(&impl_->frame);
    QPainter onWindow(&impl_->window);
    for (const Impl::Op& op : impl_->ops) {
        QPainter& p = op.window ? onWindow : onFrame;
        switch (op.op) {
            case GdiOp::Polygon:
                p.setPen(op.pen);
                p.setBrush(op.brush);
                p.drawPolygon(op.polygon, Qt::OddEvenFill);
                break;
            case GdiOp::Polyline:
                p.setPen(op.pen);
                p.drawPolyline(op.polygon);
                break;
            case GdiOp::FillRect: p.fillRect(op.rect, op.brush); break;
            case GdiOp::Ellipse:
                p.setPen(op.pen);
                p.setBrush(op.brush);
                p.drawEllipse(op.rect);
                break;
            case GdiOp::Rectangle:
                p.setPen(op.pen);
                p.setBrush(op.brush);
                p.drawRect(op.rect);
                break;
            case GdiOp::DrawEdge:
                p.setPen(QPen(Qt::darkGray));
                p.setBrush(Qt::NoBrush);
                p.drawRect(op.rect);
                p.setPen(QPen(Qt::white));
                p.drawRect(op.rect.adjusted(1, 1, -1, -1));
                break;
            case GdiOp::TextOut:
                p.setFont(op.font);
                p.setPen(op.textColour);
                if (op.angle != 0.0) {
                    p.save();
                    p.translate(op.polygon.point(0));
                    p.rotate(op.angle);
                    p.drawText(QPoint(0, 0), op.text);
                    p.restore();
                } else {
                    p.drawText(op.polygon.point(0), op.text);
                }
                break;
            case GdiOp::BitBlt:
                onFrame.end();
                p.drawImage(QPoint(0, 0), impl_->frame);
                onFrame.begin(&impl_->frame);
                break;
            default: break;
        }
    }
}
