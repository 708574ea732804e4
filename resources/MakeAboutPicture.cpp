// Draws the About picture and writes it as a JPEG: a speaker sending sound
// waves over a sky-blue field, with the product's name beneath. Given sizes
// and files, also draws the program's icon at each size as a PNG: the
// speaker and its waves alone, on a rounded tile of the same field.
//   make-about-picture PICTURE.jpg [SIZE ICON.png]...

#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {

constexpr int kWidth = 249;
constexpr int kHeight = 190;

// The icon: the part of the picture that holds the speaker and its waves,
// scaled to the icon's size.
constexpr QRect kIconArea(38, 15, 130, 130);

void drawBackground(QPainter& painter)
{
    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0.0, QColor(0x00, 0x80, 0xFF));
    sky.setColorAt(1.0, QColor(0xE8, 0xF4, 0xFF));
    painter.fillRect(0, 0, kWidth, kHeight, sky);
}

void drawSpeaker(QPainter& painter)
{
    QPainterPath speaker;
    speaker.moveTo(58, 62);
    speaker.lineTo(78, 62);
    speaker.lineTo(104, 38);
    speaker.lineTo(104, 122);
    speaker.lineTo(78, 98);
    speaker.lineTo(58, 98);
    speaker.closeSubpath();
    painter.setPen(QPen(QColor(0x10, 0x20, 0x40), 3));
    painter.setBrush(QColor(0xFF, 0xFF, 0xFF));
    painter.drawPath(speaker);
}

void drawWaves(QPainter& painter)
{
    painter.setBrush(Qt::NoBrush);
    for (int wave = 0; wave < 3; ++wave) {
        int radius = 22 + wave * 18;
        painter.setPen(QPen(QColor(0xFF, 0xFF, 0xFF, 230 - wave * 50), 6, Qt::SolidLine, Qt::RoundCap));
        painter.drawArc(QRect(104 - radius, 80 - radius, 2 * radius, 2 * radius), -50 * 16, 100 * 16);
    }
}

void drawName(QPainter& painter)
{
    QFont font("Sans", 20, QFont::Bold);
    painter.setFont(font);
    painter.setPen(QColor(0x10, 0x20, 0x40));
    painter.drawText(QRect(0, 140, kWidth, 40), Qt::AlignCenter, "Lirra Veriz");
}

QImage drawPicture()
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawBackground(painter);
    drawSpeaker(painter);
    drawWaves(painter);
    drawName(painter);
    painter.end();
    return image;
}

QImage drawIcon(int size)
{
    QImage icon(size, size, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setWindow(kIconArea);
    QPainterPath tile;
    tile.addRoundedRect(kIconArea, 20, 20);
    painter.setClipPath(tile);
    drawBackground(painter);
    drawSpeaker(painter);
    drawWaves(painter);
    painter.end();
    return icon;
}

bool save(const QImage& image, const char* file, const char* format, int quality)
{
    if (image.save(QString::fromLocal8Bit(file), format, quality))
        return true;
    std::fprintf(stderr, "make-about-picture: cannot write %s\n", file);
    return false;
}

// An icon size as given on the command line, in pixels; 0 when it is not a
// positive whole number.
int iconSize(const char* text)
{
    bool ok = false;
    int size = QByteArray(text).toInt(&ok);
    return ok && size > 0 ? size : 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc % 2 != 0) {
        std::fprintf(stderr, "usage: make-about-picture PICTURE.jpg [SIZE ICON.png]...\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (!save(drawPicture(), argv[1], "JPG", 90))
        return 1;
    for (int arg = 2; arg < argc; arg += 2) {
        int size = iconSize(argv[arg]);
        if (size == 0) {
            std::fprintf(stderr, "make-about-picture: %s is not an icon size\n", argv[arg]);
            return 2;
        }
        if (!save(drawIcon(size), argv[arg + 1], "PNG", -1))
            return 1;
    }
    return 0;
}
