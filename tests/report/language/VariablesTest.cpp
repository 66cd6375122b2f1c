#include "report/language/Variables.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> names(const TrqVariables& list)
{
    std::vector<std::string> result;
    for (int i = 0; i < list.Count(); ++i) result.push_back(list.NameAt(i));
    return result;
}

TEST(Variables, NamesIgnoreLetterCase)
{
    for (bool sorted : {false, true}) {
        TrqVariables list(sorted);
        list.SetVariable("JE", Variant(1));
        list.SetVariable("je", Variant(2));
        EXPECT_EQ(list.Count(), 1);
        EXPECT_EQ(list.NameAt(0), "JE");
        EXPECT_EQ(list.GetVariable("Je").AsInteger(), 2);
        EXPECT_TRUE(list.GetVariable("absent").IsNull());
        EXPECT_EQ(list.IndexOf("absent"), -1);
    }
}

TEST(Variables, SortedAndInsertionOrder)
{
    TrqVariables sorted(true), plain(false);
    for (const char* name : {"m", "B", "z", "a", "K"}) {
        sorted.SetVariable(name, Variant(name));
        plain.SetVariable(name, Variant(name));
    }
    EXPECT_EQ(names(sorted), (std::vector<std::string>{"a", "B", "K", "m", "z"}));
    EXPECT_EQ(names(plain), (std::vector<std::string>{"m", "B", "z", "a", "K"}));
    for (const char* name : {"m", "B", "z", "a", "K", "k"}) EXPECT_GE(sorted.IndexOf(name), 0) << name;

    plain.SetVariable("b", Variant(0));
    plain.SetSorted(true);
    EXPECT_EQ(names(plain), (std::vector<std::string>{"a", "B", "K", "m", "z"}));
    EXPECT_EQ(plain.GetVariable("b").AsInteger(), 0);

    sorted.SetNameAt(0, "y");  // moves to its place
    EXPECT_EQ(names(sorted), (std::vector<std::string>{"B", "K", "m", "y", "z"}));
    sorted.SetNameAt(0, "Z");  // takes over the entry of that name
    EXPECT_EQ(names(sorted), (std::vector<std::string>{"K", "m", "y", "z"}));
    EXPECT_EQ(sorted.GetVariable("z").AsString(), "B");
}

TEST(Variables, IndexesOutOfRange)
{
    TrqVariables list;
    list.SetVariable("a", Variant("x"));
    for (int index : {-1, 1, 100}) {
        EXPECT_EQ(list.NameAt(index), "");
        EXPECT_EQ(list.ValueAt(index).Type(), VarType::Integer);
        EXPECT_EQ(list.ValueAt(index).AsInteger(), 0);
        list.SetNameAt(index, "b");
        list.SetValueAt(index, Variant(1));
        list.Delete(index);
    }
    EXPECT_EQ(names(list), std::vector<std::string>{"a"});
    EXPECT_EQ(list.ValueAt(0).AsString(), "x");
    list.Delete(0);
    EXPECT_EQ(list.Count(), 0);
}

}  // namespace
