#pragma once

#include "draw/plane_transform.h"
#include "draw/rgb.h"
#include "draw/scale_map.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

// A point in a surface's user coordinates.
struct SurfacePoint {
    float x = 0.0f;
    float y = 0.0f;
};

// A drawing surface shaped after the picture box: a user scale set from two
// corners, a current point, a foreground colour for lines, outlines and text,
// a fill colour for circles, a line width in pixels and a font size in points
// (regular or bold).
// Everything outside the drawing area is clipped.
//
// The state lives here; implementations only paint.
class Surface {
public:
    virtual ~Surface() = default;

    // Sets the user coordinates of the upper-left (x1, y1) and lower-right (x2, y2) corners.
    void Scale(float x1, float y1, float x2, float y2);
    const ScaleMap &Map() const { return map_; }
    // Whether Scale has set a user scale (otherwise the scale is in pixels).
    bool HasUserScale() const { return userScale_; }

    // The chart style's layout of user coordinates on the plane the scale
    // maps (none: user coordinates are the plane's). Every drawing call and
    // the current point are in user coordinates and go through it; what is
    // painted is in plane coordinates.
    void SetTransform(std::shared_ptr<const PlaneTransform> transform)
    {
        transform_ = std::move(transform);
    }
    const std::shared_ptr<const PlaneTransform> &Transform() const { return transform_; }
    // The plane point of a user point.
    SurfacePoint PlaneOf(float x, float y) const { return ToPlane(x, y); }
    // The user point that lies (dx, dy) plane units from the user point (x, y).
    SurfacePoint Shifted(float x, float y, float dx, float dy) const;
    // User coordinates and pixels of this surface, through the transform.
    PixelMapping Pixels() const { return {map_, transform_.get()}; }

    // Clears to the background colour; the current point goes to the upper-left corner.
    void Cls();
    // A straight line in the foreground colour and line width; the current point moves to its end.
    void Line(float x1, float y1, float x2, float y2);
    // A straight line from the current point.
    void LineTo(float x2, float y2);
    // A rectangle between two corners filled with the given colour (outline included).
    void FillBox(float x1, float y1, float x2, float y2, Rgb colour);
    // A rectangle with a transform keeps its size on the plane and is
    // centred on the transformed middle of the two corners.
    // A circle of the given radius in horizontal plane units, round on the screen,
    // outlined in the foreground colour and filled with the fill colour.
    void Circle(float x, float y, float radius);
    // A polygon through the points (closed from the last back to the first),
    // filled with the colour at an opacity of alpha / 255 over what lies
    // below it, without an outline. Fewer than three points draw nothing.
    void FillPolygon(std::span<const SurfacePoint> points, Rgb colour, std::uint8_t alpha);
    // Prints text with its top-left corner at the current point, transparent
    // background, in the foreground colour and font size; then the current
    // point moves to the start of the next line.
    void Print(const std::string &text);
    // Height of one printed line of the current font, in user units (negative
    // when the vertical scale runs upwards).
    float LineHeight() const;

    float CurrentX() const { return currentX_; }
    float CurrentY() const { return currentY_; }
    void SetCurrentX(float x) { currentX_ = x; }
    void SetCurrentY(float y) { currentY_ = y; }

    Rgb ForeColor() const { return foreColor_; }
    void SetForeColor(Rgb colour) { foreColor_ = colour; }
    Rgb FillColor() const { return fillColor_; }
    void SetFillColor(Rgb colour) { fillColor_ = colour; }
    int DrawWidth() const { return drawWidth_; }
    void SetDrawWidth(int pixels) { drawWidth_ = pixels < 1 ? 1 : pixels; }
    float FontSize() const { return fontSize_; }
    void SetFontSize(float points) { fontSize_ = points; }
    // Whether text is printed in the bold weight of the face.
    bool FontBold() const { return fontBold_; }
    void SetFontBold(bool bold) { fontBold_ = bold; }
    // The point (user coordinates) the texts printed next belong to, such as
    // the dot a state's letter names: a magnified view keeps the text as
    // many pixels from it as the whole picture does. None for other texts.
    const std::optional<SurfacePoint> &TextAnchor() const { return textAnchor_; }
    void SetTextAnchor(std::optional<SurfacePoint> anchor) { textAnchor_ = anchor; }

protected:
    // The pixel size of the drawing area; the scale maps onto it.
    virtual double PixelWidth() const = 0;
    virtual double PixelHeight() const = 0;

    virtual void PaintClear() = 0;
    virtual void PaintLine(double x1, double y1, double x2, double y2) = 0;
    virtual void PaintFilledBox(double x1, double y1, double x2, double y2, Rgb colour) = 0;
    virtual void PaintCircle(double x, double y, double radius) = 0;
    virtual void PaintPolygon(std::span<const SurfacePoint> points, Rgb colour, std::uint8_t alpha)
        = 0;
    virtual void PaintText(double x, double y, const std::string &text) = 0;
    // Height of one printed line of the current font, in pixels.
    virtual double LineHeightPixels() const = 0;

    // The text anchor on the plane.
    std::optional<SurfacePoint> PlaneTextAnchor() const;

    // Implementations call this when their pixel size changes.
    void RefreshScale();
    // Called whenever the map between user coordinates and pixels changes.
    virtual void ScaleChanged() { }

private:
    SurfacePoint ToPlane(float x, float y) const;
    SurfacePoint FromPlane(double X, double Y) const;

    ScaleMap map_;
    std::shared_ptr<const PlaneTransform> transform_;
    float x1_ = 0.0f, y1_ = 0.0f, x2_ = 0.0f, y2_ = 0.0f;
    bool userScale_ = false;
    float currentX_ = 0.0f;
    float currentY_ = 0.0f;
    Rgb foreColor_ = colours::kBlack;
    Rgb fillColor_ = colours::kBlack;
    int drawWidth_ = 1;
    float fontSize_ = 9.0f;
    bool fontBold_ = false;
    std::optional<SurfacePoint> textAnchor_;
};

// While it lives, drawing on the surface is in the plane's coordinates (the
// rectangular chart's scale): the style's transform is set aside, and put
// back after. For what stands at places on the picture rather than at states.
class PlaneDrawing {
public:
    explicit PlaneDrawing(Surface &surface) : surface_(surface), kept_(surface.Transform())
    {
        surface_.SetTransform(nullptr);
    }
    ~PlaneDrawing() { surface_.SetTransform(kept_); }
    PlaneDrawing(const PlaneDrawing &) = delete;
    PlaneDrawing &operator=(const PlaneDrawing &) = delete;

private:
    Surface &surface_;
    std::shared_ptr<const PlaneTransform> kept_;
};
