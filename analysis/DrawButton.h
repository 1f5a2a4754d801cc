#pragma once
// The small push button with a glyph that the flat combo box draws (its
// drop-down arrow), flat or in the classic 3-D look.
#include "analysis/AnalysisApi.h"
#include "framework/Afx.h"

class ANALYSIS_API CDrawButton {
public:
    // The state word: the glyph in the low byte, flags above it.
    enum : WORD {
        GlyphNone = 0,
        GlyphUp = 1,
        GlyphDown = 2,
        GlyphSpin = 5,      // an upper and a lower half, an arrow each
        GlyphEllipsis = 7,  // "..."
        GlyphMark = 8,      // four short diagonal strokes
        Disabled = 0x100,
        OutsideBar = 0x200,  // frame in the button-shadow colour instead of the window colour
        Flat = 0x800,
        Pressed = 0x1000,  // for the spin button: its lower half
        UpperPressed = 0x2000,
        Hot = 0x4000,
        FaceOnlyWhenHot = 0x8000,
    };

    CDrawButton(WORD state = 0, const RECT& rect = CRect()) : m_state(state), m_rect(rect) {}
    virtual ~CDrawButton() = default;
    // state 0: the stored one.
    virtual void Draw(CDC* dc, WORD state = 0);

    WORD m_state;
    CRect m_rect;

private:
    void DrawPart(CDC& dc, const CRect& r, WORD state, int glyph, bool pressed);
};
