// The result set: opening, conversion of the node results into node-ordered
// copies, index files of the element-force files, and the node queries.
#include "korvalib/results/Result.h"
#include "korvalib/results/ResultIO.h"
#include "korvalib/base/biostream.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

using namespace resultio;

namespace {

const double kTwoPi = 6.283185307179586;

// What the conversion reads of ID and XYZ, and its work space.
struct NodeTables {
    int N = 0;
    int neq = 0;
    std::vector<int32_t> eq;      // 6 blocks of N; negatives set to 0
    std::vector<int32_t> master;  // N; negatives set to 0
    std::vector<double> xyz;      // 3 blocks of N
    std::vector<double> work;     // N x 6, node by node
    std::vector<double> vec;      // neq

    double X(int j) const { return xyz[j]; }
    double Y(int j) const { return xyz[N + j]; }
    double Z(int j) const { return xyz[2 * N + j]; }
};

// Reads ID and XYZ; 0 when either is missing, short or holds a number out of
// range (an equation above the count, a master node above N).
int AllocNodeMemory(const DResult& r, NodeTables& t, int N, int neq)
{
    char path[260];
    t.N = N;
    t.neq = neq;
    r.GetFileName(path, "ID");
    bifstream id(path);
    if (!id.IsOpen() || FileLength(id) < 24 + 28LL * N) return 0;
    try {
        t.eq.assign(static_cast<size_t>(6) * N, 0);
        t.master.assign(static_cast<size_t>(N), 0);
        t.xyz.assign(static_cast<size_t>(3) * N, 0.0);
        t.work.assign(static_cast<size_t>(6) * N, 0.0);
        t.vec.assign(static_cast<size_t>(neq), 0.0);
    } catch (...) {
        return 0;
    }
    if (!id.Seek(24, 0) || !ReadArray(id, t.eq.data(), 6LL * N) || !ReadArray(id, t.master.data(), N)) return 0;
    for (int32_t& e : t.eq) {
        if (e < 0) e = 0;
        if (e > neq) return 0;
    }
    for (int32_t& m : t.master) {
        if (m < 0) m = 0;
        if (m > N) return 0;
    }
    r.GetFileName(path, "XYZ");
    bifstream xyz(path);
    if (!xyz.IsOpen() || !xyz.Seek(24, 0) || !ReadArray(xyz, t.xyz.data(), 3LL * N)) return 0;
    return 1;
}

// Node values from the equation vector t.vec into t.work.
void Gather(NodeTables& t, int once)
{
    const int N = t.N;
    double* w = t.work.data();
    for (int j = 0; j < N; ++j)
        for (int c = 0; c < 6; ++c) {
            int e = t.eq[static_cast<size_t>(c) * N + j];
            double v = 0;
            if (e >= 1) {
                v = t.vec[e - 1];
                if (once) t.vec[e - 1] = 0;
            }
            w[6 * j + c] = v;
        }
}

// Rigid floors: the slaves move with their master.
void ApplyRigidFloors(NodeTables& t)
{
    double* w = t.work.data();
    for (int j = 0; j < t.N; ++j) {
        int m = t.master[j] - 1;
        if (m < 0) continue;
        double rz = w[6 * m + 5];
        double ux = w[6 * m] - rz * (t.Y(j) - t.Y(m));
        double uy = w[6 * m + 1] + rz * (t.X(j) - t.X(m));
        w[6 * j] = ux;
        w[6 * j + 1] = uy;
        w[6 * j + 5] = rz;
    }
}

// One wall record of REF.
struct RefWall {
    int p = 0, q = 0;
    int a = 0, b = 0, c = 0, d = 0;
    int list[40] = {};  // a-b (p), b-d (q), d-c (p), c-a (q)
};

// Reads the next wall; 0 at the end, on an error or a negative p or q.
// Records whose lists do not fit the table of 40 or whose corners are not
// nodes are read past and reported with usable = 0.
int ReadRefWall(bifstream& in, int64_t length, int N, RefWall& w, int& usable)
{
    int32_t h[7];
    if (!ReadArray(in, h, 7)) return 0;
    w.p = h[1] - 1;
    w.q = h[2] - 1;
    if (w.p < 0 || w.q < 0) return 0;
    w.a = h[3];
    w.b = h[4];
    w.c = h[5];
    w.d = h[6];
    const int64_t count = 2LL * w.p + 2LL * w.q;
    if (in.TellPos64() + 4 * count + 4 > length) return 0;
    usable = count <= 40;
    for (int k : {w.a, w.b, w.c, w.d})
        if (k < 1 || k > N) usable = 0;
    if (!usable) {
        return in.Seek64(4 * count + 4, 1);
    }
    if (!ReadArray(in, w.list, count)) return 0;
    return in.Seek(4, 1);
}

// Masses of auxiliary wall nodes go to the corners of their edge.
void DistributeWallMasses(bifstream& ref, int64_t length, NodeTables& t, int n)
{
    double* m = t.work.data();
    RefWall w;
    int usable = 0;
    while (ReadRefWall(ref, length, t.N, w, usable)) {
        if (!usable || (w.p == 0 && w.q == 0)) continue;
        const int lens[4] = {w.p, w.q, w.p, w.q};
        const int firsts[4] = {w.a, w.b, w.d, w.c};
        const int seconds[4] = {w.b, w.d, w.c, w.a};
        int start = 0;
        for (int e = 0; e < 4; ++e) {
            for (int c = 0; c < 6; ++c) {
                double s = 0;
                for (int i = 0; i < lens[e]; ++i) {
                    int k = w.list[start + i];
                    if (k > n && k <= t.N) {
                        s += m[6 * (k - 1) + c];
                        m[6 * (k - 1) + c] = 0;
                    }
                }
                if (s > 1e-8) {
                    double& m1 = m[6 * (firsts[e] - 1) + c];
                    double& m2 = m[6 * (seconds[e] - 1) + c];
                    double wt = (m1 + m2 < 1e-8) ? 0.5 : m1 / (m1 + m2);
                    m1 += s * wt;
                    m2 += s * (1 - wt);
                }
            }
            start += lens[e];
        }
    }
}

// The lower edge of a wall, along which its auxiliary nodes' forces go down.
struct WallEdge {
    int first, second;
    std::vector<int> nodes;
};

std::vector<WallEdge> ReadWallEdges(bifstream& ref, int64_t length, const NodeTables& t)
{
    std::vector<WallEdge> edges;
    RefWall w;
    int usable = 0;
    while (ReadRefWall(ref, length, t.N, w, usable)) {
        if (!usable || w.p < 1) continue;
        WallEdge e;
        const int* list;
        if (t.Z(w.c - 1) > t.Z(w.a - 1)) {
            e.first = w.a;
            e.second = w.b;
            list = w.list;
        } else {
            e.first = w.c;
            e.second = w.d;
            list = w.list + w.p + w.q;
        }
        e.nodes.assign(list, list + w.p);
        edges.push_back(std::move(e));
    }
    return edges;
}

double Distance(const NodeTables& t, int i, int j)
{
    double dx = t.X(i) - t.X(j), dy = t.Y(i) - t.Y(j), dz = t.Z(i) - t.Z(j);
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

void TransferWallForces(const std::vector<WallEdge>& edges, NodeTables& t, int n)
{
    double* f = t.work.data();
    for (const WallEdge& e : edges) {
        const int p1 = e.first - 1, p2 = e.second - 1;
        const double span = Distance(t, p2, p1);
        for (int k1 : e.nodes) {
            if (k1 <= n || k1 > t.N) continue;
            const int k = k1 - 1;
            // coincident corners give no lever; split evenly
            const double tt = span > 1e-12 ? Distance(t, k, p1) / span : 0.5;
            double F[6];
            std::memcpy(F, f + 6 * k, sizeof F);
            const int who[2] = {p1, p2};
            const double share[2] = {tt, 1 - tt};
            for (int i = 0; i < 2; ++i) {
                const int P = who[i];
                double* r = f + 6 * P;
                const double fx = share[i] * F[0], fy = share[i] * F[1], fz = share[i] * F[2];
                for (int c = 0; c < 6; ++c) r[c] += share[i] * F[c];
                r[3] += (t.Z(P) - t.Z(k)) * fy + (t.Y(k) - t.Y(P)) * fz;
                r[4] += (t.Z(k) - t.Z(P)) * fx + (t.X(P) - t.X(k)) * fz;
                r[5] += (t.X(k) - t.X(P)) * fy + (t.Y(P) - t.Y(k)) * fx;
            }
            std::memset(f + 6 * k, 0, 6 * sizeof(double));
        }
    }
}

int Clamp16(int v, short& out)
{
    if (v < 0 || v > 32767) return 0;
    out = static_cast<short>(v);
    return 1;
}

}  // namespace

// ------------------------------------------------------------------ DResult

DResult::DResult()
{
    SetZero();
}

DResult::DResult(const char* path, int nResultNodes)
{
    SetZero();
    SetFileName(path, nResultNodes);
}

DResult::DResult(const DResult& o)
{
    *this = o;
}

DResult& DResult::operator=(const DResult& o)
{
    if (this == &o) return *this;
    m_nNode = o.m_nNode;
    m_nResultNode = o.m_nResultNode;
    m_nLoadCase = o.m_nLoadCase;
    m_nLoadComb = o.m_nLoadComb;
    m_nForceComb = o.m_nForceComb;
    m_nEquation = o.m_nEquation;
    m_nMode = o.m_nMode;
    m_nTimeStep = o.m_nTimeStep;
    m_nHistKind = o.m_nHistKind;
    m_nSpecDir = o.m_nSpecDir;
    m_nBuckle = o.m_nBuckle;
    m_nConstr = o.m_nConstr;
    m_nSpecMode = o.m_nSpecMode;
    std::memcpy(m_szBasePath, o.m_szBasePath, sizeof m_szBasePath);
    return *this;
}

DResult::~DResult() = default;

void DResult::SetZero()
{
    m_szBasePath[0] = 0;
    m_nNode = m_nResultNode = 0;
    m_nLoadCase = m_nLoadComb = m_nForceComb = 0;
    m_nEquation = 0;
    m_nMode = 0;
    m_nTimeStep = 0;
    m_nHistKind = 1;
    m_nSpecDir = m_nBuckle = m_nConstr = m_nSpecMode = 0;
}

int DResult::SetFileName(const char* path, int nResultNodes)
{
    SetZero();
    if (!path || !BasePathOf(path, m_szBasePath, sizeof m_szBasePath)) {
        m_szBasePath[0] = 0;
        return 0;
    }
    m_nResultNode = nResultNodes < 1 ? 0 : nResultNodes;
    if (!UpdateResult()) {
        SetZero();
        return 0;
    }
    return 1;
}

void DResult::GetFileName(char* out, const char* ext) const
{
    // the base path leaves room for the extensions used here; a longer one
    // is cut to the buffer
    size_t n = std::strlen(m_szBasePath);
    std::memcpy(out, m_szBasePath, n);
    if (ext && *ext && n + 1 < 259) {
        out[n++] = '.';
        for (; *ext && n < 259; ++ext) out[n++] = *ext;
    }
    out[n] = 0;
}

int DResult::IsNewThanPLFile(const char* path)
{
    char pl[260];
    GetFileName(pl, "PL");
    return FileTime(path) >= FileTime(pl);
}

int DResult::FileTimeComp(const char* ext1, const char* ext2)
{
    char p1[260], p2[260];
    GetFileName(p1, ext1);
    GetFileName(p2, ext2);
    const int64_t t1 = FileTime(p1), t2 = FileTime(p2);
    return t1 < t2 ? -1 : (t1 > t2 ? 1 : 0);
}

void DResult::DeleteTemporaryFiles()
{
    // NU41 goes too: a kept index would outlive raw files that are put back
    // with their old times.
    static const char* const exts[] = {"NU3",  "NU30", "NA41", "NU5",  "NDIS", "NVEC", "NRES", "NVEL",
                                       "NACC", "NEQU", "NSTA", "NACD", "NMAS", "NFSJ", "NU41"};
    char path[260];
    for (const char* e : exts) {
        GetFileName(path, e);
        std::remove(path);
    }
}

int DResult::UpdateResult()
{
    char path[260], pl[260];
    GetFileName(pl, "PL");
    const int64_t plTime = FileTime(pl);

    // 1. the result node count of the last conversion
    int stored = 0;
    GetFileName(path, "NSYS");
    if (FileExists(path) && FileTime(path) >= plTime) {
        bifstream ns(path);
        int32_t v = 0;
        if (ns.IsOpen() && ReadArray(ns, &v, 1) && v > 0) stored = v;
    }
    if (m_nResultNode < 1) m_nResultNode = stored;

    // 2. the system file
    GetFileName(path, "SYS");
    bifstream sys(path);
    if (!sys.IsOpen()) return 0;
    int32_t head[6], blk[55], sysN = 0;
    if (!sys.Seek(680, 0) || !ReadArray(sys, head, 6) || !sys.Seek(704, 0) || !ReadArray(sys, blk, 55) ||
        !ReadArray(sys, &sysN, 1))
        return 0;
    sys.Close();
    const int N = head[1], neq = head[3];
    if (N < 0 || N > kMaxNodes || neq < 0 || neq > 6LL * N) return 0;
    m_nNode = N;
    m_nEquation = neq;
    if (!Clamp16(head[0], m_nLoadCase) || !Clamp16(head[5], m_nMode) || !Clamp16(blk[24 / 4], m_nSpecDir) ||
        !Clamp16(blk[28 / 4], m_nSpecMode) || !Clamp16(blk[88 / 4], m_nLoadComb) ||
        !Clamp16(blk[92 / 4], m_nForceComb) || m_nLoadCase + m_nLoadComb > 32767)
        return 0;
    const int steps1 = blk[36 / 4], kind1 = blk[40 / 4], steps2 = blk[44 / 4], kind2 = blk[48 / 4];
    int steps = 0, kind = 0;
    if (steps1 >= 1 && steps2 >= 1) {
        if (FileTimeComp("DYN", "STP") < 0) {
            steps = steps2;
            kind = kind2;
        } else {
            steps = steps1;
            kind = kind1;
        }
    } else if (steps1 >= 1) {
        steps = steps1;
        kind = kind1;
    } else if (steps2 >= 1) {
        steps = steps2;
        kind = kind2;
    }
    if (kind == 3) kind = 4;
    m_nTimeStep = steps;
    m_nHistKind = static_cast<char>(kind);
    const int stages = blk[120 / 4];
    m_nConstr = (stages < 0 || stages > 32767) ? 0 : static_cast<short>(stages);
    GetFileName(path, "STA");
    m_nBuckle = FileExists(path) ? static_cast<short>(std::min(2 * m_nForceComb, 32767)) : 0;

    // 3. the result node count
    int& n = m_nResultNode;
    if (n < 1 || n > N) {
        n = sysN;
        if (n < 1 || n > N) n = N;
    }
    // Copies made for another node count hold records of the wrong size.
    const int forced = n != stored;
    if (forced) {
        static const char* const copies[] = {"NDIS", "NVEC", "NRES", "NVEL", "NACC",
                                             "NEQU", "NSTA", "NACD", "NMAS", "NFSJ"};
        for (const char* e : copies) {
            GetFileName(path, e);
            std::remove(path);
        }
        GetFileName(path, "NSYS");
        FileReplacer ns(path);
        const int32_t v = n;
        if (!ns.IsOpen() || !WriteBytes(ns.Out(), &v, 4) || !ns.Commit()) return 0;
    }

    // 4.-7. the node-result copies
    struct Kind {
        const char* raw;
        int records;
        int prefixed;
    };
    const Kind kinds[] = {
        {"DIS", m_nLoadCase + m_nLoadComb, 0},
        {"VEC", m_nMode, 1},
        {"RES", m_nTimeStep, 1},
        {"VEL", m_nTimeStep, 1},
        {"ACC", m_nTimeStep, 1},
        {"EQU", m_nSpecDir, 0},
        {"STA", m_nBuckle, 1},
        {"ACD", m_nConstr, 0},
        {"MAS", 1, 0},
        {"FSJ", m_nForceComb, 0},
    };
    NodeTables t;
    int haveTables = 0;
    for (const Kind& k : kinds) {
        char raw[260], copy[260], cext[16];
        GetFileName(raw, k.raw);
        std::snprintf(cext, sizeof cext, "N%s", k.raw);
        GetFileName(copy, cext);
        if (!NeedsUpdate(FileTime(raw), plTime, FileTime(copy), forced)) continue;
        bifstream in(raw);
        if (!in.IsOpen()) continue;
        FileReplacer file(copy);
        if (!file.IsOpen()) continue;
        bofstream& out = file.Out();
        if (!haveTables) {
            if (!AllocNodeMemory(*this, t, N, neq)) return 0;
            haveTables = 1;
        }
        const int64_t bytesOut = 48LL * n;
        int ok = 1;  // every write went well
        if (std::strcmp(k.raw, "MAS") == 0) {
            if (!in.Seek(24, 0) || !ReadArray(in, t.vec.data(), neq)) {
                std::remove(copy);  // a short mass file gives no copy; the old one is out of date
                continue;
            }
            Gather(t, 1);
            char refPath[260];
            GetFileName(refPath, "REF");
            if (FileExists(refPath) && FileTime(refPath) >= plTime) {
                bifstream ref(refPath);
                if (ref.IsOpen()) DistributeWallMasses(ref, FileLength(ref), t, n);
            }
            double* m = t.work.data();
            for (int j = 0; j < N; ++j)
                if (t.master[j] >= 1)
                    for (int c = 0; c < 2; ++c)
                        if (m[6 * j + c] < 1e-10) m[6 * j + c] = m[6 * j + 2];
            ok = WriteBytes(out, t.work.data(), bytesOut);
        } else if (std::strcmp(k.raw, "FSJ") == 0) {
            std::vector<WallEdge> edges;
            char refPath[260];
            GetFileName(refPath, "REF");
            if (FileTime(refPath) >= plTime) {
                bifstream ref(refPath);
                if (ref.IsOpen() && FileLength(ref) > 0) edges = ReadWallEdges(ref, FileLength(ref), t);
            }
            for (int s = 0; s < k.records && ok; ++s) {
                if (!ReadArray(in, t.work.data(), 6LL * N)) break;
                TransferWallForces(edges, t, n);
                ok = WriteBytes(out, t.work.data(), bytesOut);
            }
        } else {
            const int isVec = std::strcmp(k.raw, "VEC") == 0;
            for (int r = 0; r < k.records && ok; ++r) {
                double trail = 0;
                if (!ReadArray(in, t.vec.data(), neq) || !ReadArray(in, &trail, 1)) break;
                if (isVec)  // rigid-body modes (eigenvalue 0 or below) have no period
                    trail = trail > 0 ? kTwoPi / std::sqrt(trail) : 0.0;
                Gather(t, 0);
                ApplyRigidFloors(t);
                if (k.prefixed) ok = WriteBytes(out, &trail, 8);
                ok = ok && WriteBytes(out, t.work.data(), bytesOut);
            }
        }
        // A copy that could not be written whole never takes the place of
        // the old one (it would be newer than its raw file and never made
        // again); the old one is out of date, so it goes too.
        if (!ok || !file.Commit()) {
            std::remove(copy);
            return 0;
        }
    }

    // 8. the element-force indexes
    return BuildIndexes(*this, plTime, m_nForceComb);
}

// ------------------------------------------------------------ node queries

namespace {

// The leading value (period, factor) of each of the first count records of
// a converted copy whose records are prefixed.
int ReadRecordPrefixes(const DResult& r, const char* ext, int count, double* out)
{
    char path[260];
    r.GetFileName(path, ext);
    bifstream in(path);
    if (!in.IsOpen()) return 0;
    const int64_t size = 48LL * r.m_nResultNode + 8;
    for (int k = 0; k < count; ++k)
        if (!SeekTo(in, k * size) || !ReadArray(in, out + k, 1)) return 0;
    return 1;
}

}  // namespace

int DResult::GetAllNodeDisp(const char* ext, int record, int prefixed, double (*out)[6], double* prefix)
{
    char path[260];
    GetFileName(path, ext);
    bifstream in(path);
    if (!Good() || !in.IsOpen() || !out) return 0;
    const int64_t size = 48LL * m_nResultNode + (prefixed ? 8 : 0);
    if (!SeekTo(in, (record - 1) * size)) return 0;
    double p = 0;
    if (prefixed && !ReadArray(in, &p, 1)) return 0;
    if (!ReadArray(in, &out[0][0], 6LL * m_nResultNode)) return 0;
    if (prefixed && prefix) *prefix = p;
    return 1;
}

int DResult::GetOneNodeDisp(const char* ext, int node, int records, int prefixed, double (*out)[6], double* prefixes)
{
    char path[260];
    GetFileName(path, ext);
    bifstream in(path);
    if (!Good() || !in.IsOpen() || !out) return 0;
    const int64_t size = 48LL * m_nResultNode + (prefixed ? 8 : 0);
    for (int r = 0; r < records; ++r) {
        double p = 0;
        if (prefixed && (!SeekTo(in, r * size) || !ReadArray(in, &p, 1))) return 0;
        if (!SeekTo(in, r * size + (prefixed ? 8 : 0) + 48LL * (node - 1)) || !ReadArray(in, out[r], 6)) return 0;
        if (prefixed && prefixes) prefixes[r] = p;
    }
    return 1;
}

int DResult::GetOneCondDisp(int cond, double (*out)[6])
{
    if (cond < 1 || cond > m_nLoadCase) return 0;
    return GetAllNodeDisp("NDIS", cond, 0, out, nullptr);
}

int DResult::GetOneCombDisp(int comb, double (*out)[6])
{
    if (comb < 1 || comb > m_nLoadComb) return 0;
    return GetAllNodeDisp("NDIS", m_nLoadCase + comb, 0, out, nullptr);
}

int DResult::GetOneNodeAllCondDisp(int node, double (*out)[6])
{
    if (node < 1 || node > m_nResultNode) return 0;
    return GetOneNodeDisp("NDIS", node, m_nLoadCase, 0, out, nullptr);
}

int DResult::GetOneNodeAllCombDisp(int node, double (*out)[6])
{
    if (node < 1 || node > m_nResultNode) return 0;
    if (m_nLoadComb == 0) return 1;
    // the combinations follow the load cases
    char path[260];
    GetFileName(path, "NDIS");
    bifstream in(path);
    if (!Good() || !in.IsOpen() || !out) return 0;
    const int64_t size = 48LL * m_nResultNode;
    for (int r = 0; r < m_nLoadComb; ++r)
        if (!SeekTo(in, (m_nLoadCase + r) * size + 48LL * (node - 1)) || !ReadArray(in, out[r], 6)) return 0;
    return 1;
}

int DResult::GetEigenDisp(int mode, double (*out)[6], double& period)
{
    if (mode < 1 || mode > m_nMode) return 0;
    return GetAllNodeDisp("NVEC", mode, 1, out, &period);
}

int DResult::GetEigenPeriod(double* periods)
{
    if (m_nMode < 1 || !periods) return 0;
    return ReadRecordPrefixes(*this, "NVEC", m_nMode, periods);
}

int DResult::GetOneHistResDisp(int step, double (*out)[6], double& time)
{
    if (step < 1 || step > m_nTimeStep) return 0;
    return GetAllNodeDisp("NRES", step, 1, out, &time);
}

int DResult::GetOneHistResVel(int step, double (*out)[6], double& time)
{
    if (step < 1 || step > m_nTimeStep) return 0;
    return GetAllNodeDisp("NVEL", step, 1, out, &time);
}

int DResult::GetOneHistResAcc(int step, double (*out)[6], double& time)
{
    if (step < 1 || step > m_nTimeStep) return 0;
    return GetAllNodeDisp("NACC", step, 1, out, &time);
}

int DResult::GetOneNodeAllHistResDisp(int node, double (*out)[6], double* times)
{
    if (node < 1 || node > m_nResultNode) return 0;
    return GetOneNodeDisp("NRES", node, m_nTimeStep, 1, out, times);
}

int DResult::GetOneNodeAllHistResVel(int node, double (*out)[6], double* times)
{
    if (node < 1 || node > m_nResultNode) return 0;
    return GetOneNodeDisp("NVEL", node, m_nTimeStep, 1, out, times);
}

int DResult::GetOneNodeAllHistResAcc(int node, double (*out)[6], double* times)
{
    if (node < 1 || node > m_nResultNode) return 0;
    return GetOneNodeDisp("NACC", node, m_nTimeStep, 1, out, times);
}

int DResult::GetOneSpecDirDisp(int dir, double (*out)[6])
{
    if (dir < 1 || dir > m_nSpecDir) return 0;
    return GetAllNodeDisp("NEQU", dir, 0, out, nullptr);
}

int DResult::GetOneNodeAllSpecDirDisp(int node, double (*out)[6])
{
    if (node < 1 || node > m_nResultNode) return 0;
    return GetOneNodeDisp("NEQU", node, m_nSpecDir, 0, out, nullptr);
}

int DResult::GetOneBuckleDisp(int k, double (*out)[6], double& factor)
{
    if (k < 1 || k > m_nBuckle) return 0;
    return GetAllNodeDisp("NSTA", k, 1, out, &factor);
}

int DResult::GetBuckleFactor(double* factors)
{
    if (m_nBuckle < 1 || !factors) return 0;
    return ReadRecordPrefixes(*this, "NSTA", m_nBuckle, factors);
}

int DResult::GetOneConstrDisp(int stage, double (*out)[6])
{
    if (stage < 1 || stage > m_nConstr) return 0;
    return GetAllNodeDisp("NACD", stage, 0, out, nullptr);
}

int DResult::GetOneNodeAllConstrDisp(int node, double (*out)[6])
{
    if (node < 1 || node > m_nResultNode) return 0;
    return GetOneNodeDisp("NACD", node, m_nConstr, 0, out, nullptr);
}

int DResult::GetAllNodeMass(double (*out)[6])
{
    return GetAllNodeDisp("NMAS", 1, 0, out, nullptr);
}

int DResult::GetAllNodeAboveForce(int set, double (*out)[6])
{
    if (set < 1 || set > m_nForceComb) return 0;
    return GetAllNodeDisp("NFSJ", set, 0, out, nullptr);
}

int DResult::GetOneNodeAboveForce(int node, double (*out)[6])
{
    if (node < 1 || node > m_nResultNode) return 0;
    return GetOneNodeDisp("NFSJ", node, m_nForceComb, 0, out, nullptr);
}

int DResult::GetSpectrumCalData(int* modes, double* a, double* b)
{
    char path[260];
    GetFileName(path, "CQC");
    bifstream in(path);
    if (!Good() || !in.IsOpen() || !modes || !a || !b) return 0;
    const int64_t cells = static_cast<int64_t>(m_nSpecMode) * m_nSpecDir;
    int32_t* m = reinterpret_cast<int32_t*>(modes);
    return in.Seek(20, 0) && ReadArray(in, m, m_nSpecMode) && in.Seek(8, 1) && ReadArray(in, a, cells) &&
           in.Seek(8, 1) && ReadArray(in, b, cells);
}

// ------------------------------------------------------------ node stresses

int DResult::GetAllNodeStress(const char* ext, int set, double (*out)[9])
{
    if (set < 1 || set > m_nForceComb || !out) return 0;
    char path[260];
    GetFileName(path, ext);
    bifstream in(path);
    if (!in.IsOpen()) return 0;
    const int n = m_nResultNode;
    // the file must hold the set before room is made for a block
    if (FileLength(in) < static_cast<int64_t>(set) * 9 * 8 * m_nNode) return 0;
    std::vector<double> work;
    try {
        work.resize(static_cast<size_t>(n));
    } catch (...) {
        return 0;
    }
    for (int c = 0; c < 9; ++c) {
        if (!SeekTo(in, ((set - 1) * 9LL + c) * 8LL * m_nNode) || !ReadArray(in, work.data(), n)) return 0;
        for (int j = 0; j < n; ++j) out[j][c] = work[j];
    }
    return 1;
}

int DResult::GetOneNodeStress(const char* ext, int node, double (*out)[9])
{
    if (node < 1 || node > m_nResultNode || !out) return 0;
    char path[260];
    GetFileName(path, ext);
    bifstream in(path);
    if (!in.IsOpen()) return 0;
    for (int s = 0; s < m_nForceComb; ++s)
        for (int c = 0; c < 9; ++c)
            if (!SeekTo(in, ((s * 9LL + c) * m_nNode + (node - 1)) * 8LL) || !ReadArray(in, &out[s][c], 1)) return 0;
    return 1;
}

int DResult::GetSomeNodeStress(const char* ext, int count, const int* nodes, double (*out)[21][9])
{
    if (count < 1 || count > 21 || !nodes || !out) return 0;
    // the listed nodes in ascending order, each once; every listing is filled
    std::vector<int> order;
    for (int i = 0; i < count; ++i) {
        if (nodes[i] < 1) continue;
        if (nodes[i] > m_nResultNode) return 0;
        order.push_back(nodes[i]);
    }
    std::sort(order.begin(), order.end());
    order.erase(std::unique(order.begin(), order.end()), order.end());
    char path[260];
    GetFileName(path, ext);
    bifstream in(path);
    if (!in.IsOpen()) return 0;
    double v[21];
    for (int s = 0; s < m_nForceComb; ++s)
        for (int c = 0; c < 9; ++c) {
            const int64_t block = (s * 9LL + c) * m_nNode * 8LL;
            for (size_t i = 0; i < order.size(); ++i)
                if (!SeekTo(in, block + (order[i] - 1) * 8LL) || !ReadArray(in, &v[i], 1)) return 0;
            for (int i = 0; i < count; ++i) {
                if (nodes[i] < 1) continue;
                size_t at = std::lower_bound(order.begin(), order.end(), nodes[i]) - order.begin();
                out[s][i][c] = v[at];
            }
        }
    return 1;
}

#define KORVA_STRESS_FAMILY(Family, ext)                                      \
    int DResult::GetOneComb##Family##Stress(int set, double(*out)[9])         \
    {                                                                         \
        return GetAllNodeStress(ext, set, out);                               \
    }                                                                         \
    int DResult::GetOneNodeAllComb##Family##Stress(int node, double(*out)[9]) \
    {                                                                         \
        return GetOneNodeStress(ext, node, out);                              \
    }
KORVA_STRESS_FAMILY(Plane, "A2")
KORVA_STRESS_FAMILY(Sol21, "A11")
KORVA_STRESS_FAMILY(S16, "A18")
KORVA_STRESS_FAMILY(Sol8r, "A17")
KORVA_STRESS_FAMILY(Shell, "A14")
#undef KORVA_STRESS_FAMILY

int DResult::GetSomeNodePlaneStress(int count, const int* nodes, double (*out)[21][9])
{
    return GetSomeNodeStress("A2", count, nodes, out);
}
int DResult::GetSomeNodeSol21Stress(int count, const int* nodes, double (*out)[21][9])
{
    return GetSomeNodeStress("A11", count, nodes, out);
}
int DResult::GetSomeNodeS16Stress(int count, const int* nodes, double (*out)[21][9])
{
    return GetSomeNodeStress("A18", count, nodes, out);
}
int DResult::GetSomeNodeSol8rStress(int count, const int* nodes, double (*out)[21][9])
{
    return GetSomeNodeStress("A17", count, nodes, out);
}
