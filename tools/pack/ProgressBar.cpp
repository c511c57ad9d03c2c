#include "ProgressBar.h"

#include <unistd.h>

#include <cstdio>

namespace {
constexpr int WIDTH = 40;
}

ProgressBar::ProgressBar(const char* label) : label(label), enabled(isatty(STDERR_FILENO) == 1) {}

ProgressBar::~ProgressBar() { abandon(); }

void ProgressBar::setTotal(unsigned long long value) { total = value; }

void ProgressBar::show(unsigned long long done) {
    if (!enabled) return;
    int percent = 100;
    if (total > 0 && done < total) percent = static_cast<int>(done * 100 / total);
    // Redraw only when the figure changes: a terminal is slow compared with a 512 KiB piece.
    if (percent != lastPercent) draw(percent);
}

void ProgressBar::finish() {
    if (!enabled) return;
    draw(100);
    abandon();
}

void ProgressBar::abandon() {
    if (!drawn) return;
    fputc('\n', stderr);
    fflush(stderr);
    drawn = false;
    lastPercent = -1;
}

void ProgressBar::draw(int percent) {
    char bar[WIDTH + 1];
    int filled = percent * WIDTH / 100;
    for (int i = 0; i < WIDTH; ++i) bar[i] = i < filled ? '#' : '.';
    bar[WIDTH] = 0;
    fprintf(stderr, "\r%s [%s] %3d%%", label, bar, percent);
    fflush(stderr);
    drawn = true;
    lastPercent = percent;
}
