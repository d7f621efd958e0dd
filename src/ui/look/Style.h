#pragma once

#include <QProxyStyle>

namespace zorbon::ui {

// The application's style: the one Qt would choose, except that the arrows of the menu bar's and the
// toolbar's overflow buttons are read from their files only when first painted. Reading an image
// makes Qt load every image-format plugin it has, and at start-up those buttons are made but never
// shown.
class Style : public QProxyStyle {
    Q_OBJECT

public:
    // Takes over base, the style Qt chose for the application.
    explicit Style(QStyle* base);

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

// Puts Style over the style Qt chose (which honours -style and QT_STYLE_OVERRIDE).
void installStyle();

} // namespace zorbon::ui
