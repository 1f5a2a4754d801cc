// Timing of the grid (not a test): a whole repaint of a grid of 100,000 rows
// scrolled to its middle, and a thumb-track of its scroll bar from the middle
// to the end, against the same on a grid of 100 rows, in the same window and
// the same run. The grids take turns, round by round; the figures are the
// medians. A thumb-track is timed as the grid's own handling of it (its
// scroll messages and the paints they bring), and also from the press to the
// last rows shown, which adds the system's delivery of the mouse's input.
// Prints the figures and their ratios.
//   GridPaintTiming [repaints] [tracks]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "analysis/TableWnd.h"
#include "framework/Afx.h"
#include "tests/support/WinTestSupport.h"

namespace {

class CTimingApp : public CWinApp {
public:
    CTimingApp() : CWinApp("GridPaintTiming") {}
} theTimingApp;

double Now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void Pump()
{
    vektest::PumpPending();
}

// Pumps until done() holds; false after a bound far beyond a working run.
template <class F>
bool PumpUntil(F done)
{
    const double start = Now();
    while (!done()) {
        if (Now() - start > 20) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        Pump();
    }
    return true;
}

void Input(DWORD flags, int x = 0, int y = 0)
{
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        in.mi.dx = ::MulDiv(x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
        in.mi.dy = ::MulDiv(y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    ::SendInput(1, &in, sizeof in);
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// A grid that adds up the time of its scroll and paint messages while asked to.
class CTimedTable : public CTableWnd {
public:
    using CTableWnd::CTableWnd;
    bool m_bTiming = false;
    double m_seconds = 0;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (!m_bTiming || m_depth > 0 || (message != WM_VSCROLL && message != WM_PAINT))
            return CTableWnd::WindowProc(message, wParam, lParam);
        ++m_depth;  // a scroll paints within itself
        const double start = Now();
        const LRESULT r = CTableWnd::WindowProc(message, wParam, lParam);
        m_seconds += Now() - start;
        --m_depth;
        return r;
    }

private:
    int m_depth = 0;
};

struct Grid {
    CTimedTable* wnd;
    int rows;
    std::vector<double> paints, tracks, handled;
};

// The grid scrolled to its middle row.
void ToMiddle(Grid& g)
{
    g.wnd->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, g.rows / 2));
    Pump();
}

// Seconds for one whole repaint of the client area.
double Repaint(Grid& g)
{
    const double start = Now();
    g.wnd->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    ::GdiFlush();
    return Now() - start;
}

// Seconds from pressing the scroll bar's thumb, dragged to the bar's end and
// let go, to the grid showing its last rows; negative when it did not.
double ThumbTrack(Grid& g)
{
    SCROLLBARINFO sb{};
    sb.cbSize = sizeof sb;
    if (!::GetScrollBarInfo(g.wnd->m_hWnd, OBJID_VSCROLL, &sb)) return -1;
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    g.wnd->GetScrollInfo(SB_VERT, &si, SIF_ALL);
    const int end = si.nMax - int(si.nPage) + 1;
    const int x = (sb.rcScrollBar.left + sb.rcScrollBar.right) / 2;
    const int thumb = sb.rcScrollBar.top + (sb.xyThumbTop + sb.xyThumbBottom) / 2;
    Input(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, thumb);
    // A press on the thumb takes the position of its pixel, which on a long
    // table is some rows from the exact middle: taken once before the clock.
    Input(MOUSEEVENTF_LEFTDOWN);
    Input(MOUSEEVENTF_LEFTUP);
    Pump();
    g.wnd->m_seconds = 0;
    g.wnd->m_bTiming = true;
    const double start = Now();
    Input(MOUSEEVENTF_LEFTDOWN);
    Input(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, sb.rcScrollBar.bottom + 2);
    Input(MOUSEEVENTF_LEFTUP);
    const bool reached = PumpUntil([&] { return g.wnd->GetTable().Scroll().m_nFirstRow == end; });
    const double t = Now() - start;
    Pump();
    g.wnd->m_bTiming = false;
    g.handled.push_back(g.wnd->m_seconds);
    return reached ? t : -1;
}

}  // namespace

int main(int argc, char** argv)
{
    const int repaints = argc > 1 ? std::atoi(argv[1]) : 200;
    const int tracks = argc > 2 ? std::atoi(argv[2]) : 15;
    if (!AfxWinInit(::GetModuleHandleA(nullptr), nullptr, const_cast<char*>(""), SW_SHOW)) return 1;

    CWnd host;
    if (!host.CreateEx(0, nullptr, "表格计时", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 660, 500, nullptr, nullptr))
        return 1;
    host.SetForegroundWindow();
    CRect client;
    host.GetClientRect(&client);
    Grid grids[2] = {{new CTimedTable(100 + 1, 4), 100, {}, {}, {}},
                     {new CTimedTable(100000 + 1, 4), 100000, {}, {}, {}}};
    for (Grid& g : grids) {
        if (!g.wnd->Create(client, &host, 1001)) return 1;
        for (int c = 1; c < 4; ++c) g.wnd->SetCellText(0, c, ("列" + std::to_string(c)).c_str());
        // Texts in the rows around the middle and the end, as an edited table's.
        for (int r = g.rows / 2 - 40; r <= g.rows; ++r)
            for (int c = 0; c < 4; ++c) g.wnd->SetCellText(r, c, std::to_string(r * 10 + c).c_str());
        g.wnd->ShowWindow(SW_HIDE);
    }
    Pump();

    for (int round = 0; round < std::max(repaints, tracks); ++round) {
        for (Grid& g : grids) {
            g.wnd->ShowWindow(SW_SHOW);
            g.wnd->SetFocus();
            ToMiddle(g);
            if (round < repaints) g.paints.push_back(Repaint(g));
            if (round < tracks) {
                const double t = ThumbTrack(g);
                if (t < 0) {
                    std::printf("the thumb of the %d-row grid did not reach the end\n", g.rows);
                    return 1;
                }
                g.tracks.push_back(t);
            }
            g.wnd->ShowWindow(SW_HIDE);
            Pump();
        }
    }

    const double paintSmall = Median(grids[0].paints) * 1e6, paintLarge = Median(grids[1].paints) * 1e6;
    const double trackSmall = Median(grids[0].tracks) * 1e3, trackLarge = Median(grids[1].tracks) * 1e3;
    const double handledSmall = Median(grids[0].handled) * 1e3, handledLarge = Median(grids[1].handled) * 1e3;
    std::printf("whole repaint, scrolled to the middle (median of %d):\n", repaints);
    std::printf("  100 rows:     %9.1f us\n  100000 rows:  %9.1f us\n  ratio:        %9.3f\n", paintSmall, paintLarge,
                paintLarge / paintSmall);
    std::printf("thumb-track from the middle to the end, the grid's handling (median of %d):\n", tracks);
    std::printf("  100 rows:     %9.2f ms\n  100000 rows:  %9.2f ms\n  ratio:        %9.3f\n", handledSmall,
                handledLarge, handledLarge / handledSmall);
    std::printf("the same from the press to the last rows shown:\n");
    std::printf("  100 rows:     %9.2f ms\n  100000 rows:  %9.2f ms\n  ratio:        %9.3f\n", trackSmall, trackLarge,
                trackLarge / trackSmall);
    for (Grid& g : grids) {
        g.wnd->DestroyWindow();
        delete g.wnd;
    }
    host.DestroyWindow();
    return 0;
}
