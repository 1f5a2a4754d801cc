#include "vek/analysis/AnalysisIteration.h"

#include <cstdio>
#include <cstring>

#include "framework/File.h"
#include "korvalib/results/SetRecordCopy.h"
#include "vek/analysis/AnalysisOptions.h"
#include "vek/analysis/FamilyDataFile.h"
#include "vek/elements/line/springs/Spring.h"
#include "vek/model/loads/LoadCombination.h"

namespace {

const char* const kForceFiles[] = {"U3", "U7", "U30", "U31", "U5", "A2", "A11", "A14", "A17", "A41", "U41"};
const char* const kCopies[] = {"DIS", "U3", "U5", "U7", "U30", "U31", "A2", "A11", "A17", "A14", "A41", "U41", "PL"};
const char* const kOldResults[] = {"SYS", "F3",  "U3",  "F6",  "U6",  "F7",  "U7",  "F8",  "U8",  "F10",
                                   "U10", "F30", "U30", "F31", "U31", "F2",  "A2",  "F11", "A11", "F17",
                                   "A17", "F18", "A18", "F14", "A14", "A41", "U41", "F5",  "U5",  "ID",
                                   "XYZ", "DIS", "VEC", "EQU", "RES", "VEL", "ACC", "STP"};

bool Exists(const std::string& path)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::fclose(f);
    return true;
}

// A whole copy, written beside the target and put in place.
int CopyWholeFile(const std::string& from, const std::string& to)
{
    FILE* in = std::fopen(from.c_str(), "rb");
    if (!in) return 0;
    const std::string temp = to + ".$$$";
    FILE* out = std::fopen(temp.c_str(), "wb");
    if (!out) {
        std::fclose(in);
        return 0;
    }
    char buffer[65536];
    bool ok = true;
    size_t n;
    while (ok && (n = std::fread(buffer, 1, sizeof buffer, in)) > 0) ok = std::fwrite(buffer, 1, n, out) == n;
    ok = ok && !std::ferror(in);
    std::fclose(in);
    ok = std::fclose(out) == 0 && ok;
    if (!ok || !CFile::Replace(temp.c_str(), to.c_str())) {
        std::remove(temp.c_str());
        return 0;
    }
    return 1;
}

// The two combination lists, put back when the scope ends.
class CCombinationListsGuard {
public:
    CCombinationListsGuard()
    {
        for (int k = 0; k < 2; ++k) m_saved[k].Copy(theLoadCombinations[k]);
    }
    ~CCombinationListsGuard()
    {
        for (int k = 0; k < 2; ++k) theLoadCombinations[k].Copy(m_saved[k]);
    }
    CCombinationListsGuard(const CCombinationListsGuard&) = delete;
    CCombinationListsGuard& operator=(const CCombinationListsGuard&) = delete;

private:
    MLArray<LoadCombination> m_saved[2];
};

bool ListsEqual(MLArray<LoadCombination>& a, MLArray<LoadCombination>& b)
{
    if (a.GetSize() != b.GetSize()) return false;
    for (int i = 0; i < a.GetSize(); ++i)
        if (!a.GetAt(i)->IsEqual(*b.GetAt(i))) return false;
    return true;
}

// The one-way rule: a member that is on and carries the wrong sign goes off;
// one that is off and carries the right sign comes back. 1 when it changed.
bool Flip(bool tension, bool& off, double force, double t)
{
    if (tension) {
        if (!off && force < -t) return off = true;
        if (off && force > t) return !(off = false);
    } else {
        if (!off && force > t) return off = true;
        if (off && force < -t) return !(off = false);
    }
    return false;
}

}  // namespace

std::string ResultFile(const std::string& base, const char* ext)
{
    return base + "." + ext;
}

int MoveBackCopies(const std::string& base)
{
    int ok = 1;
    for (const char* ext : kCopies) {
        const std::string file = ResultFile(base, ext), copy = file + "~";
        if (!Exists(copy)) continue;
        if (!CFile::Replace(copy.c_str(), file.c_str())) ok = 0;
    }
    return ok;
}

void ClearOldResults(const std::string& base)
{
    MoveBackCopies(base);
    for (const char* ext : kOldResults) std::remove(ResultFile(base, ext).c_str());
}

int KeepDisplacementRecord(const std::string& base, int position, int equations)
{
    const std::string file = ResultFile(base, "DIS"), copy = file + "~";
    if (!Exists(copy)) return CopyWholeFile(file, copy);
    const long long size = 8LL * equations + 8;
    return CopyFileRange(file.c_str(), copy.c_str(), size * position, size);
}

int KeepForceCombination(const std::string& base, int comb, int combs)
{
    for (const char* ext : kForceFiles) {
        const std::string file = ResultFile(base, ext), copy = file + "~";
        if (!Exists(file)) continue;
        const int ok = Exists(copy) ? CopyElementSetRecords(file.c_str(), copy.c_str(), ext, comb, combs)
                                    : CopyWholeFile(file, copy);
        if (!ok) return 0;
    }
    return 1;
}

CAnalysisIteration::~CAnalysisIteration()
{
    SwitchAllOn();
}

void CAnalysisIteration::FindOneWayMembers()
{
    m_beams.clear();
    m_springs.clear();
    if (CFrameDataFamily* frames = FrameDataFamily()) {
        CFrameDataRow row;
        for (int pos = 0; pos < frames->Count(); ++pos) {
            frames->Row(pos, row);
            if (row.tensionOnly || row.compressionOnly) m_beams.push_back({row.id, row.tensionOnly});
        }
    }
    for (int i = 0; i < theSprings.GetSize(); ++i) {
        const CSpring* s = theSprings.GetAt(i);
        if (s->m_cMode != 0 && s->m_cKind == 0) m_springs.push_back({s->m_nID, s->m_cMode == 1});
    }
}

void CAnalysisIteration::SwitchAllOn()
{
    if (CFrameDataFamily* frames = FrameDataFamily())
        for (const OneWay& b : m_beams) {
            const int pos = frames->IndexOfID(b.id);
            if (pos >= 0) frames->SetSwitchedOff(pos, false);
        }
    for (const OneWay& s : m_springs)
        if (theSprings.IsValidID(s.id)) theSprings.GetByID(s.id)->m_bSlack = 0;
}

std::string CAnalysisIteration::IterationPrompt() const
{
    static const char* const kNames[4] = {"", "内力组合", "位移组合", "荷载种类"};
    char text[160];
    std::snprintf(text, sizeof text, "正在对%s%d进行第%d次迭代分析......", kNames[m_target], m_index, m_step);
    return text;
}

int CAnalysisIteration::WriteWithTargetLists(int fresh)
{
    if (!m_iterate) return m_links.WriteDataFile(fresh);
    CCombinationListsGuard keep;
    if (m_target == kCases) theLoadCombinations[1].SetSize(0);
    if (m_target == kCases || m_target == kDispCombs) theLoadCombinations[0].SetSize(0);
    return m_links.WriteDataFile(fresh);
}

int CAnalysisIteration::Start(const std::string& dataFile)
{
    const CAnalysisOptions& o = theAnalysisOptions;
    m_base = dataFile;
    m_endText.clear();
    FindOneWayMembers();
    const bool oneWay = !m_beams.empty() || !m_springs.empty();
    m_iterate = oneWay && !m_links.DynamicAnalysis() && !o.IterationOff();
    m_maxReached = false;
    if (m_iterate) {
        m_combsNone = theLoadCombinations[0].GetSize() == 0 && theLoadCombinations[1].GetSize() == 0;
        m_combsAlike = theLoadCombinations[0].GetSize() == 0 || theLoadCombinations[1].GetSize() == 0 ||
                       ListsEqual(theLoadCombinations[0], theLoadCombinations[1]);
    }
    m_index = m_step = 1;
    if (!(o.chooseModules && !m_iterate)) ClearOldResults(m_base);
    if (m_iterate) {
        if (!m_combsNone && o.iterateCases)
            m_target = kCases;
        else if (!m_combsAlike && o.iterateDispCombs)
            m_target = kDispCombs;
        else
            m_target = kForceCombs;
    }
    m_links.ClearResults();
    if (m_iterate || !o.reuseDataFile || !m_links.DataFileExists()) {
        const int written = WriteWithTargetLists(1);
        if (m_iterate) FindOneWayMembers();
        if (!written) {
            m_iterate = false;
            return kEnded;
        }
    }
    m_chosenSteps = o.chooseModules && !m_iterate;
    m_links.RunSolver(m_chosenSteps, o.freeModal);
    if (m_iterate) m_links.Prompt(IterationPrompt().c_str());
    return kRunning;
}

int CAnalysisIteration::TargetCount() const
{
    int cases = 0, disp = 0, force = 0, equations = 0;
    m_links.ResultCounts(cases, disp, force, equations);
    return m_target == kForceCombs ? force : m_target == kDispCombs ? disp : cases;
}

int CAnalysisIteration::ConvergenceTest()
{
    const double t = theAnalysisOptions.tolerance;
    bool changed = false;
    std::map<int, double> forces;
    CFrameDataFamily* frames = FrameDataFamily();
    if (!m_beams.empty() && frames) {
        if (!m_links.BeamAxialForces(m_index, forces)) {
            m_links.MessageID(104);
            return -1;
        }
        for (const OneWay& b : m_beams) {
            const int pos = frames->IndexOfID(b.id);
            const auto f = forces.find(b.id);
            if (pos < 0 || f == forces.end()) continue;
            bool off = frames->IsSwitchedOff(pos);
            if (Flip(b.tension, off, f->second, t)) {
                frames->SetSwitchedOff(pos, off);
                changed = true;
            }
        }
    }
    if (!m_springs.empty()) {
        forces.clear();
        if (!m_links.SpringForces(m_index, forces)) {
            m_links.MessageID(104);
            return -1;
        }
        for (const OneWay& s : m_springs) {
            const auto f = forces.find(s.id);
            if (!theSprings.IsValidID(s.id) || f == forces.end()) continue;
            CSpring* spring = theSprings.GetByID(s.id);
            bool off = spring->m_bSlack != 0;
            if (Flip(s.tension, off, f->second, t)) {
                spring->m_bSlack = off ? 1 : 0;
                changed = true;
            }
        }
    }
    return changed ? 0 : 1;
}

int CAnalysisIteration::KeepCase()
{
    int cases = 0, disp = 0, force = 0, equations = 0;
    m_links.ResultCounts(cases, disp, force, equations);
    int ok = 1;
    if (m_target == kCases) {
        if (m_index <= cases) ok = KeepDisplacementRecord(m_base, m_index - 1, equations);
    } else if (m_target == kDispCombs) {
        if (m_index <= disp) ok = KeepDisplacementRecord(m_base, cases + m_index - 1, equations);
    } else if (m_index <= force) {
        m_links.Prompt("正在保存迭代收敛的结果文件...");
        ok = KeepForceCombination(m_base, m_index, force);
        if (ok && m_combsAlike && m_index <= disp) ok = KeepDisplacementRecord(m_base, cases + m_index - 1, equations);
        if (ok && m_combsNone && m_index <= cases) ok = KeepDisplacementRecord(m_base, m_index - 1, equations);
    }
    const std::string pl = ResultFile(m_base, "PL");
    if (ok && Exists(pl) && !Exists(pl + "~")) ok = CopyWholeFile(pl, pl + "~");
    return ok;
}

int CAnalysisIteration::OnRunEnded(int normal)
{
    // A run that ended well but left no result set to read computed nothing:
    // it is no success. Only steps the user chose may leave none.
    if (normal == 1 && !m_links.LoadResults() && !m_chosenSteps) normal = 0;
    int cases = 0, disp = 0, force = 0, equations = 0;
    m_links.ResultCounts(cases, disp, force, equations);
    if (!m_iterate || normal != 1 || force == 0) {
        End(normal == 1);
        return kEnded;
    }
    bool again = false;
    if (m_step < theAnalysisOptions.maxSteps) {
        const int r = ConvergenceTest();
        if (r < 0) {
            End(0);
            return kEnded;
        }
        if (r == 0) {
            ++m_step;
            again = true;
        }
    } else {
        m_maxReached = true;
    }
    if (!again) {
        if (!KeepCase()) {
            End(0);
            return kEnded;
        }
        if (m_index >= TargetCount()) {
            if (m_target == kCases)
                m_target = !m_combsAlike && theAnalysisOptions.iterateDispCombs ? kDispCombs : kForceCombs;
            else if (m_target == kDispCombs)
                m_target = kForceCombs;
            else {
                End(1);
                return kEnded;
            }
            m_index = 1;
        } else {
            ++m_index;
        }
        m_step = 1;
        SwitchAllOn();
    }
    if (!WriteWithTargetLists(0)) {
        End(0);
        return kEnded;
    }
    m_links.Prompt(IterationPrompt().c_str());
    m_links.RunSolver(0, theAnalysisOptions.freeModal);
    return kRunning;
}

void CAnalysisIteration::End(int normal)
{
    SwitchAllOn();
    const bool oneWay = !m_beams.empty() || !m_springs.empty();
    if (!MoveBackCopies(m_base)) normal = 0;
    if (oneWay && m_iterate) {
        m_links.DeleteConvertedFiles();
        m_links.LoadResults();
    }
    m_beams.clear();
    m_springs.clear();
    if (m_maxReached) {
        char text[200];
        std::snprintf(text, sizeof text, "计算过程中迭代步数曾经达到最大的迭代步数:%d，可能并非因为收敛而结束！",
                      int(theAnalysisOptions.maxSteps));
        m_links.Message(text);
    }
    m_endText = normal ? "计算完成！" : "计算过程非正常结束！";
    m_links.Prompt(m_endText.c_str());
    m_iterate = false;
}
