#include "framework/ui/qt/PushButtonWidget.h"

#include "framework/ui/qt/ControlStyle.h"

namespace fw::ui {

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

} // namespace fw::ui
