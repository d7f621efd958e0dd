#pragma once
// The About box: the program's name, what it is for and its version. Closed with the close box.

#include <QDialog>

class QLabel;

namespace zorbon::ui {

class TOprogramu : public QDialog {
    Q_OBJECT
public:
    TOprogramu();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* m_image1;
};

} // namespace zorbon::ui
