/*
 * main() of the Windows test programs: the whole process runs with
 * HKEY_CURRENT_USER redirected to a scratch key.
 */
#include <gtest/gtest.h>

#include "scratch_registry.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ScratchRegistry processRoot;
    return RUN_ALL_TESTS();
}
