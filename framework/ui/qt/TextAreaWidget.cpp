#include "framework/ui/qt/TextAreaWidget.h"

#include "framework/ui/qt/ControlStyle.h"

#include <QEvent>

#include <utility>

namespace fw::ui {

TextAreaWidget::TextAreaWidget(QWidget& window, std::function<void(const std::string&)> onEdited)
    : QPlainTextEdit(&window), onEdited_(std::move(onEdited)), focusPolicy_(focusPolicy())
{
    // The window's resizes can bring the area into view.
    window.installEventFilter(this);
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
    followWindowArea();
}

void TextAreaWidget::mirrorText(std::string text)
{
    if (overlapsWindow()) {
        pending_.reset();
        showText(text);
    } else {
        pending_ = std::move(text);
    }
}

bool TextAreaWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent() && event->type() == QEvent::Resize)
        followWindowArea();
    return QPlainTextEdit::eventFilter(watched, event);
}

bool TextAreaWidget::overlapsWindow() const
{
    return geometry().intersects(parentWidget()->rect());
}

void TextAreaWidget::followWindowArea()
{
    const bool inView = overlapsWindow();
    setFocusPolicy(inView ? focusPolicy_ : Qt::NoFocus);
    if (inView && pending_)
        showText(*std::exchange(pending_, std::nullopt));
}

void TextAreaWidget::showText(const std::string& text)
{
    mirroring_ = true;
    setPlainText(QString::fromStdString(text));
    mirroring_ = false;
}

} // namespace fw::ui
