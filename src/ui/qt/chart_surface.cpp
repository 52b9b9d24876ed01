#include "ui/qt/chart_surface.h"

#include "ui/qt/fonts.h"
#include "ui/qt/image_surface.h"
#include "ui/qt/main_window_controls.h"

void SetUpChartSurface(ImageSurface &surface)
{
    surface.SetBackColor(MainWindowControls::kPictureBack);
    surface.SetForeColor(MainWindowControls::kPictureFore);
    surface.SetFillColor(MainWindowControls::kPictureFore);
    surface.SetFont(QFont(QString::fromUtf8(faces::kSong)));
}
