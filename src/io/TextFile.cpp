#include "io/TextFile.h"

#include <iconv.h>

#include <ctime>

#include "io/RegularFile.h"

namespace tarvex {

namespace {

bool ConvertFromGb18030(const std::string& in, std::string& out) {
    iconv_t cd = iconv_open("UTF-8", "GB18030");
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    out.assign(in.size() * 2 + 16, '\0');
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char* dst = out.data();
    size_t dstLeft = out.size();
    const size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1)) return false;
    out.resize(out.size() - dstLeft);
    return true;
}

}  // namespace

bool WriteLinesCrLf(const std::string& path, const std::vector<std::string>& lines,
                    std::string& error) {
    std::string content;
    for (const std::string& line : lines) {
        content += line;
        content += "\r\n";
    }
    return WriteFileAtomic(path, content, error);
}

bool ReadTextFile(const std::string& path, std::string& text, std::string& error) {
    std::string bytes;
    if (!ReadRegularFile(path, kMaxTextFileBytes, bytes, error)) return false;
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
    if (IsValidUtf8(bytes)) {
        text = std::move(bytes);
        return true;
    }
    if (ConvertFromGb18030(bytes, text)) return true;
    error = "Cannot read \"" + path + "\": the text is neither UTF-8 nor GB18030";
    return false;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string current;
    bool pending = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(std::move(current));
            current.clear();
            pending = false;
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            current += c;
            pending = true;
        }
    }
    if (pending) lines.push_back(std::move(current));
    return lines;
}

bool IsValidUtf8(const std::string& bytes) {
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    size_t i = 0;
    while (i < n) {
        const unsigned char c = s[i];
        int extra;
        unsigned int cp;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= n || (s[i + k] & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (s[i + k] & 0x3F);
        }
        // Overlong forms, surrogates and values beyond U+10FFFF are not UTF-8.
        if ((extra == 1 && cp < 0x80) || (extra == 2 && cp < 0x800) ||
            (extra == 3 && cp < 0x10000) || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

std::string ExportTimeStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[64];
    if (std::strftime(buffer, sizeof buffer, "%Y/%m/%d %X", &local) > 0 && IsValidUtf8(buffer))
        return buffer;
    // A locale whose time format is not UTF-8 text would corrupt a UTF-8 file.
    std::strftime(buffer, sizeof buffer, "%Y/%m/%d %H:%M:%S", &local);
    return buffer;
}

}  // namespace tarvex
