#include "runtime/Exceptions.h"
#include "runtime/Streams.h"
#include "runtime/StringList.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

using ::testing::HasSubstr;
using ::testing::ThrowsMessage;

TEST(Stream, PrimitivesAreLittleEndian)
{
    TMemoryStream s;
    s.WriteUInt8(0xAB);
    s.WriteInt16(-2);
    s.WriteUInt32(0x01020304);
    s.WriteInt64(-5);
    s.WriteDouble(1.5);
    s.WriteSingle(0.25f);
    s.WriteExtended(3.0L);
    EXPECT_EQ(s.Size(), 1 + 2 + 4 + 8 + 8 + 4 + 10);
    EXPECT_EQ(s.Bytes().substr(3, 4), std::string("\x04\x03\x02\x01", 4));
    // 3.0 as an 80-bit extended: mantissa 0xC000..., exponent 0x4000.
    EXPECT_EQ(s.Bytes().substr(27), std::string("\0\0\0\0\0\0\0\xC0\x00\x40", 10));

    s.SetPosition(0);
    EXPECT_EQ(s.ReadUInt8(), 0xAB);
    EXPECT_EQ(s.ReadInt16(), -2);
    EXPECT_EQ(s.ReadUInt32(), 0x01020304u);
    EXPECT_EQ(s.ReadInt64(), -5);
    EXPECT_EQ(s.ReadDouble(), 1.5);
    EXPECT_EQ(s.ReadSingle(), 0.25f);
    EXPECT_EQ(s.ReadExtended(), 3.0L);
    EXPECT_EQ(s.Position(), s.Size());
}

TEST(Stream, ReadingPastTheEndRaisesAndReadsNothingBeyond)
{
    TMemoryStream s(std::string("\x01\x02\x03", 3));
    s.SetPosition(1);
    EXPECT_THAT([&] { (void)s.ReadUInt32(); }, ThrowsMessage<EReadError>("Stream read error"));
    s.SetPosition(2);
    EXPECT_THROW(s.ReadBytes(2), EReadError);
    EXPECT_EQ(s.Position(), 2);  // a refused count reads nothing
    EXPECT_THROW(s.ReadBytes(-1), EReadError);
    s.Seek(100, soBeginning);
    char c;
    EXPECT_EQ(s.Read(&c, 1), 0);
    EXPECT_EQ(s.Seek(-200, soCurrent), 0);
    EXPECT_EQ(s.Seek(-1, soEnd), 2);
}

TEST(Stream, Files)
{
    std::string dir = testing::TempDir();
    std::string name = dir + "stream_test.bin";
    {
        TFileStream f(name, fmCreate);
        f.WriteInt32(7);
        f.WriteBytes("abc");
    }
    TMemoryStream m;
    m.LoadFromFile(name);
    EXPECT_EQ(m.Size(), 7);
    EXPECT_EQ(m.ReadInt32(), 7);
    {
        TFileStream f(name, fmOpenRead);
        EXPECT_EQ(f.Size(), 7);
        f.Seek(4, soBeginning);
        EXPECT_EQ(f.ReadBytes(3), "abc");
        EXPECT_THROW(f.ReadUInt8(), EReadError);
    }
    std::filesystem::remove(name);
    EXPECT_THAT([&] { TFileStream f(name, fmOpenRead); },
                ThrowsMessage<EFOpenError>(HasSubstr("Cannot open file \"" + name + "\"")));
    EXPECT_THROW(TFileStream(dir + "no/such/dir/x", fmCreate), EFCreateError);
    EXPECT_THROW(TFileStream(dir, fmOpenRead), EFOpenError);
}

TEST(StringList, TextSplitsAtEveryLineBreak)
{
    struct Case {
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\n\r\n", {"a", ""}},
        {"a\nb\rc\r\nd", {"a", "b", "c", "d"}},
        {"\n\n", {"", ""}},
        {"a\n\rb", {"a", "", "b"}},  // LF then CR are two breaks
    };
    for (const auto& c : cases) {
        TStringList list;
        list.SetText(c.text);
        ASSERT_EQ(list.Count(), static_cast<int>(c.lines.size())) << c.text;
        for (int i = 0; i < list.Count(); ++i) EXPECT_EQ(list[i], c.lines[static_cast<size_t>(i)]);
    }
    TStringList list{"x", "", "y"};
    EXPECT_EQ(list.Text(), "x\r\n\r\ny\r\n");
}

TEST(StringList, Operations)
{
    TStringList list;
    list.Add("Name=Tom");
    list.Add("CITY=Xi'an");
    list.Insert(0, "first");
    EXPECT_EQ(list.IndexOf("FIRST"), 0);
    EXPECT_EQ(list.Values("city"), "Xi'an");
    list.SetValue("name", "Ann");
    EXPECT_EQ(list[1], "name=Ann");
    list.SetValue("CITY", "");
    EXPECT_EQ(list.Count(), 2);
    list.Move(1, 0);
    EXPECT_EQ(list[0], "name=Ann");
    EXPECT_THAT([&] { list.Delete(5); }, ThrowsMessage<EStringListError>("List index out of bounds (5)"));

    TStringList sorted;
    sorted.SetSorted(true);
    for (const char* s : {"pear", "Apple", "fig", "apple"}) sorted.Add(s);
    EXPECT_EQ(sorted.Count(), 3);  // duplicates ignored without regard to case
    EXPECT_EQ(sorted[0], "Apple");
    EXPECT_EQ(sorted.IndexOf("FIG"), 1);
    EXPECT_THROW(sorted.Insert(0, "x"), EStringListError);
    sorted.SetDuplicates(dupError);
    EXPECT_THROW(sorted.Add("PEAR"), EStringListError);

    TStringList comma;
    comma.SetCommaText("a, \"b c\",\"d\"\"e\",");
    ASSERT_EQ(comma.Count(), 4);
    EXPECT_EQ(comma[1], "b c");
    EXPECT_EQ(comma[2], "d\"e");
    EXPECT_EQ(comma[3], "");
    EXPECT_EQ(comma.CommaText(), "a,\"b c\",\"d\"\"e\",");

    int changes = 0;
    TStringList watched;
    watched.OnChange = [&] { ++changes; };
    watched.Add("a");
    watched.SetText("b\r\nc");
    EXPECT_EQ(changes, 2);
}
