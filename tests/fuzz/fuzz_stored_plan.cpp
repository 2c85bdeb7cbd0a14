// Stored plans: the result JSON with the job, its settings and tables, which is
// checked as every plan is before it is shown. Byte-level changes mostly break the
// JSON, so most mutations here change one value of a parsed plan instead: a
// number to an edge, a flag flipped, a record dropped or repeated, a field
// removed. Such files reach the field checks and the plan check behind them.
#include <cstring>
#include <nlohmann/json.hpp>
#include <random>
#include <vector>

#include "FuzzFile.h"
#include "export/StoredPlan.h"

using namespace tarvex;

namespace {

using Json = nlohmann::json;

void Collect(Json& value, std::vector<Json*>& all) {
    all.push_back(&value);
    if (value.is_structured())
        for (Json& inner : value) Collect(inner, all);
}

double EdgeNumber(const Json& value, std::mt19937& rng) {
    const double old = value.is_number() ? value.get<double>() : 0;
    const double edges[] = {
        0,   -1,      1,     old + 1, old - 1, old * 2,      old / 2,      -old,  0.5,
        1e9, 1e9 + 1, 1e308, -1e308,  9.3e18,  4294967296.0, 2147483648.0, 1e-300};
    return edges[rng() % std::size(edges)];
}

void Mutate(Json& value, Json& anyOther, std::mt19937& rng) {
    switch (value.type()) {
        case Json::value_t::number_integer:
        case Json::value_t::number_unsigned:
        case Json::value_t::number_float:
            if (rng() % 4 == 0)
                value = anyOther;
            else
                value = EdgeNumber(value, rng);
            break;
        case Json::value_t::boolean:
            value = !value.get<bool>();
            break;
        case Json::value_t::string:
            value = rng() % 2 ? Json("") : Json(std::string(1 + rng() % 300, 'x'));
            break;
        case Json::value_t::array:
            if (value.empty()) break;
            if (rng() % 2)
                value.erase(value.begin() + rng() % value.size());
            else
                value.push_back(value[rng() % value.size()]);
            break;
        case Json::value_t::object: {
            if (value.empty()) break;
            auto it = value.begin();
            std::advance(it, rng() % value.size());
            if (rng() % 2)
                value.erase(it);
            else
                *it = nullptr;
            break;
        }
        default:
            value = anyOther;
    }
}

}  // namespace

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t maxSize);

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size,
                                               std::size_t maxSize, unsigned seed) {
    std::mt19937 rng(seed);
    Json plan = Json::parse(data, data + size, nullptr, false);
    if (plan.is_discarded() || rng() % 8 == 0) return LLVMFuzzerMutate(data, size, maxSize);
    std::vector<Json*> values;
    Collect(plan, values);
    const Json other = *values[rng() % values.size()];
    Json copy = other;
    Mutate(*values[rng() % values.size()], copy, rng);
    const std::string text = plan.dump(1, ' ', false, Json::error_handler_t::replace);
    if (text.size() > maxSize) return LLVMFuzzerMutate(data, size, maxSize);
    std::memcpy(data, text.data(), text.size());
    return text.size();
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::AsFile(data, size, "job.plan.json");
    StoredPlan plan;
    std::string error;
    ReadStoredPlan(path, plan, error);
    return 0;
}
