#include "framework/ui/qt/ControlStyle.h"

#include <QWidget>

#include <algorithm>
#include <string_view>

namespace fw::ui {

namespace {

constexpr std::string_view desktopFontName = "System";

} // namespace

QColor toQColor(Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

void placeControl(QWidget& widget, const ControlLook& look)
{
    widget.setGeometry(look.left, look.top, look.width, look.height);
    widget.setEnabled(look.enabled);
    widget.setVisible(look.visible);
}

QFont controlFont(const ControlLook& look)
{
    // A default-constructed QFont is the application's font with nothing of
    // its own set, so whatever is left alone keeps following the desktop.
    QFont font;
    if (!look.fontName.empty() && look.fontName != desktopFontName)
        font.setFamily(QString::fromStdString(look.fontName));
    // Layouts place controls in pixels sized for text measured at 72 points to
    // the inch, so a size in the default unit is drawn as that many pixels:
    // the text then fits the box it was laid out for on any screen density.
    if (look.textSize > 0)
        font.setPixelSize(std::max(1, static_cast<int>(look.textSize + 0.5f)));
    if (look.bold)
        font.setBold(true);
    if (look.italic)
        font.setItalic(true);
    if (look.underline)
        font.setUnderline(true);
    return font;
}

void colourControl(QWidget& widget, const ControlLook& look, QPalette::ColorRole textRole, QPalette::ColorRole backRole)
{
    QPalette palette; // nothing set: every role is inherited
    if (look.textColor)
        palette.setColor(textRole, toQColor(*look.textColor));
    if (look.backColor)
        palette.setColor(backRole, toQColor(*look.backColor));
    widget.setPalette(palette);
}

} // namespace fw::ui
