// Running out of memory in the records' copies, readers and resizing
// members: each allocation of an operation fails in turn. Nothing may be
// thrown; a copy assignment or a member that reports 0 leaves the record as
// it was; a reader reports 0 with the stream failed; LeakSanitizer checks
// that nothing is left behind.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "FailingNew.h"
#include "StreamFixture.h"
#include "korvalib/model/AnalysisRecords.h"
#include "korvalib/model/AreaElements.h"
#include "korvalib/model/CommonData.h"
#include "korvalib/model/KeyedLists.h"
#include "korvalib/model/LineElements.h"
#include "korvalib/model/LoadRecords.h"
#include "korvalib/model/NodeRecords.h"
#include "korvalib/model/SectionRecords.h"
#include "korvalib/model/SteelFrame.h"

using failing_new::EveryAllocation;
using failing_new::FailNth;

// ---- Records with owned parts: k = 1 gives the source, k = 2 the target ----

void Fill(DElementLoad& l, int k)
{
    for (int key = 1; key <= k + 1; ++key) l.Insert(int16_t(key), 10 * key + k);
}
void Fill(DNumFactors& l, int k)
{
    for (int key = 1; key <= k + 1; ++key) l.Insert(int16_t(key), 0.5f * key + k, 0);
}
void Fill(DWeightFactor& l, int k)
{
    for (int key = 1; key <= k + 1; ++key) l.Insert(int16_t(key), float(k), float(key), 1);
}
void Fill(DTightWireIndex& t, int k)
{
    for (int i = 1; i <= k + 1; ++i) t.Add(i, float(k), float(i));
}
void Fill(DLoadPoints& p, int k)
{
    const float x[4] = {1, 2, 3, 4}, v[4] = {1.0f * k, 2.0f * k, 3.0f * k, 0.5f};
    p.SetPoints(2 + k, x, v);
}
void Fill(DSpectrumCurve& c, int k)
{
    const float x[4] = {0, 1, 2, 3}, y[4] = {0.1f * k, 0.2f * k, 0.3f * k, 0.4f * k};
    c.SetCurve(2 + k, x, y);
    c.m_sNumber = int16_t(k);
    c.m_fReal3 = 7.0f + k;
}
void Fill(DHistoryCurve& c, int k)
{
    const double t[4] = {0, 0.02, 0.04, 0.06}, v[4] = {1.0 * k, -1.0 * k, 2.0, 0};
    c.SetCurve(2 + k, t, v);
    c.m_nNumber = k;
    c.m_fPara[2] = 9.8f * k;
}
void Fill(DSpectrum& s, int k)
{
    s.m_fFactor = 0.5f * k;
    Fill(s.m_Factors, k);
}
void Fill(DHistory& h, int k)
{
    h.SetDynamic();
    h.m_nPara = k;
    h.m_Factors.Insert(int16_t(k), 1.5f * k, 0);
    std::snprintf(h.m_szTitle, sizeof h.m_szTitle, "wave %d", k);
}
void Fill(DCombFactor& f, int k)
{
    Fill(f.m_FactorsA, k);
    Fill(f.m_FactorsB, 3 - k);
    f.m_nSwitch = k;
    f.m_fFactor1 = 0.25f * k;
}
void Fill(DLayerBase& l, int k)
{
    l.m_sNumber = int16_t(k);
    l.SetName(k == 1 ? "beams" : "columns");
    l.m_nColour = k;
}
void Fill(DFrameLoad& f, int k)
{
    f.m_nNumber = k;
    f.m_fValue[0] = float(k);
    Fill(f.m_Points[0][2], k);
    Fill(f.m_Points[1][k], k);
    Fill(f.m_Points[2][5], 3 - k);
}
void Fill(DCframeLoad& f, int k)
{
    f.m_nNumber = k;
    f.m_fValue1 = float(k);
    Fill(f.m_Points[0][k], k);
    Fill(f.m_Points[1][2], 3 - k);
}
void Fill(DCommonData& c, int k)
{
    c.m_cControl[4] = char(k);
    Fill(c.m_WeightFactors, k);
    Fill(c.m_FactorsA, k);
    Fill(c.m_FactorsB, 3 - k);
    Fill(c.m_FactorsC, k);
    Fill(c.m_FactorsD, k);
    c.m_sAttr = int16_t(k);
}

// Element records: a number, nodes and load references.
template <class T>
void FillElement(T& e, int k)
{
    e.m_nID = 100 + k;
    Fill(e.m_Loads, k);
}
void Fill(DCframeBase& e, int k)
{
    FillElement(e, k);
    e.m_nNodeI = k;
    e.m_nNodeJ = k + 1;
    e.SetCircle(2.5 * k);
}
void Fill(DPlaneBase& e, int k)
{
    FillElement(e, k);
    const int n[9] = {k, k + 1, k + 2, k + 3, k + 4, k + 5, k + 6, k + 7, k + 8};
    e.SetQuadNodes(n);
}
void Fill(DThreedBase& e, int k)
{
    FillElement(e, k);
    const int n[8] = {k, k + 1, k + 2, k + 3, k + 4, k + 5, k + 6, k + 7};
    e.SetNodes(n);
}
void Fill(DS16Base& e, int k)
{
    FillElement(e, k);
    int n[16];
    for (int i = 0; i < 16; ++i) n[i] = k + i;
    e.SetNodes(n);
}
void Fill(DSol21Base& e, int k)
{
    FillElement(e, k);
    const int n[10] = {k, k + 1, k + 2, k + 3, k + 4, k + 5, k + 6, k + 7, k + 8, k + 9};
    e.SetHexahedron(n, 8 + k);
}
void Fill(DSol8rBase& e, int k)
{
    FillElement(e, k);
    const int n[8] = {k, k + 1, k + 2, k + 3, k + 4, k + 5, k + 6, k + 7};
    e.SetHexahedron(n);
}
void Fill(DShellBase& e, int k)
{
    FillElement(e, k);
    const int n[4] = {k, k + 1, k + 2, k + 3};
    e.SetShell(n, 0.2 * k, 0.3);
}
void Fill(DWallBase& e, int k)
{
    FillElement(e, k);
    const int n[4] = {k, k + 1, k + 2, k + 3};
    e.SetShellWall(n, 0.2 * k, 0.3);
}
void Fill(DSframeBase& e, int k)
{
    FillElement(e, k);
    e.m_nNodeI = k;
    e.m_nNodeJ = k + 1;
}
void Fill(DNodeBase& n, int k)
{
    FillElement(n, k);
    n.m_dCoord[0] = 1.5 * k;
}
void Fill(DNodeDisplacement& d, int k)
{
    d.m_nNode = k;
    Fill(d.m_Factors, k);
    d.m_fDir[0] = 1;
}

// Records with a name.
template <class T>
void FillNamed(T& s, int k)
{
    s.m_sNumber = int16_t(k);
    s.SetName(k == 1 ? "first section" : "second");
}
void Fill(DFrameSect& s, int k)
{
    FillNamed(s, k);
    s.m_fPara[0] = 0.1f * k;
}
void Fill(DVframeSect& s, int k)
{
    FillNamed(s, k);
    s.m_fEnd[1] = 0.1f * k;
}
void Fill(DPipeSect& s, int k)
{
    FillNamed(s, k);
    s.m_fDiameter = 0.1f * k;
}
void Fill(DMaterial& s, int k)
{
    FillNamed(s, k);
    s.m_fGrade = 20.0f + 10 * k;
}
void Fill(DSframeSect& s, int k)
{
    FillNamed(s, k);
    std::snprintf(s.m_SectData, sizeof s.m_SectData, "D%d*8", 100 * k);
}

// Readers that empty their record first (documented): a failed read leaves
// the record empty rather than as it was.
template <class T>
constexpr bool kReadEmpties = false;
template <>
constexpr bool kReadEmpties<DElementLoad> = true;
template <>
constexpr bool kReadEmpties<DNumFactors> = true;
template <>
constexpr bool kReadEmpties<DWeightFactor> = true;
template <>
constexpr bool kReadEmpties<DTightWireIndex> = true;

template <class T>
class OutOfMemory : public ::testing::Test {
};

using OwningRecords = ::testing::Types<DSpectrumCurve, DHistoryCurve, DSpectrum, DHistory, DCombFactor, DLayerBase,
                                       DLoadPoints, DFrameLoad, DCframeLoad, DElementLoad, DNumFactors, DWeightFactor,
                                       DCommonData, DTightWireIndex, DCframeBase, DPlaneBase, DThreedBase, DS16Base,
                                       DSol21Base, DSol8rBase, DShellBase, DWallBase, DSframeBase, DNodeBase,
                                       DNodeDisplacement, DFrameSect, DVframeSect, DPipeSect, DMaterial, DSframeSect>;
TYPED_TEST_SUITE(OutOfMemory, OwningRecords);

TYPED_TEST(OutOfMemory, CopyAssignmentLeavesTargetAsItWas)
{
    using T = TypeParam;
    T src, probe;
    Fill(src, 1);
    Fill(probe, 2);
    const Bytes want = Written(src), before = Written(probe);
    ASSERT_NE(want, before);
    const int allocations = EveryAllocation([&](int nth) {
        T target;
        Fill(target, 2);
        const auto r = FailNth(nth, [&] { target = src; });
        EXPECT_FALSE(r.threw) << "allocation " << nth;
        EXPECT_EQ(r.reached ? before : want, Written(target)) << "allocation " << nth;
        return r;
    });
    EXPECT_GT(allocations, 0);
}

TYPED_TEST(OutOfMemory, CopyConstructionGivesAConsistentRecord)
{
    using T = TypeParam;
    T src;
    Fill(src, 1);
    const Bytes want = Written(src);
    const int allocations = EveryAllocation([&](int nth) {
        std::optional<T> copy;
        const auto r = FailNth(nth, [&] { copy.emplace(src); });
        EXPECT_FALSE(r.threw) << "allocation " << nth;
        if (!copy) return r;
        const Bytes got = Written(*copy);
        if (!r.reached) {
            EXPECT_EQ(want, got);
        } else {
            // Whatever part could not be copied is missing whole: the copy
            // reads back as written.
            T back;
            ExpectReads(got, back, 129);
            EXPECT_EQ(got, Written(back)) << "allocation " << nth;
        }
        return r;
    });
    EXPECT_GT(allocations, 0);
}

TYPED_TEST(OutOfMemory, ReaderReportsFailureAndKeepsRecord)
{
    using T = TypeParam;
    T src, probe;
    Fill(src, 1);
    Fill(probe, 2);
    const Bytes bytes = Written(src), before = Written(probe);
    const vektest::TempFile file("km_oom");
    ASSERT_TRUE(file.WriteAll(bytes));
    const std::string path = file.path();
    const int allocations = EveryAllocation([&](int nth) {
        T target;
        Fill(target, 2);
        int ok = -1;
        bool good = false;
        failing_new::Outcome r;
        {
            bifstream in(path.c_str());
            nVersion = 129;
            r = FailNth(nth, [&] { ok = target.Serialize(in); });
            good = in.IsGood();
        }
        EXPECT_FALSE(r.threw) << "allocation " << nth;
        const Bytes got = Written(target);
        if (ok == 1) {
            EXPECT_EQ(bytes, got) << "allocation " << nth;
        } else {
            EXPECT_EQ(0, ok) << "allocation " << nth;
            EXPECT_FALSE(good) << "allocation " << nth;
            if constexpr (kReadEmpties<T>)
                EXPECT_EQ(0, target.Entries()) << "allocation " << nth;
            else
                EXPECT_EQ(before, got) << "allocation " << nth;
        }
        if (!r.reached) {
            EXPECT_EQ(1, ok);
        }
        return r;
    });
    EXPECT_GT(allocations, 0);
    std::remove(path.c_str());
}

// A member that allocates either does all its work and reports 1, or
// reports 0 and leaves the record as it was.
template <class T, class Op>
void ExpectAllOrNothing(const char* what, Op op)
{
    SCOPED_TRACE(what);
    T done, probe;
    Fill(done, 2);
    Fill(probe, 2);
    ASSERT_EQ(1, op(done));
    const Bytes want = Written(done), before = Written(probe);
    const int allocations = EveryAllocation([&](int nth) {
        T t;
        Fill(t, 2);
        int ok = -1;
        const auto r = FailNth(nth, [&] { ok = op(t); });
        EXPECT_FALSE(r.threw) << "allocation " << nth;
        EXPECT_EQ(ok == 1 ? want : before, Written(t)) << "allocation " << nth;
        if (!r.reached) {
            EXPECT_EQ(1, ok);
        }
        return r;
    });
    EXPECT_GT(allocations, 0);
}

// Renaming has no result: the old name stays when the new one cannot be held.
template <class T>
void ExpectRenameAllOrNothing(const char* what)
{
    ExpectAllOrNothing<T>(what, [](T& s) {
        s.SetName("renamed");
        return int(std::strcmp(s.m_pName, "renamed") == 0);
    });
}

TEST(OutOfMemoryMembers, ResizingMembersAreAllOrNothing)
{
    ExpectAllOrNothing<DSpectrumCurve>("spectrum SetCurve", [](DSpectrumCurve& c) {
        const float x[5] = {0, 1, 2, 3, 4}, y[5] = {5, 4, 3, 2, 1};
        return c.SetCurve(5, x, y);
    });
    ExpectAllOrNothing<DHistoryCurve>("history SetCurve", [](DHistoryCurve& c) {
        const double t[5] = {0, 1, 2, 3, 4}, v[5] = {5, 4, 3, 2, 1};
        return c.SetCurve(5, t, v);
    });
    ExpectAllOrNothing<DHistoryCurve>("SetCurveBuffer", [](DHistoryCurve& c) { return c.SetCurveBuffer(40); });
    ExpectAllOrNothing<DLoadPoints>("SetPoints", [](DLoadPoints& p) {
        const float x[5] = {1, 2, 3, 4, 5}, v[5] = {5, 4, 3, 2, 1};
        return p.SetPoints(5, x, v);
    });
    ExpectAllOrNothing<DLoadPoints>("AppendPointLoad", [](DLoadPoints& p) {
        const double x[3] = {1.5, 2.5, 9}, v[3] = {1, 2, 3};
        return p.AppendPointLoad(3, x, v);
    });
    ExpectAllOrNothing<DLoadPoints>("AppendLineLoad", [](DLoadPoints& p) {
        double x[3] = {0.5, 2.5, 6}, v[3] = {1, 2, 1};
        char message[120];
        return p.AppendLineLoad(3, x, v, 10.0, message);
    });
    ExpectAllOrNothing<DElementLoad>("Insert", [](DElementLoad& l) { return l.Insert(9, 90); });
    ExpectAllOrNothing<DElementLoad>("SetSize", [](DElementLoad& l) { return l.SetSize(6); });
    ExpectAllOrNothing<DNumFactors>("Insert", [](DNumFactors& l) { return l.Insert(9, 0.9f, 0); });
    ExpectAllOrNothing<DNumFactors>("Remove", [](DNumFactors& l) { return l.Remove(2); });
    ExpectAllOrNothing<DWeightFactor>("Insert", [](DWeightFactor& l) { return l.Insert(9, 1, 2, 3); });
    ExpectAllOrNothing<DTightWireIndex>("Add", [](DTightWireIndex& t) { return t.Add(9, 1, 2); });
    ExpectRenameAllOrNothing<DLayerBase>("layer");
    ExpectRenameAllOrNothing<DFrameSect>("frame section");
    ExpectRenameAllOrNothing<DVframeSect>("tapered section");
    ExpectRenameAllOrNothing<DPipeSect>("pipe section");
    ExpectRenameAllOrNothing<DMaterial>("material");
    ExpectRenameAllOrNothing<DSframeSect>("steel section");
}
