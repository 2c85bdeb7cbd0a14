#include "io/BandingList.h"

#include <filesystem>
#include <vector>

#include "io/BandingInput.h"
#include "io/TextFile.h"
#include "text/CaseFold.h"
#include "text/FieldSplit.h"
#include "text/FileMessages.h"
#include "text/SingleLineText.h"
#include "text/Translate.h"

namespace tarvex {

namespace {

constexpr const char* kFinishedSizesKey = "finished sizes";

// The fault of a line, worded for a file, whose lines are not the table's rows.
std::string LineFault(const InputFault& fault) {
    const std::string value = fault.values.empty() ? std::string() : fault.values.front();
    const bool thickness = fault.column == EntryColumn::BandingThickness;
    switch (fault.code) {
        case InputFault::Code::BandingWithoutName:
            return _("the banding has no name");
        case InputFault::Code::DuplicateBanding:
            return Substitute(_("the banding \"{1}\" is already in the list"), {value});
        case InputFault::Code::BandingNegative:
            return thickness ? _("the thickness must not be negative")
                             : _("the allowance must not be negative");
        default:
            break;
    }
    return Substitute(thickness ? _("the thickness \"{1}\" is not a length")
                                : _("the allowance \"{1}\" is not a length"),
                      {value});
}

// The check box's line: its key before "=", letter case ignored, and no TAB, which
// a banding line has.
bool IsFinishedSizesLine(const std::string& line, std::string& value) {
    const size_t equals = line.find('=');
    if (equals == std::string::npos || line.find('\t') != std::string::npos) return false;
    if (!SameIgnoringCase(TrimControls(line.substr(0, equals)), kFinishedSizesKey)) return false;
    value = TrimControls(line.substr(equals + 1));
    return true;
}

std::vector<std::string> SplitAtTabs(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        fields.push_back(TrimControls(line.substr(start, tab - start)));
    fields.push_back(TrimControls(line.substr(start)));
    return fields;
}

}  // namespace

std::string BandingListPath(const std::string& projectPath) {
    const std::filesystem::path project(projectPath);
    return (project.parent_path() / (project.stem().string() + ".banding.txt")).string();
}

bool ReadBandingList(const std::string& path, const LengthFormat& lengths, BandingForm& out,
                     std::string& error) {
    out = {};
    std::string text;
    if (!ReadTextFile(path, text, error)) return false;
    std::vector<Banding> read;
    const std::vector<std::string> lines = SplitLines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        const int lineNumber = static_cast<int>(i) + 1;
        // Trimmed only to tell blank and comment lines: a line starting with a TAB has no name.
        const std::string& line = lines[i];
        const std::string trimmed = TrimControls(line);
        if (trimmed.empty() || trimmed.front() == '#') continue;
        std::string flag;
        if (IsFinishedSizesLine(line, flag)) {
            const bool yes = SameIgnoringCase(flag, "yes");
            if (!yes && !SameIgnoringCase(flag, "no")) {
                error = StoppedAtLine(path, lineNumber,
                                      Substitute(_("\"{1}\" is neither yes nor no"), {flag}));
                return false;
            }
            out.finishedSizes = yes;
            continue;
        }
        const std::vector<std::string> fields = SplitAtTabs(line);
        if (fields.size() > 3) {
            error = StoppedAtLine(path, lineNumber,
                                  _("a banding line has a name, a thickness and an allowance, "
                                    "no more"));
            return false;
        }
        BandingTexts texts{fields[0], fields.size() > 1 ? fields[1] : std::string(),
                           fields.size() > 2 ? fields[2] : std::string()};
        Banding banding;
        if (auto fault = ReadBanding(texts, lineNumber, lengths, read, banding)) {
            error = StoppedAtLine(path, lineNumber, LineFault(*fault));
            return false;
        }
        read.push_back(banding);
        out.rows.push_back(std::move(texts));
    }
    return true;
}

bool WriteBandingList(const std::string& path, const BandingForm& form, std::string& error) {
    std::vector<std::string> lines{std::string(kFinishedSizesKey) + "=" +
                                   (form.finishedSizes ? "yes" : "no")};
    for (const BandingTexts& row : form.rows) {
        if (IsBlankBanding(row)) continue;
        std::string line = TrimControls(SingleLineText(row.name)) + "\t" +
                           TrimControls(SingleLineText(row.thickness));
        const std::string allowance = TrimControls(SingleLineText(row.allowance));
        if (!allowance.empty()) line += "\t" + allowance;
        lines.push_back(std::move(line));
    }
    return WriteLinesCrLf(path, lines, error);
}

}  // namespace tarvex
