#include "util/Text.h"

#include <gtest/gtest.h>

#include <climits>

TEST(Text, CaseMappingCoversCyrillic)
{
    // The sources are compiled to Windows-1251, so these literals are its bytes.
    ASSERT_EQ(std::string("Ёё"), "\xA8\xB8");
    EXPECT_EQ(UpperText("музыка"), "МУЗЫКА");
    EXPECT_EQ(LowerText("ЁЖ"), "ёж");
    EXPECT_EQ(UpperText("Mix ёлка 42"), "MIX ЁЛКА 42");
    EXPECT_EQ(LowerText("ABC Яя"), "abc яя");
    EXPECT_EQ(UpperText(""), "");
    const std::string source = "abc";
    EXPECT_EQ(UpperText(source), "ABC");
    EXPECT_EQ(source, "abc");
}

TEST(Text, ReverseLeftAndCopyStayInBounds)
{
    EXPECT_EQ(ReverseText("abc"), "cba");
    EXPECT_EQ(ReverseText(""), "");

    EXPECT_EQ(LeftText("abc", 2), "ab");
    EXPECT_EQ(LeftText("abc", 5), "abc");
    EXPECT_EQ(LeftText("abc", 0), "");
    EXPECT_EQ(LeftText("abc", -1), "");

    EXPECT_EQ(CopyText("abcdef", 2, 3), "bcd");
    EXPECT_EQ(CopyText("abcdef", 5, 10), "ef");
    EXPECT_EQ(CopyText("abcdef", 7, 1), "");
    EXPECT_EQ(CopyText("abcdef", 100, 1), "");
    EXPECT_EQ(CopyText("abcdef", 3, 0), "");
    EXPECT_EQ(CopyText("abcdef", 3, -2), "");
    EXPECT_EQ(CopyText("abc", 2, INT_MAX), "bc");
    EXPECT_EQ(CopyText("abc", INT_MIN, INT_MAX), "");
    EXPECT_EQ(CopyText("abc", INT_MAX, INT_MAX), "");
}

TEST(Text, FindFromIsExactAndStartsAtStart)
{
    EXPECT_EQ(FindFrom("b", "abcb", 1), 2);
    EXPECT_EQ(FindFrom("b", "abcb", 2), 2);
    EXPECT_EQ(FindFrom("b", "abcb", 3), 4);
    EXPECT_EQ(FindFrom("b", "abcb", 5), 0);
    EXPECT_EQ(FindFrom("b", "abcb", 100), 0);
    EXPECT_EQ(FindFrom("B", "abcb", 1), 0);
    EXPECT_EQ(FindFrom("cb", "abcb", 1), 3);
    EXPECT_EQ(FindFrom("abcbx", "abcb", 1), 0);
}

TEST(Text, SplitFirstAtSeparator)
{
    TRLSResult r = SplitFirst("ab||cd||", "||");
    EXPECT_EQ(r.Left, "ab");
    EXPECT_EQ(r.Right, "cd||");
    EXPECT_EQ(r.Position, 3);
    EXPECT_EQ(r.SeparatorLength, 2);
    EXPECT_EQ(r.Separator, "||");

    r = SplitFirst("Alpha#X#beta", "#x#");
    EXPECT_EQ(r.Left, "Alpha");
    EXPECT_EQ(r.Right, "beta");
    EXPECT_EQ(r.Separator, "#x#");
    EXPECT_EQ(r.LowerSource, "alpha#x#beta");

    r = SplitFirst("abc", "||");
    EXPECT_EQ(r.Left, "abc");
    EXPECT_EQ(r.Right, "");
    EXPECT_EQ(r.Position, 0);

    r = SplitFirst("abc||", "||");
    EXPECT_EQ(r.Left, "abc");
    EXPECT_EQ(r.Right, "");
    EXPECT_EQ(r.Position, 4);

    r = SplitFirst("abc", "");
    EXPECT_EQ(r.Left, "abc");
    EXPECT_EQ(r.Position, 0);
}

TEST(Text, SplitFirstIgnoresCyrillicCase)
{
    const TRLSResult r = SplitFirst("Песня МЕЖДУ Текст", " между ");
    EXPECT_EQ(r.Position, 6);
    EXPECT_EQ(r.Left, "Песня");
    EXPECT_EQ(r.Right, "Текст");
    EXPECT_EQ(r.Separator, " между ");
    EXPECT_EQ(r.LowerSource, "песня между текст");
}

TEST(Text, ReplaceTextFlags)
{
    EXPECT_EQ(ReplaceText("aXbxc", "x", "-", ReplaceAll | IgnoreCase), "a-b-c");
    EXPECT_EQ(ReplaceText("aXbxc", "x", "-", ReplaceAll), "aXb-c");
    EXPECT_EQ(ReplaceText("axbxc", "x", "-", 0), "a-bxc");
    EXPECT_EQ(ReplaceText("aXbxc", "x", "-", IgnoreCase), "a-bxc");
    EXPECT_EQ(ReplaceText("xax", "x", "", ReplaceAll), "a");
    EXPECT_EQ(ReplaceText("abc", "abc", "z", ReplaceAll), "z");
    EXPECT_EQ(ReplaceText("abc", "abcd", "z", ReplaceAll), "abc");
}

TEST(Text, ReplaceTextNeverSearchesTheReplacement)
{
    EXPECT_EQ(ReplaceText("aaa", "a", "aa", ReplaceAll), "aaaaaa");
    EXPECT_EQ(ReplaceText("aaaa", "aa", "b", ReplaceAll), "bb");
    EXPECT_EQ(ReplaceText("aaa", "aa", "b", ReplaceAll), "ba");
    EXPECT_EQ(ReplaceText("", "a", "b", ReplaceAll), "");
    EXPECT_EQ(ReplaceText("abc", "", "x", ReplaceAll | IgnoreCase), "abc");
}

TEST(Text, ReplaceTextIgnoresCyrillicCase)
{
    EXPECT_EQ(ReplaceText("МУЗЫКА и Музыка и музыка", "музыка", "песня", ReplaceAll | IgnoreCase),
              "песня и песня и песня");
    EXPECT_EQ(ReplaceText("МУЗЫКА и музыка", "музыка", "песня", ReplaceAll), "МУЗЫКА и песня");
    EXPECT_EQ(ReplaceText("ЁЖ и ёж", "ёж", "Ёж", IgnoreCase), "Ёж и ёж");
}

TEST(Text, ConvertLineBreaks)
{
    EXPECT_EQ(ConvertLineBreaks("a\\nb\\nc"), "a\r\nb\r\nc");
    EXPECT_EQ(ConvertLineBreaks("a\\\\nb\\nc"), "a\\\\nb\\nc");
    EXPECT_EQ(ConvertLineBreaks("a\\nb\\\\nc"), "a\r\nb\\\r\nc");
    EXPECT_EQ(ConvertLineBreaks("\\n\\n"), "\r\n\r\n");
    EXPECT_EQ(ConvertLineBreaks("no pairs\\"), "no pairs\\");
    EXPECT_EQ(ConvertLineBreaks("a\\Nb"), "a\\Nb");
    EXPECT_EQ(ConvertLineBreaks(""), "");
}

TEST(Text, ListItemsReadsTheBarList)
{
    using Items = std::vector<std::string>;
    EXPECT_EQ(ListItems("||1||2||5||"), (Items{"1", "2", "5"}));
    EXPECT_EQ(ListItems("||1||2"), (Items{"1", "2"}));
    EXPECT_EQ(ListItems("||"), Items{});
    EXPECT_EQ(ListItems(""), Items{});
    EXPECT_EQ(ListItems("||||a||"), (Items{"", "a"}));
    EXPECT_EQ(ListItems("x||a||"), Items{"a"});
    EXPECT_EQ(ListItems("no marks"), Items{});
    EXPECT_EQ(ListItems("||||Злой||"), (Items{"", "Злой"}));
}

TEST(Text, ListTextWritesTheBarList)
{
    using Items = std::vector<std::string>;
    EXPECT_EQ(ListText({"1", "2"}), "||1||2||");
    EXPECT_EQ(ListText({}), "||");
    EXPECT_EQ(ListText({""}), "||||");
    for (const Items& items : {Items{"", "a", ""}, Items{"1", "2", "5", "10"}, Items{""}, Items{}})
        EXPECT_EQ(ListItems(ListText(items)), items);
}
