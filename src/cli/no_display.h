#pragma once

#include <optional>
#include <string>

// The windows need a display, an X server or a Wayland compositor. Without
// one Qt stops the program with its own English message and an abort; these
// say in Chinese that no display was found and name the commands that work
// without one, and the program ends with exit status 1.

inline constexpr int kNoDisplayStatus = 1;

// Answers that message when the windows cannot start for want of a display,
// before the application object is made: Qt's platform is not chosen
// (QT_QPA_PLATFORM unset, no -platform argument) and neither DISPLAY nor
// WAYLAND_DISPLAY is set, or the platform is xcb without DISPLAY and without
// -display. Other platforms (offscreen, wayland, vnc…) are Qt's to judge.
// Answers nothing when the windows may start.
std::optional<std::string> MissingDisplayMessage(int argc, char **argv);

// While an object of this class lives (around the application object's
// construction), a fatal message of Qt, such as a display named by DISPLAY
// that cannot be reached, ends the program with the Chinese message and exit
// status 1, Qt's own text as a detail. Qt's other messages of that time are
// held and handed on when the object ends.
class DisplayFailureGuard {
public:
    DisplayFailureGuard();
    ~DisplayFailureGuard();
    DisplayFailureGuard(const DisplayFailureGuard &) = delete;
    DisplayFailureGuard &operator=(const DisplayFailureGuard &) = delete;
};
