#include "cli/ProgressBar.h"

#include <unistd.h>

#include <string>

#include "job/BestProgressText.h"
#include "text/FileMessages.h"
#include "text/Translate.h"

namespace tarvex {

namespace {
constexpr int kBarWidth = 40;
}

ProgressBar::ProgressBar(std::FILE* out, int total, bool enabled)
    : out_(out), total_(total > 0 ? total : 1), active_(enabled && isatty(fileno(out))) {
    if (active_) Draw();
}

ProgressBar::~ProgressBar() {
    if (!active_) return;
    // The run may end early (stagnation): show the bar full, then leave the line.
    done_ = total_;
    if (!showingBest_) Draw();
    std::fputc('\n', out_);
    std::fflush(out_);
}

void ProgressBar::Step() {
    if (!active_) return;
    if (done_ < total_) ++done_;
    Draw();
}

void ProgressBar::StartPass(int pass) {
    if (!active_) return;
    done_ = total_;
    Draw();
    std::fputc('\n', out_);
    done_ = 0;
    pass_ = pass;
    Draw();
}

void ProgressBar::ShowBest(const BestProgress& best) {
    if (!active_) return;
    if (!showingBest_) {
        done_ = total_;
        Draw();
        std::fputc('\n', out_);
        showingBest_ = true;
    }
    std::fprintf(out_, "\r%s\033[K", BestProgressText(best).c_str());
    std::fflush(out_);
}

void ProgressBar::Draw() const {
    const int filled = done_ * kBarWidth / total_;
    const std::string bar = std::string(filled, '#') + std::string(kBarWidth - filled, '.');
    const std::string pass = pass_ > 1 ? Substitute(_("pass {1} "), {std::to_string(pass_)}) : "";
    std::fprintf(out_, "\r%s[%s] %d/%d", pass.c_str(), bar.c_str(), done_, total_);
    std::fflush(out_);
}

}  // namespace tarvex
