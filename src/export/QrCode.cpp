#include "export/QrCode.h"

#include <qrencode.h>

#include <memory>

namespace tarvex {

std::optional<QrCode> EncodeQr(const std::string& text) {
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeData(static_cast<int>(text.size()),
                          reinterpret_cast<const unsigned char*>(text.data()), 0, QR_ECLEVEL_M),
        &QRcode_free);
    if (!code) return std::nullopt;
    QrCode qr;
    qr.size = code->width;
    qr.dark.reserve(static_cast<size_t>(qr.size) * qr.size);
    // The lowest bit of each module's byte says whether it is dark.
    for (int i = 0; i < qr.size * qr.size; ++i) qr.dark.push_back(code->data[i] & 1);
    return qr;
}

}  // namespace tarvex
