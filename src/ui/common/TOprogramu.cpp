#include "common/TOprogramu.h"

#include "app/version.h"
#include "common/Dartboard.h"
#include "look/Look.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QShowEvent>
#include <QVBoxLayout>

namespace zorbon::ui {

TOprogramu::TOprogramu()
{
    setObjectName("TOprogramu");
    setWindowTitle(QStringLiteral("Zorbon - O programu"));
    // The controls come on first need (ensureBuilt), not at start-up: most sessions never open it.
}

void TOprogramu::build()
{
    m_image1 = new QLabel(this);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0xFF, 0xFF, 0x00));
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);

    auto make = [this](const char* name, const QString& text, int pointSize, Weight weight) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        QFont f = l->font();
        f.setPointSize(pointSize);
        f.setBold(weight == Weight::Bold);
        l->setFont(f);
        return l;
    };
    auto* title = make("Label1", QStringLiteral("Zorbon"), 24, Weight::Bold);
    QFont titleFont = title->font();
    titleFont.setUnderline(true);
    title->setFont(titleFont);
    m_image1->setObjectName("Image1");
    m_image1->setFixedSize(96, 96);

    auto* text = new QVBoxLayout;
    text->addWidget(title);
    text->addSpacing(10);
    text->addWidget(make("Label2", QStringLiteral("Popis : program na řízení turnajů"), 11, Weight::Normal));
    text->addWidget(make("Label3", QStringLiteral("Verze : ") + QString::fromLatin1(kVersion), 11, Weight::Normal));
    text->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(24, 20, 28, 20);
    layout->setSpacing(20);
    layout->addWidget(m_image1, 0, Qt::AlignTop);
    layout->addLayout(text);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TOprogramu::showEvent(QShowEvent* event)
{
    if (m_image1->pixmap().isNull())
        m_image1->setPixmap(dartboardPicture(m_image1->width()));
    QDialog::showEvent(event);
}

} // namespace zorbon::ui
