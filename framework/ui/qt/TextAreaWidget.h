#pragma once
// A text area. The user's edits go to the handler it was made with; text
// mirrored in from the framework does not.
//
// A text area lying wholly outside its window's client area is never seen,
// so text mirrored into it is kept aside rather than laid out (a clipboard
// of megabytes would otherwise stall the window for seconds), and, like any
// control out of view, it takes no focus. The text moves into the widget
// once the area comes to overlap the window.

#include "framework/ui/qt/ControlWidget.h"
#include "framework/ui/qt/WindowAreaWatch.h"

#include <QPlainTextEdit>

#include <functional>
#include <optional>
#include <string>

namespace fw::ui {

class TextAreaWidget : public QPlainTextEdit, public ControlWidget {
public:
    TextAreaWidget(QWidget& window, std::function<void(const std::string&)> onEdited);

    QWidget& widget() override { return *this; }
    void apply(const ControlLook& look) override;
    void mirrorText(LazyText text);

private:
    void showPendingText();
    void showText(const std::string& text);

    std::function<void(const std::string&)> onEdited_;
    std::optional<LazyText> pending_;  // mirrored but not yet read into the document
    bool mirroring_ = false;           // the document changes because of mirrorText
    WindowAreaWatch* const areaWatch_; // a child of this widget; last, as it calls back
};

} // namespace fw::ui
