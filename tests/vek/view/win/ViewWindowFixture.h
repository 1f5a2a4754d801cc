#pragma once
// A model view in a window of its own over a small model: an axis grid of
// two by two lines and three stand-in nodes. Model walks are counted by the
// drawing pass; a screenshot is saved when a test fails.
#include <gtest/gtest.h>

#include <vector>

#include "tests/support/AppHelpersStandIn.h"
#include "tests/support/WinTestSupport.h"
#include "tests/vek/view/ViewFixture.h"
#include "vek/model/axisgrid/AxisGrid.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/view/passes/DrawModel.h"
#include "vek/view/passes/SeamNodes.h"
#include "vek/view/win/VekView.h"
#include "vek/view/win/WglApi.h"

namespace vektest {

class ViewWindow : public ViewTest {
protected:
    // The window's size; a test class may choose another before SetUp.
    int m_width = 240, m_height = 180;

    void SetUp() override
    {
        ViewTest::SetUp();
        CVekView::ForgetOpenGLFailure();
        theAxisGrids.RemoveAll();
        CAxisGrid* g = new CAxisGrid;
        g->First().Add(CAxisGridItem(1, 2.0));
        g->First().Add(CAxisGridItem(2, 8.0));
        g->Second().Add(CAxisGridItem(1, 2.0));
        g->Second().Add(CAxisGridItem(2, 6.0));
        theAxisGrids.Add(g);
        theDisplayOptions.Switch(2) = 1;  // nodes
        theDisplayOptions.Switch(3) = 1;  // axis grids
        theDisplayOptions.Switch(4) = 0;
        RegenerateGridNodes();
        nodes.Add(1, 5, 4, 0);
        nodes.Add(2, 1, 1, 0);
        nodes.Add(3, 9, 7, 3);
        InstallSeamNodes(&nodes);
        ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "vekview", WS_POPUP | WS_VISIBLE, 0, 0, m_width, m_height,
                                  nullptr, nullptr));
        view = new CVekView;
        ASSERT_TRUE(view->Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, m_width, m_height), &host, 1));
        FitModel();
        Show();
    }
    void TearDown() override
    {
        if (HasFailure() && host.GetSafeHwnd()) {
            const std::string name =
                std::string("view_") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
            SaveWindowShot(host.GetSafeHwnd(), name.c_str());
        }
        if (host.GetSafeHwnd()) host.DestroyWindow();
        InstallSeamNodes(nullptr);
        theAxisGrids.RemoveAll();
        theGridNodes.SetSize(0);
        SetWglApi(nullptr);
        theViewResultHooks = CViewResultHooks();
        CVekView::ForgetOpenGLFailure();
        ViewTest::TearDown();
    }
    // The model's box (0,0,0)-(10,8,3) fitted to the window.
    void FitModel()
    {
        const double hi[3] = {10, 8, 3}, lo[3] = {0, 0, 0};
        theViewProjection.SetScreenRect(0, 0, m_width, m_height);
        theViewProjection.SetExtent(hi, lo);
        theViewProjection.ZoomExtents(0, 1, 1);
    }
    // A full picture: the model drawn again and the window painted now.
    void Show()
    {
        view->InvalidateModel();
        view->UpdateWindow();
    }
    void Paint() { view->UpdateWindow(); }
    // What the back buffer holds at a model point.
    COLORREF BackAt(double x, double y, double z = 0) const
    {
        const double p[3] = {x, y, z};
        int px, py;
        theViewProjection.WorldToScreenInt(p, px, py);
        return GetPixel(view->GetMemDC(), px, py);
    }
    // What the window shows, as rows of 32-bit pixels.
    std::vector<uint32_t> WindowPixels() const { return vektest::WindowPixels(view->GetSafeHwnd(), m_width, m_height); }
    COLORREF WindowAt(int x, int y) const
    {
        HDC dc = GetDC(view->GetSafeHwnd());
        const COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(view->GetSafeHwnd(), dc);
        return c;
    }

    CWnd host;
    CVekView* view = nullptr;
    CSeamNodes nodes;
    AppHelperLog log;
};

// The system's pixel-format and context calls, with failures and a low
// colour depth to choose.
class ScriptedWgl : public CWglApi {
public:
    ScriptedWgl() { previous = SetWglApi(this); }
    ~ScriptedWgl() override { SetWglApi(previous); }
    bool refuseFormats = false, refuseContext = false;
    int reportColourBits = 0;  // 0: as the system says
    int contextsMade = 0;

    int ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* pfd) override
    {
        return refuseFormats ? 0 : sys.ChoosePixelFormat(dc, pfd);
    }
    BOOL SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR* pfd) override
    {
        return refuseFormats ? FALSE : sys.SetPixelFormat(dc, format, pfd);
    }
    int DescribePixelFormat(HDC dc, int format, UINT size, PIXELFORMATDESCRIPTOR* pfd) override
    {
        const int n = sys.DescribePixelFormat(dc, format, size, pfd);
        if (reportColourBits && pfd) pfd->cColorBits = BYTE(reportColourBits);
        return n;
    }
    HGLRC CreateContext(HDC dc) override
    {
        if (refuseContext) return nullptr;
        ++contextsMade;
        return sys.CreateContext(dc);
    }
    BOOL DeleteContext(HGLRC rc) override { return sys.DeleteContext(rc); }
    BOOL MakeCurrent(HDC dc, HGLRC rc) override { return sys.MakeCurrent(dc, rc); }
    HGLRC GetCurrentContext() override { return sys.GetCurrentContext(); }
    HDC GetCurrentDC() override { return sys.GetCurrentDC(); }

private:
    CWglApi& sys = SystemWgl();
    CWglApi* previous = nullptr;
};

}  // namespace vektest
