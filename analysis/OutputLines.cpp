// The ring of output lines.
#include "analysis/OutputLines.h"

#include <algorithm>
#include <cstring>

namespace {
int Mod(int a, int n)
{
    return ((a % n) + n) % n;
}
}  // namespace

COutputLines::COutputLines()
{
    m_arrLines.SetSize(m_nBufferLines);
}

void COutputLines::StartLine()
{
    const bool full = GetLineCount() == m_nBufferLines;
    m_nLast = static_cast<short>((m_nLast + 1) % m_nBufferLines);
    if (full) m_nFirst = static_cast<short>((m_nFirst + 1) % m_nBufferLines);
    m_arrLines[m_nLast].Empty();
}

void COutputLines::AddText(const char* start, const char* end)
{
    if (!start || !end) return;
    const char* p = start;
    while (p < end) {
        if (m_bAfterCR) {
            m_bAfterCR = 0;
            if (*p == '\n') {
                ++p;
                continue;
            }
        }
        // Neither CR nor LF is ever the second byte of a double-byte character.
        const char* stop = p;
        while (stop < end && *stop != '\r' && *stop != '\n') ++stop;
        if (m_bNewLine) {
            StartLine();
            m_bNewLine = 0;
        }
        m_arrLines[m_nLast].Append(p, static_cast<int>(stop - p));
        if (stop == end) break;
        m_arrLines[m_nLast] += "\r\n";
        m_bNewLine = 1;
        m_bAfterCR = *stop == '\r';
        p = stop + 1;
    }
}

int COutputLines::GetLineCount() const
{
    if (m_nLast < 0) return 0;
    return Mod(m_nLast - m_nFirst, m_nBufferLines) + 1;
}

const CString& COutputLines::GetLine(int i) const
{
    return m_arrLines[Mod(m_nFirst + i, m_nBufferLines)];
}

CString COutputLines::GetText() const
{
    CString text;
    const int n = GetLineCount();
    for (int i = 0; i < n; ++i) text += GetLine(i);
    return text;
}

BOOL COutputLines::SetBufferLineNum(short count)
{
    if (count < 1) return FALSE;
    const int n = GetLineCount();
    const int keep = std::min<int>(n, count);
    CStringArray lines;
    lines.SetSize(count);
    for (int i = 0; i < keep; ++i) lines[i] = GetLine(n - keep + i);
    m_arrLines.Copy(lines);
    m_nBufferLines = count;
    m_nFirst = 0;
    m_nLast = static_cast<short>(keep - 1);
    if (keep == 0) m_bNewLine = 1;
    return TRUE;
}

CString COutputLines::ShownText(const CString& line)
{
    const int n = line.GetLength();
    if (n >= 2 && line[n - 2] == '\r') return CString(line.GetString(), n - 2);
    return line;
}

int COutputLines::GetEndPosition(int visible) const
{
    const int rows = std::min<int>(std::max(visible, 0), m_nBufferLines);
    return m_nBufferLines - rows + 1;
}

int COutputLines::GetTopSlot(int position, int visible) const
{
    const int rows = std::min<int>(std::max(visible, 0), m_nBufferLines);
    const int maxPos = m_nBufferLines - rows + 1;
    position = std::clamp(position, 1, maxPos);
    // At the end position the newest slot is the last row drawn.
    return Mod(m_nLast + position, m_nBufferLines);
}

int COutputLines::GetRowSlot(int top, int row, int visible) const
{
    const int rows = std::min<int>(std::max(visible, 0), m_nBufferLines);
    const int blank = std::max(visible, 0) - rows;
    if (row < blank || row >= visible) return -1;
    return Mod(top + row - blank, m_nBufferLines);
}
