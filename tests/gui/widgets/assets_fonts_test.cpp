#include "assets/Assets.h"
#include "widgets/Fonts.h"

#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QIcon>
#include <QImageReader>
#include <QTest>
#include <QtEndian>

namespace {
QByteArray resource(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

quint16 word(const QByteArray& bytes, int at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

struct IconImage
{
    int width;
    int height;
    int bitCount;
};

// The directory of a Windows icon file, as the file states it.
QList<IconImage> iconDirectory(const QByteArray& ico)
{
    QList<IconImage> images;
    if (ico.size() < 6 || word(ico, 0) != 0 || word(ico, 2) != 1)
        return images;
    for (int i = 0; i < word(ico, 4) && 6 + 16 * (i + 1) <= ico.size(); ++i) {
        const int at = 6 + 16 * i;
        const auto side = [](char byte) { return byte == 0 ? 256 : int(quint8(byte)); };
        images.append({side(ico[at]), side(ico[at + 1]), word(ico, at + 6)});
    }
    return images;
}

struct JpegFrame
{
    int marker = 0; // 0xC0 baseline, 0xC2 progressive, ...
    int width = 0;
    int height = 0;
    QList<int> sampling; // one byte per component: horizontal factor in the high half, vertical in the low
};

JpegFrame jpegFrame(const QByteArray& jpeg)
{
    JpegFrame frame;
    int at = 2;
    while (at + 4 <= jpeg.size() && quint8(jpeg[at]) == 0xFF) {
        const int marker = quint8(jpeg[at + 1]);
        const int length = qFromBigEndian<quint16>(jpeg.constData() + at + 2);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            const char* sof = jpeg.constData() + at + 4;
            frame.marker = marker;
            frame.height = qFromBigEndian<quint16>(sof + 1);
            frame.width = qFromBigEndian<quint16>(sof + 3);
            for (int c = 0; c < quint8(sof[5]); ++c)
                frame.sampling.append(quint8(sof[6 + 3 * c + 1]));
            return frame;
        }
        at += 2 + length;
    }
    return frame;
}
} // namespace

class AssetsFontsTest : public QObject
{
    Q_OBJECT

private slots:
    void windowIconHoldsItsEightImages()
    {
        const QByteArray ico = resource(Assets::windowIcon());
        QVERIFY(!ico.isEmpty());
        const QList<IconImage> images = iconDirectory(ico);
        const QList<IconImage> expected = {{32, 32, 4}, {16, 16, 4},  {48, 48, 8},  {32, 32, 8},
                                           {16, 16, 8}, {48, 48, 32}, {32, 32, 32}, {16, 16, 32}};
        QCOMPARE(images.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            QCOMPARE(images[i].width, expected[i].width);
            QCOMPARE(images[i].height, expected[i].height);
            QCOMPARE(images[i].bitCount, expected[i].bitCount);
        }

        // Qt reads every image, and the 32-bit ones blend softly into what lies under them.
        QImageReader reader(Assets::windowIcon());
        QCOMPARE(reader.imageCount(), 8);
        for (int i = 0; i < 8; ++i) {
            QVERIFY(reader.jumpToImage(i));
            const QImage image = reader.read();
            QCOMPARE(image.size(), QSize(expected[i].width, expected[i].height));
            bool partial = false;
            bool clear = false;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const int alpha = image.pixelColor(x, y).alpha();
                    partial = partial || (alpha > 0 && alpha < 255);
                    clear = clear || alpha == 0;
                }
            QVERIFY2(clear, "every image has a transparent surround");
            QCOMPARE(partial, expected[i].bitCount == 32);
        }

        const QList<QSize> sizes = QIcon(Assets::windowIcon()).availableSizes();
        for (const QSize size : {QSize(16, 16), QSize(32, 32), QSize(48, 48)})
            QVERIFY(sizes.contains(size));
    }

    void programIconIsOne32PixelImageIn16Colours()
    {
        const QList<IconImage> images = iconDirectory(resource(Assets::programIcon()));
        QCOMPARE(images.size(), 1);
        QCOMPARE(images[0].width, 32);
        QCOMPARE(images[0].height, 32);
        QCOMPARE(images[0].bitCount, 4);
        QCOMPARE(QImage(Assets::programIcon()).size(), QSize(32, 32));
    }

    void backgroundIsAProgressiveJpegWithoutSubsampling()
    {
        const QByteArray jpeg = resource(Assets::background());
        QVERIFY(jpeg.startsWith("\xFF\xD8"));
        const JpegFrame frame = jpegFrame(jpeg);
        QCOMPARE(frame.marker, 0xC2);
        QCOMPARE(frame.width, 80);
        QCOMPARE(frame.height, 151);
        QCOMPARE(frame.sampling, QList<int>({0x11, 0x11, 0x11}));

        const QImage image(Assets::background());
        QCOMPARE(image.size(), QSize(80, 151));
        // A light blue that deepens from top to bottom.
        const QColor top = image.pixelColor(40, 2);
        const QColor bottom = image.pixelColor(40, 148);
        QVERIFY(top.blue() > 200 && bottom.blue() > 200);
        QVERIFY(top.blue() >= top.red() && bottom.blue() > bottom.red());
        QVERIFY(top.lightness() > bottom.lightness());
    }

    void facesHaveTheChineseGlyphs_data()
    {
        QTest::addColumn<QFont>("font");
        QTest::addColumn<QString>("family");
        QTest::newRow("window font") << windowFont(13) << QStringLiteral("Noto Sans CJK SC");
        QTest::newRow("window font, bold") << windowFont(16, true) << QStringLiteral("Noto Sans CJK SC");
        QTest::newRow("Songti") << songtiFont(16) << QStringLiteral("Noto Sans Mono CJK SC");
        QTest::newRow("Songti, bold") << songtiFont(16, true) << QStringLiteral("Noto Sans Mono CJK SC");
    }

    void facesHaveTheChineseGlyphs()
    {
        QFETCH(QFont, font);
        QFETCH(QString, family);
        const QFontInfo info(font);
        QCOMPARE(info.family(), family);
        QCOMPARE(info.pixelSize(), font.pixelSize());
        QCOMPARE(info.bold(), font.bold());
        const QFontMetrics metrics(font);
        for (const QChar character : QStringLiteral("禾岚幼儿园收费小票打印软件温馨提示：【】"))
            QVERIFY(metrics.inFont(character));
    }

    void songtiLatinIsHalfAsWideAsChinese()
    {
        const QFontMetrics metrics(songtiFont(16));
        const int chinese = metrics.horizontalAdvance(QStringLiteral("禾"));
        QCOMPARE(chinese, 16);
        for (const QString& latin : {QStringLiteral(" "), QStringLiteral("9"), QStringLiteral("m"),
                                     QStringLiteral("i"), QStringLiteral(".")})
            QCOMPARE(metrics.horizontalAdvance(latin) * 2, chinese);
        QCOMPARE(
            metrics.horizontalAdvance(QStringLiteral("温馨提示：本软件正版购买98元/套.") + QString(34, ' ')),
            66 * 8);
    }
};

QTEST_MAIN(AssetsFontsTest)
#include "assets_fonts_test.moc"
