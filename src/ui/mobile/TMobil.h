#pragma once
// The small window that tells the operator where the phones page is: the address in `MobilAdresa`
// and the same address as a QR code for the players to scan.

#include "common/LazyWindow.h"

#include <QDialog>

class QLabel;

namespace zorbon::ui {

class TMobil : public LazyWindow<QDialog> {
    Q_OBJECT
public:
    explicit TMobil(QWidget* parent = nullptr);
    // Shows the address beside `from`, without taking the keyboard from the operator for long.
    void showAddress(const QString& address, QWidget* from);
    QString address() const;

private:
    void build() override;
    QLabel* m_address = nullptr;
    QLabel* m_code = nullptr;
};

// The same QR code and address in a corner of another window (the players' display) while the
// page is on; it keeps to the bottom right corner as the window changes size.
class MobileCorner : public QWidget {
    Q_OBJECT
public:
    explicit MobileCorner(QWidget* host);
    void showAddress(const QString& address); // empty: hidden

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();
    QLabel* m_code = nullptr;
    QLabel* m_text = nullptr;
};

} // namespace zorbon::ui
