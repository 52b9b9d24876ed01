#include "draw/recording_surface.h"

RecordingSurface::RecordingSurface(double pixelWidth, double pixelHeight)
    : pixelWidth_(pixelWidth), pixelHeight_(pixelHeight)
{
    RefreshScale();
}

RecordingSurface::Op RecordingSurface::Make(Kind kind) const
{
    Op op;
    op.kind = kind;
    op.colour = ForeColor();
    op.fill = FillColor();
    op.width = DrawWidth();
    op.fontSize = FontSize();
    return op;
}

void RecordingSurface::PaintClear()
{
    ops_.push_back(Make(Kind::Clear));
}

void RecordingSurface::PaintLine(double x1, double y1, double x2, double y2)
{
    Op op = Make(Kind::Line);
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    ops_.push_back(op);
}

void RecordingSurface::PaintFilledBox(double x1, double y1, double x2, double y2, Rgb colour)
{
    Op op = Make(Kind::FilledBox);
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.colour = colour;
    ops_.push_back(op);
}

void RecordingSurface::PaintCircle(double x, double y, double radius)
{
    Op op = Make(Kind::Circle);
    op.x1 = x;
    op.y1 = y;
    op.x2 = radius;
    ops_.push_back(op);
}

void RecordingSurface::PaintText(double x, double y, const std::string &text)
{
    Op op = Make(Kind::Text);
    op.x1 = x;
    op.y1 = y;
    op.text = text;
    ops_.push_back(op);
}

double RecordingSurface::LineHeightPixels() const
{
    // About the line height of a CJK face at 96 dpi.
    return FontSize() * 96.0 / 72.0 * 1.25;
}
