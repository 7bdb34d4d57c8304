// The test program's entry: Allegro is brought up once, without a display.
#include <gtest/gtest.h>

#include "shell/headless.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    boot_headless_allegro();
    return RUN_ALL_TESTS();
}
