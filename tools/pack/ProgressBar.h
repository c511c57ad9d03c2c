// A one-line progress bar on standard error, drawn only when standard error is a terminal.
#pragma once

class ProgressBar {
public:
    explicit ProgressBar(const char* label);
    ~ProgressBar();
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void setTotal(unsigned long long total);
    // Shows `done` of the total (clamped to it).
    void show(unsigned long long done);
    // Draws the full bar and ends its line; nothing when nothing was drawn.
    void finish();
    // Ends the line without claiming completion (before an error message).
    void abandon();

private:
    const char* label;
    bool enabled;
    bool drawn = false;
    unsigned long long total = 0;
    int lastPercent = -1;

    void draw(int percent);
};
