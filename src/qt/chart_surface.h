#pragma once

class ImageSurface;

// Gives a surface the back colour, drawing colours and font of the main
// window's chart surface Picture1, so that a chart drawn on it away from the
// window (a file written from the command line) is the window's chart.
void SetUpChartSurface(ImageSurface &surface);
