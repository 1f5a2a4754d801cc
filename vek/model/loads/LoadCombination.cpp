#include "vek/model/loads/LoadCombination.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "korvalib/base/DataFile.h"
#include "korvalib/base/GFunc.h"
#include "korvalib/base/biostream.h"
#include "korvalib/model/CommonData.h"
#include "korvalib/model/KeyedLists.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/Binding.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/analysis/SpectrumSettings.h"

MLArray<LoadCombination> theLoadCombinations[2];

namespace {

CBinding<CLoadCombinationDialog> combinationDialog;

// A number of the text form followed by one blank: two decimals for the
// user; for the data file as many significant digits (up to six) as the
// value has, so that a factor of 1.234 is not written as 1.23.
void AppendNumber(std::string& text, double v, bool forDataFile)
{
    char buf[64];
    const bool twoDecimals = std::fabs(v * 100 - std::round(v * 100)) <= 1e-4 * std::max(1.0, std::fabs(v));
    std::snprintf(buf, sizeof buf, forDataFile && !twoDecimals ? "%.6g" : "%.2f", v);
    GFunc::CompressFloatString(buf, 1);
    text += buf;
    text += ' ';
}

}  // namespace

void LoadFactor::Write(bofstream& out) const
{
    out << loadCase << factor;
}

void LoadFactor::Read(bifstream& in)
{
    in >> loadCase >> factor;
}

LoadCombination& LoadCombination::operator=(const LoadCombination& o)
{
    if (this == &o) return *this;
    factors.Copy(o.factors);
    std::copy(std::begin(o.c), std::end(o.c), c);
    constructionFactor = o.constructionFactor;
    dynamicFactor = o.dynamicFactor;
    dynamicStep = o.dynamicStep;
    kinds = o.kinds;
    return *this;
}

double LoadCombination::GetFactor(int lc) const
{
    LoadFactor key;
    key.loadCase = uint16_t(lc);
    int at = 0;
    auto& list = const_cast<LoadFactorList&>(factors);
    return list.Find(key, 0, at) ? list.GetAt(at)->factor : 0.0;
}

bool LoadCombination::IsEqual(const LoadCombination& o) const
{
    auto Close = [](double a, double b) { return std::fabs(a - b) <= CombinationError; };
    if (factors.GetSize() != o.factors.GetSize()) return false;
    for (int k = 0; k < 3; ++k)
        if (!Close(c[k], o.c[k])) return false;
    auto& mine = const_cast<LoadFactorList&>(factors);
    auto& theirs = const_cast<LoadFactorList&>(o.factors);
    for (int i = 0; i < mine.GetSize(); ++i)
        if (mine.GetAt(i)->loadCase != theirs.GetAt(i)->loadCase ||
            !Close(mine.GetAt(i)->factor, theirs.GetAt(i)->factor))
            return false;
    return Close(constructionFactor, o.constructionFactor) && kinds == o.kinds && dynamicStep == o.dynamicStep &&
           Close(dynamicFactor, o.dynamicFactor);
}

bool LoadCombination::IsEmpty() const
{
    auto& list = const_cast<LoadFactorList&>(factors);
    for (int i = 0; i < list.GetSize(); ++i)
        if (list.GetAt(i)->loadCase != 0 && std::fabs(list.GetAt(i)->factor) > 0.001) return false;
    for (float v : c)
        if (std::fabs(v) > CombinationError) return false;
    if (std::fabs(constructionFactor) > CombinationError) return false;
    return dynamicStep < 1 || std::fabs(dynamicFactor) <= CombinationError;
}

std::string LoadCombination::GetText(bool forDataFile) const
{
    std::string text;
    auto& list = const_cast<LoadFactorList&>(factors);
    if (list.GetSize() > 0) {
        text = "C=";
        int next = 1;
        for (int i = 0; i < list.GetSize(); ++i) {
            const LoadFactor& f = *list.GetAt(i);
            for (; next < f.loadCase; ++next) text += "0 ";
            AppendNumber(text, f.factor, forDataFile);
            next = f.loadCase + 1;
        }
    }
    int k = 0;
    for (int j = 0; j < 3; ++j)
        if (std::fabs(c[j]) > CombinationError) k = j + 1;
    if (k > 0) {
        const int kind = CoefficientKind();
        text += kind == 0 ? "E=" : kind == 1 ? "A=" : "Q=";
        const uint8_t on[3] = {theSpectrumSettings.direction1On, theSpectrumSettings.direction2On,
                               theSpectrumSettings.verticalOn};
        for (int j = 0; j < k; ++j)
            if (!forDataFile || on[j]) AppendNumber(text, c[j], forDataFile);
    }
    if (std::fabs(constructionFactor) > CombinationError) {
        text += "CACT=";
        AppendNumber(text, constructionFactor, forDataFile);
    }
    if (dynamicStep > 0 && std::fabs(dynamicFactor) > CombinationError) {
        const bool history = ModelHooks().HistoryAnalysisType() == 1;
        const bool second = DynamicKind() == 1;
        text += history ? (second ? "ADI=" : "EDI=") : (second ? "ATI=" : "ETI=");
        text += std::to_string(dynamicStep) + ' ';
        AppendNumber(text, dynamicFactor, forDataFile);
    }
    return text;
}

bool LoadCombination::SetFromText(const char* text)
{
    if (!text) text = "";
    factors.SetSize(0);
    std::fill(std::begin(c), std::end(c), 0.0f);
    std::vector<double> values(std::max<size_t>(std::strlen(text), 10));
    const int room = int(values.size());
    bool any = false;
    const int n = GFunc::ExtractDoubles(text, room, "C", values.data());
    for (int i = 0; i < n; ++i) {
        if (std::fabs(values[size_t(i)]) >= CombinationError) AddFactor(i + 1, values[size_t(i)]);
        any = true;
    }
    int kind = 0;
    const char* keys[3] = {"E", "A", "Q"};
    for (int k = 0; k < 3; ++k) {
        double v[3];
        if (GFunc::ExtractDoubles(text, 3, keys[k], v) > 0) {
            kind = k;
            for (int j = 0; j < 3; ++j) c[j] = float(v[j]);
            any = true;
            break;
        }
    }
    double v[2];
    if (GFunc::ExtractDoubles(text, 1, "CACT", v) > 0) {
        constructionFactor = float(v[0]);
        any = true;
    }
    int dynamic = 0;
    const char* dynamicKeys[4] = {"EDI", "ETI", "ADI", "ATI"};
    for (int k = 0; k < 4; ++k) {
        if (GFunc::ExtractDoubles(text, 2, dynamicKeys[k], v) > 0) {
            dynamic = k < 2 ? 0 : 1;
            dynamicStep = int32_t(std::lround(v[0]));
            dynamicFactor = float(v[1]);
            any = true;
            break;
        }
    }
    kinds = uint8_t(kind | dynamic << 4);
    return any;
}

void LoadCombination::WriteDataFile(DKorvaDataFile& f) const
{
    int t = 0;
    if (std::fabs(c[0]) + std::fabs(c[1]) > CombinationError)
        t = 1;
    else if (std::fabs(c[2]) > CombinationError)
        t = 2;
    f << GetText(true).c_str() << " T=" << t << wrap;
}

bool LoadCombination::Write(bofstream& out) const
{
    auto& list = const_cast<LoadFactorList&>(factors);
    out << int32_t(list.GetSize());
    for (int i = 0; i < list.GetSize(); ++i) list.GetAt(i)->Write(out);
    out.Write(c, sizeof c);
    out << constructionFactor << dynamicFactor << dynamicStep << kinds;
    return out.IsGood() != 0;
}

bool LoadCombination::Read(bifstream& in)
{
    LoadCombination r(*this);
    r.factors.SetSize(0);
    if (nPrjVersion < 520) {
        float ten[10];
        in.Read(ten, sizeof ten);
        for (int i = 0; i < 10 && in.IsGood(); ++i) r.factors.Add(LoadFactor().Set(i + 1, ten[i]));
    } else {
        int32_t count = 0;
        in >> count;
        if (!in.IsGood() || count < 0 || !in.CheckAvailable(int64_t(count) * 6)) {
            in.SetFailed();
            return false;
        }
        for (int i = 0; i < count && in.IsGood(); ++i) {
            LoadFactor f;
            f.Read(in);
            if (in.IsGood()) r.factors.Add(f);
        }
    }
    in.Read(r.c, sizeof r.c);
    if (nPrjVersion >= 611) in >> r.constructionFactor;
    if (nPrjVersion >= 700) in >> r.dynamicFactor >> r.dynamicStep >> r.kinds;
    if (!in.IsGood()) return false;
    *this = r;
    return true;
}

CLoadCombinationDialog* SetLoadCombinationDialog(CLoadCombinationDialog* dialog)
{
    return combinationDialog.Set(dialog);
}

bool LoadCombination::Edit()
{
    LoadCombination edited(*this);
    if (!combinationDialog.Get().Edit(edited)) return false;
    *this = edited;
    if (factors.GetSize() > 0 && factors.GetAt(0)->loadCase == 1 && std::fabs(constructionFactor) > CombinationError) {
        AppMessageBox("由于施工模拟施加的荷载就是荷载种类1的荷载，固不能同时组合荷载种类1和施工模拟的最终结果！");
        constructionFactor = 0;
    }
    return true;
}

bool WriteLoadCombinations(bofstream& out)
{
    for (MLArray<LoadCombination>& list : theLoadCombinations) {
        out << int32_t(list.GetSize());
        for (int i = 0; i < list.GetSize(); ++i) list.GetAt(i)->Write(out);
    }
    return out.IsGood() != 0;
}

bool ReadLoadCombinations(bifstream& in)
{
    MLArray<LoadCombination> read[2];
    for (int k = 0; k < 2; ++k) {
        if (nPrjVersion < (k == 0 ? 460 : 600)) {
            read[k].Copy(theLoadCombinations[k]);
            continue;
        }
        int32_t count = 0;
        in >> count;
        const int64_t least = nPrjVersion < 520 ? 52 : 16;
        if (!in.IsGood() || count < 0 || !in.CheckAvailable(count * least) || !read[k].SetSize(count)) {
            in.SetFailed();
            return false;
        }
        for (int i = 0; i < count; ++i) {
            LoadCombination comb;
            if (!comb.Read(in) || !read[k].Add(comb)) {
                in.SetFailed();
                return false;
            }
        }
    }
    for (int k = 0; k < 2; ++k) theLoadCombinations[k].Copy(read[k]);
    return true;
}

void SaveElementLoad(bofstream& out, const DElementLoad& loads)
{
    out << int16_t(loads.Entries());
    for (int i = 0; i < loads.Entries(); ++i) out << loads[i].nKey << loads[i].nValue;
}

bool LoadElementLoad(bifstream& in, DElementLoad& loads)
{
    const int v = nPrjVersion;
    DElementLoad read;
    if (v < 520) {
        const int slots = v >= 361 && v <= 400 ? 5 : 10;
        for (int i = 0; i < slots; ++i) {
            int32_t id = 0;
            in >> id;
            if (in.IsGood() && id > 0) read.Insert(int16_t(i + 1), id);
        }
    } else {
        int count = 0;
        if (v < 690) {
            int32_t c32 = 0;
            in >> c32;
            count = c32;
        } else {
            int16_t c16 = 0;
            in >> c16;
            count = c16;
        }
        if (count > 32767 || (count > 0 && !in.CheckAvailable(int64_t(count) * 6))) {
            in.SetFailed();
            return false;
        }
        for (int i = 0; i < count && in.IsGood(); ++i) {
            int16_t key = 0;
            int32_t id = 0;
            in >> key >> id;
            if (in.IsGood()) read.Insert(key, id);
        }
    }
    if (!in.IsGood()) return false;
    loads = std::move(read);
    return true;
}

void CopyElementLoad(DElementLoad& target, bool currentCaseOnly, const DElementLoad& source)
{
    if (!currentCaseOnly) {
        target = source;
        return;
    }
    const int at = source.Index(int16_t(theProjectOptions.nCurrentLoadCase));
    if (at >= 0) target.Insert(source[at].nKey, source[at].nValue);
}
