// Drawing objects and device contexts; worker threads and synchronisation.
#include "TestApp.h"
#include "fwtest_res.h"

#include <gtest/gtest.h>

TEST(GdiTest, MemoryContextDrawsWithSelectedObjects)
{
    CClientDC screen(nullptr);
    CMemDC mem(&screen, 40, 30);
    mem.FillSolidRect(0, 0, 40, 30, RGB(255, 255, 255));
    CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
    CBrush brush(RGB(0, 0, 255));
    CPen* oldPen = mem.SelectObject(&pen);
    CBrush* oldBrush = mem.SelectObject(&brush);
    ASSERT_NE(oldPen, nullptr);
    mem.Rectangle(5, 5, 25, 20);
    EXPECT_EQ(mem.GetPixel(5, 5), RGB(255, 0, 0));    // the pen's outline
    EXPECT_EQ(mem.GetPixel(10, 10), RGB(0, 0, 255));  // the brush's fill
    EXPECT_EQ(mem.GetPixel(30, 25), RGB(255, 255, 255));
    EXPECT_EQ(mem.SelectObject(oldPen)->m_hObject, pen.m_hObject);  // gives back what was selected
    mem.SelectObject(oldBrush);
    mem.Draw3dRect(0, 0, 40, 30, RGB(0, 255, 0), RGB(0, 0, 0));
    EXPECT_EQ(mem.GetPixel(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(mem.GetPixel(39, 29), RGB(0, 0, 0));

    CFont font;
    ASSERT_TRUE(font.CreatePointFont(120, "宋体", &mem));
    CFont* oldFont = mem.SelectObject(&font);
    const CSize one = mem.GetTextExtent(CString("宋"));
    const CSize two = mem.GetTextExtent(CString("宋体"));
    EXPECT_GT(one.cx, 0);
    EXPECT_EQ(two.cx, 2 * one.cx);  // a GBK character measures as one glyph
    mem.SelectObject(oldFont);
    AfxDeleteTempMaps();
}

TEST(GdiTest, RegionsMetafilesImageListsAndMenus)
{
    CRgn a, b, both;
    ASSERT_TRUE(a.CreateRectRgn(0, 0, 10, 10));
    ASSERT_TRUE(b.CreateRectRgn(5, 5, 20, 20));
    ASSERT_TRUE(both.CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(both.CombineRgn(&a, &b, RGN_AND), SIMPLEREGION);
    CRect box;
    both.GetRgnBox(&box);
    EXPECT_EQ(box, CRect(5, 5, 10, 10));
    EXPECT_TRUE(both.PtInRegion(7, 7));
    EXPECT_FALSE(both.PtInRegion(2, 2));

    CMetaFileDC meta;
    ASSERT_TRUE(meta.CreateEnhanced(nullptr, nullptr, nullptr, nullptr));
    meta.Rectangle(0, 0, 100, 50);
    meta.TextOut(5, 5, CString("图元"));
    HENHMETAFILE mf = meta.CloseEnhanced();
    ASSERT_NE(mf, nullptr);
    EXPECT_GT(::GetEnhMetaFileBits(mf, 0, nullptr), 0u);
    ::DeleteEnhMetaFile(mf);

    CImageList images;
    ASSERT_TRUE(images.Create(16, 15, ILC_COLOR24 | ILC_MASK, 0, 4));
    CBitmap strip;
    ASSERT_TRUE(strip.LoadBitmap(IDR_TESTFRAME));
    BITMAP bm{};
    strip.GetBitmap(&bm);
    EXPECT_EQ(bm.bmWidth, 96);
    EXPECT_EQ(images.Add(&strip, RGB(192, 192, 192)), 0);
    EXPECT_EQ(images.GetImageCount(), 6);

    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_TESTFRAME));
    CString text;
    menu.GetMenuString(0, text, MF_BYPOSITION);
    EXPECT_STREQ(text, "测试(&T)");
    CMenu* sub = menu.GetSubMenu(0);
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->GetMenuItemID(0), static_cast<UINT>(ID_TEST_DOCCMD));
    EXPECT_EQ(sub->GetMenuItemCount(), 7u);
    AfxDeleteTempMaps();
}

namespace {

struct WorkerShared {
    CEvent started;
    CEvent go{FALSE, TRUE};  // manual reset
    CCriticalSection lock;
    long counter = 0;
};

UINT Worker(LPVOID p)
{
    auto* s = static_cast<WorkerShared*>(p);
    s->started.SetEvent();
    ::WaitForSingleObject(s->go, INFINITE);
    for (int i = 0; i < 20000; ++i) {
        CSingleLock guard(&s->lock, TRUE);
        s->counter = s->counter + 1;  // read, then write: lost updates without the lock
    }
    return 9;
}

}  // namespace

TEST(ThreadTest, WorkersEventsAndCriticalSections)
{
    WorkerShared shared;
    std::vector<CWinThread*> threads;
    std::vector<HANDLE> handles;
    for (int i = 0; i < 4; ++i) {
        CWinThread* t = AfxBeginThread(Worker, &shared, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        ASSERT_NE(t, nullptr);
        t->m_bAutoDelete = FALSE;
        t->ResumeThread();
        ASSERT_TRUE(shared.started.Lock(30000));  // auto-reset: one wake-up per worker
        threads.push_back(t);
        handles.push_back(t->m_hThread);
    }
    shared.go.SetEvent();
    ASSERT_EQ(::WaitForMultipleObjects(4, handles.data(), TRUE, 30000), WAIT_OBJECT_0);
    EXPECT_EQ(shared.counter, 80000);
    for (CWinThread* t : threads) {
        DWORD code = 0;
        ::GetExitCodeThread(t->m_hThread, &code);
        EXPECT_EQ(code, 9u);
        delete t;
    }
    // A held critical section cannot be taken within a bounded wait from another thread.
    shared.lock.Lock();
    struct Try {
        static UINT Run(LPVOID p) { return static_cast<CCriticalSection*>(p)->Lock(50) ? 1 : 0; }
    };
    CWinThread* t = AfxBeginThread(Try::Run, &shared.lock, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    t->m_bAutoDelete = FALSE;
    t->ResumeThread();
    ASSERT_EQ(::WaitForSingleObject(t->m_hThread, 30000), WAIT_OBJECT_0);
    DWORD code = 7;
    ::GetExitCodeThread(t->m_hThread, &code);
    EXPECT_EQ(code, 0u);
    delete t;
    shared.lock.Unlock();
}
