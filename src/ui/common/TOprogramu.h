#pragma once
// The About box: the program's name, what it is for and its version. Closed with the close box.

#include "common/LazyWindow.h"

#include <QDialog>

class QLabel;

namespace zorbon::ui {

class TOprogramu : public LazyWindow<QDialog> {
    Q_OBJECT
public:
    TOprogramu();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void build() override;
    QLabel* m_image1 = nullptr;
};

} // namespace zorbon::ui
