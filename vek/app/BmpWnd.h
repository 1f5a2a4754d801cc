#pragma once
// A scrolling strip of pictures to choose from: one picture file of equal
// square cells side by side, laid out in a number of columns. The cell under
// the mouse is raised, the chosen one etched; a click on a cell tells the
// parent (message 0x40A, the cell's index in the first parameter).
#include "analysis/MyImage.h"
#include "vek/app/ScrollWnd.h"

// Sent to the parent when a cell was clicked; wParam: the cell's index.
constexpr UINT WM_BMPWND_CELL = 0x40A;

class CBmpWnd : public CScrollWnd {
    DECLARE_DYNAMIC(CBmpWnd)
public:
    CBmpWnd() = default;
    ~CBmpWnd() override = default;

    // A visible child window.
    BOOL Create(const RECT& rect, CWnd* parent, UINT id);
    // The picture of that name in the program's resource folder; false when it cannot be read.
    bool LoadImageFile(const char* name);
    // The picture at a full path.
    bool LoadPicture(const char* path);
    // Values below 1 give 1.
    void SetColumns(int columns);

    void OnDraw(CDC* dc) override;

    // Cell i's rectangle in content coordinates.
    CRect CellRect(int cell) const;
    // The cell at a content point, -1 for none.
    int CellAt(CPoint content) const;

    int m_nColumns = 1;
    int m_nRows = 0;
    int m_nCells = 0;
    int m_nHover = -1;
    int m_nSelected = -1;
    CMyImage m_image;

protected:
    void Layout();
    // A cell's rectangle on the client area.
    CRect ClientCellRect(int cell) const;
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonDown(UINT flags, CPoint point);
    DECLARE_MESSAGE_MAP()
};
