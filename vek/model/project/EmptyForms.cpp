// The layouts of the blocks whose owners are not part of this build, for a
// model that has none of their data: counts of 0 and every setting record at
// its defaults, in each accepted version. Bytes that an owner's reader passes
// over, or reads and drops, may hold anything.
#include <cstring>

#include "korvalib/base/Vector.h"
#include "korvalib/base/biostream.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/project/ProjectBlocks.h"

namespace {

// A dropped material record of an older layout (the element type picks the
// field order, not the length): no name before version 600, doubles before 700.
void SkipMaterial(int v, CBlockForm& f)
{
    if (v >= 600) f.SkipText();
    f.Skip(v >= 700 ? 24 : v >= 460 ? 48 : 40);
}

// A dropped general section of the frames' defaults (versions before 681).
void SkipOldSection(int v, CBlockForm& f)
{
    if (v >= 600) f.SkipText();
    f.Skip(4 + 48);
}

// A dropped steel section (versions up to 680): its data follows its code.
bool SkipOldSteelSection(bifstream& in)
{
    const int v = nPrjVersion;
    uint8_t code = 1;
    if (v >= 600) {
        int32_t n = 0;
        in >> n;
        if (!in.IsGood() || n < 1 || !SkipBytes(in, n)) return false;
        in >> code;
    }
    if (code == 1) {
        int32_t n = 0;
        in >> n;
        if (!in.IsGood() || n < 1 || !SkipBytes(in, n)) return false;
    } else if (code == 2) {
        if (!SkipBytes(in, 176 + 6 + 2)) return false;
    }
    if (v >= 500 && !SkipBytes(in, 2 + 12)) return false;
    return in.IsGood() != 0;
}

}  // namespace

void EmptyProjectionForm(int v, bool, CBlockForm& f)
{
    // The default view: no centres yet, zoom 1, the standard direction with
    // its screen axis, the plan work platform at height 0.
    double dir[3] = {0.26534633, -0.926921, 0.26534633};
    CVector::Normalize(dir);
    double x[3], y[3], z[3];
    CVector(dir[0], dir[1], dir[2]).GenerateOCS(x, y, z);
    if (v < 480) {
        f.Skip(v < 400 ? 272 : 256);
        return;
    }
    f.Zeros(48).F64(1.0);
    if (v < 700) f.Skip(v < 671 ? 73 : 72);
    f.F64(z[0]).F64(z[1]).F64(z[2]);
    if (v >= 671) f.F64(x[0]).F64(x[1]).F64(x[2]);
    if (v >= 700)
        f.F64(0.0).I8(1);
    else
        f.Skip(32);
}

void EmptyNodesForm(int v, bool, CBlockForm& f)
{
    f.I32(0);               // nodes
    f.I32(0);               // node-load pool
    if (v < 600) f.I32(0);  // the old node-load list
    f.I32(0);               // node-mass pool
    f.I32(0);               // springs
    if (v >= 600) {
        f.I32(0);  // prescribed displacements
        // The current prescribed displacement: no node, kind 1, one value 0,
        // no direction.
        f.I32(0).I32(1).I32(1).F64(0.0).Zeros(12);
    }
}

void EmptyFramesForm(int v, bool, CBlockForm& f)
{
    // The frame property inputs.
    if (v >= 600)
        f.Zeros(12);
    else
        f.Skip(48);
    if (v < 681) SkipOldSection(v, f);
    if (v >= 520) {
        f.I8(1).I8(3).I8(0).I8(2).I16(0);  // load type, direction, measure, operation; no points
        if (v > 610) f.I8(0).Zeros(48).Zeros(8);
    } else {
        f.Skip(52);
    }
    if (v >= 700) f.Zeros(24).Zeros(6);
    if (v >= 460 && v <= 599) {
        // A second record of the inputs, read and dropped.
        f.Skip(48).Skip(52);
        if (v >= 520)
            f.Skip(4).SkipCounted(2, 8);
        else
            f.Skip(52);
    }
    f.I32(0);               // frames
    if (v < 600) f.I32(0);  // their materials
    f.I32(0);               // general sections
    if (v > 610) f.I32(0);  // variable sections
    if (v >= 520)
        f.I32(0);  // frame loads
    else
        f.I32(0).I32(0);  // the old value and index records
}

void EmptyWallsForm(int v, bool, CBlockForm& f)
{
    f.Zeros(32).F64(0.2);  // hole, thickness
    if (v >= 520) {
        f.I32(1).F32(3.0f).Zeros(56);
        if (v < 600) SkipMaterial(v, f);
        f.F32(0.0f);
    } else {
        f.Skip(8);
    }
    f.I32(0);               // walls
    if (v < 600) f.I32(0);  // their materials
    f.I32(0);               // wall loads
}

void EmptyRegionsForm(int v, bool, CBlockForm& f)
{
    // The current panel settings: load-transfer mode 5, cases 1 and 2 with
    // 4.0 and 2.0.
    f.I32(5);
    if (v > 610)
        f.I16(2).I32(1).F32(4.0f).I32(2).F32(2.0f);
    else
        f.F64(4.0).F64(2.0);
    f.I32(0);  // regions
}

void EmptyShellsForm(int v, bool, CBlockForm& f)
{
    if (v >= 660) {
        f.F32(0.2f).F32(0.2f).F32(0.2f).F32(0.2f).I8(0);
        if (v >= 700) f.F32(1.0f);
        f.Zeros(96);
    } else {
        f.F64(0.2);
    }
    f.I32(0);                     // the number field
    if (v >= 371) f.I8(1).I8(4);  // shell type, nodes per shell
    if (v >= 460 && v < 600) SkipMaterial(v, f);
    if (v >= 520)
        f.I8(1).I8(0).I8(2).Zeros(64).Zeros(96);  // the load input
    else
        f.Skip(68);
    if (v < 600) f.I32(0);  // shell materials
    f.I32(0);               // shells
    f.I32(0);               // shell loads
    if (v < 520) f.I32(0);  // the old load index
}

void EmptySolidsForm(int v, bool, CBlockForm& f)
{
    if (v <= 340) f.Skip(4);
    if (v < 520) {
        f.Skip(4);  // the generation mode, always replaced
        if (v >= 341) f.I32(2);
    } else {
        f.I8(3).I8(2).F32(2.0f);
    }
    if (v < 600) SkipMaterial(v, f);
    if (v < 520)
        f.Skip(32);
    else
        f.I8(1).I8(2).Zeros(56).Zeros(96);
    f.I32(0);               // solids
    if (v < 600) f.I32(0);  // their materials
    f.I32(0);               // solid loads
}

void EmptyPlanesForm(int v, bool, CBlockForm& f)
{
    if (v < 611) return;  // files of the plan-input program before 611 carry none
    f.I32(0).I32(0).F32(0.0f).F32(0.0f).I32(2);
    f.I32(0).I32(0);
}

void EmptySpectrumForm(int v, bool, CBlockForm& f)
{
    if (v < 460) {
        f.Skip(16);
        return;
    }
    if (v < 520) {
        f.Skip(18);
        return;
    }
    if (v < 600) {
        f.Skip(40).SkipCounted(2, 4, 1);
        return;
    }
    f.F32(0.0f).F32(90.0f).I8(0).I8(0).I8(0).I8(2).F32(7.0f).I8(1).F32(0.0f).F32(2.0f).I8(1).F32(0.0f).F32(1.0f);
    f.I8(1).I8(0).F32(0.0f).F32(0.0f);
    if (v > 680) f.F32(2.0f);  // beta max
    if (v > 705) f.I8(0);      // high-acceleration region
    f.I32(10);
    for (int k = 1; k <= 10; ++k) f.I16(k).F32(0.0f);
    f.I32(0);  // user curve points
}

void EmptyWindForm(int v, bool, CBlockForm& f)
{
    if (v < 600) {
        f.Skip(v < 470 ? 36 : v < 520 ? 37 : 46);
        return;
    }
    f.F32(0.0f).F32(90.0f).F32(0.4f).F32(0.4f).F32(70.0f);
    f.F32(30.0f).F32(30.0f).F32(30.0f).F32(30.0f).F32(1.5f).F32(1.0f);
    f.I8(1).I8(1).F32(0.0f).I8(0).I8(2).I8(0).I8(1).I8(1);
    f.I32(0).F32(1.0f).F32(1.0f);
}

void EmptyAxisGridsForm(int v, bool, CBlockForm& f)
{
    // The grids themselves are counted in the project options; without
    // grids the block holds only the old grid-node list of older files.
    if (v < 600) f.SkipCounted(4, 16);
}

void EmptyElevationsForm(int v, bool, CBlockForm& f)
{
    f.F64(1.0).F64(0.0).F64(0.0).F64(0.0);  // the plane x = 0
    if (v >= 400) {
        if (v < 520) f.Skip(24);
        f.F64(0.001);
    }
    if (v >= 600) f.I32(0);
    if (v >= 700) f.Zeros(24);
}

void EmptyHistoryForm(int v, bool, CBlockForm& f)
{
    if (v < 600) {
        static const char kMarker[12] = "DYNAMIC.TMP";
        CBlockForm old;
        old.Skip(16).SkipCounted(4, 4, 25 + (v >= 400 ? 4 : 0) + (v >= 520 ? 2 : 0));
        f.IfMarker(kMarker, 12, old);
        return;
    }
    f.I32(20).I32(1).I32(2000).F32(0.01f).I32(0).F32(0.0f).F32(0.0f);
    f.I32(10);
    for (int k = 0; k < 10; ++k) f.F32(0.0f);
    f.I32(10);
    for (int k = 1; k <= 10; ++k) f.I16(k);
    f.I8(0).I8(1).I8(1);
    f.I32(0).I32(0);  // curves, load groups
    if (v >= 700) f.I32(0).I8(0).Text("");
}

void EmptySteelForm(int v, bool, CBlockForm& f)
{
    if (v < 372) return;
    if (v <= 680) {
        f.SkipBy(SkipOldSteelSection);
        if (v >= 400 && v <= 519) f.Skip(16);
    }
    f.I32(0);                                // steel sections
    if (v >= 520) f.I32(0).Zeros(20).I8(1);  // tight wires, the wire input
}

void EmptySnapForm(int v, bool, CBlockForm& f)
{
    if (v < 400) return;
    f.I8('Y').I8('Y').I8('Y').I8('Y').I8('Y').I8('N');
    if (v >= 520) f.I8('N').I8('N');
}

void EmptyCombinationsForm(int v, bool, CBlockForm& f)
{
    if (v >= 460) f.I32(0);
    if (v >= 600) f.I32(0);
}

void EmptyEigenForm(int v, bool, CBlockForm& f)
{
    CBlockForm body;
    if (v >= 700) body.I32(20).I32(10);
    body.I8(0).I8(1);
    if (v >= 520) {
        body.I32(2).I16(1).F32(1.0f).I16(2).F32(1.0f);
    } else {
        body.F32(1.0f).F32(1.0f);
        for (int k = 2; k < 10; ++k) body.F32(0.0f);
    }
    body.I8(1).I8(1);
    f.IfMarker("EIGEN", 6, body);
}

void EmptyWindFacesForm(int v, bool, CBlockForm& f)
{
    // No faces, then the record last entered at its defaults (storeys, coefficient).
    if (v >= 520) f.I32(0).I8(1).F32(0.6f);
}

void EmptyMaterialsForm(int v, bool, CBlockForm& f)
{
    if (v >= 600 && v <= 680) SkipMaterial(v, f);
    f.I32(0);
    // The reinforcement parameters.
    f.I8(0).F32(310000.0f).F32(310000.0f).F32(0.544f).F32(0.544f).F32(0.35f).F32(0.004f).F32(0.8f);
    f.F32(0.008f).F32(0.008f).I8(2).I8(2).F32(300000.0f).F32(1.2f).F32(0.7f);
}

void EmptyBoundariesForm(int v, bool, CBlockForm& f)
{
    f.F64(0.0).I8(0);
    if (v <= 680) f.Skip(2);
    for (int k = 0; k < 6; ++k) f.I32(0);
}

void EmptyStagesForm(int, bool, CBlockForm& f)
{
    f.I8(0).I8(1).I8(1).I16(0);
}

void EmptySelectionForm(int, bool, CBlockForm& f)
{
    f.I16(0).I8(0).I16(0).I16(0).I16(0);
}

void EmptyLineElementsForm(int v, bool, CBlockForm& f)
{
    // After the two offsets: trusses, their sections, curved beams, their
    // sections and loads, pipes, their sections. Older files end with the
    // offsets, which they do not carry either.
    if (v < 700) return;
    for (int k = 0; k < 7; ++k) f.I32(0);
}

void EmptyIntegralsForm(int, bool, CBlockForm& f)
{
    f.I32(0);
}

void EmptyPilesForm(int, bool, CBlockForm& f)
{
    f.F32(0.0f).F32(0.0f).F32(0.0f).I8(0).F32(1.0f).I8(1).I8(1).I16(50);
    f.F32(1e-5f).F32(0.5f).F32(100.0f);
    f.I32(0).I32(0);  // soil layers, output depths
}

void EmptyTubeJointsForm(int, bool, CBlockForm& f)
{
    f.F32(0.0f).F32(0.0f).I32(0);
}
