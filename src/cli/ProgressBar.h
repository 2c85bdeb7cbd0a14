// A one-line progress bar of the calculation's generations on a terminal.
#pragma once

#include <cstdio>

class ProgressBar {
  public:
    // Draws on `out` only when it is a terminal and `enabled` is set.
    ProgressBar(std::FILE* out, int total, bool enabled);
    ~ProgressBar();
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void Step();

  private:
    void Draw() const;

    std::FILE* out_;
    int total_;
    int done_ = 0;
    bool active_;
};
