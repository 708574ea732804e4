#pragma once
// A text area. The user's edits go to the handler it was made with; text
// mirrored in from the framework does not.
//
// A text area lying wholly outside its window's client area is never seen,
// so text mirrored into it is kept aside rather than laid out (a clipboard
// of megabytes would otherwise stall the window for seconds), and it takes
// no focus, so that no key edits what nobody sees. The text moves into the
// widget once the area comes to overlap the window.

#include "framework/ui/qt/ControlWidget.h"

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
    void mirrorText(std::string text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool overlapsWindow() const;
    // Settles focus and pending text after the area or the window moved.
    void followWindowArea();
    void showText(const std::string& text);

    std::function<void(const std::string&)> onEdited_;
    const Qt::FocusPolicy focusPolicy_;   // while in view
    std::optional<std::string> pending_;  // mirrored but not yet in the document
    bool mirroring_ = false;              // the document changes because of mirrorText
};

} // namespace fw::ui
