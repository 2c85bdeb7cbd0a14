#include "ClassInstances.h"

#include <cmath>
#include <cstdio>
#include <random>

namespace tarvex {

namespace {

// A whole number uniformly from lo..hi: the engine's output is fixed by the
// standard, the library's distributions are not.
int Draw(std::mt19937& rng, int lo, int hi) {
    return lo + static_cast<int>(rng() % static_cast<std::uint32_t>(hi - lo + 1));
}

// Sides of the Berkey and Wang classes: item range and bin side.
struct UniformClass {
    int lo, hi, bin;
};
constexpr UniformClass kUniformClasses[6] = {{1, 10, 10},  {1, 10, 30},   {1, 35, 40},
                                             {1, 35, 100}, {1, 100, 100}, {1, 100, 300}};

// The four item shapes of a W x H bin: 1 wide and low, 2 narrow and tall, 3 large,
// 4 small.
void DrawShape(std::mt19937& rng, int shape, int w, int h, int& length, int& width) {
    switch (shape) {
        case 1:
            length = Draw(rng, (2 * w + 2) / 3, w);
            width = Draw(rng, 1, h / 2);
            break;
        case 2:
            length = Draw(rng, 1, w / 2);
            width = Draw(rng, (2 * h + 2) / 3, h);
            break;
        case 3:
            length = Draw(rng, w / 2, w);
            width = Draw(rng, h / 2, h);
            break;
        default:
            length = Draw(rng, 1, w / 2);
            width = Draw(rng, 1, h / 2);
            break;
    }
}

}  // namespace

ClassInstance GenerateClassInstance(int instanceClass, int items, std::uint32_t seed) {
    std::mt19937 rng(seed * 7919u + static_cast<std::uint32_t>(instanceClass * 131 + items));
    ClassInstance instance;
    char name[48];
    std::snprintf(name, sizeof name, "C%02d_n%d_s%u", instanceClass, items, seed);
    instance.name = name;
    const bool uniform = instanceClass <= 6;
    instance.binSide = uniform ? kUniformClasses[instanceClass - 1].bin : 100;
    for (int i = 0; i < items; ++i) {
        int length = 0, width = 0;
        if (uniform) {
            const UniformClass& c = kUniformClasses[instanceClass - 1];
            length = Draw(rng, c.lo, c.hi);
            width = Draw(rng, c.lo, c.hi);
        } else {
            // The class's own shape with probability 70 %, each other one 10 %.
            const int own = instanceClass - 6;
            int shape = own;
            if (Draw(rng, 1, 10) > 7) {
                shape = Draw(rng, 1, 3);
                if (shape >= own) ++shape;
            }
            DrawShape(rng, shape, 100, 100, length, width);
        }
        instance.parts.push_back(
            {"P" + std::to_string(i + 1), double(length), double(width), 1, true, i + 1});
    }
    return instance;
}

int AreaBound(const ClassInstance& instance) {
    double area = 0;
    for (const PartRow& p : instance.parts) area += p.length * p.width * p.quantity;
    const double bin = double(instance.binSide) * instance.binSide;
    return static_cast<int>(std::ceil(area / bin - 1e-9));
}

}  // namespace tarvex
