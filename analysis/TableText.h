#pragma once
// Filling the grid from a text file and by series, over any table that has
// GetRowCount, GetColCount, ResizeRows, SetCellText and GetCellText: the
// window (through its virtual operations) or a CTableModel.
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "analysis/AnalysisApi.h"

// NoMemory: no room for the file's text; Refused: the table could not take
// its rows (and is unchanged); Partial: memory ran out while the texts went in.
enum class TableImport { Done, CannotOpen, ReadError, Empty, NoMemory, Refused, Partial };
// Refused: the table could not take the rows; NoMemory: memory ran out for the
// texts (the rows are taken back). Either way the table is as it was.
enum class TableFill { Done, Nothing, Refused, NoMemory };

// A text file read whole and taken a line at a time. Lines end at LF; the
// CRs before it are dropped; a last line without LF counts; a line may be of
// any length.
class ANALYSIS_API CTableTextFile {
public:
    CTableTextFile() = default;
    ~CTableTextFile();
    CTableTextFile(const CTableTextFile&) = delete;
    CTableTextFile& operator=(const CTableTextFile&) = delete;

    // Empty for a file of no bytes.
    TableImport Load(const char* path);
    int64_t GetLineCount() const { return m_nLines; }
    // The next line, NUL-terminated in the file's buffer (len without the
    // NUL); null after the last.
    char* NextLine(size_t& len);

    // Splits a line in place at commas, blanks, tabs and NULs (a run counts as
    // one) into at most max tokens; returns how many it stored.
    static int Tokens(char* line, size_t len, char** tokens, int max);

private:
    char* m_pData = nullptr;
    size_t m_nSize = 0;
    size_t m_nPos = 0;
    int64_t m_nLines = 0;
};

// Only digits, '+' and '-', and not empty.
ANALYSIS_API bool TableIsIntegerText(const char* text);
// Only digits, '.', 'e', 'E', '+' and '-' (empty counts).
ANALYSIS_API bool TableIsNumericText(const char* text);

// One data row per line of the file (the header row stays): token k of a line
// is the text of column k, tokens beyond the last column are dropped, and the
// columns without a token get " ". Nothing changes unless the file was read
// whole and the table could take its rows.
template <class Table>
TableImport TableImportText(Table& t, const char* path)
{
    CTableTextFile file;
    const TableImport loaded = file.Load(path);
    if (loaded != TableImport::Done) return loaded;
    const int64_t lines = file.GetLineCount();
    if (lines >= INT_MAX) return TableImport::Refused;
    const int rows = int(lines) + 1;
    t.ResizeRows(rows);
    if (t.GetRowCount() != rows) return TableImport::Refused;
    const int cols = t.GetColCount();
    char* tokens[64];
    char** tok = cols - 1 <= 64 ? tokens : new (std::nothrow) char*[size_t(cols - 1)];
    if (!tok) return TableImport::NoMemory;
    TableImport result = TableImport::Done;
    size_t len = 0;
    for (int r = 1; r < rows && result == TableImport::Done; ++r) {
        char* line = file.NextLine(len);
        const int n = line ? CTableTextFile::Tokens(line, len, tok, cols - 1) : 0;
        for (int k = 1; k < cols; ++k)
            if (!t.SetCellText(r, k, k <= n ? tok[k - 1] : " ")) result = TableImport::Partial;
    }
    if (tok != tokens) delete[] tok;
    return result;
}

// Appends n rows. Copy mode (0) repeats each column's last text; series mode
// (1) continues the last two rows of a numeric column (with one data row, a
// non-zero integer counts up by 1) and copies the other columns. A table that
// cannot take the rows stays as it was.
template <class Table>
TableFill TableAutoFill(Table& t, int mode, int n)
{
    const int old = t.GetRowCount();
    if (n < 1 || old < 2) return TableFill::Nothing;
    if (n > INT_MAX - old) return TableFill::Refused;
    t.ResizeRows(old + n);
    if (t.GetRowCount() != old + n) return TableFill::Refused;
    char last[256], before[256], number[64];
    for (int c = 1; c < t.GetColCount(); ++c) {
        t.GetCellText(old - 1, c, last, sizeof last);
        bool copy = mode == 0;
        double value = 0, step = 0;
        if (!copy && old < 3) {
            value = std::atof(last);
            if (TableIsIntegerText(last) && std::trunc(value) != 0)
                step = 1;
            else
                copy = true;
        } else if (!copy) {
            t.GetCellText(old - 2, c, before, sizeof before);
            if (TableIsNumericText(last) && TableIsNumericText(before)) {
                value = std::atof(last);
                step = value - std::atof(before);
            } else {
                copy = true;
            }
        }
        for (int r = old; r < old + n; ++r) {
            const char* text = last;
            if (!copy) {
                value += step;
                std::snprintf(number, sizeof number, "%g", value);
                text = number;
            }
            if (!t.SetCellText(r, c, text)) {
                t.ResizeRows(old);
                return TableFill::NoMemory;
            }
        }
    }
    return TableFill::Done;
}
