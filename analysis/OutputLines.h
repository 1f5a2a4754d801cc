#pragma once
// The text lines of a program's console output, kept in a ring of slots: the
// newest line replaces the oldest when the ring is full. Output arrives in
// chunks that may end anywhere, also inside a line, a CR LF pair or a
// double-byte character; the lines do not depend on where the chunks end.
#include "analysis/AnalysisApi.h"
#include "framework/Collections.h"
#include "framework/String.h"

class ANALYSIS_API COutputLines {
public:
    static constexpr short kDefaultLines = 200;
    static constexpr short kMaxLines = 32767;

    COutputLines();
    virtual ~COutputLines() = default;
    COutputLines(const COutputLines&) = default;
    COutputLines& operator=(const COutputLines&) = default;

    // Appends the bytes from start up to end. CR LF, a lone CR and a lone LF
    // each end a line; a finished line keeps "\r\n" at its end.
    void AddText(const char* start, const char* end);
    // All lines, oldest first; empty before any output.
    CString GetText() const;
    // Replaces the ring by one of count slots, keeping the newest lines;
    // FALSE (and nothing changed) for a count below 1.
    BOOL SetBufferLineNum(short count);
    short GetBufferLineNum() const { return m_nBufferLines; }
    // Lines held, and line i of them, oldest first.
    int GetLineCount() const;
    const CString& GetLine(int i) const;
    // The text a slot shows: without the "\r\n" of a finished line.
    static CString ShownText(const CString& line);

    // ---- the view: visible rows over the ring ----
    // Scroll positions run from 1; this one shows the newest line at the bottom.
    int GetEndPosition(int visible) const;
    // The slot at the top row for a scroll position (rows shown are at most the slot count).
    int GetTopSlot(int position, int visible) const;
    // The slot drawn in a row, or -1 for a row left blank.
    int GetRowSlot(int top, int row, int visible) const;
    int GetFirstSlot() const { return m_nFirst; }
    int GetLastSlot() const { return m_nLast; }
    const CString& GetSlot(int slot) const { return m_arrLines[slot]; }

protected:
    void StartLine();

    CStringArray m_arrLines;
    short m_nFirst = 0;
    short m_nLast = -1;  // -1 while nothing was written
    short m_nBufferLines = kDefaultLines;
    BYTE m_bNewLine = 1;  // the next text starts a new line
    BYTE m_bAfterCR = 0;  // the last byte was a CR: a LF right after it belongs to it
};
