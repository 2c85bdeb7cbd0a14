#include "io/ProjectFiles.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <vector>

#include "io/BandingInput.h"
#include "io/BandingList.h"
#include "io/TextFile.h"
#include "text/FieldSplit.h"
#include "text/FileMessages.h"
#include "text/LengthText.h"
#include "text/NumberText.h"
#include "text/SingleLineText.h"
#include "text/Translate.h"

namespace tarvex {

namespace {

namespace fs = std::filesystem;

constexpr int kColourCount = 50;  // positions in the colour lists of the "Sets" page

// One line of a project file and the setting it carries; the order is the file's.
struct ProjectLine {
    enum Kind { SheetList, PartList, Slider, Check, Edit, Colour, Dialect } kind;
    bool SettingsForm::*flag = nullptr;
    std::string SettingsForm::*text = nullptr;
    int SettingsForm::*colour = nullptr;
};

const std::vector<ProjectLine>& ProjectLines() {
    using F = SettingsForm;
    static const std::vector<ProjectLine> lines = {
        {ProjectLine::SheetList},
        {ProjectLine::PartList},
        {ProjectLine::Slider},
        {ProjectLine::Check, &F::guillotine},
        {ProjectLine::Edit, nullptr, &F::printFont},
        {ProjectLine::Edit, nullptr, &F::printFontSize},
        {ProjectLine::Edit, nullptr, &F::printTitle},
        {ProjectLine::Edit, nullptr, &F::unit},
        {ProjectLine::Edit, nullptr, &F::bladeWidth},
        {ProjectLine::Edit, nullptr, &F::decimals},
        {ProjectLine::Edit, nullptr, &F::marginTop},
        {ProjectLine::Edit, nullptr, &F::marginBottom},
        {ProjectLine::Edit, nullptr, &F::marginLeft},
        {ProjectLine::Edit, nullptr, &F::marginRight},
        {ProjectLine::Edit, nullptr, &F::minOffcutLength},
        {ProjectLine::Edit, nullptr, &F::minOffcutWidth},
        {ProjectLine::Edit, nullptr, &F::minOffcutArea},
        {ProjectLine::Colour, nullptr, nullptr, &F::edgeColor},
        {ProjectLine::Colour, nullptr, nullptr, &F::sheetColor},
        {ProjectLine::Colour, nullptr, nullptr, &F::partColor},
        {ProjectLine::Colour, nullptr, nullptr, &F::offcutColor},
        {ProjectLine::Dialect},
        {ProjectLine::Edit, nullptr, &F::drillDepth},
        {ProjectLine::Edit, nullptr, &F::safeHeight},
        {ProjectLine::Check, &F::dxfDimensions},
        {ProjectLine::Check, &F::dxfOffcuts},
    };
    return lines;
}

fs::path AbsoluteNormal(const std::string& path) {
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error);
    return (error ? fs::path(path) : absolute).lexically_normal();
}

// A list in the project's folder or below it, relative to that folder.
std::string StoredListPath(const std::string& list, const std::string& projectPath) {
    if (list.empty() || projectPath.empty()) return list;
    const fs::path relative =
        AbsoluteNormal(list).lexically_relative(AbsoluteNormal(projectPath).parent_path());
    if (relative.empty() || *relative.begin() == "..") return list;
    return relative.generic_string();
}

// The text of one line; a line break inside a path or an edit text would shift
// every later line of the file.
std::string LineText(const ProjectLine& line, const ListFileNames& names, const SettingsForm& f,
                     const std::string& projectPath = {}) {
    switch (line.kind) {
        case ProjectLine::SheetList:
            return SingleLineText(StoredListPath(names.SheetFileName, projectPath));
        case ProjectLine::PartList:
            return SingleLineText(StoredListPath(names.PartFileName, projectPath));
        case ProjectLine::Slider:
            return std::to_string(f.speed);
        case ProjectLine::Check:
            return f.*line.flag ? "1" : "0";
        case ProjectLine::Edit:
            return SingleLineText(f.*line.text);
        case ProjectLine::Colour:
            return std::to_string(f.*line.colour);
        case ProjectLine::Dialect:
            return f.huazhong ? "1" : "2";
    }
    return {};
}

bool IsExistingFile(const std::string& path) {
    std::error_code error;
    return !path.empty() && fs::is_regular_file(path, error);
}

// Relative list paths (hand-written or example projects) belong to the project's folder.
std::string ListPath(const std::string& stored, const std::string& projectPath) {
    if (stored.empty() || fs::path(stored).is_absolute()) return stored;
    return (fs::path(projectPath).parent_path() / stored).lexically_normal().string();
}

std::string NotWholeNumber(const std::string& value) {
    return Substitute(_("\"{1}\" is not a whole number"), {value});
}

struct Applying {
    const std::string& projectPath;
    CellTable& sheetTable;
    CellTable& partTable;
    ListFileNames& names;
    SettingsForm& form;
    LengthFormat lengths;            // of the project's unit, which follows the lists
    std::vector<std::string> notes;  // lists that stopped early; applying goes on

    // Applies one line; returns what was wrong when the applying must stop.
    std::string Apply(const ProjectLine& line, const std::string& value) {
        std::optional<int> number;
        if (line.kind == ProjectLine::Slider || line.kind == ProjectLine::Check ||
            line.kind == ProjectLine::Colour) {
            number = ParseInteger(value);
            if (!number) return NotWholeNumber(value);
        }
        switch (line.kind) {
            case ProjectLine::SheetList:
                names.SheetFileName = ListPath(value, projectPath);
                return ApplyList(LoadSheetList(names.SheetFileName, sheetTable, false, lengths));
            case ProjectLine::PartList:
                names.PartFileName = ListPath(value, projectPath);
                return ApplyList(LoadPartList(names.PartFileName, partTable, false, lengths));
            case ProjectLine::Slider:
                form.speed = std::clamp(*number, 1, 12);
                break;
            case ProjectLine::Check:
                form.*line.flag = *number != 0;
                break;
            case ProjectLine::Edit:
                form.*line.text = value;
                break;
            case ProjectLine::Colour:
                if (*number < 0 || *number >= kColourCount)
                    return Substitute(_("the colour position {1} is not between 0 and 49"),
                                      {value});
                form.*line.colour = *number;
                break;
            case ProjectLine::Dialect:
                form.huazhong = TrimControls(value) == "1";
                break;
        }
        return {};
    }

    std::string ApplyList(const ListResult& list) {
        if (!list.ok) return list.message;
        if (!list.message.empty()) notes.push_back(list.message);
        return {};
    }
};

// The project's banding list when there is one; without it the job has no banding.
void ApplyBandingList(const std::string& projectPath, const LengthFormat& lengths,
                      BandingForm& banding, std::vector<std::string>& notes) {
    banding = {};
    const std::string path = BandingListPath(projectPath);
    std::error_code absent;
    if (!fs::exists(path, absent)) return;
    std::string error;
    if (!ReadBandingList(path, lengths, banding, error)) notes.push_back(error);
}

std::string JoinLines(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts) text += (text.empty() ? "" : "\n") + part;
    return text;
}

}  // namespace

std::string ProjectSaveRefusal(const ListFileNames& names) {
    if (!IsExistingFile(names.PartFileName)) return _("Please save the parts first!");
    if (!IsExistingFile(names.SheetFileName)) return _("Please save the sheets first!");
    return {};
}

ProjectResult SaveProject(const std::string& path, const ListFileNames& names,
                          const SettingsForm& form) {
    ProjectResult result;
    result.message = ProjectSaveRefusal(names);
    if (!result.message.empty()) {
        result.ok = false;
        return result;
    }
    std::vector<std::string> lines;
    for (const ProjectLine& line : ProjectLines())
        lines.push_back(LineText(line, names, form, path));
    result.ok = WriteLinesCrLf(path, lines, result.message);
    // A job without banding adds no file to the folder; a banding list already
    // there is rewritten even empty, or the bandings cleared would come back.
    const std::string bandingPath = BandingListPath(path);
    std::error_code absent;
    if (result.ok && (HoldsBanding(form.banding) || fs::exists(bandingPath, absent)))
        result.ok = WriteBandingList(bandingPath, form.banding, result.message);
    return result;
}

std::string ListPathBesideProject(const std::string& projectPath, TableKind kind,
                                  const std::vector<std::string>& taken) {
    const fs::path project(projectPath);
    const std::string stem = project.stem().string();
    const std::string list = kind == TableKind::Sheet ? ".sheets" : ".parts";
    const auto isTaken = [&](const fs::path& candidate) {
        return std::any_of(taken.begin(), taken.end(), [&](const std::string& name) {
            return !name.empty() && AbsoluteNormal(name) == AbsoluteNormal(candidate.string());
        });
    };
    fs::path candidate = project.parent_path() / (stem + list + ".txt");
    for (int n = 2; isTaken(candidate); ++n)
        candidate = project.parent_path() / (stem + list + "-" + std::to_string(n) + ".txt");
    return candidate.string();
}

ProjectResult LoadProject(const std::string& path, CellTable& sheetTable, CellTable& partTable,
                          ListFileNames& names, SettingsForm& form) {
    ProjectResult result;
    std::string text;
    if (!ReadTextFile(path, text, result.message)) {
        result.ok = false;
        return result;
    }
    const std::vector<std::string> values = SplitLines(text);
    const auto& lines = ProjectLines();
    const auto unitLine = std::find_if(lines.begin(), lines.end(), [](const ProjectLine& line) {
        return line.text == &SettingsForm::unit;
    });
    const auto unitAt = static_cast<size_t>(unitLine - lines.begin());
    const LengthFormat lengths =
        LengthFormatOf(unitAt < values.size() ? values[unitAt] : form.unit);
    Applying applying{path, sheetTable, partTable, names, form, lengths, {}};
    std::string stop;
    for (size_t i = 0; i < lines.size() && i < values.size(); ++i) {
        const std::string fault = applying.Apply(lines[i], values[i]);
        if (!fault.empty()) {
            stop = StoppedAtLine(path, static_cast<int>(i) + 1, fault);
            break;
        }
        ++result.linesApplied;
    }
    if (!stop.empty()) applying.notes.push_back(stop);
    ApplyBandingList(path, lengths, form.banding, applying.notes);
    result.message = JoinLines(applying.notes);
    return result;
}

std::vector<std::string> ProjectSettingLines(const SettingsForm& form) {
    std::vector<std::string> lines;
    for (const ProjectLine& line : ProjectLines())
        if (line.kind != ProjectLine::SheetList && line.kind != ProjectLine::PartList)
            lines.push_back(LineText(line, {}, form));
    return lines;
}

std::string ProjectCaption(const std::string& projectPath, const std::string& baseCaption) {
    return fs::path(projectPath).filename().string() + " - " + baseCaption;
}

}  // namespace tarvex
