#pragma once

#include "draw/surface.h"
#include "qt/picture_record.h"

#include <QFont>
#include <QImage>
#include <QPolygonF>

#include <cstddef>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QPainter;

// A Surface painting into a retained QImage, so the drawing survives the
// window being covered and uncovered. Everything drawn since the last Cls is
// also kept as a record, from which the same picture is drawn again at
// another resolution (a screen with more device pixels per logical pixel, an
// exported image) or onto a vector device, by the one painting routine.
//
// The user scale maps onto the logical size; the retained image has the
// logical size times the device pixel ratio, and lines and text are drawn at
// that resolution. Consecutive lines of one pen that join end to start are
// gathered into one polyline, which keeps a chart of tens of thousands of
// segments fast; segments are clipped to a margin around the picture before
// they reach the record.
class ImageSurface : public Surface {
public:
    ImageSurface();
    ~ImageSurface() override;

    // Resizes the picture to a logical size, cleared to the back colour, and refreshes the scale.
    void Resize(int width, int height);
    QSize Size() const { return {record_.width, record_.height}; }
    // Device pixels per logical pixel of the retained image; a change draws
    // the record again at the new resolution.
    void SetDevicePixelRatio(double ratio);
    double DevicePixelRatio() const { return ratio_; }
    void SetBackColor(Rgb colour) { backColor_ = colour; }
    Rgb BackColor() const { return backColor_; }
    // Face and style of printed text; the size comes from FontSize.
    void SetFont(const QFont &font)
    {
        font_ = font;
        lineHeights_.clear();
    }
    const QFont &Font() const { return font_; }
    // Height of one printed line at a font size, logical pixels: what a
    // scene drawn for this surface measures its texts by.
    double LineHeightAt(float points) const;

    // The retained picture in device pixels, with everything drawn so far.
    const QImage &Image();
    // The same picture marked with its device pixel ratio, for drawing on a widget at logical size.
    QImage DisplayImage();
    // What was drawn since the last Cls.
    const PictureRecord &Record();
    // The record drawn again on a new image of the logical size times `scale`.
    QImage Render(double scale);
    // How many items the record holds, for dropping later drawing with KeepFirst.
    std::size_t ItemCount();
    // Drops every item after the first `count` and draws the picture again
    // from what is left: takes back what was drawn on top of a finished chart.
    void KeepFirst(std::size_t count);

    // Called once after the first drawing operation since the last Image(),
    // so a widget can schedule a repaint.
    std::function<void()> onChanged;

protected:
    double PixelWidth() const override { return record_.width; }
    double PixelHeight() const override { return record_.height; }
    void PaintClear() override;
    void PaintLine(double x1, double y1, double x2, double y2) override;
    void ScaleChanged() override;
    void PaintFilledBox(double x1, double y1, double x2, double y2, Rgb colour) override;
    void PaintCircle(double x, double y, double radius) override;
    void PaintPolygon(std::span<const SurfacePoint> points, Rgb colour,
                      std::uint8_t alpha) override;
    void PaintText(double x, double y, const std::string &text) override;
    double LineHeightPixels() const override;

private:
    void Flush();
    void EndPainting();
    void Changed();
    void Add(PictureItem item);
    void Rebuild();
    QPainter &Painter();
    QFont SizedFont() const;
    PictureScale ImageScale() const;

    PictureRecord record_;
    QImage image_;
    double ratio_ = 1.0;
    Rgb backColor_ = colours::kWhite;
    QFont font_;
    // The line heights asked so far, by font size: a chart prints in few sizes.
    mutable std::vector<std::pair<float, double>> lineHeights_;
    PictureItem pending_;
    Rgb pendingColour_; // of the pending polyline, compared for every segment
    // User coordinates beyond which a point lies more than a pixel outside
    // the clipping margin, whichever way the scale runs.
    double outsideLeft_ = 0.0, outsideRight_ = 0.0, outsideTop_ = 0.0, outsideBottom_ = 0.0;
    std::unique_ptr<QPainter> painter_;
    bool changeNotified_ = false;
};
