#include "chart/chart_drawing.h"
#include "chart/chart_state.h"
#include "designs/design_parameters.h"
#include "designs/primary_summer/primary_presentation.h"
#include "designs/primary_summer/primary_summer.h"
#include "qt/chart_surface.h"
#include "qt/image_surface.h"
#include "qt/picture_record.h"
#include "qt/pixel_line.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace {

QImage Blank(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// The chart on a surface of the given size, with a process drawn on it.
void DrawChartWithProcess(ImageSurface &surface, QSize size, float precision)
{
    SetUpChartSurface(surface);
    surface.Resize(size.width(), size.height());
    SetChartScale(surface);
    ChartState chart;
    chart.Precision = precision;
    DrawChart(chart, surface);
    PlotPrimarySummer(
        ComputePrimarySummer(DesignParameters {26, 60, 35, 26.5, 6, 30, 95, 12, 0.01f}, chart.B),
        surface);
}

} // namespace

// Segments along a pixel row or column are filled rather than stroked: the
// pixels must be the ones the stroke gives, at every scale and line width,
// also where the segment leaves the picture.
TEST(PictureRecord, StraightSegmentsCoverTheStrokesPixels)
{
    const QSize size(60, 40);
    const struct {
        QPointF a, b;
    } segments[] = {{{10.3, 2.2}, {10.3, 30.7}},
                    {{3.9, 17.5}, {51.2, 17.5}},
                    {{-5, 20.1}, {70, 20.1}},
                    {{44.5, -9}, {44.5, 12.2}},
                    {{20.6, 8.1}, {20.6, 8.9}}};
    for (const double scale : {1.0, 1.5, 2.0, 4.0}) {
        for (const int width : {1, 2, 3}) {
            for (const auto &segment : segments) {
                PictureItem line;
                line.pen = Qt::black;
                line.width = width;
                line.points = {segment.a, segment.b};
                const PictureScale to {scale, true, QSizeF(size) * scale};
                QImage filled = Blank(size * scale);
                {
                    QPainter painter(&filled);
                    PaintItem(painter, line, to);
                }

                // The same line stroked as a polyline of two snapped points.
                QImage stroked = Blank(size * scale);
                QPainter painter(&stroked);
                QPen pen(Qt::black);
                pen.setWidthF(std::max(1.0, std::round(width * scale)));
                pen.setCapStyle(Qt::SquareCap);
                pen.setJoinStyle(Qt::MiterJoin);
                painter.setPen(pen);
                const auto snap = [scale](QPointF p) {
                    return QPointF(std::floor(p.x() * scale) + 0.5,
                                   std::floor(p.y() * scale) + 0.5);
                };
                painter.drawPolyline(QPolygonF {snap(segment.a), snap(segment.b)});
                painter.end();
                EXPECT_EQ(filled, stroked) << "scale " << scale << ", width " << width << ", from "
                                           << segment.a.x() << "," << segment.a.y();
            }
        }
    }
}

// The retained chart leaves out of the rasteriser what cannot change a pixel
// (zero-length and invisible segments, strokes replaced by fills): drawn the
// plain way, every polyline whole, the picture is the same pixel for pixel.
TEST(PictureRecord, TheChartIsTheSameAsEveryPolylineDrawnWhole)
{
    for (const QSize size : {QSize(1920, 821), QSize(1024, 583)}) {
        for (const float precision : {1.0f, 0.05f}) {
            ImageSurface surface;
            DrawChartWithProcess(surface, size, precision);

            const PictureRecord &record = surface.Record();
            QImage plain(size, QImage::Format_RGB32);
            plain.fill(record.back);
            QPainter painter(&plain);
            const PictureScale to = PictureScale::For(record, 1.0, true);
            for (const PictureItem &item : record.items) {
                if (item.kind != PictureItem::Kind::Polyline) {
                    PaintItem(painter, item, to);
                    continue;
                }
                QPen pen(item.pen);
                pen.setWidth(item.width);
                pen.setCapStyle(Qt::SquareCap);
                pen.setJoinStyle(Qt::MiterJoin);
                painter.setPen(pen);
                QPolygonF whole;
                for (const QPointF &p : item.points)
                    whole << QPointF(std::floor(p.x()) + 0.5, std::floor(p.y()) + 0.5);
                painter.drawPolyline(whole);
            }
            painter.end();
            EXPECT_EQ(surface.Image(), plain) << size.width() << " precision " << precision;
        }
    }
}

// One-pixel polylines drawn straight into the image: the pixels must be the
// painter's for any course a polyline takes (one-pixel steps, turns back,
// changes of axis, closed, leaving and re-entering the picture, far off it),
// on pictures down to a single pixel.
TEST(PictureRecord, DirectlyDrawnLinesAreThePaintersPixels)
{
    std::mt19937 random(20261207);
    for (int trial = 0; trial < 4000; ++trial) {
        const QSize size(1 + random() % 120, 1 + random() % 90);
        const int spread[] = {400, 140, 12, 3, 40};
        const int reachOut[] = {1000, 40, 40, 3, 40};
        std::uniform_int_distribution<int> startX(-reachOut[trial % 5],
                                                  size.width() + reachOut[trial % 5]);
        std::uniform_int_distribution<int> startY(-reachOut[trial % 5],
                                                  size.height() + reachOut[trial % 5]);
        std::uniform_int_distribution<int> step(-spread[trial % 5], spread[trial % 5]);
        QPolygonF polyline;
        QPoint at(startX(random), startY(random));
        const int count = 2 + static_cast<int>(random() % (trial % 2 ? 20 : 200));
        for (int k = 0; k < count; ++k) {
            polyline << QPointF(at.x() + 0.5, at.y() + 0.5);
            QPoint move(random() % 4 ? step(random) : 0, random() % 4 ? step(random) : 0);
            at += move.isNull() ? QPoint(1, 0) : move;
        }
        if (random() % 6 == 0)
            polyline << polyline.front(); // closed
        if (random() % 5 == 0)
            polyline << polyline.back(); // ends on its own pixel

        QImage direct = Blank(size);
        {
            QPainter painter(&direct);
            PixelCanvas canvas;
            ASSERT_TRUE(DirectCanvas(painter, canvas));
            DrawPixelPolyline(canvas, qRgb(128, 0, 128), polyline.constData(), polyline.size(), 1);
        }
        QImage painted = Blank(size);
        {
            QPainter painter(&painted);
            QPen pen(QColor(128, 0, 128));
            pen.setWidth(1);
            pen.setCapStyle(Qt::SquareCap);
            pen.setJoinStyle(Qt::MiterJoin);
            painter.setPen(pen);
            painter.drawPolyline(polyline);
        }
        if (direct != painted) {
            std::string course;
            // Appended piece by piece: GCC 12 takes " " + std::string for an
            // overlapping copy (-Wrestrict) at -O2.
            for (const QPointF &p : polyline)
                course.append(" ")
                    .append(std::to_string(p.x()))
                    .append(",")
                    .append(std::to_string(p.y()));
            FAIL() << "trial " << trial << " on " << size.width() << "x" << size.height() << ":"
                   << course;
        }
    }
}

// Wider lines (a picture at another resolution than the window's) are drawn
// as squares of the pen's width along the line: every pixel whose centre lies
// well inside the pen's reach of the polyline is drawn, and none beyond the
// reach of a square corner.
TEST(PictureRecord, WideLinesCoverThePensReachAndNoMore)
{
    const auto distance = [](QPointF p, QPointF a, QPointF b) {
        const QPointF ab = b - a;
        const double length2 = QPointF::dotProduct(ab, ab);
        const double t
            = length2 > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0) : 0.0;
        const QPointF off = p - (a + t * ab);
        return std::sqrt(QPointF::dotProduct(off, off));
    };
    std::mt19937 random(7);
    const QSize size(64, 48);
    for (int trial = 0; trial < 300; ++trial) {
        const int width = 2 + trial % 3;
        std::uniform_int_distribution<int> coordinate(-10, 70);
        QPolygonF polyline;
        for (int k = 0; k < 2 + trial % 4; ++k)
            polyline << QPointF(coordinate(random) + 0.5, coordinate(random) % 58 + 0.5);
        QImage image = Blank(size);
        {
            QPainter painter(&image);
            PixelCanvas canvas;
            ASSERT_TRUE(DirectCanvas(painter, canvas));
            DrawPixelPolyline(canvas, qRgb(0, 0, 0), polyline.constData(), polyline.size(), width);
        }
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                double nearest = 1e9;
                for (qsizetype k = 1; k < polyline.size(); ++k)
                    nearest = std::min(
                        nearest, distance(QPointF(x + 0.5, y + 0.5), polyline[k - 1], polyline[k]));
                const bool drawn = image.pixel(x, y) == qRgb(0, 0, 0);
                const bool core = nearest <= width / 2.0 - 0.5;
                const bool beyond = nearest > width / 2.0 * std::sqrt(2.0) + 1.0;
                ASSERT_TRUE(drawn || !core) << "trial " << trial << ": gap at " << x << "," << y;
                ASSERT_FALSE(drawn && beyond)
                    << "trial " << trial << ": stray pixel at " << x << "," << y;
            }
        }
    }
}

// Texts are laid out once and their glyphs drawn again on every redraw: the
// pixels must be the painter's own text drawing, at every scale, the first
// time and from what was remembered.
TEST(PictureRecord, TextsAreThePaintersText)
{
    ImageSurface surface;
    DrawChartWithProcess(surface, QSize(1920, 821), 1.0f);
    const PictureRecord &record = surface.Record();
    for (const double scale : {1.0, 1.5, 2.0}) {
        const PictureScale to = PictureScale::For(record, scale, true);
        const QSize size = to.area.toSize();
        QImage painted = Blank(size);
        {
            QPainter painter(&painted);
            for (const PictureItem &item : record.items) {
                if (item.kind != PictureItem::Kind::Text)
                    continue;
                QFont font = item.font;
                font.setPointSizeF(item.font.pointSizeF() * scale * 96.0 / painted.logicalDpiY());
                painter.setFont(font);
                painter.setPen(item.pen);
                const QPointF at(std::floor(item.points[0].x() * scale),
                                 std::floor(item.points[0].y() * scale));
                painter.drawText(at + QPointF(0, QFontMetricsF(font, &painted).ascent()),
                                 item.text);
            }
        }
        for (int pass = 0; pass < 2; ++pass) {
            QImage remembered = Blank(size);
            QPainter painter(&remembered);
            for (const PictureItem &item : record.items)
                if (item.kind == PictureItem::Kind::Text)
                    PaintItem(painter, item, to);
            painter.end();
            EXPECT_EQ(remembered, painted) << "scale " << scale << ", pass " << pass;
        }
    }
}
