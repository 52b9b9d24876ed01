#pragma once

#include "layout/layout.h"

#include <memory>
#include <vector>

class QWidget;

// A widget's geometry in twips as the window system keeps it: values are
// applied in whole pixels and read back as pixels times 15. For a window,
// Left, Top, Width and Height are its outer frame, title bar and borders
// included, as far as the window system reports the frame; for a child widget
// they count from the top-left corner of its parent's client area.
class WidgetGeometry : public GeometryTarget {
public:
    // A window gets its platform window at once, so that a window system that
    // knows its frame before the window is shown reports it.
    explicit WidgetGeometry(QWidget &widget);

    float Left() const override;
    float Top() const override;
    float Width() const override;
    float Height() const override;
    void SetLeft(float twips) override;
    void SetTop(float twips) override;
    void SetWidth(float twips) override;
    void SetHeight(float twips) override;

private:
    QWidget &widget_;
};

// The geometries of the widgets an arrangement places, kept while it is
// applied: Add(widget) gives the target to put into a layout record.
class WidgetGeometryList {
public:
    GeometryTarget *Add(QWidget &widget);

private:
    std::vector<std::unique_ptr<WidgetGeometry>> geometries_;
};
