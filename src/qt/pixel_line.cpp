#include "qt/pixel_line.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

// Directions of travel along a segment's major axis, as bits: a turn back
// along the same axis is the direction XOR the axis mask.
enum Direction : int {
    kDown = 0x1,
    kUp = 0x2,
    kVerticalAxis = 0x3,
    kRight = 0x4,
    kLeft = 0x8,
    kHorizontalAxis = 0xc,
};

enum Caps : int { kNoCaps = 0, kCapStart = 0x1, kCapEnd = 0x2 };

int SwappedCaps(int caps)
{
    return ((caps & kCapStart) << 1) | ((caps & kCapEnd) >> 1);
}

// Coordinates in 1/64 pixel, truncated toward zero.
int SixtyFourths(double v)
{
    return static_cast<int>(v * 64.0);
}

// minor / major in 1/65536, truncated toward zero.
qint64 Slope(int minor, int major)
{
    return static_cast<qint64>(minor) * 65536 / major;
}

constexpr int kUnknown = INT_MIN; // a last pixel not known, as after a segment was cut

struct Pixel {
    int x;
    int y;
    bool operator==(const Pixel &) const = default;
};

class PixelStroke {
public:
    PixelStroke(const PixelCanvas &canvas, quint32 colour, int width)
        : canvas_(canvas), colour_(colour), low_(-((width - 1) / 2)), high_(width / 2)
    {
        // Segments are cut a pixel beyond the picture (and beyond the reach
        // of a wide line's square), so that where a line enters the picture
        // does not depend on how far outside it began.
        const double margin = 1.0 + (width > 1 ? width : 0);
        left_ = -margin;
        top_ = -margin;
        right_ = canvas.width + margin;
        bottom_ = canvas.height + margin;
    }

    // Draws one segment; false when it was shorter than a pixel and drew
    // nothing, so that the next one should start where this one started.
    bool Segment(double x1, double y1, double x2, double y2, int caps, bool drawing = true);

    // A wide line's pen square on a vertex: a square cap, or the outside of
    // a join the breadths of its two segments leave open.
    void Vertex(const QPointF &p) const
    {
        if (std::fabs(p.x()) < 1e9 && std::fabs(p.y()) < 1e9)
            Square(static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y())));
    }

    // Takes the direction and end pixel of the segment that closes a closed
    // polyline, without drawing it, for its first segment to join onto.
    void Follow(double x1, double y1, double x2, double y2)
    {
        Segment(x1, y1, x2, y2, kNoCaps, false);
    }

private:
    bool Cut(double &x1, double &y1, double &x2, double &y2);
    [[gnu::always_inline]] bool CutAlong(double &a1, double &b1, double &a2, double &b2, double low,
                                         double high);
    void Across(bool vertical, int a, qint64 b, qint64 half) const;
    void Square(int x, int y) const;
    void FillRect(int left, int top, int right, int bottom) const;
    void Run(int majorSize, int minorSize, qsizetype minorStride, qsizetype majorStride, int a,
             int count, qint64 b, qint64 step) const;

    PixelCanvas canvas_;
    quint32 colour_;
    int low_, high_; // a square pen's extent around the pixel it is centred on
    double left_, top_, right_, bottom_;
    Pixel last_ {kUnknown, kUnknown}; // the last pixel drawn
    int direction_ = 0; // none yet
    bool lastAxisAligned_ = false;
};

// One-pixel run of `count` pixels along the major axis from `a`, the minor
// position `b` in 1/65536 pixel moving by `step` per pixel; pixels off the
// canvas are skipped.
void PixelStroke::Run(int majorSize, int minorSize, qsizetype minorStride, qsizetype majorStride,
                      int a, int count, qint64 b, qint64 step) const
{
    if (a < 0) {
        const int skip = std::min(count, -a);
        a += skip;
        count -= skip;
        b += skip * step;
    }
    count = std::min(count, majorSize - a);
    quint32 *const bits = canvas_.bits;
    for (int k = 0; k < count; ++k, b += step) {
        const int minor = static_cast<int>(b >> 16);
        if (static_cast<unsigned>(minor) < static_cast<unsigned>(minorSize))
            bits[(a + k) * majorStride + minor * minorStride] = colour_;
    }
}

// The pen's breadth across the line at one position along it: the pixels
// whose centres lie within `half` (both in 1/65536 pixel) of the line's minor
// position `b`, as a stroke of the pen's width covers that row or column.
void PixelStroke::Across(bool vertical, int a, qint64 b, qint64 half) const
{
    const int first = static_cast<int>((b - half - (1 << 15)) >> 16) + 1;
    const int last = static_cast<int>((b + half - (1 << 15)) >> 16);
    if (vertical)
        FillRect(first, a, last, a);
    else
        FillRect(a, first, a, last);
}

// The square pen centred on a vertex pixel, as a square cap or a join covers it.
void PixelStroke::Square(int x, int y) const
{
    FillRect(x + low_, y + low_, x + high_, y + high_);
}

// The pixels from (left, top) to (right, bottom), where they lie on the canvas.
void PixelStroke::FillRect(int left, int top, int right, int bottom) const
{
    const int x0 = std::max(0, left), x1 = std::min(canvas_.width - 1, right);
    const int y0 = std::max(0, top), y1 = std::min(canvas_.height - 1, bottom);
    for (int row = y0; row <= y1; ++row) {
        quint32 *line = canvas_.bits + row * canvas_.pixelsPerLine;
        for (int column = x0; column <= x1; ++column)
            line[column] = colour_;
    }
}

// Cuts the segment along one axis, `a` its coordinate on that axis and `b`
// the other, to [low, high]; true when nothing of it is left. A cut end
// leaves the last pixel unknown.
inline bool PixelStroke::CutAlong(double &a1, double &b1, double &a2, double &b2, double low,
                                  double high)
{
    if (a1 < low) {
        if (a2 <= low)
            return true;
        b1 += (b2 - b1) / (a2 - a1) * (low - a1);
        a1 = low;
    } else if (a1 > high) {
        if (a2 >= high)
            return true;
        b1 += (b2 - b1) / (a2 - a1) * (high - a1);
        a1 = high;
    }
    if (a2 < low) {
        last_.x = kUnknown;
        b2 += (b2 - b1) / (a2 - a1) * (low - a2);
        a2 = low;
    } else if (a2 > high) {
        last_.x = kUnknown;
        b2 += (b2 - b1) / (a2 - a1) * (high - a2);
        a2 = high;
    }
    return false;
}

// Cuts the segment to the margin around the picture, across first, then
// down; true when nothing of it is left.
bool PixelStroke::Cut(double &x1, double &y1, double &x2, double &y2)
{
    if (CutAlong(x1, y1, x2, y2, left_, right_) || CutAlong(y1, x1, y2, x2, top_, bottom_)) {
        last_.x = kUnknown;
        return true;
    }
    return false;
}

bool PixelStroke::Segment(double x1, double y1, double x2, double y2, int caps, bool drawing)
{
    if (!drawing)
        last_ = {kUnknown, kUnknown};
    bool drew = std::fabs(x2 - x1) + std::fabs(y2 - y1) >= 1.0;
    if (Cut(x1, y1, x2, y2))
        return true;

    const int fx1 = SixtyFourths(x1), fy1 = SixtyFourths(y1);
    const int fx2 = SixtyFourths(x2), fy2 = SixtyFourths(y2);
    const bool vertical = std::abs(fx2 - fx1) < std::abs(fy2 - fy1);
    if (!vertical && fx1 == fx2)
        return true; // no length at all

    // Walk along the major axis (a) in whole pixels and step the minor one
    // (b) in 1/65536 pixel, from the end with the lower major coordinate.
    int a1 = vertical ? fy1 : fx1, b1 = vertical ? fx1 : fy1;
    int a2 = vertical ? fy2 : fx2, b2 = vertical ? fx2 : fy2;
    int direction = vertical ? kDown : kRight;
    const bool backwards = a1 > a2;
    if (backwards) {
        std::swap(a1, a2);
        std::swap(b1, b2);
        caps = SwappedCaps(caps);
        direction = vertical ? kUp : kLeft;
    }
    const qint64 step = Slope(b2 - b1, a2 - a1);
    qint64 b = qint64(b1) * 1024;
    const auto at = [vertical](int a, qint64 b16) {
        const int minor = static_cast<int>(b16 >> 16);
        return vertical ? Pixel {minor, a} : Pixel {a, minor};
    };

    if (high_ > low_ && drawing) {
        // A wide line: the pen's breadth across the line at every pixel from
        // one end to the other, both ends included (their squares are drawn
        // with the vertices), measured from the line at the pixel's centre.
        // A pen of width w is w / cos(angle) across the major axis.
        const double slope = static_cast<double>(step) / 65536.0;
        const auto half = static_cast<qint64>(
            std::llround((high_ - low_ + 1) * 0.5 * std::sqrt(1.0 + slope * slope) * 65536.0));
        const int from = a1 >> 6, to = a2 >> 6;
        b += ((from * 64 + 32 - a1) * step) >> 6;
        for (int a = from; a <= to; ++a, b += step)
            Across(vertical, a, b, half);
        return true;
    }

    if (drawing) {
        // A turn back along the same axis starts half a pixel before its vertex.
        if ((direction_ ^ (vertical ? kVerticalAxis : kHorizontalAxis)) == direction)
            caps |= backwards ? kCapEnd : kCapStart;
        if (caps & kCapStart) {
            a1 -= 32;
            b -= step >> 1;
        }
        if (caps & kCapEnd)
            a2 += 32;
    }
    int a = (a1 + 32) >> 6;
    int end = (a2 + 32) >> 6;
    // ... but not on a pixel before the one the previous segment ended on.
    if (drawing && (caps & kCapStart) && (vertical ? last_.y : last_.x) == a + 1)
        ++a;
    if (a == end)
        return drew; // nothing to draw: the last pixel stays what it was

    b += ((a * 64 + (step > 0 ? 32 : 0) - a1) * step) >> 6;
    Pixel first = at(a, b);
    Pixel last = at(end - 1, b + (end - a - 1) * step);
    if (backwards)
        std::swap(first, last);
    const bool axisAligned = std::abs(step) < (1 << 14);

    if (drawing && last_.x != kUnknown) {
        const int dx = std::abs(last_.x - first.x), dy = std::abs(last_.y - first.y);
        if (first == last_) {
            // The pixel the previous segment ended on is not drawn twice.
            if (backwards) {
                --end;
            } else {
                ++a;
                b += step;
            }
        } else if (direction_ != direction
                   && ((axisAligned && lastAxisAligned_ && dx != 0 && dy != 0) || dx > 1
                       || dy > 1)) {
            // A change of direction that would leave a gap gets the pixel between.
            if (backwards) {
                ++end;
            } else {
                --a;
                b -= step;
            }
        } else if (direction_ == direction && dx <= 1 && dy > 1) {
            // Straight on past a gap: the minor position moves half a step.
            b += step >> 1;
            last = backwards ? at(a, b) : at(end - 1, b + (end - a - 1) * step);
        }
    }
    direction_ = direction;
    lastAxisAligned_ = axisAligned;
    if (!drawing) {
        last_ = last;
        return drew;
    }

    // At least one pixel, as the raster engine draws one even when the
    // duplicate pixel was left out of a one-pixel segment.
    const int count = std::max(1, end - a);
    if (vertical)
        Run(canvas_.height, canvas_.width, 1, canvas_.pixelsPerLine, a, count, b, step);
    else
        Run(canvas_.width, canvas_.height, canvas_.pixelsPerLine, 1, a, count, b, step);
    last_ = last;
    return true;
}

} // namespace

bool DirectCanvas(QPainter &painter, PixelCanvas &canvas)
{
    QPaintDevice *device = painter.device();
    if (device == nullptr || device->devType() != QInternal::Image || painter.hasClipping()
        || !painter.deviceTransform().isIdentity() || painter.opacity() != 1.0
        || painter.compositionMode() != QPainter::CompositionMode_SourceOver
        || painter.testRenderHint(QPainter::Antialiasing))
        return false;
    auto *image = static_cast<QImage *>(device);
    if ((image->format() != QImage::Format_RGB32
         && image->format() != QImage::Format_ARGB32_Premultiplied)
        || !image->isDetached())
        return false;
    canvas.bits = reinterpret_cast<quint32 *>(image->bits());
    canvas.pixelsPerLine = image->bytesPerLine() / 4;
    canvas.width = image->width();
    canvas.height = image->height();
    return true;
}

void DrawPixelPolyline(const PixelCanvas &canvas, quint32 colour, const QPointF *points,
                       qsizetype count, int width)
{
    if (count < 2 || width < 1)
        return;
    PixelStroke stroke(canvas, colour, width);
    // A closed polyline has no caps, and its first segment joins onto its last.
    const bool closed = points[0] == points[count - 1];
    int caps = closed ? kNoCaps : kCapStart;
    if (closed) {
        const QPointF &before = points[count > 2 ? count - 2 : count - 1];
        stroke.Follow(before.x(), before.y(), points[0].x(), points[0].y());
    }
    QPointF from = points[0];
    for (qsizetype i = 1; i < count; ++i) {
        const QPointF &to = points[i];
        const bool lastSegment = i == count - 1;
        if (!closed && lastSegment)
            caps |= kCapEnd;
        // A segment too short to draw anything is joined to the next one.
        if (stroke.Segment(from.x(), from.y(), to.x(), to.y(), caps) || i == 1 || lastSegment)
            from = to;
        caps = kNoCaps;
    }
    if (width == 1)
        return;
    // The pen's square at the ends (the square caps), where the line turns by
    // more than 45° and where it turns from running mostly across to mostly
    // down or back: there the breadths of the two segments, taken along
    // different axes, leave the outside of the join open. Along a smooth
    // curve they meet by themselves.
    const auto steep = [](QPointF d) { return std::fabs(d.x()) < std::fabs(d.y()); };
    for (qsizetype i = 0; i < count; ++i) {
        bool square = !closed && (i == 0 || i == count - 1);
        if (i > 0 && i < count - 1) {
            const QPointF in = points[i] - points[i - 1], out = points[i + 1] - points[i];
            const double dot = QPointF::dotProduct(in, out);
            square = square || steep(in) != steep(out)
                || dot
                    < std::sqrt(0.5 * QPointF::dotProduct(in, in) * QPointF::dotProduct(out, out));
        }
        if (square)
            stroke.Vertex(points[i]);
    }
}

void FillPixelRect(const PixelCanvas &canvas, quint32 colour, const QRect &rect)
{
    const QRect shown = rect.intersected(QRect(0, 0, canvas.width, canvas.height));
    for (int y = shown.top(); y <= shown.bottom(); ++y)
        std::fill_n(canvas.bits + y * canvas.pixelsPerLine + shown.left(), shown.width(), colour);
}
