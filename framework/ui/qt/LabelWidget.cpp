#include "framework/ui/qt/LabelWidget.h"

#include "framework/ui/qt/ControlStyle.h"

#include <iterator>

namespace fw::ui {

namespace {

// Indexed by the look's textAlign.
constexpr Qt::Alignment alignments[] = {
    Qt::AlignLeft,    // 0: the default
    Qt::AlignLeft,    // 1
    Qt::AlignHCenter, // 2
    Qt::AlignRight,   // 3
};

Qt::Alignment alignmentFor(int32_t textAlign)
{
    const bool known = textAlign >= 0 && textAlign < static_cast<int32_t>(std::size(alignments));
    return (known ? alignments[textAlign] : alignments[0]) | Qt::AlignTop;
}

} // namespace

LabelWidget::LabelWidget(QWidget& window) : QLabel(&window)
{
    setTextFormat(Qt::PlainText);
    setAutoFillBackground(true);
}

void LabelWidget::apply(const ControlLook& look)
{
    setText(QString::fromStdString(look.caption));
    setWordWrap(look.multiline);
    setAlignment(alignmentFor(look.textAlign));
    setFont(controlFont(look));
    colourControl(*this, look, QPalette::WindowText, QPalette::Window);
    placeControl(*this, look);
}

} // namespace fw::ui
