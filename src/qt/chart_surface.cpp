#include "qt/chart_surface.h"

#include "qt/fonts.h"
#include "qt/image_surface.h"

void SetUpChartSurface(ImageSurface &surface)
{
    surface.SetBackColor(colours::kChartBack);
    surface.SetForeColor(colours::kChartFore);
    surface.SetFillColor(colours::kChartFore);
    surface.SetFont(QFont(QString::fromUtf8(faces::kSong)));
}
