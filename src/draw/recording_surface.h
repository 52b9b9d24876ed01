#pragma once

#include "draw/surface.h"

#include <string>
#include <vector>

// A surface that records what is drawn, in user coordinates, for tests and
// benchmarks that check the drawing without pixels.
class RecordingSurface : public Surface {
public:
    enum class Kind { Clear, Line, FilledBox, Circle, Text };

    struct Op {
        Kind kind = Kind::Clear;
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0; // circle: centre in x1, y1 and radius in x2
        Rgb colour; // foreground colour, or the box colour
        Rgb fill; // fill colour in force
        int width = 1; // line width in force
        float fontSize = 0; // font size in force
        std::string text;
    };

    explicit RecordingSurface(double pixelWidth = 1920, double pixelHeight = 821);

    const std::vector<Op> &Ops() const { return ops_; }

protected:
    double PixelWidth() const override { return pixelWidth_; }
    double PixelHeight() const override { return pixelHeight_; }
    void PaintClear() override;
    void PaintLine(double x1, double y1, double x2, double y2) override;
    void PaintFilledBox(double x1, double y1, double x2, double y2, Rgb colour) override;
    void PaintCircle(double x, double y, double radius) override;
    void PaintText(double x, double y, const std::string &text) override;
    double LineHeightPixels() const override;

private:
    Op Make(Kind kind) const;

    double pixelWidth_;
    double pixelHeight_;
    std::vector<Op> ops_;
};
