#pragma once

// Size of the screen in twips.
struct ScreenSize {
    float Width = 0.0f;
    float Height = 0.0f;
};

// The full size of the primary screen (not just its work area) in
// device-independent pixels times 15; zero when there is no screen.
ScreenSize ScreenTwips();
