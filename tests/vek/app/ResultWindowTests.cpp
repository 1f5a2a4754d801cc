// A portal frame's generated result set in the program's own frame and view:
// the deformed shape and the beam moment diagram through the result commands,
// and the animation's frames written and played.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "AppTestUtil.h"
#include "PortalResults.h"
#include "ViewPictures.h"
#include "framework/CommonDialogs.h"
#include "framework/Image.h"
#include "tests/korvalib/results/ResultGen.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WinTestSupport.h"
#include "vek/app/AppWindows.h"
#include "vek/app/VekView.h"
#include "vek/elements/line/frames/Frame.h"
#include "vek/elements/line/frames/FrameStore.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/model/ModelFamily.h"
#include "vek/model/ObjectBase.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/materials/Material.h"
#include "vek/model/materials/Sections.h"
#include "vek/results/Result.h"
#include "vek/results/ResultCounts.h"
#include "vek/results/ResultDisp.h"
#include "vek/results/ContourColours.h"
#include "vek/results/ContourValues.h"
#include "vek/results/ForceText.h"
#include "vek/results/ResultPictures.h"
#include "vek/results/win/ResultCommands.h"
#include "vek/res/ResultDialogsRes.h"
#include "vek/res/resource.h"
#include "vek/view/DisplayColors.h"
#include "vek/view/ViewProjection.h"

using vektest::PumpPending;
using vektest::PumpUntil;

using apptest::kPortal;
using apptest::kSway;
using apptest::PortalResults;

namespace {

CDialog* ActiveModal()
{
    return CDialog::GetActiveModal();
}

// Once the command's dialog is up: fn looks at it and clicks, then OK.
void AnswerDialog(std::function<void(CDialog*)> fn)
{
    vektest::RunSoon([fn] {
        PumpUntil([] { return ActiveModal() && ActiveModal()->m_hWnd && ::IsWindowVisible(ActiveModal()->m_hWnd); });
        CDialog* dlg = ActiveModal();
        fn(dlg);
        dlg->SendMessage(WM_COMMAND, IDOK);
    });
}

void Click(CDialog* dlg, int id)
{
    if (CWnd* w = dlg->GetDlgItem(id)) w->SendMessage(BM_CLICK);
}

// The view's picture as a PNG file under the build's artifacts.
using apptest::SaveViewPicture;

bool Enabled(CDialog* dlg, int id)
{
    CWnd* w = dlg->GetDlgItem(id);
    return w && w->IsWindowEnabled();
}

// The portal's members as the frame family holds them: columns 1 (1-2) and 3
// (4-3), beam 2 (2-3), all of one concrete section.
bool StorePortalFrames()
{
    theMaterials.Add(CMaterial());
    theFrameSects.Add(CFrameSect());
    for (auto [a, b] : {std::pair{1, 2}, {2, 3}, {4, 3}}) {
        const int id = AddOneFrame(a, b, 1);
        CFrame* f = theFrames.GetByID(id);
        if (!f) return false;
        f->SetSection(1, 0);
        f->m_nMaterial = 1;
    }
    return theFrames.GetSize() == 3;
}

class ResultWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = apptest::Frame();
        ASSERT_NE(frame, nullptr);
        savedOptions = theProjectOptions;
        frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
        PumpPending();
        view = GetVekView();
        ASSERT_NE(view, nullptr);
        ASSERT_TRUE(apptest::StorePortalNodes());
        ASSERT_TRUE(StorePortalFrames());
        model.WriteAll(Base());
        resgen::SetTime(Base() + ".PL", -100);
        ASSERT_EQ(theResult.SetFileName(Base().c_str(), 4, 1), 1);
        theProjectOptions.nMaxDisplacementPixels = 40;
        theProjectOptions.bShowUndeformed = 0;
        theViewProjection.SetMode(CViewProjection::kPlan, 0, 0, 0);
        theViewProjection.ZoomExtents(1, 1, 1);
        Redraw();
    }
    void TearDown() override
    {
        theResultDisp.CloseAll(1);
        theResult.SetZero();
        frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
        PumpPending();
        // The settings these pictures change belong to the later tests' projects too.
        theProjectOptions = savedOptions;
    }
    std::string Base() const { return dir.File("portal"); }
    void Command(UINT id)
    {
        frame->SendMessage(WM_COMMAND, id);
        PumpPending();
        Redraw();
    }
    void Redraw()
    {
        view->InvalidateModel();
        view->UpdateWindow();
    }
    std::vector<uint32_t> Shown(int& w, int& h)
    {
        RECT r;
        view->GetClientRect(&r);
        w = r.right;
        h = r.bottom;
        return vektest::WindowPixels(view->GetSafeHwnd(), w, h);
    }
    // Whether anything but the background lies within d pixels of (x, y).
    static bool Drawn(const std::vector<uint32_t>& px, int w, int h, int x, int y, int d)
    {
        return apptest::DrawnNear(px, w, h, x, y, d);
    }

    CMainFrame* frame = nullptr;
    CVekView* view = nullptr;
    CProjectOptions savedOptions;
    resgen::Model model = PortalResults();
    vektest::TempDir dir{"resultwin"};
};

TEST_F(ResultWindowTest, TheSwayedPortalIsDrawnItsPixelSettingOff)
{
    int w, h;
    double top[3];
    std::copy(kPortal[1].begin(), kPortal[1].end(), top);
    int x0, y0;
    theViewProjection.WorldToScreenInt(top, x0, y0);
    const std::vector<uint32_t> before = Shown(w, h);
    ASSERT_TRUE(Drawn(before, w, h, x0, y0, 1)) << "the node where it stands";

    // The dialog offers the load case's pictures only: the result has no
    // combination, mode or stage.
    std::vector<bool> offered;
    AnswerDialog([&](CDialog* dlg) {
        for (int i = 0; i < 18; ++i) offered.push_back(Enabled(dlg, IDC_RES_PICTURE_FIRST + i));
        Click(dlg, IDC_RES_PICTURE_FIRST);
    });
    Command(ID_RESULT_DISP_PICTURE);
    std::vector<bool> expected(18, false);
    expected[0] = expected[9] = true;
    EXPECT_EQ(offered, expected);
    ASSERT_EQ(theResultDisp.disp.kind, 1);
    EXPECT_DOUBLE_EQ(theResultDisp.disp.largest, kSway);
    // The top of the column moved the pixel setting along x.
    double moved[3];
    ASSERT_TRUE(ModelFamily(EFamily::Nodes).GetDrawCoordinates(2, moved));
    int x1, y1;
    theViewProjection.WorldToScreenInt(moved, x1, y1);
    EXPECT_NEAR(x1 - x0, 40, 1);
    EXPECT_NEAR(y1 - y0, 4, 1);  // a tenth of that along -y, which is down the screen
    const std::vector<uint32_t> after = Shown(w, h);
    SaveViewPicture(view, "results_portal_deformed");
    EXPECT_TRUE(Drawn(after, w, h, x1, y1, 1)) << "the node where it moved";
    EXPECT_FALSE(Drawn(after, w, h, x0, y0, 1)) << "nothing left where it stood";
    EXPECT_NE(theResultDisp.GetCaptionLine().find("荷载种类1的位移图"), std::string::npos);

    // Closing the pictures puts the nodes back.
    Command(ID_RESULT_CLOSE_ALL);
    EXPECT_EQ(theResultDisp.disp.kind, 0);
    EXPECT_TRUE(Drawn(Shown(w, h), w, h, x0, y0, 1));
}

TEST_F(ResultWindowTest, TheBeamsMomentPeaksAtMidSpanTheDiagramSizeOffTheAxis)
{
    theProjectOptions.nForceDiagramSize = 10;
    AnswerDialog([](CDialog* dlg) {
        EXPECT_TRUE(Enabled(dlg, IDC_RES_ELEMENT_FIRST));
        EXPECT_FALSE(Enabled(dlg, IDC_RES_ELEMENT_FIRST + 1)) << "no trusses";
        Click(dlg, IDC_RES_COMPONENT_FIRST + 2);
        Click(dlg, IDC_RES_ENVELOPE_FIRST);
    });
    Command(ID_RESULT_FORCE_DIAGRAM);
    const FrameForceDiagram& d = theResultDisp.frameDiagram;
    ASSERT_EQ(d.elementKind, 1);
    ASSERT_EQ(d.members.size(), 3u);
    EXPECT_DOUBLE_EQ(d.smallest, -32);
    // Span 4, 10 %: the peak stands 0.4 off the beam's axis.
    EXPECT_FLOAT_EQ(d.scale, float(4 * 0.1 / 32));
    int w, h;
    const std::vector<uint32_t> px = Shown(w, h);
    SaveViewPicture(view, "results_portal_moment");
    // The peak is on one side of mid-span, at 0.4 from the axis; the same
    // distance on the other side stays empty.
    const double mid[3] = {2, 3, 0};
    const double up[3] = {2, 3.4, 0}, down[3] = {2, 2.6, 0};
    int xm, ym, xu, yu, xd, yd;
    theViewProjection.WorldToScreenInt(mid, xm, ym);
    theViewProjection.WorldToScreenInt(up, xu, yu);
    theViewProjection.WorldToScreenInt(down, xd, yd);
    const bool above = Drawn(px, w, h, xu, yu, 1), below = Drawn(px, w, h, xd, yd, 1);
    EXPECT_NE(above, below) << "the peak on one side only";
    EXPECT_TRUE(Drawn(px, w, h, xm, ym, 1)) << "the diagram's base line";
}

TEST_F(ResultWindowTest, AContourOfTheSwayIsRecolouredFromItsMarkers)
{
    theProjectOptions.nContourColors = 10;
    theProjectOptions.bColourLegend = 1;
    std::vector<std::string> types;
    AnswerDialog([&](CDialog* dlg) {
        auto* combo = static_cast<CComboBox*>(dlg->GetDlgItem(IDC_RES_CONTOUR_TYPE));
        for (int i = 0; i < combo->GetCount(); ++i) {
            CString text;
            combo->GetLBText(i, text);
            types.push_back(text.GetString());
        }
        // A type the result lacks moves on to the next one there is.
        combo->SetCurSel(9);
        dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_RES_CONTOUR_TYPE, CBN_SELCHANGE), LPARAM(combo->m_hWnd));
        EXPECT_EQ(combo->GetCurSel(), 10);
        combo->SetCurSel(4);
        dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_RES_CONTOUR_TYPE, CBN_SELCHANGE), LPARAM(combo->m_hWnd));
        EXPECT_EQ(combo->GetCurSel(), 4);
    });
    Command(ID_RESULT_CONTOUR);
    ASSERT_EQ(types.size(), 16u);
    EXPECT_EQ(types[0], "平面单元的应力 (无效)");
    EXPECT_EQ(types[4], "荷载种类的节点位移");
    EXPECT_EQ(types[9], "失稳模态的节点位移 (无效)");
    const ContourState& c = theResultDisp.contour;
    ASSERT_EQ(c.kind, 5);
    EXPECT_EQ(c.component, 0);
    EXPECT_DOUBLE_EQ(c.largest, kSway);

    int w, h;
    const std::vector<uint32_t> px = Shown(w, h);
    SaveViewPicture(view, "results_portal_contour");
    size_t markers = 0;
    for (uint32_t p : px) {
        const uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        if (r == 0 && b == 0 && g >= 8 && g <= 247) ++markers;
    }
    EXPECT_EQ(markers, 0u) << "no marker green is left";
    // The beam moved as a whole: the highest band's colour, (255, 0, 127).
    const double mid[3] = {2, 3, 0};
    int x, y;
    theViewProjection.WorldToScreenInt(mid, x, y);
    bool top = false;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if ((px[size_t(y + dy) * size_t(w) + size_t(x + dx)] & 0xFFFFFF) == 0xFF007F) top = true;
    EXPECT_TRUE(top);
}

TEST_F(ResultWindowTest, AnAnimatedDeformedShapeWritesItsFramesAndPlaysThem)
{
    theProjectOptions.nAnimationFrames = 3;
    theProjectOptions.nAnimationInterval = 20;
    ASSERT_TRUE(ShowDispPicture(11));
    EXPECT_EQ(theResultDisp.disp.frameCount, 3);
    for (int k = 1; k <= 3; ++k)
        EXPECT_NE(::GetFileAttributesA(AnimationFrameFile(k).c_str()), INVALID_FILE_ATTRIBUTES) << k;
    // The play command was posted: the frames are shown one per tick, up to the top one.
    ASSERT_TRUE(PumpUntil([] { return LastShownFrame() == 3; }));
    EXPECT_EQ(theResultDisp.disp.playing, 1);
    frame->SendMessage(WM_COMMAND, ID_RESULT_STOP);
    EXPECT_EQ(theResultDisp.disp.playing, 0);
}

// The colours a metafile's pens, brushes and pixels are made in.
std::vector<COLORREF> MetafileColours(HENHMETAFILE emf)
{
    std::vector<BYTE> bits(::GetEnhMetaFileBits(emf, 0, nullptr));
    ::GetEnhMetaFileBits(emf, UINT(bits.size()), bits.data());
    std::vector<COLORREF> colours;
    for (size_t at = 0; at + sizeof(EMR) <= bits.size();) {
        const auto* r = reinterpret_cast<const EMR*>(bits.data() + at);
        if (r->nSize < sizeof(EMR) || at + r->nSize > bits.size()) break;
        if (r->iType == EMR_CREATEPEN)
            colours.push_back(reinterpret_cast<const EMRCREATEPEN*>(r)->lopn.lopnColor);
        else if (r->iType == EMR_EXTCREATEPEN)
            colours.push_back(reinterpret_cast<const EMREXTCREATEPEN*>(r)->elp.elpColor);
        else if (r->iType == EMR_CREATEBRUSHINDIRECT)
            colours.push_back(reinterpret_cast<const EMRCREATEBRUSHINDIRECT*>(r)->lb.lbColor);
        else if (r->iType == EMR_SETPIXELV)
            colours.push_back(reinterpret_cast<const EMRSETPIXELV*>(r)->crColor);
        at += r->nSize;
    }
    return colours;
}

// A contour's marker green: red and blue 0, green 8..247.
bool IsMarker(uint8_t r, uint8_t g, uint8_t b)
{
    return r == 0 && b == 0 && g >= 8 && g <= 247;
}

// An enhanced metafile played back where its frame says, on a white w x h
// picture; its pixels as 0xRRGGBB, top row first.
bool PlayAtItsPlace(HENHMETAFILE emf, CImage& image, int w, int h, std::vector<uint32_t>& out)
{
    ENHMETAHEADER header{};
    if (!::GetEnhMetaFileHeader(emf, sizeof header, &header) || !image.Create(w, h, 32)) return false;
    const RECTL& f = header.rclFrame;
    const double kx = double(header.szlDevice.cx) / (header.szlMillimeters.cx * 100.0);
    const double ky = double(header.szlDevice.cy) / (header.szlMillimeters.cy * 100.0);
    const RECT at{LONG(std::lround(f.left * kx)), LONG(std::lround(f.top * ky)), LONG(std::lround(f.right * kx)),
                  LONG(std::lround(f.bottom * ky))};
    HDC dc = image.GetDC();
    const RECT all = {0, 0, w, h};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    const bool played = ::PlayEnhMetaFile(dc, emf, &at) != 0;
    ::GdiFlush();
    image.ReleaseDC();
    DIBSECTION dib{};
    if (::GetObject(HBITMAP(image), sizeof dib, &dib) != sizeof dib || !dib.dsBm.bmBits) return false;
    out.resize(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(dib.dsBm.bmBits) +
                                                            size_t(h - 1 - y) * size_t(dib.dsBm.bmWidthBytes));
        for (int x = 0; x < w; ++x) out[size_t(y) * size_t(w) + size_t(x)] = row[x] & 0xFFFFFF;
    }
    return played;
}

std::string exportPath;

INT_PTR AnswerExport(CFileDialog* d)
{
    std::snprintf(d->m_ofn.lpstrFile, d->m_ofn.nMaxFile, "%s", exportPath.c_str());
    return IDOK;
}

TEST_F(ResultWindowTest, ABeamsContourExportedAsAMetafileHasThePalettesColoursNoMarkerGreen)
{
    theProjectOptions.nContourColors = 10;
    theResultDisp.contour.kind = 5;
    theResultDisp.contour.component = 0;
    ASSERT_TRUE(FillContour());
    Redraw();
    exportPath = dir.File("contour.emf");
    CFileDialog::SetTestHook(AnswerExport);
    view->SendMessage(WM_COMMAND, ID_EXPORT_EMF, 0);
    CFileDialog::SetTestHook(nullptr);
    HENHMETAFILE emf = ::GetEnhMetaFileA(exportPath.c_str());
    ASSERT_NE(emf, nullptr);

    // Pens and brushes: palette colours, the swayed beam's the highest band's.
    const std::vector<COLORREF> colours = MetafileColours(emf);
    for (COLORREF c : colours) EXPECT_FALSE(IsMarker(GetRValue(c), GetGValue(c), GetBValue(c))) << std::hex << c;
    EXPECT_NE(std::find(colours.begin(), colours.end(), RGB(255, 0, 127)), colours.end());

    // Played back at its own place: along the members, the palette's colours.
    int w, h;
    Shown(w, h);
    std::vector<uint32_t> px;
    CImage played;
    ASSERT_TRUE(PlayAtItsPlace(emf, played, w, h, px));
    ::DeleteEnhMetaFile(emf);
    uint8_t palette[kPaletteSize][3];
    BuildContourPalette(10, palette);
    auto isPalette = [&](uint32_t p) {
        for (const auto& c : palette)
            if (p == (uint32_t(c[0]) << 16 | uint32_t(c[1]) << 8 | c[2])) return true;
        return false;
    };
    int coloured = 0, samples = 0;
    for (auto [a, b] : {std::pair{0, 1}, {1, 2}, {3, 2}})
        for (int k = 1; k < 10; ++k, ++samples) {
            double p[3];
            for (int c = 0; c < 3; ++c)
                p[c] = kPortal[a][size_t(c)] + (kPortal[b][size_t(c)] - kPortal[a][size_t(c)]) * k / 10;
            int x, y;
            theViewProjection.WorldToScreenInt(p, x, y);
            bool palette = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const uint32_t q = px[size_t(y + dy) * size_t(w) + size_t(x + dx)];
                    EXPECT_FALSE(IsMarker(uint8_t(q >> 16), uint8_t(q >> 8), uint8_t(q))) << x << "," << y;
                    palette = palette || isPalette(q);
                }
            coloured += palette;
        }
    EXPECT_EQ(coloured, samples);
    if (coloured != samples) played.Save((std::string(VEK_ARTIFACTS) + "/results_contour_emf.png").c_str());
}

TEST_F(ResultWindowTest, TheFrameFamilyGivesResultsTheKindAndSectionOfEachFrame)
{
    // The columns carry 500 and 300 in compression.
    for (int k : {0, 2})
        for (resgen::Row6& s : model.u3[size_t(k)].force[0]) s[0] = k == 0 ? -500 : -300;
    model.WriteAll(Base());
    resgen::SetTime(Base() + ".PL", -100);
    ASSERT_EQ(theResult.SetFileName(Base().c_str(), 4, 1), 1);

    // Axial ratios: the two concrete columns (standing once their bases are
    // put below their tops), not the beam.
    for (int base : {1, 4}) theNodes.GetByID(base)->m_dCoord[2] = -3;
    {
        apptest::BoxRecorder boxes;
        boxes.answer = IDNO;
        Command(ID_RESULT_AXIAL_RATIO);
    }
    const AxialRatioDisp& a = theResultDisp.axialRatio;
    ASSERT_EQ(a.kind, 1);
    double E = 0, fc = 0;
    DMaterial::GetEFcFromConcret(30, theProjectOptions.GetUnitCode(), E, fc);
    const double fcA = fc * theFrameSects.GetAt(0)->GetSectArea();
    ASSERT_GT(fcA, 0);
    ASSERT_EQ(a.store.GetCount(), 2);
    ASSERT_TRUE(a.store.IsValidID(1) && a.store.IsValidID(3));
    EXPECT_NEAR(a.store.GetByID(1)->value, 500 / fcA, 1e-9);
    EXPECT_NEAR(a.store.GetByID(3)->value, 300 / fcA, 1e-9);

    // Member forces as text: every beam of the result gets its labels.
    AnswerDialog([](CDialog*) {});
    Command(ID_RESULT_FORCE_TEXT);
    EXPECT_EQ(theResultDisp.forceText.elementKind, 1);
    EXPECT_EQ(theResultDisp.forceText.store.GetCount(), 3);
    std::vector<std::string> labels;
    FormatValueLabel(2, labels);
    EXPECT_EQ(labels.size(), 5u) << "one per section of the beam";

    // A steel beam makes the result look for steel members, and its check
    // values are shown on it: the largest strength stress of its two
    // sections, 10 and -20.
    EXPECT_EQ(theResult.m_bHasSframes, 0);
    theFrames.GetByID(2)->SetSection(1, 1);
    resgen::CheckRec check{2, {0, 2}, {}};
    std::vector<std::array<double, 21>> rows(2);
    rows[0][1] = 10;
    rows[1][1] = -20;
    check.row.push_back(rows);
    model.f88 = {check};
    model.WriteAll(Base());
    resgen::SetTime(Base() + ".PL", -100);
    ASSERT_EQ(theResult.SetFileName(Base().c_str(), 4, 1), 1);
    EXPECT_EQ(theResult.m_bHasSframes, 1);
    EXPECT_EQ(theResult.m_bHasFrames, 1);
    theResultDisp.steelCheck.kind = 1;
    theResultDisp.steelCheck.item = 0;
    AnswerDialog([](CDialog*) {});
    Command(ID_STEEL_CHECK_MAX);
    const SteelCheckDisp& sc = theResultDisp.steelCheck;
    ASSERT_EQ(sc.kind, 1);
    ASSERT_EQ(sc.store.GetCount(), 1);
    ASSERT_TRUE(sc.store.IsValidID(2));
    EXPECT_DOUBLE_EQ(sc.store.GetByID(2)->value, 20);
}

}  // namespace
