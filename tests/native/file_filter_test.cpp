/*
 * Filter lists for the common file dialogs, from the string table's
 * tab-separated filter texts.
 */
#include <string>

#include <gtest/gtest.h>

#include "bytes.h"

#include "ui/portable/file_filter.h"

namespace {

TEST(ConvertFilter, TurnsTabsIntoZerosAndAlwaysEndsWithTwoZeros)
{
    char list[kFilterListSize];
    ConvertFilter("\x90\xDD\x92\xE8\xCC\xA7\xB2\xD9(*.ini)\t*.ini\t", list, sizeof list);
    EXPECT_EQ(Bytes("\x90\xDD\x92\xE8\xCC\xA7\xB2\xD9(*.ini)\0*.ini\0\0"), std::string(list, 23));

    ConvertFilter("All\t*.*", list, sizeof list);
    EXPECT_EQ(Bytes("All\0*.*\0\0"), std::string(list, 9)) << "no final tab";

    char small[6];
    ConvertFilter("Text\t*.txt\t", small, sizeof small);
    EXPECT_EQ(Bytes("Text\0\0"), std::string(small, 6)) << "cut, still two zeros at the end";
}

}  // namespace
