#include "vek/dialogs/logic/CombinationRules.h"

#include <cmath>
#include <cstdio>

#include "korvalib/base/Gbk.h"
#include "vek/model/loads/LibTextFile.h"

namespace combrules {

void FactorsToRows(const LoadFactorList& factors, MLArraySort<CAxisGridItem>& rows)
{
    auto& list = const_cast<LoadFactorList&>(factors);
    rows.SetSize(0);
    for (int i = 0; i < list.GetSize(); ++i)
        rows.Add(CAxisGridItem(int(list.GetAt(i)->loadCase), double(list.GetAt(i)->factor)));
}

int FactorsFromRows(const MLArraySort<CAxisGridItem>& rows, LoadFactorList& factors)
{
    auto& items = const_cast<MLArraySort<CAxisGridItem>&>(rows);
    LoadFactorList made;
    for (int i = 0; i < items.GetSize(); ++i) {
        int lc = 0;
        double f = 0;
        items.GetAt(i)->GetLeft(lc);
        items.GetAt(i)->GetRight(f);
        if (!(std::fabs(f) > 0.0001)) continue;
        if (lc < 1 || lc > kMaxLoadCase) return i;
        made.Add(LoadFactor().Set(lc, f));
    }
    factors.Copy(made);
    return -1;
}

std::string CombinationTip(const LoadCombination& c, int row, size_t room)
{
    char part[96];
    std::snprintf(part, sizeof part, "组合%d=", row + 1);
    std::string tip = part;
    bool first = true;
    auto term = [&](const char* text) {
        if (!first) tip += '+';
        tip += text;
        first = false;
    };
    auto& list = const_cast<LoadFactorList&>(c.factors);
    for (int i = 0; i < list.GetSize(); ++i) {
        std::snprintf(part, sizeof part, "荷载种类%d×%.2f", int(list.GetAt(i)->loadCase),
                      double(list.GetAt(i)->factor));
        term(part);
    }
    const char* quake[3] = {"1向地震", "2向地震", "竖向地震"};
    for (int k = 0; k < 3; ++k)
        if (std::fabs(c.c[k]) > 0.00001) {
            std::snprintf(part, sizeof part, "%s×%.2f", quake[k], double(c.c[k]));
            term(part);
        }
    if (std::fabs(c.constructionFactor) > 0.00001) {
        std::snprintf(part, sizeof part, "施工模拟结果×%.2f", double(c.constructionFactor));
        term(part);
    }
    if (c.dynamicStep >= 1 && std::fabs(c.dynamicFactor) > 0.00001) {
        std::snprintf(part, sizeof part, "第%d步时程响应输出×%.2f", int(c.dynamicStep), double(c.dynamicFactor));
        term(part);
    }
    return room > 0 ? gbk::CutToBytes(tip, room - 1) : std::string();
}

std::vector<std::string> LibrarySections(CLibTextFile& lib)
{
    std::vector<std::string> sections;
    if (lib.IsOpenFailed()) return sections;
    for (const char* s = lib.FirstSection(); s; s = lib.NextSection()) sections.emplace_back(s);
    return sections;
}

std::string SectionKey(const char* entry)
{
    const std::string text = entry ? entry : "";
    // A trail byte may look like "]": the text is walked a character at a time.
    for (size_t i = 0; i < text.size();) {
        const size_t n = gbk::CharLength(text.data(), i, text.size());
        if (n == 1 && text[i] == ']') return text.substr(0, i + 1);
        i += n;
    }
    return std::string();
}

std::vector<LoadCombination> LibrarySection(CLibTextFile& lib, const std::string& key)
{
    std::vector<LoadCombination> rows;
    if (key.empty() || lib.IsOpenFailed() || !lib.FindSection(key.c_str())) return rows;
    while (const char* line = lib.NextDataLine()) {
        std::string text = line;
        gbk::ToUpperAscii(text);
        LoadCombination c;
        if (!c.SetFromText(text.c_str())) break;
        rows.push_back(c);
    }
    return rows;
}

std::string NotepadCommandLine(const char* path)
{
    return std::string("notepad.exe \"") + (path ? path : "") + "\"";
}

}  // namespace combrules
