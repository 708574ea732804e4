// The least a Qt Widgets program can do to show the palette: the same window
// and buttons, built directly, with nothing behind them. The start-up
// benchmark measures it beside the program as the floor to compare with.

#include <QApplication>
#include <QPushButton>
#include <QWidget>

namespace {

struct ButtonPlace {
    QRect geometry;
    const char* text;
};

constexpr ButtonPlace kButtons[] = {
    {{2, 2, 78, 20}, "Read"},
    {{83, 2, 76, 20}, "Stop"},
    {{83, 26, 76, 20}, "Quit"},
    {{2, 26, 78, 20}, "About"},
};

void paintBackground(QWidget& window)
{
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(0x00, 0x80, 0xFF));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
}

void addButtons(QWidget& window)
{
    for (const ButtonPlace& place : kButtons) {
        auto* button = new QPushButton(QString::fromLatin1(place.text), &window);
        button->setGeometry(place.geometry);
    }
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    window.setFixedSize(161, 50);
    paintBackground(window);
    addButtons(window);
    window.show();
    return application.exec();
}
