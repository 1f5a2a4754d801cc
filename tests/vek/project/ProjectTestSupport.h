#pragma once
// Shared by the tests of the project file and the document's model
// operations: the fixtures the Python layout writer made, a fresh model, the
// model as bytes, the model described as the fixtures' expectations describe
// it, and document hooks that record what they are asked.
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "korvalib/base/biostream.h"
#include "tests/support/TestFiles.h"
#include "vek/model/LayerList.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/model/document/DocumentHooks.h"
#include "vek/model/document/ModelReset.h"
#include "vek/model/project/ProjectFile.h"
#include "vek/model/project/ResultOffsets.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/model/storeys/StoreyLists.h"

namespace vektest {

inline std::string Fixture(const std::string& name)
{
    return std::string(VEK_FIXTURES) + "/" + name;
}

// The model as the program holds it right after start-up.
inline void FreshModel()
{
    theProjectOptions = CProjectOptions();
    ClearModelData();
    ResetModelParameters();
    theSframeIdOffset = theVframeIdOffset = 0;
    nPrjVersion = kProjectVersion;
}

// The whole model in project form.
inline Bytes ModelBytes()
{
    TempFile file("model", ".prj");
    {
        bofstream out;
        if (!out.Open(file.c_str())) return {};
        if (!WriteProjectStream(out)) return {};
        if (!out.Close()) return {};
    }
    return file.ReadAll();
}

// "" when the two byte strings are equal, else where they first differ.
inline std::string Difference(const Bytes& a, const Bytes& b)
{
    if (a == b) return "";
    size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
    char buf[160];
    std::snprintf(buf, sizeof buf, "sizes %zu and %zu, first difference at byte %zu: %d and %d", a.size(), b.size(), i,
                  i < a.size() ? int(a[i]) : -1, i < b.size() ? int(b[i]) : -1);
    return buf;
}

inline std::string Fmt(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.6g", v);
    return buf;
}

// key=value lines of the fixtures' expectation files.
inline std::map<std::string, std::string> ReadExpectations(const std::string& path)
{
    std::map<std::string, std::string> out;
    const Bytes b = ReadFileBytes(path);
    std::istringstream in(std::string(b.begin(), b.end()));
    std::string line;
    while (std::getline(in, line)) {
        const size_t eq = line.find('=');
        if (eq != std::string::npos) out[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return out;
}

// The model described by the keys of the expectation files.
inline std::map<std::string, std::string> DescribeModel()
{
    const CProjectOptions& o = theProjectOptions;
    std::map<std::string, std::string> d;
    d["undo"] = std::to_string(o.nUndoLimit);
    d["autosave"] = std::to_string(o.nAutoSaveInterval);
    d["prestress"] = std::to_string(o.nPrestressLoadCase);
    d["info"] = std::to_string(o.nElementInfoContent);
    d["unit"] = std::to_string(o.GetUnitCode());
    d["gravity"] = Fmt(o.fGravity);
    d["ccwshells"] = std::to_string(o.HasOption(CProjectOptions::kCounterClockwiseShells) ? 1 : 0);
    d["temp"] = std::to_string(o.nTemperatureLoadCase);
    d["loadscale"] = Fmt(o.fLoadDisplayScale);
    d["wallh"] = std::to_string(o.nWallHorzDivision);
    d["wallv"] = std::to_string(o.nWallVertDivision);
    d["planethick"] = Fmt(o.fPlaneThickness);
    d["sort"] = std::to_string(o.nSortOrder);
    d["zoom"] = Fmt(o.fZoomRatio);
    d["currentlc"] = std::to_string(o.nCurrentLoadCase);
    d["textsize"] = Fmt(o.dTextSize);
    d["select"] = std::to_string(o.nSelectMethod);
    d["pick"] = std::to_string(o.nPickOption);
    d["generate"] = std::to_string(o.nGenerateMethod);
    d["hspacing"] = Fmt(o.dHorzNodeSpacing);
    d["vspacing"] = Fmt(o.fVertNodeSpacing);
    d["contours"] = std::to_string(o.nContourColors);
    d["planemodel"] = std::to_string(o.bPlaneModel);

    const CLevelTable& lv = theLevels;
    d["levels"] = std::to_string(lv.count) + "," + std::to_string(lv.current);
    std::string heights, elevations, flags;
    for (int s = 0; s < lv.count; ++s) {
        heights += (s ? "," : "") + Fmt(lv.heights[s]);
        elevations += (s ? "," : "") + Fmt(lv.elevations[s]);
    }
    for (int s = -1; s <= 3; ++s) flags += (s > -1 ? "," : "") + std::to_string(lv.flags[s + 1]);
    d["heights"] = heights;
    d["elevations"] = elevations;
    d["base"] = Fmt(lv.baseElevation);
    d["levelflags"] = flags;
    d["range"] = std::to_string(theLevelRange.first) + "," + std::to_string(theLevelRange.last) + "," +
                 std::to_string(theLevelRange.step);
    std::string ranges;
    for (int k = 0; k < CDisplayRange::kKinds; ++k) {
        const CDisplayRange::Range& r = theDisplayRange.ranges[k];
        ranges += (k ? ";" : "") + std::to_string(r.from) + "," + std::to_string(r.to) + "," + std::to_string(r.step);
    }
    d["dranges"] = ranges;
    std::string switches;
    for (int i = 0; i < 40; ++i) {
        if (i >= 32 && i < 36) continue;
        switches += (i ? "," : "") + std::to_string(theDisplayOptions.Switch(i));
    }
    d["switches"] = switches;
    d["word"] = std::to_string(theDisplayOptions.m_word);

    std::string lists;
    for (int s = 0; s < theStoreyLists.GetSize(); ++s) {
        StoreyElementLists& l = *theStoreyLists.Get(s);
        MLArray<int>* parts[4] = {&l.frames, &l.walls, &l.nodes, &l.shells};
        std::string one;
        for (int p = 0; p < 4; ++p) {
            if (p) one += "|";
            for (int i = 0; i < parts[p]->GetSize(); ++i) one += (i ? "," : "") + std::to_string(*parts[p]->GetAt(i));
        }
        lists += (s ? ";" : "") + one;
    }
    d["storeylists"] = lists;
    d["layercurrent"] = std::to_string(theLayers.GetCurrent());
    std::string layers;
    for (int i = 0; i < theLayers.GetSize(); ++i) {
        const LayerInfo& l = theLayers[i];
        layers +=
            (i ? ";" : "") + std::string(l.name) + "/" + std::string(1, l.visible) + "/" + std::to_string(l.colour);
    }
    d["layers"] = layers;
    d["offsets"] = std::to_string(theSframeIdOffset) + "," + std::to_string(theVframeIdOffset);
    return d;
}

// Document hooks that record the projection's refits, the new-project dialog
// and the result object's requests; bound for the test's lifetime.
class RecordingDocumentHooks {
public:
    // Each request is recorded, then passed on to what was bound before.
    RecordingDocumentHooks()
    {
        m_saved = theDocumentHooks;
        Current() = this;
        theDocumentHooks.zoomExtents = [](int r, int d, int z) {
            Current()->zooms.push_back({r, d, z});
            if (Saved().zoomExtents) Saved().zoomExtents(r, d, z);
        };
        theDocumentHooks.resetView = [] {
            ++Current()->viewResets;
            if (Saved().resetView) Saved().resetView();
        };
        theDocumentHooks.setProjectionMode = [](int m) {
            Current()->modes.push_back(m);
            if (Saved().setProjectionMode) Saved().setProjectionMode(m);
        };
        theDocumentHooks.resultSetZero = [] { ++Current()->resultZeroed; };
        theDocumentHooks.resultSetFileName = [](const char* path, int nodes, int flag) {
            Current()->resultFiles.push_back(std::string(path) + "|" + std::to_string(nodes) + "|" +
                                             std::to_string(flag));
            return 1;
        };
        theDocumentHooks.endAllOperations = [] { ++Current()->operationsEnded; };
        theDocumentHooks.refreshPanels = [] { ++Current()->panelRefreshes; };
        theDocumentHooks.flashPrompt = [](const char* text, int ms) {
            Current()->flashes.push_back(std::string(text) + "|" + std::to_string(ms));
        };
        theDocumentHooks.fileNewDialog = [] { ++Current()->fileNewDialogs; };
        theDocumentHooks.startAnalysis = [](const char* path) { Current()->analyses.push_back(path); };
    }
    ~RecordingDocumentHooks()
    {
        theDocumentHooks = m_saved;
        Current() = nullptr;
    }
    RecordingDocumentHooks(const RecordingDocumentHooks&) = delete;
    RecordingDocumentHooks& operator=(const RecordingDocumentHooks&) = delete;

    struct Zoom {
        int recompute, resetDirection, resetZoom;
    };
    std::vector<Zoom> zooms;
    std::vector<int> modes;
    std::vector<std::string> resultFiles, analyses, flashes;
    int viewResets = 0, resultZeroed = 0, operationsEnded = 0, panelRefreshes = 0, fileNewDialogs = 0;

private:
    static RecordingDocumentHooks*& Current()
    {
        static RecordingDocumentHooks* p = nullptr;
        return p;
    }
    static const DocumentHooks& Saved() { return Current()->m_saved; }
    DocumentHooks m_saved;
};

}  // namespace vektest
