#include "qt/widget_geometry.h"

#include <QWidget>

#include <algorithm>

WidgetGeometry::WidgetGeometry(QWidget &widget) : widget_(widget)
{
    if (widget_.isWindow())
        (void)widget_.winId();
}

// The window's frame is the client rectangle plus the margins the window
// system draws around it (zero until they are known). A child widget has no frame.
float WidgetGeometry::Left() const
{
    return PixelsToTwips(widget_.frameGeometry().x());
}

float WidgetGeometry::Top() const
{
    return PixelsToTwips(widget_.frameGeometry().y());
}

float WidgetGeometry::Width() const
{
    return PixelsToTwips(widget_.frameGeometry().width());
}

float WidgetGeometry::Height() const
{
    return PixelsToTwips(widget_.frameGeometry().height());
}

void WidgetGeometry::SetLeft(float twips)
{
    // For a window, move() places the outer frame.
    widget_.move(TwipsToPixels(twips), widget_.frameGeometry().y());
}

void WidgetGeometry::SetTop(float twips)
{
    widget_.move(widget_.frameGeometry().x(), TwipsToPixels(twips));
}

void WidgetGeometry::SetWidth(float twips)
{
    // resize() sets the client size: take off what the frame adds.
    const int frame = widget_.frameGeometry().width() - widget_.width();
    widget_.resize(std::max(TwipsToPixels(twips) - frame, 0), widget_.height());
}

void WidgetGeometry::SetHeight(float twips)
{
    const int frame = widget_.frameGeometry().height() - widget_.height();
    widget_.resize(widget_.width(), std::max(TwipsToPixels(twips) - frame, 0));
}

GeometryTarget *WidgetGeometryList::Add(QWidget &widget)
{
    geometries_.push_back(std::make_unique<WidgetGeometry>(widget));
    return geometries_.back().get();
}
