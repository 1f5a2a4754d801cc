// Writes the seed corpora of the two result fuzz targets:
//   make_result_seeds <result-set folder> <force-record folder>
// Result sets come from the tests' generator, force records from the records'
// own writers, so the seeds follow the byte layouts as they change. A seed is
// named after what it covers, and every build writes the same bytes.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "ResultArchive.h"
#include "ResultGen.h"
#include "korvalib/base/biostream.h"
#include "korvalib/results/Forces.h"
#include "korvalib/results/Result.h"
#include "tests/support/LeBytes.h"
#include "tests/support/TestFiles.h"

namespace fs = std::filesystem;
using vektest::Bytes;
using vektest::LeBytes;

namespace {

bool g_ok = true;

void Save(const fs::path& dir, const char* name, const Bytes& bytes)
{
    if (!vektest::WriteFileBytes((dir / name).string(), bytes)) {
        std::fprintf(stderr, "make_result_seeds: cannot write %s\n", (dir / name).string().c_str());
        g_ok = false;
    }
}

// ------------------------------------------------------------- result sets

int ArchiveIndex(const std::string& ext)
{
    for (int i = 0; i < krfuzz::kArchiveExtCount; ++i)
        if (ext == krfuzz::kArchiveExts[i]) return i;
    return -1;
}

// The files base.<ext> in the given order, those missing left out; the fuzz
// target writes them in this order, so later files are the newer.
Bytes Pack(int resultNodes, const std::string& base, const std::vector<std::string>& exts)
{
    LeBytes out;
    out.i8(resultNodes);
    for (const std::string& ext : exts) {
        const std::string path = base + "." + ext;
        const int index = ArchiveIndex(ext);
        if (index < 0 || !fs::exists(path)) continue;
        const Bytes file = vektest::ReadFileBytes(path);
        out.i8(index).i32(int64_t(file.size())).append(file);
    }
    return out;
}

void ResultSeeds(const fs::path& dir)
{
    vektest::TempDir scratch("seeds");
    const std::string base = scratch.File("model");
    resgen::MakeSmallModel().WriteAll(base);
    vektest::WriteFileBytes(base + ".RC2", resgen::ReinforcementFile());

    std::vector<std::string> raw;
    for (int i = 0; i < krfuzz::kArchiveExtCount; ++i)
        if (krfuzz::kArchiveExts[i][0] != 'N') raw.push_back(krfuzz::kArchiveExts[i]);
    // Every node and element file of the rich small model, then the same in
    // smaller sets that run faster: node files, element files, reinforcement.
    Save(dir, "full", Pack(0, base, raw));
    Save(dir, "nodes",
         Pack(0, base, {"SYS", "PL",  "ID",  "XYZ", "DIS", "VEC", "RES", "VEL", "ACC", "EQU", "STA", "ACD",
                        "MAS", "FSJ", "REF", "CQC", "DIR", "A2",  "A11", "A14", "A17", "A18", "DYN", "STP"}));
    Save(dir, "elements",
         Pack(0, base,
              {"SYS", "PL", "ID", "XYZ", "DIS", "REF", "U3", "U30", "U7", "U8", "U6", "U10", "U31", "U41", "A41", "U5",
               "F88"}));
    Save(dir, "reinforcement", Pack(0, base, {"SYS", "PL", "ID", "XYZ", "DIS", "RC2"}));
    // Node vectors only, the result node count given.
    Save(dir, "minimal", Pack(5, base, {"SYS", "PL", "ID", "XYZ", "DIS"}));
    // Both time histories, STP older than DYN: the first analysis is taken.
    Save(dir, "history", Pack(7, base, {"SYS", "PL", "ID", "XYZ", "DIS", "STP", "DYN", "RES", "VEL", "ACC"}));

    // The copies and indexes the reader makes on opening, packed after their
    // raw files.
    resgen::SetTime(base + ".PL", -100);
    if (!DResult().SetFileName((base + ".kor").c_str(), 0)) {
        std::fprintf(stderr, "make_result_seeds: the generated set does not open\n");
        g_ok = false;
    }
    Save(dir, "converted",
         Pack(0, base,
              {"SYS", "PL", "ID", "XYZ", "DIS", "U3", "U41", "A41", "U5", "NSYS", "NDIS", "NU3", "NA41", "NU41",
               "NU5"}));
}

// ----------------------------------------------------------- force records

// The family byte of the fuzz target, then the records as their writers put them.
template <class T>
Bytes Records(int family, std::vector<T>& records)
{
    vektest::TempFile file("seed");
    {
        bofstream out(file.c_str());
        for (T& r : records) r.Serialize(out);
    }
    return LeBytes().i8(family).append(file.ReadAll());
}

template <size_t N>
void Fill(double (&row)[N], double first)
{
    for (size_t i = 0; i < N; ++i) row[i] = first + double(i);
}

void ForceSeeds(const fs::path& dir)
{
    std::vector<DFrameForce> frames(2);
    double frameRows[2][7];
    Fill(frameRows[0], 0);
    Fill(frameRows[1], 10);
    frames[0].m_nID = 5;
    frames[0].SetSectForce(2, frameRows);
    frames[1].m_nID = 9;
    frames[1].SetSectForce(1, frameRows);
    Save(dir, "frame", Records(0, frames));

    std::vector<DTrussForce> trusses(2);
    trusses[0].m_nID = 2;
    trusses[0].force = 1.5;
    trusses[1].m_nID = 3;
    trusses[1].force = -2.5;
    Save(dir, "truss", Records(1, trusses));

    std::vector<DCframeForce> cframes(1);
    cframes[0].m_nID = 4;
    Fill(cframes[0].forceI, 1);
    Fill(cframes[0].forceJ, -6);
    Save(dir, "cframe", Records(2, cframes));

    std::vector<DPipeForce> pipes(2);
    for (int i = 0; i < 2; ++i) {
        pipes[i].m_nID = 7 + i;
        pipes[i].bMiddle = static_cast<unsigned char>(i);
        Fill(pipes[i].forceI, 1);
        Fill(pipes[i].forceM, 7);
        Fill(pipes[i].forceJ, 13);
    }
    Save(dir, "pipe", Records(3, pipes));

    std::vector<DSpringForce> springs(2);
    springs[0].m_nID = 1;
    springs[0].force = 0.25;
    springs[1].m_nID = 6;
    springs[1].force = 4;
    Save(dir, "spring", Records(4, springs));

    std::vector<DShellForce> shells(2);
    double shellRows[4][8];
    for (int i = 0; i < 4; ++i) Fill(shellRows[i], 8.0 * i);
    shells[0].m_nID = 11;
    shells[0].SetNodeForce(3, shellRows);
    shells[1].m_nID = 12;
    shells[1].SetNodeForce(4, shellRows);
    Save(dir, "shell", Records(5, shells));

    // Hole kinds 0 (one piece) and 3 (five pieces), both ends and one end.
    std::vector<DWallForce> walls(2);
    for (int i = 0; i < 2; ++i) {
        walls[i].m_nID = 20 + i;
        walls[i].nHoleKind = static_cast<unsigned char>(3 * i);
        walls[i].nEndKind = static_cast<unsigned char>(i);
        walls[i].AllocAndZeroMemoryAccordnHole();
        for (int s = 0; s < DWallForce::SlotCount; ++s)
            if (walls[i].pPiece[s]) Fill(walls[i].pPiece[s]->value, 12.0 * s);
    }
    Save(dir, "wall", Records(6, walls));

    std::vector<DSframeCheck> checks(1);
    double checkRows[2][21];
    Fill(checkRows[0], 0);
    Fill(checkRows[1], 0.5);
    checks[0].m_nID = 30;
    checks[0].SetSectCheck(2, checkRows);
    Save(dir, "check", Records(7, checks));

    // A beam of two sections and a column of one.
    std::vector<DFrameRein> reins(2);
    for (int i = 0; i < 2; ++i) {
        reins[i].m_nID = 40 + i;
        reins[i].nKind = static_cast<char>(1 + i);
        reins[i].SetSectNum(2 - i);
        for (int s = 0; s < reins[i].nSect; ++s) {
            DFrameRein::DReinData& d = reins[i].pSect[s];
            d.pos = 0.5f * float(s);
            d.upCode = d.downCode = 4;
            d.up1 = d.down1 = 12.5f;
            d.dir2Kind = d.dir3Kind = 1;
            d.dir2Code = d.dir3Code = 3;
            d.hoopFlag = 1;
            d.hoopCode = 2;
            d.hoop1 = 0.1f;
        }
        reins[i].nTorCode = 5;
        reins[i].fTor[0] = 1.5f;
    }
    Save(dir, "rein", Records(8, reins));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_result_seeds <result-set folder> <force-record folder>\n");
        return 2;
    }
    std::error_code ec;
    for (int i = 1; i < 3; ++i) fs::create_directories(argv[i], ec);
    ResultSeeds(argv[1]);
    ForceSeeds(argv[2]);
    return g_ok ? 0 : 1;
}
