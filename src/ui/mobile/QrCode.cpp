#include "mobile/QrCode.h"

#include <qrencode.h>

#include <dlfcn.h>

#include <memory>

namespace zorbon::ui {
namespace {

// The encoder is opened on the first code, not linked: the phones page is the only one that needs
// it, and every start would pay for loading it. Without it the page still works, without its picture.
struct Encoder {
    decltype(&QRcode_encodeString8bit) encode = nullptr;
    decltype(&QRcode_free) release = nullptr;
};

const Encoder& encoder()
{
    static const Encoder loaded = [] {
        Encoder e;
        void* lib = dlopen("libqrencode.so.4", RTLD_NOW | RTLD_LOCAL);
        if (!lib)
            return e;
        auto* encode = reinterpret_cast<decltype(&QRcode_encodeString8bit)>(dlsym(lib, "QRcode_encodeString8bit"));
        auto* release = reinterpret_cast<decltype(&QRcode_free)>(dlsym(lib, "QRcode_free"));
        if (encode && release) {
            e.encode = encode;
            e.release = release;
        }
        return e;
    }();
    return loaded;
}

} // namespace

std::vector<std::vector<bool>> qrModules(const QString& text)
{
    const Encoder& qr = encoder();
    if (!qr.encode)
        return {};
    const QByteArray bytes = text.toUtf8();
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> code(qr.encode(bytes.constData(), 0, QR_ECLEVEL_M),
                                                               qr.release);
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
