// Analysis settings, combinations, levels and layers: layouts, older files,
// equality rules and bounded reading.
#include <gtest/gtest.h>

#include "StreamFixture.h"
#include "korvalib/model/AnalysisRecords.h"

TEST(AnalysisRecords, EigenGoldenBytes)
{
    DEigen e;
    const Bytes golden = {0x01, 0x01, 0x0A, 0x00, 0xBD, 0x37, 0x86, 0x35, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01};
    EXPECT_EQ(golden, Written(e));

    DEigen r;
    r.SetLanczosPara(30, 4, 2.5);
    ExpectReads(Written(r), e, 129);
    EXPECT_TRUE(e.IsLanzosMethod());
    EXPECT_EQ(30, e.m_sModes);
    EXPECT_EQ(4, e.m_cIntPara);
    EXPECT_TRUE(e == r);
    e.m_cIntPara = 5;
    EXPECT_FALSE(e == r);  // compared for Lanczos
    r.SetRitzPara(30, 4, 2.5, 1e-6);
    e = r;
    e.m_cIntPara = 5;
    EXPECT_TRUE(e == r);  // not compared for Ritz
    ExpectTruncationRefused<DEigen>(golden, 129, [](const DEigen& t) { return t.m_sModes == 10; });
}

TEST(AnalysisRecords, SpectrumDirectionsCompareAllCrossComponents)
{
    DSpectrumDir d(2, 0, 1, 0, 0.5f);
    Bytes golden = B().i16(2).f32s({0, 1, 0, 0.5f});
    EXPECT_EQ(golden, Written(d));
    DSpectrumDir r;
    ExpectReads(golden, r, 129);
    EXPECT_EQ(2, r.m_sCode);
    EXPECT_EQ(0.5f, r.m_fFactor);

    EXPECT_FALSE(DSpectrumDir(0, 0, 1, 0, 1) == DSpectrumDir(0, 0, 0, 1, 1));
    EXPECT_TRUE(DSpectrumDir(0, 0, 1, 0, 1) == DSpectrumDir(5, 0, -2, 0, 3));
    EXPECT_FALSE(DSpectrumDir(0, 1, 0, 0, 1) == DSpectrumDir(0, 0, 1, 0, 1));
    EXPECT_TRUE(DSpectrumDir(0, 0, 0, 0.0005f, 1).IsZero());
    EXPECT_FALSE(DSpectrumDir().IsZero());
}

TEST(AnalysisRecords, SpectrumLayoutsOfEachVersion)
{
    DSpectrum s;
    s.m_cSpectrum = 3;
    s.m_fFactor = 0.85f;
    s.m_cCode = 2;
    s.m_fReal1 = 0.05f;
    s.m_fReal2 = 0.9f;
    s.m_Factors.Insert(2, 1.5f, 0);
    Bytes tail = B().i16(1).i16(2).f32(1.5f);
    Bytes now = B().i8(3).i8(1).f32(0.85f).i8(2).f32(0.05f).f32(0.9f);
    now.insert(now.end(), tail.begin(), tail.end());
    EXPECT_EQ(now, Written(s));

    // Older: 18 bytes after the valid flag and 1 after the factor; versions
    // 126 and 127 have 4 more bytes after the reals.
    for (int v : {120, 126, 127}) {
        SCOPED_TRACE(v);
        B old;
        old.i8(3).i8(1).zeros(18).f32(0.85f).zeros(1).i8(2).f32(0.05f).f32(0.9f);
        if (v >= 126) old.zeros(4);
        Bytes bytes = old;
        bytes.insert(bytes.end(), tail.begin(), tail.end());
        DSpectrum r;
        ExpectReads(bytes, r, int16_t(v));
        EXPECT_TRUE(r == s);
        EXPECT_EQ(1.5f, r.m_Factors[0].fFactor);
    }
}

TEST(AnalysisRecords, SpectrumCurveVersionsAndBoundedCount)
{
    DSpectrumCurve c;
    float x[2] = {0, 1}, y[2] = {0.5f, 0.25f};
    c.SetCurve(2, x, y);
    c.m_sNumber = 4;
    c.m_cCode11 = 1;
    Bytes golden =
        B().i16(4).i32(2).f32(7).i8(1).f32(0).f32(2).i8(1).f32(0).i8(1).f32(2).i8(1).f32s({0, 1, 0.5f, 0.25f});
    EXPECT_EQ(golden, Written(c));

    DSpectrumCurve r;
    ExpectReads(golden, r, 129);
    EXPECT_TRUE(r == c);
    EXPECT_EQ(0.25f, r.m_pY[1]);

    // Version 128 lacks field 11, version 127 all of fields 3 to 11.
    DSpectrumCurve r128;
    ExpectReads(B().i16(4).i32(2).f32(6).i8(2).f32(0).f32(2).i8(1).f32(0).i8(1).f32(2).f32s({0, 1, 0.5f, 0.25f}), r128,
                128);
    EXPECT_EQ(6.0f, r128.m_fReal3);
    EXPECT_EQ(0, r128.m_cCode11);
    DSpectrumCurve r127;
    ExpectReads(B().i16(4).i32(2).f32s({0, 1, 0.5f, 0.25f}), r127, 127);
    EXPECT_EQ(7.0f, r127.m_fReal3);
    EXPECT_EQ(1, r127.m_cCode4);
    EXPECT_EQ(2, r127.m_nCount);

    // Counts that the file cannot hold are refused before any allocation.
    for (int n : {-1, 3, 0x10000000}) {
        DSpectrumCurve bad;
        bad.SetCurve(2, x, y);
        EXPECT_EQ(0, ReadBytes(B().i16(1).i32(n).f32s({0, 1, 2, 3, 4}), bad, 127)) << n;
        EXPECT_EQ(2, bad.m_nCount);
    }
}

TEST(AnalysisRecords, HistoryDefaultsLayoutAndTitle)
{
    DHistory h;
    ASSERT_EQ(10, h.m_Factors.Entries());
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(i + 1, h.m_Factors[i].nKey);
        EXPECT_EQ(0.0f, h.m_Factors[i].fFactor);
    }
    B body;
    body.i8(0).i16(20).i16(1).i16(200).f32(0.001f).i8(1).i8(0).f32(0).f32(0).i16(10);
    for (int k = 1; k <= 10; ++k) body.i16(k).f32(0);
    body.f32s({0.5f, 0.25f, 1});
    Bytes old = body;  // version 127 ends here
    Bytes golden = B(body).i32(0).i8(0).str("");
    EXPECT_EQ(golden, Written(h));

    h.SetDynamic();
    std::strcpy(h.m_szTitle, "EL-Centro");
    h.m_nPara = 3;
    DHistory r;
    ExpectReads(Written(h), r, 129);
    EXPECT_STREQ("EL-Centro", r.m_szTitle);
    EXPECT_TRUE(r == h);

    DHistory r127;
    ExpectReads(old, r127, 127);
    EXPECT_EQ(0, r127.m_nPara);
    EXPECT_STREQ("", r127.m_szTitle);

    // A stored title longer than its 20-byte field is refused.
    Bytes longTitle = B(body).i32(0).i8(0).str("a title of 25 characters");
    DHistory bad;
    bad.SetStep();
    EXPECT_EQ(0, ReadBytes(longTitle, bad, 129));
    EXPECT_TRUE(bad.IsStep());
}

TEST(AnalysisRecords, HistoryCurveOldNumberAndBounds)
{
    DHistoryCurve c;
    double t[3] = {0, 0.02, 0.04}, v[3] = {0, 1.5, -1};
    c.SetCurve(3, t, v);
    c.m_nNumber = 7;
    c.m_fPara[2] = 9.8f;
    Bytes golden = B().i32(7).i32(3).f32s({0, 0.02f, 0.04f, 0, 1.5f, -1}).f32s({0, 0, 9.8f, 0, 0, 0, 0, 0});
    EXPECT_EQ(golden, Written(c));
    DHistoryCurve r;
    ExpectReads(golden, r, 129);
    EXPECT_TRUE(r == c);
    EXPECT_EQ(7, r.m_nNumber);

    DHistoryCurve r124;
    ExpectReads(B().i16(7).zeros(4).i32(3).f32s({0, 0.02f, 0.04f, 0, 1.5f, -1}).zeros(32), r124, 124);
    EXPECT_EQ(7, r124.m_nNumber);
    EXPECT_EQ(1.5f, r124.m_pValue[1]);

    DHistoryCurve bad(c);
    EXPECT_EQ(0, ReadBytes(B().i32(1).i32(1 << 30).zeros(40), bad, 129));
    EXPECT_EQ(3, bad.m_nCount);

    // Shrinking the buffer never leaves the count above it.
    c.SetCurveBuffer(2);
    EXPECT_EQ(2, c.m_nCount);
    EXPECT_EQ(1.5f, c.m_pValue[1]);
}

TEST(AnalysisRecords, CombinationReinforceLevelLayer)
{
    DCombFactor f;
    f.m_FactorsA.Insert(1, 1.2f, 0);
    f.m_nSwitch = 1;
    f.m_fFactor1 = 0.5f;
    f.m_fFactor2 = 0.7f;
    Bytes golden = B().i16(1).i16(1).f32(1.2f).i8(2).i16(0).i8(2).i32(1).f32(0.5f).f32(0.7f);
    EXPECT_EQ(golden, Written(f));
    DCombFactor r;
    ExpectReads(golden, r, 129);
    EXPECT_TRUE(r == f);
    DCombFactor r100;
    ExpectReads(Bytes(golden.begin(), golden.end() - 4), r100, 100);
    EXPECT_EQ(0.0f, r100.m_fFactor2);
    EXPECT_FALSE(r100 == f);

    DReinforce rf;
    Bytes rb = B().i8(1)
                   .f32s({300000, 300000, 0.544f, 0.544f, 0.35f, 0.004f, 0.8f, 0.008f, 0.008f})
                   .i8(2)
                   .i8(2)
                   .f32s({210000, 1.2f, 0.7f});
    EXPECT_EQ(rb, Written(rf));
    rf.m_cValid = 0;
    ExpectReads(rb, rf, 129);
    EXPECT_TRUE(rf.IsValid());

    DLevelBase lv;
    lv.m_fReal1 = 3.3f;
    EXPECT_EQ(Bytes(B().i16(1).f32(3.3f).f32(0).i8(1)), Written(lv));
    DLevelBase lv2;
    lv2.m_sNumber = 9;
    lv2.m_fReal1 = 3.30005f;
    EXPECT_TRUE(lv == lv2);

    DLayerBase layer;
    const Bytes layerGolden = {0x00, 0x00, 0x09, 0x00, 0xB9, 0xCC, 0xB6, 0xA8, 0xCD,
                               0xBC, 0xB2, 0xE3, 0x00, 0x01, 0x00, 0xFF, 0xFF, 0x00};
    EXPECT_EQ(layerGolden, Written(layer));
    DLayerBase l2;
    l2.SetName("beams");
    ExpectReads(layerGolden, l2, 129);
    EXPECT_STREQ("固定图层", l2.m_pName);
    l2.SetName("BEAMS");
    DLayerBase l3;
    l3.SetName("Beams");
    EXPECT_TRUE(l2 == l3);
    // A name length of 0 or beyond the file is refused.
    for (int n : {0, -3, 200}) {
        DLayerBase bad;
        bad.SetName("keep");
        EXPECT_EQ(0, ReadBytes(B().i16(1).i16(n).raw("abc", 4).i8(1).i32(0), bad, 129)) << n;
        EXPECT_STREQ("keep", bad.m_pName);
    }
}
