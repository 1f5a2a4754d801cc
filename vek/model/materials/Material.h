#pragma once
// Materials of the model, referred to by their 1-based number in the list:
// concrete defaults from a grade, the project record of every version, the
// data-file items of an element group, texts, and adding with a unique name.
#include <string>

#include "containers/MLArray.h"
#include "korvalib/model/SectionRecords.h"

class bofstream;
class bifstream;
class DKorvaDataFile;

class CMaterial : public DMaterial {
public:
    // A grade-30 concrete in the current units, named "mat".
    CMaterial();
    CMaterial(const CMaterial&) = default;
    CMaterial& operator=(const CMaterial&) = default;
    ~CMaterial() override = default;

    // Stores the grade; above 5 the concrete values follow from it.
    bool SetConcreteGrade(double grade);
    using DMaterial::Serialize;
    // The project record: the name, then the six values.
    int Serialize(bofstream& out) override;
    // A material record of any project version; element type 1 (beams),
    // 5, 6 or 7 tells the older layouts apart. False on a damaged record,
    // which leaves the material as it was.
    bool Load(bifstream& in, int elementType);
    // The material items of an element group of the data file.
    void WriteDataFile(DKorvaDataFile& f, int elementType, int frameGradeFlag) const;
    std::string GetParamText() const;
    std::string GetInfoText() const;
    std::string GetExportLine() const;

    // The six values within 1e-6 (grade, E, Poisson) and 1e-10 (weight,
    // density, expansion) of the other's; names are not compared.
    int IsSameProperties(const CMaterial& o) const;
    int IsZero() const;
    void ScaleUnits(double F, double M, double L);
    void Reset() { *this = CMaterial(); }

private:
    // The concrete values that are still missing (all of them from a grade).
    void FillConcrete(bool all);
};

template <>
struct MLArrayEqual<CMaterial> {
    static bool Equal(const CMaterial& a, const CMaterial& b) { return a.IsSameProperties(b) != 0; }
};

extern MLArray<CMaterial> theMaterials;

// Adds a material; its 1-based number, or 0 when refused. Unless matched by
// name it takes a fresh name "材料n"; an equal one (by name, or by values)
// is reused when asked; an empty one is refused when asked.
int AddModelMaterial(const CMaterial& material, bool matchByName, bool reuseEqual, bool skipEmpty);

// The project-file block: the materials, then the reinforcement parameters.
// A damaged block leaves both as they were.
bool WriteMaterials(bofstream& out);
bool ReadMaterials(bifstream& in);
