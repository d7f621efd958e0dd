#pragma once
// QR codes for the phones page's address.

#include <QImage>
#include <QString>

#include <vector>

namespace zorbon::ui {

// The code's modules, row by row (true: dark), without the quiet zone; empty when the text cannot
// be encoded.
std::vector<std::vector<bool>> qrModules(const QString& text);

// Black on white with a quiet zone of four modules, each module `scale` pixels wide.
QImage qrImage(const QString& text, int scale);

} // namespace zorbon::ui
