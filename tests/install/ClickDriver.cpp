// Loaded into the installed program (LD_PRELOAD) to use it as a user would
// on a platform that takes no input from outside: once its windows are up it
// clicks About, waits for the About window, then clicks Quit. It says on
// stderr what it saw; when a step does not come about in time it ends the
// process with code 3.

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kTickMilliseconds = 50;
constexpr int kGiveUpTicks = 600; // 30 seconds

QPushButton* visibleButton(const QString& caption)
{
    for (QWidget* widget : QApplication::allWidgets())
        if (auto* button = qobject_cast<QPushButton*>(widget);
            button && button->text() == caption && button->isVisible())
            return button;
    return nullptr;
}

bool windowShown(const QString& title)
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window->windowTitle() == title)
            return true;
    return false;
}

enum class Step { ClickAbout, AwaitAbout, ClickQuit, Done };

void tick()
{
    static Step step = Step::ClickAbout;
    static int ticks = 0;
    if (++ticks > kGiveUpTicks) {
        std::fprintf(stderr, "driver: gave up at step %d\n", static_cast<int>(step));
        std::_Exit(3);
    }
    switch (step) {
    case Step::ClickAbout:
        if (QPushButton* about = visibleButton("About")) {
            step = Step::AwaitAbout;
            about->click();
        }
        break;
    case Step::AwaitAbout:
        if (windowShown("About Lirra Veriz 5.0")) {
            std::fprintf(stderr, "driver: the About window is open\n");
            step = Step::ClickQuit;
        }
        break;
    case Step::ClickQuit:
        if (QPushButton* quit = visibleButton("Quit")) {
            step = Step::Done;
            quit->click();
        }
        break;
    case Step::Done:
        break;
    }
}

void startDriving()
{
    auto* timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, tick);
    timer->start(kTickMilliseconds);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(startDriving)
