// QR codes for the part labels, made by libqrencode.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tarvex {

struct QrCode {
    int size = 0;            // modules on a side
    std::vector<bool> dark;  // row by row

    bool Dark(int x, int y) const { return dark[static_cast<size_t>(y) * size + x]; }
};

// The code of the text's bytes (UTF-8) at error correction level M; nothing when
// the text is too long for any code.
std::optional<QrCode> EncodeQr(const std::string& text);

}  // namespace tarvex
