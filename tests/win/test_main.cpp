/*
 * main() of the Windows test programs: the whole process runs with
 * HKEY_CURRENT_USER redirected to a scratch key, and a bitmap deleted while
 * still selected into a DC (which Wine forgives and Windows does not) fails
 * the test that does it.
 */
#include <gtest/gtest.h>

#include "base/gdi_check.h"
#include "scratch_registry.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ScratchRegistry processRoot;
    tav::SelectedBitmapDeleted = [](HBITMAP bitmap) {
        ADD_FAILURE() << "bitmap " << bitmap << " deleted while still selected into a DC";
    };
    return RUN_ALL_TESTS();
}
