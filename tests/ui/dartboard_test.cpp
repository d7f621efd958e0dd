// The main window's dartboard is shipped drawn in advance, because drawing it took a tenth of the
// start-up; it must stay the picture that dartboardPixmap draws.
// ZORBON_DRAW_DARTBOARD=<file> writes a freshly drawn one there, as the raw premultiplied ARGB32
// pixels that src/ui/dartboard150.argb holds.

#include "Dartboard.h"

#include <QFile>
#include <QImage>
#include <QResource>
#include <QTest>

using namespace zorbon::ui;

class DartboardTest : public QObject {
    Q_OBJECT
private slots:
    void shippedPictureIsTheDrawnOne();
};

void DartboardTest::shippedPictureIsTheDrawnOne()
{
    const QImage drawn = dartboardPixmap(150).toImage().convertToFormat(QImage::Format_ARGB32);
    if (const QByteArray out = qgetenv("ZORBON_DRAW_DARTBOARD"); !out.isEmpty()) {
        const QImage raw = drawn.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QFile file(QString::fromLocal8Bit(out));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(raw.constBits()), raw.sizeInBytes());
    }
    // Really shipped, not drawn by the fallback.
    QCOMPARE(QResource(QStringLiteral(":/zorbon/dartboard150.argb")).size(), qint64(150 * 150 * 4));
    const QImage shipped = mainWindowDartboard().toImage().convertToFormat(QImage::Format_ARGB32);
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
