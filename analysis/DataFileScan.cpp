// The section scan of a solver data file.
#include "analysis/DataFileScan.h"

#include "analysis/RunPrompt.h"
#include "analysis/RunTexts.h"
#include "korvalib/base/DataFile.h"

#include <cstring>

const char* const CDataFile::kKeywords[SectionCount] = {
    "SYST", "REST", "CONS", "JOIN", "LSPR", "LOAD", "TEMP", "FORC", "MAST", "FRAM", "TRUS", "PRES",
    "CFRA", "REIN", "VFRA", "PIPE", "PLAN", "THRE", "SOL2", "SOL8", "S16E", "SHEL", "WALL", "EIGE",
    "RITZ", "LANC", "RVIB", "SOIL", "FLUI", "BRID", "LINE", "PE23", "PENA", "STIF", "DISP", "RESO",
    "STAB", "DYNA", "STEP", "SPEC", "DPRI", "SUPE", "SUBS", "TABS", "LEVE", "SFRA", "MASS", "NDLE",
};

void CDataFile::Reset()
{
    m_bScanned = 0;
    m_bConstruction = 0;
    std::memset(m_present, 0, sizeof m_present);
}

int CDataFile::HasAnySection(std::initializer_list<int> indexes) const
{
    for (int i : indexes)
        if (HasSection(i)) return 1;
    return 0;
}

void CDataFile::SetSection(int index, int present)
{
    if (index >= 0 && index < SectionCount) m_present[index] = present ? 1 : 0;
}

int CDataFile::Scan(const char* path, CRunPrompt& prompt)
{
    Reset();
    DKorvaDataFile file;
    if (!file.Open(path, 1)) {
        prompt.Prompt(RUN_TXT_OPEN_FAILED, CRunPrompt::Stop);
        return 0;
    }
    if (!file.IsANSIFile()) {
        file.Close();
        prompt.Prompt("文件为非ANSI编码，请使用记事本或其它工具转换成ANSI编码！", CRunPrompt::Stop);
        return 0;
    }
    for (;;) {
        const int more = file.ReadOnePhysicalLine();
        if (!file.IsGood()) {
            file.Close();
            prompt.Prompt(RUN_TXT_READ_FAILED, CRunPrompt::Stop);
            return 0;
        }
        if (!more) break;
        for (int i = 0; i < SectionCount; ++i) {
            if (!file.IsSection(kKeywords[i])) continue;
            m_present[i] = 1;
            if (i == SYST && file.ReadOneLine()) {
                // The line after SYSTEM is taken whole, never as a keyword line.
                int act = 0;
                if (file.ExtractInts("ACT", 1, &act) > 0 && act > 1) m_bConstruction = 1;
            }
            break;
        }
    }
    file.Close();
    if (!m_present[SYST]) {
        prompt.Prompt(RUN_TXT_NOT_DATA_FILE, CRunPrompt::Stop);
        return 0;
    }
    m_bScanned = 1;
    return 1;
}
