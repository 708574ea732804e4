#include "framework/ui/qt/QtImage.h"

#include <QBuffer>
#include <QImageReader>

namespace fw::ui {

// The raster paint engine blends premultiplied ARGB and copies RGB32 as they
// are; every other format would be converted on each paint.
QtImage::QtImage(const QImage& decoded)
    : image_(decoded.convertToFormat(decoded.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                               : QImage::Format_RGB32))
{
}

std::shared_ptr<const QtImage> QtImage::decode(const std::vector<unsigned char>& bytes, std::string& error)
{
    if (bytes.empty()) {
        error = "empty";
        return nullptr;
    }
    QByteArray data =
        QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader::setAllocationLimit(allocationLimitMb);
    QImageReader reader(&buffer);
    if (!reader.canRead()) {
        error = "not an image";
        return nullptr;
    }
    const QSize size = reader.size(); // from the header alone
    if (size.isValid() && qint64{size.width()} * size.height() > maxPixels) {
        error = "too large";
        return nullptr;
    }
    const QImage decoded = reader.read();
    if (decoded.isNull()) {
        error = "damaged image";
        return nullptr;
    }
    return std::make_shared<const QtImage>(decoded);
}

} // namespace fw::ui
