#include "tests/ui/qt/PresentationTest.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

using ClipboardTest = PresentationTest;

TEST_F(ClipboardTest, ReadsTheTextAsUtf8)
{
    QGuiApplication::clipboard()->setText(QString::fromUtf8("Grüße, 世界\nzweite Zeile"));
    EXPECT_EQ(presentation().clipboardText(), "Grüße, 世界\nzweite Zeile");

    QGuiApplication::clipboard()->setText(QString());
    EXPECT_EQ(presentation().clipboardText(), "");
}

TEST_F(ClipboardTest, HasNoTextWhenEmptyOrHoldingSomethingElse)
{
    QGuiApplication::clipboard()->clear();
    EXPECT_EQ(presentation().clipboardText(), std::nullopt);

    auto* picture = new QMimeData;
    picture->setData("image/png", QByteArray("\x89PNG"));
    QGuiApplication::clipboard()->setMimeData(picture);
    EXPECT_EQ(presentation().clipboardText(), std::nullopt);
}

} // namespace
