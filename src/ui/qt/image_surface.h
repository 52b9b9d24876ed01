#pragma once

#include "ui/surface.h"

#include <QFont>
#include <QImage>
#include <QPolygonF>

#include <functional>
#include <memory>

class QPainter;

// A Surface painting into a retained QImage, so the drawing survives the
// window being covered and uncovered. Consecutive lines of one pen that join
// end to start are gathered into one polyline, which keeps a chart of tens of
// thousands of segments fast; segments are clipped to a margin around the
// image before they reach the rasteriser.
class ImageSurface : public Surface {
public:
    ImageSurface();
    ~ImageSurface() override;

    // Resizes the image (cleared to the background colour) and refreshes the scale.
    void Resize(int width, int height);
    void SetBackColor(Rgb colour) { backColor_ = colour; }
    Rgb BackColor() const { return backColor_; }
    // Face and style of printed text; the size comes from FontSize.
    void SetFont(const QFont &font) { font_ = font; }
    const QFont &Font() const { return font_; }

    // The picture with everything drawn so far.
    const QImage &Image();

    // Called once after the first drawing operation since the last Image(),
    // so a widget can schedule a repaint.
    std::function<void()> onChanged;

protected:
    double PixelWidth() const override { return image_.width(); }
    double PixelHeight() const override { return image_.height(); }
    void PaintClear() override;
    void PaintLine(double x1, double y1, double x2, double y2) override;
    void PaintFilledBox(double x1, double y1, double x2, double y2, Rgb colour) override;
    void PaintCircle(double x, double y, double radius) override;
    void PaintText(double x, double y, const std::string &text) override;
    double LineHeightPixels() const override;

private:
    void Flush();
    void EndPainting();
    void Changed();
    QPainter &Painter();
    QFont SizedFont() const;

    QImage image_;
    Rgb backColor_ = colours::kWhite;
    QFont font_;
    QPolygonF pending_;
    Rgb pendingColour_;
    int pendingWidth_ = 1;
    std::unique_ptr<QPainter> painter_;
    bool changeNotified_ = false;
};
