#pragma once
// A decoded picture held as a QImage in a pixel format that paints without
// conversion.

#include "framework/ui/Presentation.h"

#include <QImage>

#include <memory>
#include <string>
#include <vector>

namespace fw::ui {

class QtImage : public Image {
public:
    explicit QtImage(const QImage& decoded);

    // Decodes an image file's bytes in any format Qt reads. Pictures of more
    // than maxPixels are refused before any pixel is decoded. On failure
    // returns nil and sets error to a short reason.
    static std::shared_ptr<const QtImage> decode(const std::vector<unsigned char>& bytes, std::string& error);
    static constexpr int allocationLimitMb = 256;
    static constexpr qint64 maxPixels = qint64{allocationLimitMb} * 1024 * 1024 / 4; // 32-bit pixels

    int32_t width() const override { return image_.width(); }
    int32_t height() const override { return image_.height(); }
    const QImage& image() const { return image_; }

private:
    QImage image_;
};

} // namespace fw::ui
