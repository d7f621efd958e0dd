#include "mobile/QrCode.h"

#include <qrencode.h>

#include <memory>

namespace zorbon::ui {

std::vector<std::vector<bool>> qrModules(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeString8bit(bytes.constData(), 0, QR_ECLEVEL_M), &QRcode_free);
    if (!code)
        return {};
    const int w = code->width;
    std::vector<std::vector<bool>> rows(static_cast<std::size_t>(w), std::vector<bool>(static_cast<std::size_t>(w)));
    for (int y = 0; y < w; ++y)
        for (int x = 0; x < w; ++x)
            rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = code->data[y * w + x] & 1;
    return rows;
}

QImage qrImage(const QString& text, int scale)
{
    const auto rows = qrModules(text);
    if (rows.empty() || scale < 1)
        return {};
    constexpr int quiet = 4;
    const int w = static_cast<int>(rows.size());
    QImage image((w + 2 * quiet) * scale, (w + 2 * quiet) * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = 0; y < w; ++y)
        for (int x = 0; x < w; ++x)
            if (rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)])
                for (int dy = 0; dy < scale; ++dy)
                    for (int dx = 0; dx < scale; ++dx)
                        image.setPixel((x + quiet) * scale + dx, (y + quiet) * scale + dy, 0xFF000000);
    return image;
}

} // namespace zorbon::ui
