#include "engine/Skyline.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "engine/Rules.h"

namespace tarvex {

namespace {

// Lowest level first, then the earlier segment in list order.
using LowestFirst = std::greater<std::pair<double, int>>;

struct ShallowerLevel {
    bool operator()(const std::pair<double, int>& a, const std::pair<double, int>& b) const {
        return a.first < b.first;
    }
};

}  // namespace

void Skyline::Load(const std::vector<Segment>& lines, double pickLimit, double emptyLength) {
    segments_.clear();
    alive_ = 0;
    pickLimit_ = pickLimit;
    emptyLength_ = emptyLength;
    lowest_.clear();
    deepest_.clear();
    ends_.Clear();
    starts_.Clear();
    for (const Segment& s : lines) Add(s.x, s.y, s.length);
}

int Skyline::Add(double x, double y, double length) {
    const int id = static_cast<int>(segments_.size());
    segments_.push_back(Entry{Segment{x, y, length}, true});
    ++alive_;
    ends_.Insert(id, x + length);
    starts_.Insert(id, x);
    if (y < pickLimit_) {
        lowest_.emplace_back(y, id);
        std::push_heap(lowest_.begin(), lowest_.end(), LowestFirst{});
    }
    if (!std::isnan(y)) {
        deepest_.emplace_back(y, id);
        std::push_heap(deepest_.begin(), deepest_.end(), ShallowerLevel{});
    }
    return id;
}

void Skyline::Remove(int id) {
    segments_[id].alive = false;
    --alive_;
    ends_.Erase(id);
    starts_.Erase(id);
}

int Skyline::Pick(double& x, double& y, double& length) {
    if (alive_ == 0) {
        x = 0;
        y = 0;
        length = emptyLength_;
        return -1;
    }
    while (!lowest_.empty() && !segments_[lowest_.front().second].alive) {
        std::pop_heap(lowest_.begin(), lowest_.end(), LowestFirst{});
        lowest_.pop_back();
    }
    if (lowest_.empty()) {
        y = pickLimit_;
        return -1;
    }
    const int id = lowest_.front().second;
    x = segments_[id].line.x;
    y = segments_[id].line.y;
    length = segments_[id].line.length;
    return id;
}

bool Skyline::AnyBeyond(double y) {
    while (!deepest_.empty() && !segments_[deepest_.front().second].alive) {
        std::pop_heap(deepest_.begin(), deepest_.end(), ShallowerLevel{});
        deepest_.pop_back();
    }
    return !deepest_.empty() && deepest_.front().first > y;
}

int Skyline::FirstAtLevel(double y) const {
    for (std::size_t id = 0; id < segments_.size(); ++id)
        if (segments_[id].alive && segments_[id].line.y == y) return static_cast<int>(id);
    return -1;
}

void Skyline::Absorb(int id, double gapX, double gapLength, bool fromRight) {
    Segment& n = segments_[id].line;
    if (fromRight) {
        n.x = gapX;
        starts_.Erase(id);
        starts_.Insert(id, n.x);
    }
    n.length += gapLength;
    ends_.Erase(id);
    ends_.Insert(id, n.x + n.length);
}

void Skyline::Close(int current, double gapX, double gapY, double gapLength, double usableLength,
                    std::vector<Offcut>& offcuts, const CutSettings& settings) {
    // Neighbours are matched exactly, the last one in list order winning.
    const int left = ends_.Last(gapX, current);
    const int right = starts_.Last(gapX + gapLength, current);
    if (current >= 0) Remove(current);
    if (gapLength <= kCutTolerance) return;
    // A gap at an edge of the usable area goes to the neighbour on its inner
    // side; any other gap rises to the shallower neighbour, the left one on a tie.
    // A gap that lacks the neighbour it needs is given up.
    bool fromRight;
    if (gapX == 0)
        fromRight = true;
    else if (gapX + gapLength == usableLength)
        fromRight = false;
    else if (left < 0 || right < 0)
        fromRight = left < 0;
    else
        fromRight = segments_[left].line.y > segments_[right].line.y;
    const int absorb = fromRight ? right : left;
    if (absorb < 0) return;
    Absorb(absorb, gapX, gapLength, fromRight);
    const double depth = segments_[absorb].line.y - gapY;
    if (settings.IsUsableOffcut(gapLength, depth))
        AppendOffcut(offcuts, gapX, gapY, gapLength, depth);
}

void Skyline::Store(std::vector<Segment>& lines) const {
    lines.clear();
    for (const Entry& s : segments_)
        if (s.alive) lines.push_back(s.line);
}

}  // namespace tarvex
