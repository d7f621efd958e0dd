// The SVG module: a paint device that writes SVG (common/SvgModule.h).

#include "common/SvgModule.h"

#include <QSvgGenerator>

#include <type_traits>

extern "C" Q_DECL_EXPORT QPaintDevice* zorbon_make_svg_device(QIODevice* out, const QSize& size, const QRect& viewBox,
                                                              const QString& title)
{
    auto* svg = new QSvgGenerator;
    svg->setOutputDevice(out);
    svg->setSize(size);
    svg->setViewBox(viewBox);
    svg->setTitle(title);
    return svg;
}

// The entry point is what the program calls.
static_assert(std::is_same_v<decltype(&zorbon_make_svg_device), zorbon::ui::MakeSvgDevice>);
