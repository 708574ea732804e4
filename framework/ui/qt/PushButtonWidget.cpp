#include "framework/ui/qt/PushButtonWidget.h"

#include "framework/ui/qt/ControlStyle.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace fw::ui {

namespace {

// Accessibility guidelines ask this much contrast between a focus indicator
// and each colour next to it.
constexpr double ringContrast = 3.0;
constexpr double ringCornerRadius = 2.0;

// Relative luminance of an sRGB colour, from its linearised channels.
double luminance(const QColor& colour)
{
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
}

double contrast(const QColor& first, const QColor& second)
{
    const double a = luminance(first), b = luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

double weakerContrast(const QColor& shade, const QColor& face, const QColor& background)
{
    return std::min(contrast(shade, face), contrast(shade, background));
}

// Black or white, whichever stands out more from both colours.
QColor starkestShade(const QColor& face, const QColor& background)
{
    const QColor black(Qt::black), white(Qt::white);
    return weakerContrast(black, face, background) >= weakerContrast(white, face, background) ? black : white;
}

struct RingColours {
    QColor outer, inner;
};

// One shade for both rings where black or white stands out enough from the
// face and the background alike. Otherwise the outer ring takes the shade
// that stands out from the background and the inner one the shade that
// stands out from the face; black against white, they stand out from each
// other too.
RingColours ringColours(const QColor& face, const QColor& background)
{
    const QColor shade = starkestShade(face, background);
    if (weakerContrast(shade, face, background) >= ringContrast)
        return {shade, shade};
    return {starkestShade(background, background), starkestShade(face, face)};
}

} // namespace

PushButtonWidget::PushButtonWidget(QWidget& window, std::function<void()> onClicked)
    : QPushButton(&window), areaWatch_(new WindowAreaWatch(*this))
{
    connect(this, &QPushButton::clicked, this, [onClicked = std::move(onClicked)] { onClicked(); });
}

void PushButtonWidget::apply(const ControlLook& look)
{
    // Captions are shown as written: a single "&" would make Qt underline the
    // next letter and bind Alt to it.
    setText(QString::fromStdString(look.caption).replace(u'&', QStringLiteral("&&")));
    setFont(controlFont(look));
    colourControl(*this, look, QPalette::ButtonText, QPalette::Button);
    placeControl(*this, look);
    areaWatch_->update();
}

void PushButtonWidget::paintEvent(QPaintEvent* event)
{
    QPushButton::paintEvent(event);
    if (hasFocus())
        paintFocusRing();
}

void PushButtonWidget::paintFocusRing()
{
    // The colours are worked out from the palette on every paint, so a change
    // of the button's or the window's colours is followed.
    const QWidget& window = *parentWidget();
    const RingColours colours =
        ringColours(palette().color(QPalette::Button), window.palette().color(window.backgroundRole()));
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // A one-pixel line through the middle of a row of pixels fills just that
    // row; the corners are rounded like the style's.
    const QRectF outer = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(colours.outer, 1));
    painter.drawRoundedRect(outer, ringCornerRadius, ringCornerRadius);
    painter.setPen(QPen(colours.inner, 1));
    painter.drawRoundedRect(outer.adjusted(1, 1, -1, -1), ringCornerRadius - 1, ringCornerRadius - 1);
}

} // namespace fw::ui
