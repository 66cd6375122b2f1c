#include "report/texts/EngineTexts.h"

#include <gtest/gtest.h>

TEST(EngineTexts, LookUpByNumber)
{
    EXPECT_EQ(TrqLocale::LoadText(55001), "Cancel");
    EXPECT_EQ(TrqLocale::LoadText(55439), "Undefined symbol");
    EXPECT_EQ(TrqLocale::LoadText(54999), "");  // not in the table
    EXPECT_EQ(TrqLocale::DuplicateCount(), 0);
}
