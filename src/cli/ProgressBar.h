// A one-line progress bar of the calculation's generations on a terminal, one
// bar per search pass.
#pragma once

#include <cstdio>

#include "optimizer/BestSearch.h"

namespace tarvex {

class ProgressBar {
  public:
    // Draws on `out` only when it is a terminal and `enabled` is set.
    ProgressBar(std::FILE* out, int total, bool enabled);
    ~ProgressBar();
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void Step();
    // A new search pass: the bar starts again, named with the pass.
    void StartPass(int pass);
    // The best search's plan so far, on a line of its own after the bar.
    void ShowBest(const BestProgress& best);

  private:
    void Draw() const;

    std::FILE* out_;
    int total_;
    int done_ = 0;
    int pass_ = 1;
    bool active_;
    bool showingBest_ = false;
};

}  // namespace tarvex
