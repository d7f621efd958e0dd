#include "mobile/TMobil.h"

#include "mobile/QrCode.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorbon::ui {

TMobil::TMobil(QWidget* parent)
    : LazyWindow<QDialog>(parent)
{
    setObjectName(QStringLiteral("TMobil"));
    setWindowTitle(QStringLiteral("Zorbon - Výsledky na mobilu"));
    // The controls come on first need (ensureBuilt), not at start-up: most venues never turn the
    // phones page on.
}

void TMobil::build()
{
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(QStringLiteral("Hráči uvidí terče, pořadí zápasů a výsledky v telefonu na adrese:"), this);
    intro->setObjectName(QStringLiteral("Label1"));
    intro->setWordWrap(true);
    intro->setTextFormat(Qt::PlainText);
    m_address = new QLabel(this);
    m_address->setObjectName(QStringLiteral("MobilAdresa"));
    m_address->setTextFormat(Qt::PlainText);
    m_address->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_address->setAlignment(Qt::AlignCenter);
    QFont big = m_address->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    m_address->setFont(big);
    m_code = new QLabel(this);
    m_code->setObjectName(QStringLiteral("MobilQR"));
    m_code->setTextFormat(Qt::PlainText);
    m_code->setAlignment(Qt::AlignCenter);
    auto* hint = new QLabel(QStringLiteral("Telefon musí být připojen ke stejné síti (Wi-Fi) jako tento počítač. "
                                           "Stačí namířit fotoaparát na kód."),
                            this);
    hint->setObjectName(QStringLiteral("Label2"));
    hint->setWordWrap(true);
    hint->setTextFormat(Qt::PlainText);
    auto* close = new QPushButton(QStringLiteral("Zavřít"), this);
    close->setObjectName(QStringLiteral("Button1"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(intro);
    layout->addWidget(m_address);
    layout->addWidget(m_code);
    layout->addWidget(hint);
    layout->addWidget(close, 0, Qt::AlignHCenter);
    setMinimumWidth(420);
}

void TMobil::showAddress(const QString& address, QWidget* from)
{
    ensureBuilt();
    m_address->setText(address);
    m_code->setPixmap(QPixmap::fromImage(qrImage(address, 6)));
    adjustSize();
    if (from)
        move(from->frameGeometry().center() - rect().center());
    show();
    raise();
}

QString TMobil::address() const
{
    return m_address ? m_address->text() : QString(); // none shown before it is made
}

MobileCorner::MobileCorner(QWidget* host)
    : QWidget(host)
{
    setObjectName(QStringLiteral("MobilRoh"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(2);
    m_code = new QLabel(this);
    m_code->setObjectName(QStringLiteral("MobilRohQR"));
    m_code->setTextFormat(Qt::PlainText);
    m_code->setAlignment(Qt::AlignCenter);
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("MobilRohAdresa"));
    m_text->setTextFormat(Qt::PlainText);
    m_text->setAlignment(Qt::AlignCenter);
    QFont f = m_text->font();
    f.setBold(true);
    m_text->setFont(f);
    layout->addWidget(m_code);
    layout->addWidget(m_text);
    host->installEventFilter(this);
    hide();
}

void MobileCorner::showAddress(const QString& address)
{
    if (address.isEmpty()) {
        hide();
        return;
    }
    m_text->setText(QStringLiteral("Výsledky v mobilu:\n") + address);
    m_code->setPixmap(QPixmap::fromImage(qrImage(address, 4)));
    adjustSize();
    place();
    show();
}

bool MobileCorner::eventFilter(QObject* watched, QEvent* event)
{
    // The host makes its pages when first shown and lays them out on every resize: stay on top.
    if (watched == parentWidget() && !isHidden() &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Show || event->type() == QEvent::LayoutRequest))
        place();
    return QWidget::eventFilter(watched, event);
}

void MobileCorner::place()
{
    const QWidget* host = parentWidget();
    constexpr int margin = 12;
    move(host->width() - width() - margin, host->height() - height() - margin);
    raise();
}

} // namespace zorbon::ui
