#include "optimizer/SheetPattern.h"

#include <algorithm>
#include <tuple>

#include "engine/Cut.h"

namespace tarvex {

namespace {

bool SameKind(const Sheet& a, const Sheet& b) {
    return a.label == b.label && a.length == b.length && a.width == b.width &&
           a.unitCost == b.unitCost && a.usedFirst == b.usedFirst;
}

double FullArea(const Sheet& s, const Margins& m) {
    return (s.length + m.left + m.right) * (s.width + m.top + m.bottom);
}

}  // namespace

std::vector<std::int32_t> SheetPattern::Counts(std::size_t types) const {
    std::vector<std::int32_t> counts(types, 0);
    for (const PatternPiece& p : pieces) ++counts[p.type];
    return counts;
}

void SheetPattern::Remove(std::size_t piece, const std::vector<PieceType>& types) {
    const PatternPiece& p = pieces[piece];
    const PieceType& t = types[p.type];
    free.push_back(PatternRoom{p.x, p.y, PieceLength(t, p.turned), PieceWidth(t, p.turned)});
    pieces.erase(pieces.begin() + static_cast<std::ptrdiff_t>(piece));
}

PatternJob PatternJob::Of(const Job& job, const CutSettings& settings) {
    PatternJob pj;
    pj.typeOf.assign(job.Parts().size(), 0);
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(job.Parts().size()); ++i) {
        const Part& p = job.Parts()[i];
        auto same = std::find_if(pj.types.begin(), pj.types.end(), [&](const PieceType& t) {
            return t.length == p.length && t.width == p.width && t.rotatable == p.rotatable;
        });
        if (same == pj.types.end()) {
            same = pj.types.insert(pj.types.end(), PieceType{p.length, p.width, p.rotatable, {}});
        }
        same->parts.push_back(i);
        pj.typeOf[i] = static_cast<std::int32_t>(same - pj.types.begin());
    }
    // Parts are handed out from the back of each list: the first parts of the
    // table go first.
    for (PieceType& t : pj.types) std::reverse(t.parts.begin(), t.parts.end());

    const Margins& m = settings.margins;
    double perArea = 0;
    for (const Sheet& s : job.Sheets()) {
        if (s.usedFirst) continue;
        const double stock = settings.costObjective ? s.unitCost * FullArea(s, m) : FullArea(s, m);
        perArea = std::max(perArea, stock / FullArea(s, m));
    }
    if (!(perArea > 0)) perArea = 1;
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(job.Sheets().size()); ++i) {
        const Sheet& s = job.Sheets()[i];
        auto same = std::find_if(pj.kinds.begin(), pj.kinds.end(), [&](const StockKind& k) {
            return SameKind(job.Sheets()[k.sheets.front()], s);
        });
        if (same == pj.kinds.end()) {
            StockKind k;
            k.length = s.length + settings.bladeWidth;
            k.width = s.width + settings.bladeWidth;
            k.usedFirst = s.usedFirst;
            const double area = FullArea(s, m);
            // Priority sheets are paid for; among equal figures the smaller area wins.
            const double stock =
                s.usedFirst ? 0 : (settings.costObjective ? s.unitCost * area : area);
            k.value = stock + (s.usedFirst ? 1e-5 : 1e-4) * perArea * area;
            same = pj.kinds.insert(pj.kinds.end(), std::move(k));
        }
        same->sheets.push_back(i);
    }
    std::stable_sort(pj.kinds.begin(), pj.kinds.end(), [](const StockKind& a, const StockKind& b) {
        return std::tuple(!a.usedFirst, a.value) < std::tuple(!b.usedFirst, b.value);
    });
    return pj;
}

LaidOutSheet LayOutPattern(const SheetPattern& pattern, const Job& job, const CutSettings& settings,
                           std::int32_t sheet, std::vector<std::vector<std::int32_t>>& parts,
                           std::vector<std::int32_t>& placed, double& placedArea) {
    LaidOutSheet s{job.Sheets()[sheet]};
    placedArea = 0;
    const double kerf = settings.bladeWidth;
    for (const PatternPiece& piece : pattern.pieces) {
        std::vector<std::int32_t>& left = parts[piece.type];
        const std::int32_t i = left.back();
        left.pop_back();
        placed.push_back(i);
        const Part& part = job.Parts()[i];
        Footprint& f = s.parts.emplace_back();
        f.x = piece.x;
        f.y = piece.y;
        f.length = piece.turned ? part.width : part.length;
        f.width = piece.turned ? part.length : part.width;
        f.partId = part.id;
        f.label = part.label;
        f.rotated = piece.turned;
        placedArea += part.length * part.width;
    }
    for (const PatternRoom& r : pattern.free) {
        const double length = std::min(r.length - kerf, s.length - r.x);
        const double width = std::min(r.width - kerf, s.width - r.y);
        if (length > 0 && width > 0 && settings.IsUsableOffcut(length, width))
            s.offcuts.push_back(Offcut{r.x, r.y, length, width});
    }
    s.utilisation = placedArea / s.Area();
    return s;
}

}  // namespace tarvex
