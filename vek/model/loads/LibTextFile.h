#pragma once
// A text library file of sections: a line beginning with '[' opens a
// section, the lines after it up to a blank line or the next section are
// its data.
#include <cstdio>

class CLibTextFile {
public:
    // Opens the file (refusing Unicode files); says so when it cannot.
    explicit CLibTextFile(const char* path);
    ~CLibTextFile();
    CLibTextFile(const CLibTextFile&) = delete;
    CLibTextFile& operator=(const CLibTextFile&) = delete;

    bool IsOpenFailed() const { return m_pFile == nullptr; }
    void Rewind();
    // The next section line without its line end; null at the end.
    const char* NextSection();
    const char* FirstSection();
    // Goes to the first line beginning with the name (any case).
    bool FindSection(const char* name);
    // The next data line of the section; null at its end.
    const char* NextDataLine();

private:
    // The next line into the buffer, its line end cut; false at the end.
    bool ReadLine();

    char m_szLine[1000];
    FILE* m_pFile = nullptr;
};
