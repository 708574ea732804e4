#include "tests/ui/qt/PresentationTest.h"

#include <QBuffer>

#include <cstdint>

namespace {

using ImageTest = PresentationTest;
using Bytes = std::vector<unsigned char>;

Bytes encoded(const QImage& image, const char* format)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return {data.begin(), data.end()};
}

void putLittleEndian(Bytes& bytes, size_t offset, uint32_t value, size_t size)
{
    for (size_t i = 0; i < size; ++i)
        bytes[offset + i] = static_cast<unsigned char>(value >> (8 * i));
}

// A 24-bit BMP header that claims width x height pixels and holds none.
Bytes bmpHeader(uint32_t width, uint32_t height)
{
    Bytes bytes(54, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    putLittleEndian(bytes, 2, 54, 4);  // file size
    putLittleEndian(bytes, 10, 54, 4); // offset of the pixels
    putLittleEndian(bytes, 14, 40, 4); // info header size
    putLittleEndian(bytes, 18, width, 4);
    putLittleEndian(bytes, 22, height, 4);
    putLittleEndian(bytes, 26, 1, 2);  // planes
    putLittleEndian(bytes, 28, 24, 2); // bits per pixel
    return bytes;
}

uint32_t crc32(const unsigned char* data, size_t size)
{
    uint32_t crc = 0xFFFFFFFF;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

void putBigEndian(Bytes& bytes, size_t offset, uint32_t value)
{
    for (size_t i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<unsigned char>(value >> (24 - 8 * i));
}

// A real PNG whose header (with a valid checksum) claims width x height.
Bytes pngClaiming(uint32_t width, uint32_t height)
{
    QImage tiny(1, 1, QImage::Format_RGB32);
    tiny.fill(Qt::white);
    Bytes bytes = encoded(tiny, "PNG");
    constexpr size_t ihdrType = 12; // after the signature and the chunk's length
    putBigEndian(bytes, ihdrType + 4, width);
    putBigEndian(bytes, ihdrType + 8, height);
    putBigEndian(bytes, ihdrType + 17, crc32(&bytes[ihdrType], 17));
    return bytes;
}

TEST_F(ImageTest, DecodesAJpegToItsSize)
{
    QImage picture(601, 200, QImage::Format_RGB32);
    picture.fill(QColor(10, 200, 30));
    std::string error;
    const auto image = presentation().decodeImage(encoded(picture, "JPEG"), error);
    ASSERT_TRUE(image) << error;
    EXPECT_EQ(image->width(), 601);
    EXPECT_EQ(image->height(), 200);
}

TEST_F(ImageTest, RefusesWhatIsNoDecodablePicture)
{
    Bytes pngSignatureThenJunk = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    pngSignatureThenJunk.resize(200, 0x5A);
    struct Case {
        const char* what;
        Bytes bytes;
        const char* reason;
    };
    const Case cases[] = {
        {.what = "empty", .bytes = {}, .reason = "empty"},
        {.what = "text", .bytes = Bytes(300, 'x'), .reason = "not an image"},
        {.what = "huge png", .bytes = pngClaiming(60000, 60000), .reason = "too large"},
        {.what = "just over the limit", .bytes = bmpHeader(8193, 8192), .reason = "too large"},
        {.what = "damaged png", .bytes = pngSignatureThenJunk, .reason = nullptr},
        {.what = "bmp without pixels", .bytes = bmpHeader(100, 100), .reason = nullptr},
    };
    for (const Case& testCase : cases) {
        std::string error;
        EXPECT_EQ(presentation().decodeImage(testCase.bytes, error), nullptr) << testCase.what;
        if (testCase.reason)
            EXPECT_EQ(error, testCase.reason) << testCase.what;
        else
            EXPECT_FALSE(error.empty()) << testCase.what;
    }
}

} // namespace
