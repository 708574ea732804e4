#include "framework/ui/qt/TextAreaWidget.h"

#include "framework/ui/qt/ControlStyle.h"

#include <utility>

namespace fw::ui {

TextAreaWidget::TextAreaWidget(QWidget& window, std::function<void(const std::string&)> onEdited)
    : QPlainTextEdit(&window), onEdited_(std::move(onEdited)),
      areaWatch_(new WindowAreaWatch(*this, [this] { showPendingText(); }))
{
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!mirroring_)
            onEdited_(toPlainText().toStdString());
    });
}

void TextAreaWidget::apply(const ControlLook& look)
{
    setFrameShape(look.border ? QFrame::StyledPanel : QFrame::NoFrame);
    setReadOnly(look.readOnly);
    setLineWrapMode(look.multiline ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    setFont(controlFont(look));
    colourControl(*this, look, QPalette::Text, QPalette::Base);
    placeControl(*this, look);
    areaWatch_->update();
}

void TextAreaWidget::mirrorText(LazyText text)
{
    if (areaWatch_->inView()) {
        pending_.reset();
        showText(text.read());
    } else {
        pending_ = std::move(text);
    }
}

void TextAreaWidget::showPendingText()
{
    if (pending_)
        showText(std::exchange(pending_, std::nullopt)->read());
}

void TextAreaWidget::showText(const std::string& text)
{
    mirroring_ = true;
    setPlainText(QString::fromStdString(text));
    mirroring_ = false;
}

} // namespace fw::ui
