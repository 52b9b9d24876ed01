#pragma once

#include "draw/rgb.h"

class QPushButton;
class QString;

// The caption of the main window and of the splash.
QString ProgramCaption();

// Makes a graphical button: its whole face in its own colour on every widget
// style (a palette alone does not reach the face under every style; a style
// sheet does), with a border drawn light above and left and dark below and
// right, the other way round while the button is held down, so that it still
// looks raised; a dotted outline shows the focus.
void MakeGraphicalButton(QPushButton &button, Rgb face);
