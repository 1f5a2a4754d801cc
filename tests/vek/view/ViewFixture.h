#pragma once
// A clean view for each test: default settings, unbound hooks, a 200 x 100
// window, and counters of the redraw requests.
#include <gtest/gtest.h>

#include <functional>

#include "korvalib/base/biostream.h"
#include "tests/support/TestFiles.h"
#include "vek/model/ElevationPlane.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/ViewLink.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/view/DisplayColors.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/ViewSettings.h"
#include "vek/view/draw/DrawLayer.h"

namespace vektest {

inline int& ModelRedraws()
{
    static int n = 0;
    return n;
}

class ViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        theViewSettings = CViewSettings();
        theProjectOptions = CProjectOptions();
        theDisplayOptions.Reset();
        theViewHooks = CViewHooks();
        theViewLink.invalidateModel = [] { ++ModelRedraws(); };
        ModelRedraws() = 0;
        theElevationPlane = CElevationPlane();
        theDisplayColors.SetDefaults();
        theViewProjection.SetScreenRect(0, 0, 200, 100);
        theViewProjection.SetDefaultView();
        m_savedVersion = nPrjVersion;
        nPrjVersion = kProjectVersion;
    }
    void TearDown() override
    {
        nPrjVersion = m_savedVersion;
        theViewHooks = CViewHooks();
        theViewLink.invalidateModel = nullptr;
        SetGlApi(nullptr);
        if (theDrawState.dc && theDrawState.externalDC) EndExternalDraw();
    }
    // Plan view of the box (0,0,0)-(10,10,0) fitted to the window.
    static void PlanOfTenByTen()
    {
        const double hi[3] = {10, 10, 0}, lo[3] = {0, 0, 0};
        theViewProjection.SetExtent(hi, lo);
        theViewProjection.ZoomExtents(0, 0, 1);
    }

private:
    int16_t m_savedVersion = 0;
};

// The bytes a writer puts in a file.
inline Bytes WrittenBytes(const std::function<void(bofstream&)>& write)
{
    TempFile file("viewblock");
    {
        bofstream out;
        EXPECT_TRUE(out.Open(file.path().c_str()));
        write(out);
        EXPECT_TRUE(out.Close());
    }
    return ReadFileBytes(file.path());
}

// Reads bytes back through a reader; returns what it returned and whether
// the stream stayed good.
inline bool ReadBytes(const Bytes& bytes, const std::function<int(bifstream&)>& read)
{
    TempFile file("viewblock");
    EXPECT_TRUE(WriteFileBytes(file.path(), bytes));
    bifstream in;
    EXPECT_TRUE(in.Open(file.path().c_str()));
    const int r = read(in);
    return r && in.IsGood();
}

}  // namespace vektest
