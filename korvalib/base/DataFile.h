#pragma once
// The solver's text data file: logical lines (continued by '&' or '\'),
// comment lines and ':' comments, section keywords, KEY=value lists, and a
// writer with the solver's number format and line wrapping.
#include <cstdint>
#include <cstdio>

#include "korvalib/base/KorvaApi.h"

class KORVA_API DKorvaDataFile {
public:
    static constexpr int kBufferSize = 2000;

    DKorvaDataFile();
    virtual ~DKorvaDataFile();
    DKorvaDataFile(const DKorvaDataFile&) = delete;
    DKorvaDataFile& operator=(const DKorvaDataFile&) = delete;

    // Text mode: "rt" when read is non-zero, else "wt". 0 when it cannot be opened.
    int Open(const char* name, int read);
    // 0 when the file begins with a UTF-16 or UTF-8 byte-order mark.
    int IsANSIFile();
    // 1 when the file's error indicator is clear; otherwise clears it and returns 0.
    int IsGood();
    // Writes a pending line out, then closes. 1 when every write and the
    // close succeeded (and for a file opened for reading).
    int Close();

    // One raw line, newline kept; the current length is not changed.
    int ReadOnePhysicalLine();
    // The next logical line that is not a comment line, ':' comment cut off,
    // ASCII letters in capitals. 0 at the end of the file.
    int ReadOneLine();
    int IsBlankLine() const;
    // The current line opens the section: first four characters, any case.
    int IsSection(const char* keyword) const;
    // From the start of the file, the first raw line opening the section.
    int GotoSection(const char* keyword);
    const char* GetLine() const { return m_pBuffer ? m_pBuffer : ""; }
    int GetLength() const { return m_nLength; }

    int ExtractInts(const char* key, int count, int* out) const;
    int ExtractDoubles(const char* key, int count, double* out) const;
    int ExtractFloats(const char* key, int count, float* out) const;

    // Writing: text accumulates in the line buffer and goes out at each
    // newline, at wrap and at Close.
    DKorvaDataFile& operator<<(const char* text);
    void Putc(char c);
    void Putc(unsigned char c) { Putc(static_cast<char>(c)); }
    DKorvaDataFile& operator<<(int v);
    DKorvaDataFile& operator<<(unsigned int v);
    // The numeric code of the character, not the character.
    DKorvaDataFile& operator<<(char v);
    DKorvaDataFile& operator<<(unsigned char v);
    DKorvaDataFile& operator<<(double v);
    DKorvaDataFile& operator<<(long double v) { return *this << static_cast<double>(v); }
    DKorvaDataFile& operator<<(float v) { return *this << static_cast<double>(v); }
    DKorvaDataFile& operator<<(DKorvaDataFile& (*manipulator)(DKorvaDataFile&)) { return manipulator(*this); }
    // p outside 2..255 becomes 4.
    void SetPrecision(int p);
    int GetPrecision() const { return m_nPrecision; }
    void InsertBlkAfterNumber(bool on) { m_bBlank = on ? 1 : 0; }

protected:
    int IsRefLine() const;
    void WriteToFile();

private:
    void Append(const char* text, int n);
    void AppendNumberText(const char* text, int n);
    void Emit(const char* p, int n);
    void FlushFull();
    int ReadPhysical(int at, bool& cut);

    char* m_pBuffer = nullptr;
    int16_t m_nLength = 0;
    FILE* m_pFile = nullptr;
    int8_t m_bRead = 0;
    uint8_t m_nPrecision = 4;
    int8_t m_bBlank = 1;
    double m_dThreshold = 0.01;
};

// Manipulators: one blank; end of line.
KORVA_API DKorvaDataFile& blk(DKorvaDataFile& f);
KORVA_API DKorvaDataFile& wrap(DKorvaDataFile& f);
