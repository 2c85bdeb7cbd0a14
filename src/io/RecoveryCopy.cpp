#include "io/RecoveryCopy.h"

#include <cstdint>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <type_traits>
#include <variant>
#include <vector>

#include "io/EntryTables.h"
#include "io/TableRowsJson.h"
#include "io/TextFile.h"
#include "text/FileMessages.h"
#include "text/Translate.h"

namespace tarvex {

namespace {

using Json = nlohmann::ordered_json;
using F = SettingsForm;

constexpr const char* kFormat = "tarvex recovery copy";
constexpr int kColourCount = 50;            // positions in the colour lists
constexpr std::size_t kMostRows = 200'000;  // beyond any table a job may have

// Every setting of the form by a name of its own, so that a copy written before a
// setting was added still reads.
struct FormField {
    const char* name;
    std::variant<int F::*, bool F::*, std::string F::*, FirstCut F::*> member;
};

const std::vector<FormField>& FormFields() {
    static const std::vector<FormField> fields = {
        {"speed", &F::speed},
        {"guillotine", &F::guillotine},
        {"costOptimization", &F::costOptimization},
        {"bestSearch", &F::bestSearch},
        {"timeLimit", &F::timeLimit},
        {"stages", &F::stages},
        {"firstCut", &F::firstCut},
        {"seed", &F::seed},
        {"unit", &F::unit},
        {"bladeWidth", &F::bladeWidth},
        {"decimals", &F::decimals},
        {"minOffcutLength", &F::minOffcutLength},
        {"minOffcutWidth", &F::minOffcutWidth},
        {"minOffcutArea", &F::minOffcutArea},
        {"offcutPrefix", &F::offcutPrefix},
        {"marginTop", &F::marginTop},
        {"marginBottom", &F::marginBottom},
        {"marginLeft", &F::marginLeft},
        {"marginRight", &F::marginRight},
        {"printFont", &F::printFont},
        {"printFontSize", &F::printFontSize},
        {"printTitle", &F::printTitle},
        {"edgeColor", &F::edgeColor},
        {"sheetColor", &F::sheetColor},
        {"partColor", &F::partColor},
        {"offcutColor", &F::offcutColor},
        {"huazhong", &F::huazhong},
        {"drillDepth", &F::drillDepth},
        {"safeHeight", &F::safeHeight},
        {"dxfDimensions", &F::dxfDimensions},
        {"dxfOffcuts", &F::dxfOffcuts},
        {"showLabels", &F::showLabels},
        {"showDimensions", &F::showDimensions},
        {"showCorners", &F::showCorners},
        {"showOffcuts", &F::showOffcuts},
        {"showCuts", &F::showCuts},
        {"labelFormat", &F::labelFormat},
    };
    return fields;
}

constexpr const char* kFirstCutNames[] = {"any", "length", "width"};

Json FormJson(const SettingsForm& form) {
    Json json = Json::object();
    for (const FormField& field : FormFields())
        std::visit(
            [&](auto member) {
                if constexpr (std::is_same_v<std::remove_cvref_t<decltype(form.*member)>, FirstCut>)
                    json[field.name] = kFirstCutNames[static_cast<int>(form.*member)];
                else
                    json[field.name] = form.*member;
            },
            field.member);
    json["finishedSizes"] = form.banding.finishedSizes;
    Json bandings = Json::array();
    for (const BandingTexts& row : form.banding.rows)
        bandings.push_back(Json::array({row.name, row.thickness, row.allowance}));
    json["bandings"] = std::move(bandings);
    return json;
}

std::string WrongField(const std::string& field) {
    return Substitute(_("the field \"{1}\" is missing or of the wrong kind"), {field});
}

// The banding table and its check box; a copy written before them has neither.
std::string ReadBandingForm(const Json& json, BandingForm& banding) {
    if (const auto flag = json.find("finishedSizes"); flag != json.end()) {
        if (!flag->is_boolean()) return WrongField("settings.finishedSizes");
        banding.finishedSizes = flag->get<bool>();
    }
    const auto rows = json.find("bandings");
    if (rows == json.end()) return {};
    if (!rows->is_array() || rows->size() > kMostRows) return WrongField("settings.bandings");
    banding.rows.clear();
    for (const Json& row : *rows) {
        if (!row.is_array() || row.size() != 3 || !row[0].is_string() || !row[1].is_string() ||
            !row[2].is_string())
            return WrongField("settings.bandings");
        banding.rows.push_back(
            {row[0].get<std::string>(), row[1].get<std::string>(), row[2].get<std::string>()});
    }
    return {};
}

// The fault of the first setting of the wrong kind or range; empty when none.
std::string ReadForm(const Json& json, SettingsForm& form) {
    if (!json.is_object()) return WrongField("settings");
    for (const FormField& field : FormFields()) {
        const auto found = json.find(field.name);
        if (found == json.end()) continue;
        const std::string name = std::string("settings.") + field.name;
        std::string fault;
        std::visit(
            [&](auto member) {
                using Value = std::remove_reference_t<decltype(form.*member)>;
                if constexpr (std::is_same_v<Value, bool>) {
                    if (!found->is_boolean()) return void(fault = WrongField(name));
                    form.*member = found->template get<bool>();
                } else if constexpr (std::is_same_v<Value, int>) {
                    if (!found->is_number_integer()) return void(fault = WrongField(name));
                    const auto value = found->template get<std::int64_t>();
                    const bool slider = member == &F::speed;
                    const bool stages = member == &F::stages;
                    if (slider   ? value < 1 || value > 12
                        : stages ? value != 0 && value != 2 && value != 3
                                 : value < 0 || value >= kColourCount)
                        return void(fault =
                                        Substitute(_("the field \"{1}\" is out of range"), {name}));
                    form.*member = static_cast<int>(value);
                } else if constexpr (std::is_same_v<Value, FirstCut>) {
                    const std::string text =
                        found->is_string() ? found->template get<std::string>() : "";
                    int at = 0;
                    while (at < 3 && text != kFirstCutNames[at]) ++at;
                    if (at == 3) return void(fault = WrongField(name));
                    form.*member = static_cast<FirstCut>(at);
                } else {
                    if (!found->is_string()) return void(fault = WrongField(name));
                    form.*member = found->template get<std::string>();
                }
            },
            field.member);
        if (!fault.empty()) return fault;
    }
    return ReadBandingForm(json, form.banding);
}

std::string ReadTable(const Json& json, const char* key, TableKind kind,
                      const LengthFormat& lengths, CellTable& out) {
    const auto rows = json.find(key);
    if (rows == json.end() || !rows->is_array() || rows->size() > kMostRows) return WrongField(key);
    out = kind == TableKind::Sheet ? NewSheetTable() : NewPartTable();
    out.SetRowCount(CellTable::kFirstDataRow);
    for (std::size_t r = 0; r < rows->size(); ++r) {
        const Json& row = (*rows)[r];
        const std::string at = std::string(key) + "[" + std::to_string(r) + "]";
        if (!row.is_array() || row.size() > static_cast<std::size_t>(out.ColCount()))
            return WrongField(at);
        const int table = out.AppendRow();
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (!row[c].is_string()) return WrongField(at);
            out.SetCell(table, static_cast<int>(c), row[c].get<std::string>());
        }
    }
    if (out.RowCount() == CellTable::kFirstDataRow) out.AppendRow();
    RecountTotals(out, kind, lengths);
    return {};
}

std::string ReadText(const Json& json, const char* key, std::string& out) {
    const auto found = json.find(key);
    if (found == json.end() || !found->is_string()) return WrongField(key);
    out = found->get<std::string>();
    return {};
}

std::string ReadCopy(const Json& json, RecoveryCopy& copy) {
    const auto format = json.find("format");
    if (format == json.end() || !format->is_string() || format->get<std::string>() != kFormat)
        return _("the file is not a recovery copy written by this program");
    std::string fault = ReadText(json, "project", copy.projectPath);
    if (fault.empty()) fault = ReadText(json, "sheetFile", copy.names.SheetFileName);
    if (fault.empty()) fault = ReadText(json, "partFile", copy.names.PartFileName);
    if (fault.empty()) {
        const auto settings = json.find("settings");
        fault = settings == json.end() ? WrongField("settings") : ReadForm(*settings, copy.form);
    }
    // The totals are made in the unit of the copy's settings, read above.
    const LengthFormat lengths = LengthFormatOf(copy.form.unit);
    if (fault.empty())
        fault = ReadTable(json, "sheets", TableKind::Sheet, lengths, copy.sheetTable);
    if (fault.empty()) fault = ReadTable(json, "parts", TableKind::Part, lengths, copy.partTable);
    return fault;
}

}  // namespace

std::string RecoveryCopyJson(const RecoveryCopy& copy) {
    const Json json = {{"format", kFormat},
                       {"project", copy.projectPath},
                       {"sheetFile", copy.names.SheetFileName},
                       {"partFile", copy.names.PartFileName},
                       {"settings", FormJson(copy.form)},
                       {"sheets", TableRowsJson(copy.sheetTable)},
                       {"parts", TableRowsJson(copy.partTable)}};
    return json.dump(1, ' ', false, Json::error_handler_t::replace) + "\n";
}

bool WriteRecoveryCopy(const std::string& path, const RecoveryCopy& copy, std::string& error) {
    return WriteFileAtomic(path, RecoveryCopyJson(copy), error);
}

bool ReadRecoveryCopy(const std::string& path, RecoveryCopy& copy, std::string& error) {
    std::string text;
    if (!ReadTextFile(path, text, error)) return false;
    RecoveryCopy read;
    const Json json = Json::parse(text, nullptr, false);
    const std::string fault = json.is_discarded()
                                  ? _("the file is not a recovery copy written by this program")
                                  : ReadCopy(json, read);
    if (!fault.empty()) {
        error = Substitute(_("The recovery copy \"{1}\" cannot be used: {2}"), {path, fault});
        return false;
    }
    copy = std::move(read);
    return true;
}

std::string RecoveryFileName(const std::string& projectPath, int number) {
    std::string name =
        projectPath.empty() ? "untitled" : std::filesystem::path(projectPath).filename().string();
    if (number > 1) name += "-" + std::to_string(number);
    return name + ".recovery.json";
}

}  // namespace tarvex
