#include "io/CellAnswer.h"

#include <cstdint>
#include <cstring>
#include <unordered_map>
#include <vector>

namespace tarvex {

namespace {

constexpr char kMagic[4] = {'T', 'X', 'C', '1'};

void Put(std::string& out, std::uint32_t value) {
    char bytes[4];
    std::memcpy(bytes, &value, 4);
    out.append(bytes, 4);
}

class Reader {
  public:
    explicit Reader(const std::string& bytes) : bytes_(bytes) {}

    bool Get(std::uint32_t& value) {
        if (Left() < 4) return false;
        std::memcpy(&value, bytes_.data() + at_, 4);
        at_ += 4;
        return true;
    }
    bool Take(size_t n, std::string& out) {
        if (Left() < n) return false;
        out.assign(bytes_, at_, n);
        at_ += n;
        return true;
    }
    size_t Left() const { return bytes_.size() - at_; }

  private:
    const std::string& bytes_;
    size_t at_ = 0;
};

}  // namespace

std::string EncodeCellAnswer(WorkbookFault fault, const SheetCells& sheet) {
    std::string out(kMagic, sizeof kMagic);
    Put(out, static_cast<std::uint32_t>(fault));
    if (fault != WorkbookFault::kNone) return out;
    // Only the texts that cells hold, renumbered in the order first met.
    std::unordered_map<std::uint32_t, std::uint32_t> number;
    std::vector<std::uint32_t> used;
    std::string cells;
    sheet.ForEachCell([&](int row, int col, std::uint32_t text) {
        const auto [it, added] = number.emplace(text, static_cast<std::uint32_t>(used.size()));
        if (added) used.push_back(text);
        Put(cells, static_cast<std::uint32_t>(row));
        Put(cells, static_cast<std::uint32_t>(col));
        Put(cells, it->second);
    });
    Put(out, static_cast<std::uint32_t>(used.size()));
    for (std::uint32_t text : used) {
        Put(out, static_cast<std::uint32_t>(sheet.Text(text).size()));
        out += sheet.Text(text);
    }
    Put(out, static_cast<std::uint32_t>(cells.size() / 12));
    return out + cells;
}

bool DecodeCellAnswer(const std::string& bytes, int columns, WorkbookFault& fault,
                      SheetCells& sheet) {
    Reader in(bytes);
    std::string magic;
    std::uint32_t code = 0;
    if (!in.Take(sizeof kMagic, magic) || magic != std::string(kMagic, sizeof kMagic) ||
        !in.Get(code) || code > static_cast<std::uint32_t>(WorkbookFault::kTooMuchText))
        return false;
    if (code != static_cast<std::uint32_t>(WorkbookFault::kNone)) {
        if (in.Left() != 0) return false;
        fault = static_cast<WorkbookFault>(code);
        return true;
    }
    SheetCells read;
    std::uint32_t textCount = 0;
    if (!in.Get(textCount) || textCount > in.Left() / 4) return false;
    std::vector<std::uint32_t> texts;
    texts.reserve(textCount);
    for (std::uint32_t i = 0; i < textCount; ++i) {
        std::uint32_t length = 0;
        std::string text;
        if (!in.Get(length) || length == 0 || length > kMaxWorkbookTextBytes ||
            !in.Take(length, text))
            return false;
        texts.push_back(read.AddText(std::move(text)));
    }
    std::uint32_t cellCount = 0;
    if (!in.Get(cellCount) || cellCount != in.Left() / 12 || in.Left() % 12 != 0) return false;
    for (std::uint32_t i = 0; i < cellCount; ++i) {
        std::uint32_t row = 0, col = 0, text = 0;
        in.Get(row);
        in.Get(col);
        in.Get(text);
        if (row < 1 || row > kMaxWorkbookRows || col < 1 ||
            col > static_cast<std::uint32_t>(columns) || text >= texts.size())
            return false;
        read.SetCellText(static_cast<int>(row), static_cast<int>(col), texts[text]);
        if (read.TextBytes() > kMaxWorkbookTextBytes) return false;
    }
    fault = WorkbookFault::kNone;
    sheet = std::move(read);
    return true;
}

}  // namespace tarvex
