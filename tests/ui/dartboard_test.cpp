// The dartboards that windows show on their first paint are shipped drawn in advance, because
// drawing them took a tenth of the start-up; they must stay the pictures dartboardPixmap draws.
// ZORBON_DRAW_DARTBOARD=<folder> writes freshly drawn ones there, as the raw premultiplied ARGB32
// pixels that src/ui/common/dartboard<size>.argb hold.

#include "common/Dartboard.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QResource>
#include <QTest>

using namespace zorbon::ui;

class DartboardTest : public QObject {
    Q_OBJECT
private slots:
    void shippedPicturesAreTheDrawnOnes_data();
    void shippedPicturesAreTheDrawnOnes();
};

void DartboardTest::shippedPicturesAreTheDrawnOnes_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("main window") << 150;
    QTest::newRow("bracket windows") << 64;
}

void DartboardTest::shippedPicturesAreTheDrawnOnes()
{
    QFETCH(int, size);
    const QString name = QStringLiteral("dartboard%1.argb").arg(size);
    const QImage drawn = dartboardPixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
    if (const QByteArray out = qgetenv("ZORBON_DRAW_DARTBOARD"); !out.isEmpty()) {
        // Straight from the drawn pixmap, which is premultiplied already: the pixels stay exact.
        const QImage raw = dartboardPixmap(size).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QFile file(QDir(QString::fromLocal8Bit(out)).filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(raw.constBits()), raw.sizeInBytes());
    }
    // Really shipped, and stored so that it needs no decompression; not drawn by the fallback.
    QCOMPARE(QResource(QStringLiteral(":/zorbon/") + name).size(), qint64(size) * size * 4);
    const QImage shipped = dartboardPicture(size).toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(shipped.size(), drawn.size());
    // Glyph edges may come out a shade apart with another FreeType; a changed drawing differs widely.
    int differing = 0;
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            const QRgb a = drawn.pixel(x, y);
            const QRgb b = shipped.pixel(x, y);
            const int d = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                    std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
            differing += d > 24 ? 1 : 0;
        }
    }
    QVERIFY2(differing <= drawn.width() * drawn.height() / 200, qPrintable(QString::number(differing)));
}

QTEST_MAIN(DartboardTest)
#include "dartboard_test.moc"
