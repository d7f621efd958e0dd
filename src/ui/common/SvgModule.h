#pragma once
// What the SVG module hands out: a paint device that writes SVG, for the phones page's bracket.
// The toolkit's SVG support costs every start a good deal to load and only the phones page uses
// it, so it lives in a module of its own (libzorbon_svg.so), opened when the page first draws.

class QIODevice;
class QPaintDevice;
class QRect;
class QSize;
class QString;

namespace zorbon::ui {

// The module's one entry point: a device of `size` with its view box and title, writing into `out`
// (open for writing) when the painter ends. The caller deletes it.
using MakeSvgDevice = QPaintDevice* (*)(QIODevice* out, const QSize& size, const QRect& viewBox, const QString& title);
inline constexpr const char* kSvgModuleFile = "libzorbon_svg.so";
inline constexpr const char* kMakeSvgDevice = "zorbon_make_svg_device";

} // namespace zorbon::ui
