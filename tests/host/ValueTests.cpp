#include <stdexcept>

#include <gtest/gtest.h>

#include "HostTestObjects.h"

TEST(ValueTest, ClassIdsCompareBothWords) {
    EXPECT_EQ(Class_ID(2, 0), Class_ID(DMTL_CLASS_ID, 0));
    EXPECT_NE(Class_ID(2, 1), Class_ID(DMTL_CLASS_ID, 0));
    EXPECT_NE(Class_ID(0x2857F460, 1), Class_ID(0x2857F460, 0));
    EXPECT_TRUE(Class_ID(1, 9) < Class_ID(2, 0));
    EXPECT_EQ(Class_ID(), Class_ID(0xFFFFFFFF, 0xFFFFFFFF));
    EXPECT_NE(Interface_ID(1, 2), Interface_ID(1, 3));
}

TEST(ValueTest, TabAppendsInsertsAndDeletes) {
    Tab<int> t;
    int v[] = {1, 2, 3};
    EXPECT_EQ(t.Append(3, v), 0);
    EXPECT_EQ(t.Append(1, v), 3);
    int nine = 9;
    t.Insert(1, 1, &nine);
    EXPECT_EQ(t.Delete(0, 2), 3);
    EXPECT_EQ(t.Count(), 3);
    EXPECT_EQ(t[0], 2);
    EXPECT_EQ(*t.Addr(2), 1);
    EXPECT_EQ(t.Delete(5, 1), 3);  // out of range: nothing
    t.SetCount(5);
    EXPECT_EQ(t.Count(), 5);
}

// Arrays up to 64 bits keep them in place, longer ones on the heap: both behave alike, across the border too.
TEST(ValueTest, BitArrayOperations) {
    for (int base : {0, 62, 126}) {
        SCOPED_TRACE(base);
        BitArray a(base + 4), b(base + 4);
        a.Set(base + 0);
        a.Set(base + 2);
        b.Set(base + 2);
        b.Set(base + 3);
        EXPECT_EQ((a & b).NumberSet(), 1);
        EXPECT_EQ((a | b).NumberSet(), 3);
        EXPECT_EQ((~a)[base + 1], 1);
        EXPECT_EQ((~a).NumberSet(), base + 2);
        EXPECT_THROW(a[base + 4], std::out_of_range);
        a.SetSize(base + 70, 1);
        EXPECT_EQ(a[base + 2], 1);
        EXPECT_EQ(a.NumberSet(), 2);
        a.SetSize(base + 3, 1);
        EXPECT_EQ(a.NumberSet(), 2);
        a.SetSize(base + 6);
        EXPECT_EQ(a.NumberSet(), 0);
    }
}

TEST(ValueTest, WideStringsRoundTripThroughUtf8) {
    const char* samples[] = {"", "Red", "Tavelin 3 マテリアル コンバータ", "ゾーン😀", "a\tb\"c"};
    for (const char* s : samples) {
        bool ok = false;
        WStr w = WStr::FromUTF8(s, &ok);
        EXPECT_TRUE(ok) << s;
        EXPECT_EQ(w.ToUTF8(), std::string(s));
    }
    WStr jp = WStr::FromUTF8("マテリアル");
    EXPECT_EQ(jp.Length(), 5);
    bool ok = true;
    WStr bad = WStr::FromUTF8(
        "a\xff"
        "b",
        &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(bad.Length(), 3);
}

TEST(ValueTest, WideStringSearchAndFormat) {
    WStr s(_M("Tavelin 2 Line"));
    EXPECT_EQ(s.first(_M('2')), 8);
    EXPECT_EQ(s.first(_M('3')), -1);
    WStr f;
    f.printf(_M("%ls %d"), _M("Version 0."), 89);
    EXPECT_EQ(f, WStr(_M("Version 0. 89")));
}

TEST(ValueTest, ColorClampsEachChannel) {
    Color c(-1.0f, 0.5f, 2.0f);
    c.ClampMinMax();
    EXPECT_EQ(c, Color(0.0f, 0.5f, 1.0f));
}

TEST(ValueTest, IntervalsIntersect) {
    Interval i = FOREVER;
    i &= Interval(0, 100);
    EXPECT_EQ(i, Interval(0, 100));
    i &= Interval(200, 300);
    EXPECT_TRUE(i.Empty());
    EXPECT_FALSE(Interval().InInterval(0));
}

using MtlListTest = HostTest;

TEST_F(MtlListTest, FindMtlAnswersFromItsIndexAndFollowsEdits) {
    MtlBaseList list;
    std::vector<BoxMtl*> mtls;
    for (int i = 0; i < 50; ++i) mtls.push_back(new BoxMtl);
    for (BoxMtl* m : mtls) list.AddMtl(m);
    list.AddMtl(mtls[3]);  // added once only
    EXPECT_EQ(list.Count(), 50);
    EXPECT_EQ(list.FindMtl(mtls[49]), 49);
    EXPECT_EQ(list.FindMtl(nullptr), -1);
    list.RemoveEntry(0);
    EXPECT_EQ(list.FindMtl(mtls[49]), 48);
    EXPECT_EQ(list.FindMtl(mtls[0]), -1);
    MtlBase* last = mtls[1];
    list.Append(1, &last);  // through Tab, bypassing AddMtl
    EXPECT_EQ(list.FindMtl(mtls[1]), 0);
    EXPECT_EQ(list.Count(), 50);
}

// A library refers to its entries: it keeps them alive and lets go of them when it goes.
TEST_F(MtlListTest, ALibraryRefersToItsEntries) {
    auto* kept = new BoxMtl;
    auto* only = new BoxMtl;
    Holder holder;
    holder.ReplaceReference(0, kept);
    const int live = HostCore::Get().NumLiveObjects();
    {
        MtlBaseLib lib;
        lib.Add(kept);
        lib.Add(only);
        lib.Add(only);
        EXPECT_EQ(lib.Count(), 2);
        EXPECT_EQ(Dependents(only), (std::vector<ReferenceMaker*>{&lib}));
    }
    EXPECT_EQ(HostCore::Get().NumLiveObjects(), live - 1);
    EXPECT_EQ(Dependents(kept), (std::vector<ReferenceMaker*>{&holder}));
}
