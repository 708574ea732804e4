#include "tests/ui/qt/PresentationEnvironment.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Made only when tests run, so listing them needs no display.
    ::testing::AddGlobalTestEnvironment(new PresentationEnvironment);
    return RUN_ALL_TESTS();
}
