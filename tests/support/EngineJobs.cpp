#include "support/EngineJobs.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <utility>

#include "model/Job.h"

namespace tarvex {

namespace {

double Uniform(std::mt19937_64& rng, double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(rng);
}

int Below(std::mt19937_64& rng, int n) {
    return static_cast<int>(rng() % n);
}

bool Chance(std::mt19937_64& rng, double p) {
    return Uniform(rng, 0, 1) < p;
}

// Usable extents as the job input leaves them: whole numbers, or decimals after
// margins were taken off.
void RandomUsableSize(std::mt19937_64& rng, double& length, double& width) {
    switch (Below(rng, 5)) {
        case 0:
            length = 1000, width = 500;
            break;
        case 1:
            length = 2420, width = 1200;
            break;
        case 2:
            length = 2440 - 13.7 - 9.1, width = 1220 - 8.3 - 11.9;
            break;
        case 3:
            length = 300, width = 200;
            break;
        default:
            length = std::round(Uniform(rng, 100, 3000) * 10) / 10;
            width = std::round(Uniform(rng, 100, 1500) * 10) / 10;
    }
}

// Entered sizes of one part kind, drawn against the usable extents of a sheet.
void RandomPartSize(std::mt19937_64& rng, double sheetLength, double sheetWidth, double& length,
                    double& width) {
    auto whole = [&](double hi) { return std::floor(Uniform(rng, 1, std::max(2.0, hi))); };
    switch (Below(rng, 10)) {
        case 0:  // as long as the usable area
            length = sheetLength, width = whole(sheetWidth * 0.5);
            break;
        case 1:  // as wide as the usable area
            length = whole(sheetLength * 0.5), width = sheetWidth;
            break;
        case 2:  // a fraction of the usable area, so that ends and levels meet exactly
            length = sheetLength / (2 + Below(rng, 5)), width = sheetWidth / (2 + Below(rng, 4));
            break;
        case 3: {  // just inside or just outside the fit tolerance
            const double deltas[] = {0.000005, -0.000005, 0.00002, 0.0};
            length = sheetLength / (1 + Below(rng, 3)) + deltas[Below(rng, 4)];
            width = sheetWidth / (1 + Below(rng, 3)) + deltas[Below(rng, 4)];
            break;
        }
        case 4:  // tiny
            length = Uniform(rng, 0.001, 3), width = Uniform(rng, 0.001, 3);
            break;
        case 5:  // larger than the sheet
            length = sheetLength * Uniform(rng, 0.5, 1.5),
            width = sheetWidth * Uniform(rng, 0.8, 2);
            break;
        case 6:  // decimals
            length = Uniform(rng, 1, sheetLength * 0.7), width = Uniform(rng, 1, sheetWidth * 0.7);
            break;
        default:
            length = whole(sheetLength * 0.6), width = whole(sheetWidth * 0.6);
    }
}

// The job's records as the engine works on them.
EngineJob WorkingCopy(const CutSettings& settings, const Job& built) {
    EngineJob job{settings, {}, {}};
    for (const Part& p : built.Parts()) job.parts.push_back(WorkPart{p});
    for (const Sheet& sheet : built.Sheets()) job.sheets.push_back(LaidOutSheet{sheet});
    return job;
}

}  // namespace

WorkPart MakePart(double length, double width, double bladeWidth, std::int32_t id,
                  std::string label) {
    CutSettings settings;
    settings.bladeWidth = bladeWidth;
    JobBuilder builder(settings, id);
    builder.AddParts(length, width, true, label, 1);
    return WorkPart{std::move(builder).Build().Parts().front()};
}

LaidOutSheet MakeSheet(double usableLength, double usableWidth, std::int32_t id) {
    LaidOutSheet s;
    s.length = usableLength;
    s.width = usableWidth;
    s.id = id;
    return s;
}

EngineJob RandomEdgeJob(std::mt19937_64& rng, bool guillotine) {
    CutSettings s;
    s.guillotine = guillotine;
    const double blades[] = {0, 0, 0, 3, 4.2, 0.1};
    s.bladeWidth = blades[Below(rng, 6)];
    const double limits[][3] = {{0, 0, 0}, {10, 10, 150}, {50, 30, 5000}, {1, 1, 1}};
    const auto& limit = limits[Below(rng, 4)];
    s.minOffcutLength = limit[0], s.minOffcutWidth = limit[1], s.minOffcutArea = limit[2];
    // No margins: the sheets are entered with their usable extents.
    JobBuilder builder(s);

    const int sheetCount = 1 + Below(rng, 4);
    const bool sameSize = Chance(rng, 0.6);
    double length = 0, width = 0;
    for (int i = 0; i < sheetCount; ++i) {
        if (i == 0 || !sameSize) RandomUsableSize(rng, length, width);
        builder.AddSheet(length, width, 0, "S");
    }

    const int kinds = Below(rng, 9);  // no parts at all now and then
    for (int k = 0; k < kinds; ++k) {
        const Sheet& ref = builder.Current().Sheets()[Below(rng, sheetCount)];
        double partLength = 0, partWidth = 0;
        RandomPartSize(rng, ref.length, ref.width, partLength, partWidth);
        const std::string label = Chance(rng, 0.3) ? "Cabinet side panel, kind " + std::to_string(k)
                                                   : "P" + std::to_string(k);
        const bool turnable = Chance(rng, 0.8);
        builder.AddParts(partLength, partWidth, turnable, label, 1 + Below(rng, 6));
    }
    EngineJob job = WorkingCopy(s, std::move(builder).Build());
    if (Chance(rng, 0.5)) std::shuffle(job.parts.begin(), job.parts.end(), rng);
    RandomTurns(job.parts, rng);
    return job;
}

EngineJob RealisticJob(int partCount, bool guillotine, std::uint64_t seed) {
    std::mt19937_64 rng(seed);
    CutSettings s;
    s.bladeWidth = 4;
    s.margins = Margins{10, 10, 10, 10};
    s.minOffcutLength = 10, s.minOffcutWidth = 10, s.minOffcutArea = 150;
    s.guillotine = guillotine;
    JobBuilder builder(s);
    const double usableWidth = 1220 - 20;

    struct Kind {
        double lo[2], hi[2];
    };
    // Carcass sides, shelves and doors, rails and strips, small fittings.
    const Kind kinds[] = {{{300, 300}, {2400, 800}},
                          {{250, 200}, {1200, 600}},
                          {{300, 50}, {2400, 150}},
                          {{80, 60}, {400, 300}}};
    const double weights[] = {0.25, 0.35, 0.2, 0.2};
    std::discrete_distribution<int> kindOf(std::begin(weights), std::end(weights));

    const int kindCount = std::max(5, partCount / 12);
    std::vector<int> quantity(kindCount, 1);
    for (int extra = partCount - kindCount; extra > 0; --extra) ++quantity[Below(rng, kindCount)];

    for (int k = 0; k < kindCount && builder.Current().PartCount() < partCount; ++k) {
        const Kind& kind = kinds[kindOf(rng)];
        const double length = std::round(Uniform(rng, kind.lo[0], kind.hi[0]));
        const double width = std::round(Uniform(rng, kind.lo[1], kind.hi[1]));
        // A part that cannot lie turned on the sheet is never turned.
        const bool turnable = length + s.bladeWidth <= usableWidth && Chance(rng, 0.85);
        builder.AddParts(length, width, turnable, "Part " + std::to_string(k + 1),
                         std::min(quantity[k], partCount - builder.Current().PartCount()));
    }
    while (builder.Current().SheetArea() <= 1.5 * builder.Current().PartArea())
        builder.AddSheet(2440, 1220, 0, "Board");
    EngineJob job = WorkingCopy(s, std::move(builder).Build());
    RandomTurns(job.parts, rng);
    return job;
}

void RandomTurns(std::vector<WorkPart>& parts, std::mt19937_64& rng) {
    for (WorkPart& p : parts) {
        if (p.rotated) p.Rotate();
        if (p.rotatable && Chance(rng, 0.5)) p.Rotate();
    }
}

bool SameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b) ||
           (std::isnan(a) && std::isnan(b));
}

bool SameRecord(const WorkPart& a, const WorkPart& b) {
    return SameBits(a.length, b.length) && SameBits(a.width, b.width) &&
           SameBits(a.layoutOrderKey, b.layoutOrderKey) && a.id == b.id && a.label == b.label &&
           a.rotatable == b.rotatable && a.rotated == b.rotated && a.placed == b.placed;
}

bool SameRecord(const Footprint& a, const Footprint& b) {
    return SameBits(a.x, b.x) && SameBits(a.y, b.y) && SameBits(a.length, b.length) &&
           SameBits(a.width, b.width) && a.partId == b.partId && a.label == b.label &&
           a.rotated == b.rotated;
}

bool SameRecord(const Offcut& a, const Offcut& b) {
    return SameBits(a.x, b.x) && SameBits(a.y, b.y) && SameBits(a.length, b.length) &&
           SameBits(a.width, b.width);
}

bool SameRecord(const Segment& a, const Segment& b) {
    return SameBits(a.x, b.x) && SameBits(a.y, b.y) && SameBits(a.length, b.length);
}

namespace {

template <typename Record>
bool SameRecords(const std::vector<Record>& a, const std::vector<Record>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const Record& x, const Record& y) { return SameRecord(x, y); });
}

}  // namespace

bool SameLayout(const LaidOutSheet& a, const LaidOutSheet& b) {
    return SameRecords(a.parts, b.parts) && SameRecords(a.offcuts, b.offcuts) &&
           SameRecords(a.segments, b.segments);
}

}  // namespace tarvex
