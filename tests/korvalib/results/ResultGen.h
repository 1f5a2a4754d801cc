#pragma once
// Writes solver result sets for the tests, field by field from the documented
// byte layouts (not through the reader's structures), and keeps the values
// that a correct reader must give back, computed here independently: node
// values are chosen per node and scattered into the equation vectors, and the
// expected copies come from those node values, not from gathering.
#include <array>
#include <string>
#include <vector>

#include "tests/support/LeBytes.h"

namespace resgen {

using Row6 = std::array<double, 6>;
using Row9 = std::array<double, 9>;
using Xyz = std::array<double, 3>;

using vektest::LeBytes;

struct Wall {  // one REF record
    int a, b, c, d;
    std::vector<int> ab, bd, dc, ca;  // p, q, p, q node numbers
};

struct FrameRec {  // U3, U30, U7
    int element;
    std::vector<double> pos;               // s positions
    std::vector<std::vector<Row6>> force;  // [set][section]
};
struct ScalarRec {  // U8, U31
    int element;
    std::vector<double> value;  // [set]
};
struct CframeRec {  // U6
    int element;
    std::vector<std::array<double, 12>> value;  // [set]
};
struct PipeRec {  // U10
    int element;
    int k;                                      // 12 or 18
    std::vector<std::array<double, 18>> value;  // [set] I, M, J (M zero when k = 12)
};
struct ShellRec {  // U41 / A41
    int element;
    std::vector<std::vector<std::array<double, 8>>> rows;  // [set][node]
};
struct WallRec {  // U5
    int element, a, b, c, d;
    // [set][slot 0..4][12], only the slots of the hole kind filled
    std::vector<std::array<std::array<double, 12>, 5>> value;
    int HoleKind() const;
};
struct CheckRec {  // F88
    int element;
    std::vector<double> pos;
    std::vector<std::vector<std::array<double, 21>>> row;  // [set][section], row[0] = pos
};
struct ReinSect {  // one RC2 section, as the reader must keep it
    float pos;
    short upCode, downCode, dir2Code, dir3Code, hoopCode;
    float up1, up2, down1, down2, d2v1, d2v2, d3v1, d3v2, h1, h2;
    int dir2Kind, dir3Kind, hoopFlag;
};
struct ReinRec {
    int element;
    int present;
    int kind;
    std::vector<ReinSect> sect;
    int torKind;
    short torCode;
    float tor[4];
};

struct Model {
    // sizes
    int N = 0, n = 0, neq = 0;
    int cases = 0, combs = 0, modes = 0, sets = 0, specDirs = 0, specModes = 0, stages = 0;
    int steps1 = 0, kind1 = 0, steps2 = 0, kind2 = 0;
    bool writeSta = true;
    int sysResultNodes = 0;  // the int32 at byte 924

    std::vector<Xyz> xyz;                // [N]
    std::vector<std::array<int, 6>> eq;  // [N]
    std::vector<int> master;             // [N]
    std::vector<Wall> walls;

    // node truths, [record][node]
    std::vector<std::vector<Row6>> dis, vec, res, vel, acc, equ, sta, acd;
    std::vector<double> eigen, resTime, velTime, accTime, staFactor;
    std::vector<Row6> massTruth;               // [N] per dof, before gathering
    std::vector<std::vector<Row6>> fsj;        // [set][N] raw forces
    std::vector<std::vector<Row9>> stress[5];  // A2, A11, A14, A17, A18: [set][N]
    std::vector<int> cqcModes;
    std::vector<double> cqcA, cqcB;
    std::vector<std::array<double, 6>> dir;  // [mode]

    std::vector<FrameRec> u3, u30, u7;
    std::vector<ScalarRec> u8, u31;
    std::vector<CframeRec> u6;
    std::vector<PipeRec> u10;
    std::vector<ShellRec> u41, a41;
    std::vector<WallRec> u5;
    std::vector<CheckRec> f88;
    std::vector<ReinRec> rc2;

    // Fills the equation vectors from the node truths (scatter).
    std::vector<double> Scatter(const std::vector<Row6>& nodes) const;
    std::vector<double> MassVector() const;

    // Writes every file of the set at base (a path without extension).
    void WriteAll(const std::string& base) const;
    void WriteSys(const std::string& base) const;
    void WriteNodeFiles(const std::string& base) const;
    void WriteElementFiles(const std::string& base) const;

    // Expected converted values for the first n nodes.
    std::vector<Row6> Expect(const std::vector<Row6>& truth, int nres) const;
    std::vector<Row6> ExpectMass(int nres) const;
    std::vector<Row6> ExpectAboveForce(int set, int nres) const;
    double ExpectPeriod(int mode) const;
};

// The rich small model of the tests: N = 16 nodes, n = 9, rigid floor,
// shared and missing equations, four walls with auxiliary nodes, every kind
// of node and element file.
Model MakeSmallModel();
// A large model for the benchmark: N nodes, all kept, no walls, cases load
// cases, modes modes, the equations out of node order.
Model MakeLargeModel(int N, int cases, int modes);

// A reinforcement file (RC2) written by hand: element 3 a beam of one section
// with every group, 4 without a result, 6 a column of two sections with
// absent, value-less and unknown groups and no torsion, 8 of another kind with
// torsion kind 12.
vektest::Bytes ReinforcementFile();

// Sets a file's modification time offset seconds from now: a past time the
// same for every file given the same offset, a future time newer than every
// file written before the call.
void SetTime(const std::string& path, long long secondsFromNow);

}  // namespace resgen
