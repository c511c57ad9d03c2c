// A picture of what a window showed, from either play harness (PlayedGame, ProgramPlay):
// rows of R, G, B bytes from the top. Tests read it in fractions of the window, so the same
// check holds at 854 x 480 and at full screen, and keep it as a PNG for people to look at.
#pragma once

#include <string>
#include <vector>

struct Rgb {
    double r = 0, g = 0, b = 0;
    double brightness() const { return (r + g + b) / 3; }
};

class Screenshot {
public:
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;  // width * height * 3
    std::string file;                // where save() put it, empty before

    bool empty() const { return width <= 0 || height <= 0; }
    // The pixel at (x, y) in fractions of the picture, origin top left, y downwards.
    Rgb pixel(double x, double y) const;
    // Mean colour of the rectangle from (x0, y0) to (x1, y1), fractions as above.
    Rgb mean(double x0, double y0, double x1, double y1) const;
    // The same in the displays' overlay space (911 x 512 units, origin top left, y downwards)
    // as it lies in the letter box that a display keeps in a window of this picture's size.
    Rgb overlayPixel(double x, double y) const;
    Rgb overlayMean(double x0, double y0, double x1, double y1) const;
    // True when every channel of every pixel is at most `level`: a window that drew nothing.
    bool black(int level = 8) const;
    // Writes build/screenshots/<name>.png (the folder is made when missing); returns the path.
    // An empty name keeps nothing (a picture taken only to be looked at by the test).
    std::string save(const std::string& name);
};

// The folder of the build's screenshots.
std::string screenshotFolder();

// A PNG file read into the same form, to compare a screenshot with the picture it should
// show; empty when it cannot be read.
Screenshot readPicture(const std::string& path);
