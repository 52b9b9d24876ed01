#include "qt/chart_surface.h"

#include "qt/fonts.h"
#include "qt/image_surface.h"
#include "shell/main_window_controls.h"

void SetUpChartSurface(ImageSurface &surface)
{
    surface.SetBackColor(MainWindowControls::kPictureBack);
    surface.SetForeColor(MainWindowControls::kPictureFore);
    surface.SetFillColor(MainWindowControls::kPictureFore);
    surface.SetFont(QFont(QString::fromUtf8(faces::kSong)));
}
