#include "runtime/db/TextConversion.h"

#include <gtest/gtest.h>

TEST(TextConversion, SameAsTheRuntimesConverter)
{
    // ASCII, Chinese, a euro sign (one byte in CP936), a character GBK lacks
    // (an emoji: the converter's replacement), broken UTF-8, and mixtures.
    const char* texts[] = {"", "P01 abc", "中华(硬)", "红云红河烟草(集团)有限责任公司", "\xE2\x82\xAC", "a😀b",
                           "\xE4\xB8", "ok \xFF end", "税额：17％", "ｱ半角"};
    for (const char* t : texts) {
        std::string out = "prefix";
        AppendUtf8AsAnsi(out, t);
        EXPECT_EQ(out, "prefix" + Utf8ToAnsi(t)) << t;
    }
}
