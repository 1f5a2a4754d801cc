#pragma once
// The loads of frames: one shared list of load records, which frames name
// per load case by 1-based number; equal records are shared.
#include <string>

#include "containers/MLArray.h"
#include "korvalib/model/LoadRecords.h"

class bofstream;
class bifstream;
class DKorvaDataFile;

// Groups of the 18 point lists.
enum EFrameLoadGroup { kDistributed = 0, kSpanMoment = 1, kSpanForce = 2 };

class CFrameLoad {
public:
    CFrameLoad() = default;
    CFrameLoad(const CFrameLoad&) = default;
    CFrameLoad& operator=(const CFrameLoad&) = default;
    virtual ~CFrameLoad() = default;

    void Clear();
    int IsZero() const;
    int IsEqual(const CFrameLoad& o) const;
    bool operator==(const CFrameLoad& o) const { return IsEqual(o) != 0; }

    int Write(bofstream& out);
    // By the project version in force.
    int Read(bifstream& in);
    void ScaleUnits(double forceFactor, double lengthFactor);
    // Appends the load text of the frame information.
    void GetText(std::string& out) const;
    // The load part of a frame line of the solver data file.
    void WriteDataLoads(DKorvaDataFile& file) const;
    // Every point of every list lies on a member of that length.
    bool PointsWithin(double length) const;
    // Splits at distance a of a member of length L into the loads of the two parts.
    void Split(double length, double at, CFrameLoad& first, CFrameLoad& second) const;
    // The load of two joined members; mode as MergeLoadPoints takes it.
    static void Merge(double length1, double length2, const CFrameLoad& first, const CFrameLoad& second, int mode,
                      CFrameLoad& out);

    float m_fPrestress = 0;
    float m_fTemp[3] = {0, 0, 0};  // uniform, gradient 2, gradient 3
    DLoadPoints m_Points[3][6];    // group, direction X Y Z 1 2 3
};

// The shared list: numbers in the frames' load lists are 1-based positions.
extern MLArray<CFrameLoad> theFrameLoads;

// 0 for a zero load; else the number of an equal record, appended when none.
int FindOrAddFrameLoad(const CFrameLoad& load);
// The keyword of a list in the data file ("PX" .. "F3").
const char* FrameLoadKeyword(int group, int direction);

// A list mirrored along a member of that length (relative lists in fractions).
void MirrorLoadPoints(DLoadPoints& points, double length);
// The merged list of two members' lists (see CFrameLoad::Merge).
void MergeLoadPoints(DLoadPoints& merged, double length1, double length2, const DLoadPoints& list1,
                     const DLoadPoints& list2, int mode, bool distributed);
// Whether a list is relative: its first position beyond LoadError is negative.
bool IsRelativeList(const DLoadPoints& points);
