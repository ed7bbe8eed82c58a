#include "framework/core/CString.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(CString, ConstructsFromTextCharactersAndLength)
{
    EXPECT_STREQ(CString(), "");
    EXPECT_TRUE(CString().IsEmpty());
    EXPECT_STREQ(CString("abc"), "abc");
    EXPECT_STREQ(CString(static_cast<LPCTSTR>(nullptr)), "");
    EXPECT_STREQ(CString('-', 4), "----");
    EXPECT_STREQ(CString('x', 0), "");
    EXPECT_STREQ(CString("abcdef", 3), "abc");
    EXPECT_STREQ(CString(L"wide"), "wide");
    EXPECT_EQ(CString("abc").GetLength(), 3);
}

TEST(CString, CopiesShareOneBufferUntilOneIsWritten)
{
    CString a("shared text");
    CString b = a;
    CString c;
    c = b;
    EXPECT_EQ(static_cast<LPCTSTR>(a), static_cast<LPCTSTR>(b));
    EXPECT_EQ(static_cast<LPCTSTR>(a), static_cast<LPCTSTR>(c));

    b.SetAt(0, 'S');
    EXPECT_STREQ(a, "shared text");
    EXPECT_STREQ(b, "Shared text");
    EXPECT_NE(static_cast<LPCTSTR>(a), static_cast<LPCTSTR>(b));
    EXPECT_EQ(static_cast<LPCTSTR>(a), static_cast<LPCTSTR>(c));

    c += "!";
    EXPECT_STREQ(a, "shared text");
    EXPECT_STREQ(c, "shared text!");
}

TEST(CString, EveryWritingMemberLeavesTheOtherCopyAlone)
{
    const CString original("  Mixed Text, mixed  ");
    auto check = [&](const char* what, auto&& write) {
        CString copy = original;
        write(copy);
        EXPECT_STREQ(original, "  Mixed Text, mixed  ") << what;
    };
    check("Insert", [](CString& s) { s.Insert(0, "x"); });
    check("Delete", [](CString& s) { s.Delete(0, 3); });
    check("Replace char", [](CString& s) { s.Replace('x', 'y'); });
    check("Replace text", [](CString& s) { s.Replace("ixed", "ashed"); });
    check("Remove", [](CString& s) { s.Remove(' '); });
    check("MakeUpper", [](CString& s) { s.MakeUpper(); });
    check("MakeLower", [](CString& s) { s.MakeLower(); });
    check("MakeReverse", [](CString& s) { s.MakeReverse(); });
    check("Trim", [](CString& s) { s.Trim(); });
    check("Empty", [](CString& s) { s.Empty(); });
    check("Format", [](CString& s) { s.Format("%d", 1); });
    check("GetBuffer", [](CString& s) { s.GetBuffer(0)[0] = '#'; s.ReleaseBuffer(); });
}

TEST(CString, GetBufferAndReleaseBufferKeepBothCopiesCorrect)
{
    CString a("abc");
    CString b = a;
    LPTSTR buffer = b.GetBuffer(64);
    EXPECT_STREQ(buffer, "abc");
    std::strcpy(buffer, "a much longer text");
    b.ReleaseBuffer();
    EXPECT_STREQ(a, "abc");
    EXPECT_STREQ(b, "a much longer text");
    EXPECT_EQ(b.GetLength(), 18);

    buffer = b.GetBuffer(0);
    buffer[1] = '\0';
    b.ReleaseBuffer();
    EXPECT_STREQ(b, "a");
    EXPECT_EQ(b.GetLength(), 1);

    std::strcpy(b.GetBuffer(10), "0123456789");
    b.ReleaseBuffer(4);
    EXPECT_STREQ(b, "0123");
    EXPECT_EQ(b.GetLength(), 4);

    LPTSTR fixed = a.GetBufferSetLength(5);
    std::memcpy(fixed, "xyzzy", 5);
    EXPECT_EQ(a.GetLength(), 5);
    EXPECT_STREQ(a, "xyzzy");
    a.FreeExtra();
    EXPECT_STREQ(a, "xyzzy");
}

TEST(CString, LockedBufferIsNeverShared)
{
    CString a("locked");
    LPTSTR raw = a.LockBuffer();
    CString b = a;
    EXPECT_NE(static_cast<LPCTSTR>(b), static_cast<LPCTSTR>(a));
    raw[0] = 'L';
    EXPECT_STREQ(a, "Locked");
    EXPECT_STREQ(b, "locked");
    a.UnlockBuffer();
    CString c = a;
    EXPECT_EQ(static_cast<LPCTSTR>(c), static_cast<LPCTSTR>(a));
}

TEST(CString, ConcatenatesWithStringsTextAndCharacters)
{
    CString s("ab");
    EXPECT_STREQ(s + "cd", "abcd");
    EXPECT_STREQ("xy" + s, "xyab");
    EXPECT_STREQ(s + CString("!"), "ab!");
    EXPECT_STREQ(s + 'c', "abc");
    EXPECT_STREQ('z' + s, "zab");
    s += s;
    EXPECT_STREQ(s, "abab");
    s += 'c';
    s += "de";
    EXPECT_STREQ(s, "ababcde");
    CString grown;
    for (int i = 0; i < 1000; ++i)
        grown += "x";
    EXPECT_EQ(grown.GetLength(), 1000);
}

TEST(CString, ComparesWithStringsAndText)
{
    const CString apple("apple"), banana("banana");
    EXPECT_TRUE(apple == "apple");
    EXPECT_TRUE("apple" == apple);
    EXPECT_TRUE(apple != banana);
    EXPECT_TRUE(apple < banana);
    EXPECT_TRUE("b" > apple);
    EXPECT_TRUE(banana >= "banana");
    EXPECT_TRUE(apple <= "apples");
    EXPECT_FALSE(apple == "Apple");
    EXPECT_EQ(apple.CompareNoCase("APPLE"), 0);
    EXPECT_LT(apple.Compare("b"), 0);
    EXPECT_GT(banana.Compare("apple"), 0);
    EXPECT_EQ(apple.Collate("apple"), 0);
}

TEST(CString, ExtractsPartsWithClampedArguments)
{
    const CString s("Hello, world");
    struct Case { CString got; const char* expected; };
    const Case cases[] = {
        {s.Left(5), "Hello"}, {s.Left(50), "Hello, world"}, {s.Left(-1), ""},
        {s.Right(5), "world"}, {s.Right(99), "Hello, world"}, {s.Right(0), ""},
        {s.Mid(7), "world"}, {s.Mid(7, 2), "wo"}, {s.Mid(-3, 5), "Hello"}, {s.Mid(10, 10), "ld"},
        {s.Mid(20), ""}, {s.Mid(3, -1), ""},
        {s.SpanIncluding("HeloH"), "Hello"}, {s.SpanExcluding(",;"), "Hello"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.got, c.expected);
    EXPECT_EQ(s.GetAt(4), 'o');
    EXPECT_EQ(s[0], 'H');
}

TEST(CString, FindsCharactersAndText)
{
    const CString s("a,b;c,d");
    EXPECT_EQ(s.Find(','), 1);
    EXPECT_EQ(s.Find(',', 2), 5);
    EXPECT_EQ(s.Find(',', 6), -1);
    EXPECT_EQ(s.Find(',', 99), -1);
    EXPECT_EQ(s.Find("c,"), 4);
    EXPECT_EQ(s.Find("b", 3), -1);
    EXPECT_EQ(s.Find("zz"), -1);
    EXPECT_EQ(s.ReverseFind(','), 5);
    EXPECT_EQ(s.ReverseFind('x'), -1);
    EXPECT_EQ(s.FindOneOf(";d"), 3);
    EXPECT_EQ(s.FindOneOf("xyz"), -1);
}

TEST(CString, InsertDeleteReplaceRemoveReportWhatTheyDid)
{
    CString s("abc");
    EXPECT_EQ(s.Insert(1, 'X'), 4);
    EXPECT_STREQ(s, "aXbc");
    EXPECT_EQ(s.Insert(99, "yz"), 6);
    EXPECT_STREQ(s, "aXbcyz");
    EXPECT_EQ(s.Insert(-5, "<"), 7);
    EXPECT_STREQ(s, "<aXbcyz");
    EXPECT_EQ(s.Delete(1, 2), 5);
    EXPECT_STREQ(s, "<bcyz");
    EXPECT_EQ(s.Delete(3, 100), 3);
    EXPECT_STREQ(s, "<bc");

    CString r("one two one two");
    EXPECT_EQ(r.Replace("one", "three"), 2);
    EXPECT_STREQ(r, "three two three two");
    EXPECT_EQ(r.Replace("two", ""), 2);
    EXPECT_STREQ(r, "three  three ");
    EXPECT_EQ(r.Replace("", "x"), 0);
    EXPECT_EQ(r.Replace(' ', '_'), 3);
    EXPECT_STREQ(r, "three__three_");
    EXPECT_EQ(r.Remove('_'), 3);
    EXPECT_STREQ(r, "threethree");
    EXPECT_EQ(r.Remove('q'), 0);
}

TEST(CString, TrimsWhiteSpaceCharactersAndSets)
{
    CString s(" \t value \r\n");
    s.TrimLeft();
    EXPECT_STREQ(s, "value \r\n");
    s.TrimRight();
    EXPECT_STREQ(s, "value");
    CString zeros("0012.500");
    zeros.TrimRight('0');
    EXPECT_STREQ(zeros, "0012.5");
    zeros.TrimLeft('0');
    EXPECT_STREQ(zeros, "12.5");
    CString set("--==x==--");
    set.Trim("-=");
    EXPECT_STREQ(set, "x");
    CString blank("   ");
    blank.Trim();
    EXPECT_TRUE(blank.IsEmpty());
}

TEST(CString, ChangesCaseAndOrder)
{
    CString s("Mixed 1a");
    EXPECT_STREQ(s.MakeUpper(), "MIXED 1A");
    EXPECT_STREQ(s.MakeLower(), "mixed 1a");
    EXPECT_STREQ(s.MakeReverse(), "a1 dexim");
}

TEST(CString, FormatWritesTheRuntimeNumberTexts)
{
    CString s;
    s.Format("%.2e", 0.0005);
    EXPECT_STREQ(s, "5.00e-004");
    s.Format("%s %d %g", "n", 3, 1e-5);
    EXPECT_STREQ(s, "n 3 1e-005");
    s.AppendFormat(" [%5.1f]", 2.25);
    EXPECT_STREQ(s, "n 3 1e-005 [  2.3]");
    const std::string longText(600, 'y');
    s.Format("%s%.1f", longText.c_str(), 1.0);
    EXPECT_EQ(s.GetLength(), 603);
    s.FormatMessage("%1 and %2!d!", "first", 2);
    EXPECT_STREQ(s, "first and 2");
}

TEST(CString, LoadsStringsFromTheStringTable)
{
    CString s;
    EXPECT_TRUE(s.LoadString(9000));
    EXPECT_STREQ(s, "Hello from the string table");

    CString fromId(MAKEINTRESOURCE(9000));
    EXPECT_STREQ(fromId, "Hello from the string table");

    CString longText;
    EXPECT_TRUE(longText.LoadString(9002));
    EXPECT_EQ(longText.GetLength(), 284);
    EXPECT_STREQ(longText.Right(4), "-end");

    CString formatted;
    formatted.Format(9001u, 0.0005, 7);
    EXPECT_STREQ(formatted, "Value 5.00e-004 of 7");

    CString missing("previous");
    EXPECT_FALSE(missing.LoadString(9099));
    EXPECT_TRUE(missing.IsEmpty());
}

TEST(CString, AllocSysStringGivesAnEqualBstr)
{
    const CString s("B-string");
    BSTR bstr = s.AllocSysString();
    ASSERT_NE(bstr, nullptr);
    EXPECT_EQ(SysStringLen(bstr), 8u);
    EXPECT_STREQ(CString(static_cast<LPCWSTR>(bstr)), "B-string");
    BSTR target = SysAllocString(L"old");
    s.SetSysString(&target);
    EXPECT_EQ(std::wstring(target), L"B-string");
    SysFreeString(target);
    SysFreeString(bstr);
}
