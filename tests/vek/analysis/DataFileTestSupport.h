#pragma once
// What the data-file tests share: the written file read back, and the
// model's records that the blocks read emptied.
#include <fstream>
#include <sstream>
#include <string>

#include "tests/vek/model/SteelSectionsForTests.h"
#include "vek/elements/line/nodes/NodeDisplacement.h"
#include "vek/model/analysis/AnalysisParameters.h"
#include "vek/model/loads/LoadCombination.h"
#include "vek/model/materials/Material.h"
#include "vek/model/materials/Sections.h"

namespace vektest {

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The lines as the file holds them: on Windows they end in CR LF.
inline std::string FileBytes(const std::string& lines)
{
#ifdef _WIN32
    std::string out;
    for (char c : lines) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
#else
    return lines;
#endif
}

// The lines alone, without the CR of Windows' line ends.
inline std::string ReadText(const std::string& path)
{
    std::string t;
    for (char c : ReadBytes(path))
        if (c != '\r') t += c;
    return t;
}

// The rolled section I20A in the steel section list; its number.
inline int AddSteelI20A()
{
    theSframeSects.Add(SteelOfString("I20A", 2, 3));
    return theSframeSects.GetSize();
}

inline void ResetDataFileRecords()
{
    theMaterials.SetSize(0);
    theFrameSects.SetSize(0);
    theSframeSects.SetSize(0);
    theVframeSects.SetSize(0);
    theLoadCombinations[0].SetSize(0);
    theLoadCombinations[1].SetSize(0);
    theEigenPara.Reset();
    theNodeDisplacements.clear();
}

}  // namespace vektest
