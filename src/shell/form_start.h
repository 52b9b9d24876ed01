#pragma once

#include "qt/form_window.h"
#include "qt/image_surface.h"

#include <QImage>
#include <QPixmap>
#include <QRect>

#include <cstdint>

class AppShell;
class QPushButton;
class QTimer;

// The start-up window: a picture on the right four fifths of a full-width
// window and, on the left strip, a credit text written one character per
// timer tick in two columns. When the text is complete the OK button appears;
// it leads into the main window. Closing the window before that ends the
// program, since no other window exists yet.
class FormStart : public FormWindow {
    Q_OBJECT
public:
    explicit FormStart(AppShell &shell, QWidget *parent = nullptr);

    // Covers the screen width and 95 % of its height from the top-left corner
    // and places the picture and the OK button in proportion to the window.
    void Form_Load() override;
    // The close box ends the program.
    void Form_QueryUnload() override;

    // One step of the credit animation (every 100 ms while Timer1 runs).
    void Timer1_Timer();
    // The OK button: on to the main window.
    void Command1_Click();

    // Number of characters of the first column (institution, blank, author).
    static int FirstColumnLength();
    // The step counter of the animation; it stops one tick after the button appears.
    std::int16_t AnimationStep() const { return animationStep_; }
    // Where the picture is stretched to, in client pixels.
    QRect Image1Geometry() const { return image1_; }
    // The window's own drawing surface with the printed text, in twips.
    ImageSurface &PrintSurface() { return text_; }

    QTimer *Timer1 = nullptr;
    QPushButton *Command1 = nullptr;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void PrintText(const QString &text);

    AppShell &shell_;
    ImageSurface text_;
    QImage picture_;
    QPixmap stretched_;
    QRect image1_;
    float windowWidth_ = 0.0f; // W: outer width in twips as applied at load
    float windowHeight_ = 0.0f; // H: outer height in twips as applied at load
    std::int16_t animationStep_ = 0;
};
