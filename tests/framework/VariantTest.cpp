#include "framework/core/Variant.h"

#include "framework/core/Time.h"

#include <gtest/gtest.h>

#include <string>

TEST(COleVariant, HoldsTypedValues)
{
    EXPECT_EQ(COleVariant().vt, VT_EMPTY);
    const COleVariant text("grid");
    ASSERT_EQ(text.vt, VT_BSTR);
    EXPECT_EQ(std::wstring(text.bstrVal), L"grid");
    EXPECT_EQ(COleVariant(static_cast<short>(5)).iVal, 5);
    EXPECT_EQ(COleVariant(static_cast<short>(5), VT_BOOL).boolVal, VARIANT_TRUE);
    EXPECT_EQ(COleVariant(7L).lVal, 7);
    EXPECT_EQ(COleVariant(2.5f).vt, VT_R4);
    EXPECT_EQ(COleVariant(2.5).dblVal, 2.5);
    const COleVariant date(COleDateTime(2002, 12, 31, 18, 0, 0));
    EXPECT_EQ(date.vt, VT_DATE);
    EXPECT_DOUBLE_EQ(date.date, 37621.75);
}

TEST(COleVariant, CopiesOwnTheirStrings)
{
    COleVariant original(CString("first"));
    COleVariant copy(original);
    EXPECT_NE(copy.bstrVal, original.bstrVal);
    EXPECT_TRUE(copy == original);
    original = "second";
    EXPECT_EQ(std::wstring(copy.bstrVal), L"first");
    EXPECT_FALSE(copy == original);
    copy = copy;
    EXPECT_EQ(std::wstring(copy.bstrVal), L"first");
}

TEST(COleVariant, ChangesTypeThroughTheSystem)
{
    COleVariant number(42L);
    EXPECT_EQ(number.ChangeType(VT_BSTR), S_OK);
    ASSERT_EQ(number.vt, VT_BSTR);
    EXPECT_EQ(std::wstring(number.bstrVal), L"42");
    COleVariant word("not a number");
    EXPECT_TRUE(FAILED(word.ChangeType(VT_I4)));
    EXPECT_EQ(word.vt, VT_BSTR);
}

TEST(COleVariant, AttachAndDetachHandOverOwnership)
{
    VARIANT raw;
    VariantInit(&raw);
    raw.vt = VT_BSTR;
    raw.bstrVal = SysAllocString(L"owned");
    COleVariant holder;
    holder.Attach(raw);
    EXPECT_EQ(raw.vt, VT_EMPTY);
    VARIANT back = holder.Detach();
    EXPECT_EQ(holder.vt, VT_EMPTY);
    EXPECT_EQ(std::wstring(back.bstrVal), L"owned");
    VariantClear(&back);
}
