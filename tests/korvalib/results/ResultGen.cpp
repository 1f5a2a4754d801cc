// Result-set generator of the tests; see ResultGen.h.
#include "ResultGen.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <map>
#include <random>

namespace resgen {

int WallRec::HoleKind() const
{
    if (a == 1) return 0;
    if (c >= 1) return 1;
    if (d >= 1) return 3;
    return 2;
}

static std::vector<int> SlotsOf(int kind)
{
    switch (kind) {
        case 0:
        case 2: return {0};
        case 1: return {1, 2, 3};
        case 3: return {0, 1, 2, 3, 4};
    }
    return {};
}

// ------------------------------------------------------------- node vectors

std::vector<double> Model::Scatter(const std::vector<Row6>& nodes) const
{
    std::vector<double> v(static_cast<size_t>(neq), -777.0);
    for (int j = 0; j < N; ++j)
        for (int c = 0; c < 6; ++c)
            if (eq[j][c] >= 1) v[eq[j][c] - 1] = nodes[j][c];
    return v;
}

std::vector<double> Model::MassVector() const
{
    std::vector<double> v(static_cast<size_t>(neq), 0.0);
    std::vector<bool> taken(static_cast<size_t>(neq), false);
    for (int j = 0; j < N; ++j)
        for (int c = 0; c < 6; ++c) {
            int e = eq[j][c];
            if (e >= 1 && !taken[e - 1]) {
                taken[e - 1] = true;
                v[e - 1] = massTruth[j][c];
            }
        }
    return v;
}

std::vector<Row6> Model::Expect(const std::vector<Row6>& truth, int nres) const
{
    return std::vector<Row6>(truth.begin(), truth.begin() + nres);
}

static double Dist(const Xyz& a, const Xyz& b)
{
    return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) + (a[2] - b[2]) * (a[2] - b[2]));
}

std::vector<Row6> Model::ExpectMass(int nres) const
{
    // The solver gives an equation's mass once: to the first dof holding it
    // (node 8's uz shares node 7's equation and has none of its own).
    std::vector<Row6> m(static_cast<size_t>(N), Row6{});
    std::vector<bool> taken(static_cast<size_t>(neq), false);
    for (int j = 0; j < N; ++j)
        for (int c = 0; c < 6; ++c) {
            int e = eq[j][c];
            if (e >= 1 && !taken[e - 1]) {
                taken[e - 1] = true;
                m[j][c] = massTruth[j][c];
            }
        }
    // An edge's auxiliary nodes hand their masses to its two corners, which
    // grow in proportion to what they already hold: their ratio stays and no
    // mass is lost. Corners that hold none take half each.
    for (const Wall& w : walls) {
        if (w.ab.empty() && w.bd.empty()) continue;
        struct Edge {
            int from, to;
            const std::vector<int>* nodes;
        } const edges[4] = {{w.a, w.b, &w.ab}, {w.b, w.d, &w.bd}, {w.d, w.c, &w.dc}, {w.c, w.a, &w.ca}};
        for (const Edge& e : edges)
            for (int c = 0; c < 6; ++c) {
                double moved = 0;
                for (int k : *e.nodes)
                    if (k > nres && k <= N) {
                        moved += m[k - 1][c];
                        m[k - 1][c] = 0;
                    }
                if (moved <= 1e-8) continue;
                double& p = m[e.from - 1][c];
                double& q = m[e.to - 1][c];
                const double held = p + q;
                if (held < 1e-8) {
                    p += moved / 2;
                    q += moved / 2;
                } else {
                    p *= (held + moved) / held;
                    q *= (held + moved) / held;
                }
            }
    }
    // Rigid-floor slaves without a horizontal mass take their vertical one.
    for (int j = 0; j < N; ++j)
        if (master[j] >= 1)
            for (int c = 0; c < 2; ++c)
                if (m[j][c] < 1e-10) m[j][c] = m[j][2];
    m.resize(static_cast<size_t>(nres));
    return m;
}

std::vector<Row6> Model::ExpectAboveForce(int set, int nres) const
{
    std::vector<Row6> f = fsj[set];
    for (const Wall& w : walls) {
        if (w.ab.empty()) continue;
        bool up = xyz[w.c - 1][2] > xyz[w.a - 1][2];
        int p1 = up ? w.a : w.c, p2 = up ? w.b : w.d;
        const std::vector<int>& list = up ? w.ab : w.dc;
        for (int k : list) {
            if (k <= nres || k > N) continue;
            const Xyz& K = xyz[k - 1];
            double t = Dist(K, xyz[p1 - 1]) / Dist(xyz[p2 - 1], xyz[p1 - 1]);
            Row6 F = f[k - 1];
            const int who[2] = {p1, p2};
            const double share[2] = {t, 1 - t};
            for (int i = 0; i < 2; ++i) {
                const Xyz& P = xyz[who[i] - 1];
                double fx = share[i] * F[0], fy = share[i] * F[1], fz = share[i] * F[2];
                Row6& r = f[who[i] - 1];
                for (int c = 0; c < 6; ++c) r[c] += share[i] * F[c];
                // moment of the moved share about P: (K - P) x f
                double rx = K[0] - P[0], ry = K[1] - P[1], rz = K[2] - P[2];
                r[3] += ry * fz - rz * fy;
                r[4] += rz * fx - rx * fz;
                r[5] += rx * fy - ry * fx;
            }
            f[k - 1] = Row6{};
        }
    }
    f.resize(static_cast<size_t>(nres));
    return f;
}

double Model::ExpectPeriod(int mode) const
{
    double l = eigen[mode];
    return l > 0 ? 2 * 3.141592653589793 / std::sqrt(l) : 0.0;
}

// ------------------------------------------------------------------- writing

void Model::WriteSys(const std::string& base) const
{
    LeBytes s;
    s.skip(680, 0x11);
    int head[6] = {cases, N, 77, neq, 88, modes};
    for (int v : head) s.i32(v);
    s.skip(704 - 704 + 0, 0);
    // bytes 704..923: 55 int32
    int blk[55];
    for (int i = 0; i < 55; ++i) blk[i] = 1000 + i;  // unused words hold junk
    blk[24 / 4] = specDirs;
    blk[28 / 4] = specModes;
    blk[36 / 4] = steps1;
    blk[40 / 4] = kind1;
    blk[44 / 4] = steps2;
    blk[48 / 4] = kind2;
    blk[88 / 4] = combs;
    blk[92 / 4] = sets;
    blk[120 / 4] = stages;
    for (int v : blk) s.i32(v);
    s.i32(sysResultNodes);
    s.Save(base + ".SYS");
}

static void WriteVectors(const Model& m, const std::string& path, const std::vector<std::vector<Row6>>& truth,
                         const std::vector<double>* trail)
{
    LeBytes b;
    for (size_t r = 0; r < truth.size(); ++r) {
        for (double v : m.Scatter(truth[r])) b.f64(v);
        b.f64(trail ? (*trail)[r] : -99.0);
    }
    b.Save(path);
}

void Model::WriteNodeFiles(const std::string& base) const
{
    LeBytes pl;
    pl.skip(64, 0x50);
    pl.Save(base + ".PL");

    LeBytes id;
    id.skip(24);
    for (int c = 0; c < 6; ++c)
        for (int j = 0; j < N; ++j) id.i32(eq[j][c]);
    for (int j = 0; j < N; ++j) id.i32(master[j]);
    id.Save(base + ".ID");

    LeBytes x;
    x.skip(24);
    for (int c = 0; c < 3; ++c)
        for (int j = 0; j < N; ++j) x.f64(xyz[j][c]);
    x.Save(base + ".XYZ");

    WriteVectors(*this, base + ".DIS", dis, nullptr);
    if (modes) WriteVectors(*this, base + ".VEC", vec, &eigen);
    if (!res.empty()) WriteVectors(*this, base + ".RES", res, &resTime);
    if (!vel.empty()) WriteVectors(*this, base + ".VEL", vel, &velTime);
    if (!acc.empty()) WriteVectors(*this, base + ".ACC", acc, &accTime);
    if (!equ.empty()) WriteVectors(*this, base + ".EQU", equ, nullptr);
    if (writeSta && !sta.empty()) WriteVectors(*this, base + ".STA", sta, &staFactor);
    if (!acd.empty()) WriteVectors(*this, base + ".ACD", acd, nullptr);

    if (!massTruth.empty()) {
        LeBytes ms;
        ms.skip(24);
        for (double v : MassVector()) ms.f64(v);
        ms.Save(base + ".MAS");
    }

    if (!fsj.empty()) {
        LeBytes f;
        for (const auto& set : fsj)
            for (const Row6& r : set)
                for (double v : r) f.f64(v);
        f.Save(base + ".FSJ");
    }

    if (!walls.empty()) {
        LeBytes r;
        for (const Wall& w : walls) {
            r.skip(4);
            r.i32(static_cast<int>(w.ab.size()) + 1);
            r.i32(static_cast<int>(w.bd.size()) + 1);
            r.i32(w.a);
            r.i32(w.b);
            r.i32(w.c);
            r.i32(w.d);
            for (const auto* l : {&w.ab, &w.bd, &w.dc, &w.ca})
                for (int k : *l) r.i32(k);
            r.skip(4);
        }
        r.Save(base + ".REF");
    }

    if (specModes > 0) {
        LeBytes q;
        q.skip(20);
        for (int v : cqcModes) q.i32(v);
        q.skip(8);
        for (double v : cqcA) q.f64(v);
        q.skip(8);
        for (double v : cqcB) q.f64(v);
        q.Save(base + ".CQC");
    }
    if (!dir.empty()) {
        LeBytes d;
        d.skip(24);
        for (const auto& r : dir)
            for (double v : r) d.f64(v);
        d.Save(base + ".DIR");
    }

    static const char* stressExt[5] = {"A2", "A11", "A14", "A17", "A18"};
    for (int f = 0; f < 5; ++f) {
        if (stress[f].empty()) continue;
        LeBytes s;
        for (const auto& set : stress[f])
            for (int c = 0; c < 9; ++c)
                for (int j = 0; j < N; ++j) s.f64(set[j][c]);
        s.Save(base + "." + stressExt[f]);
    }

    LeBytes t;
    t.skip(16, 0x44);
    t.Save(base + ".DYN");
    t.Save(base + ".STP");
}

// One set's values as the solver writes them, between two 4-byte marks.
template <class Values>
static void Marked(LeBytes& b, const Values& values)
{
    b.skip(4);
    for (double v : values) b.f64(v);
    b.skip(4);
}

// A record's head: the given words between two 4-byte marks.
static void Head(LeBytes& b, std::initializer_list<int> words)
{
    b.skip(4);
    for (int v : words) b.i32(v);
    b.skip(4);
}

// U41 and A41 start with the element count.
static void ShellFileHead(LeBytes& b, size_t elements)
{
    b.skip(4);
    b.i32(static_cast<int>(elements));
    b.skip(8);
}

// U8 and U31: a record is the element and pad bytes, then one value a set.
static void WriteScalars(const std::string& path, const std::vector<ScalarRec>& recs, int pad)
{
    LeBytes b;
    b.skip(16);
    for (const ScalarRec& r : recs) {
        b.skip(4);
        b.i32(r.element);
        b.skip(pad);
        for (double v : r.value) Marked(b, std::array<double, 1>{v});
    }
    b.Save(path);
}

static void WriteFrames(const std::string& path, const std::vector<FrameRec>& recs, int sets, bool u7)
{
    LeBytes b;
    b.skip(16, 0xEE);
    for (const FrameRec& r : recs) {
        int s = static_cast<int>(r.pos.size());
        b.skip(4);
        b.i32(r.element);
        if (u7)
            b.i32(12345);
        else
            b.skip(4);
        b.i32(s);
        for (double p : r.pos) b.f64(p);
        b.skip(4);
        for (int k = 0; k < sets; ++k)
            for (int i = 0; i < s; ++i) Marked(b, r.force[k][i]);
    }
    b.Save(path);
}

void Model::WriteElementFiles(const std::string& base) const
{
    WriteFrames(base + ".U3", u3, sets, false);
    WriteFrames(base + ".U30", u30, sets, false);
    WriteFrames(base + ".U7", u7, sets, true);

    WriteScalars(base + ".U8", u8, 4);
    WriteScalars(base + ".U31", u31, 12);

    LeBytes cf;
    cf.skip(16);
    for (const CframeRec& r : u6) {
        Head(cf, {r.element});
        for (const auto& v : r.value) Marked(cf, v);
    }
    cf.Save(base + ".U6");

    LeBytes pp;
    pp.skip(16);
    for (const PipeRec& r : u10) {
        Head(pp, {r.element, r.k});
        for (const auto& v : r.value) {
            pp.skip(4);
            for (int i = 0; i < 6; ++i) pp.f64(v[i]);
            if (r.k >= 13)
                for (int i = 6; i < 12; ++i) pp.f64(v[i]);
            for (int i = 12; i < 18; ++i) pp.f64(v[i]);
            pp.skip(4);
        }
    }
    pp.Save(base + ".U10");

    LeBytes u;
    ShellFileHead(u, u41.size());
    for (const ShellRec& r : u41) {
        int m = static_cast<int>(r.rows[0].size());
        Head(u, {r.element, m});
        for (int k = 0; k < sets; ++k)
            for (int i = 0; i < m; ++i) Marked(u, r.rows[k][i]);
    }
    u.Save(base + ".U41");

    LeBytes a;
    ShellFileHead(a, a41.size());
    for (int k = 0; k < sets; ++k)
        for (const ShellRec& r : a41) {
            int m = static_cast<int>(r.rows[k].size());
            Head(a, {r.element, m});
            for (int i = 0; i < m; ++i) Marked(a, r.rows[k][i]);
        }
    a.Save(base + ".A41");

    LeBytes w;
    w.skip(16);
    for (const WallRec& r : u5) {
        Head(w, {r.element, r.a, r.b, r.c, r.d});
        std::vector<int> slots = SlotsOf(r.HoleKind());
        bool first = r.b == 0 || r.b == 1;
        bool second = r.b != 1;
        for (int end = 0; end < 2; ++end) {
            if ((end == 0 && !first) || (end == 1 && !second)) continue;
            for (int s : slots)
                for (int k = 0; k < sets; ++k) {
                    w.skip(4);
                    for (int i = 0; i < 6; ++i) w.f64(r.value[k][s][end * 6 + i]);
                    w.skip(4);
                }
        }
    }
    w.Save(base + ".U5");

    LeBytes ch;
    ch.skip(16);
    for (const CheckRec& r : f88) {
        int s = static_cast<int>(r.pos.size());
        ch.skip(4);
        ch.i32(r.element);
        ch.i32(s);
        for (double p : r.pos) ch.f64(p);
        ch.skip(4);
        for (int k = 0; k < sets; ++k)
            for (int i = 0; i < s; ++i) {
                ch.skip(4);
                for (int v = 1; v <= 18; ++v) ch.f64(r.row[k][i][v]);
                ch.i32(static_cast<int>(r.row[k][i][19]));
                ch.f64(r.row[k][i][20]);
                ch.skip(4);
            }
    }
    ch.Save(base + ".F88");
}

void Model::WriteAll(const std::string& base) const
{
    WriteSys(base);
    WriteNodeFiles(base);
    WriteElementFiles(base);
}

// --------------------------------------------------------------- the models

namespace {

struct Rng {
    std::mt19937 g;
    explicit Rng(unsigned seed) : g(seed) {}
    double operator()() { return std::uniform_real_distribution<double>(-10, 10)(g); }
};

// Node values for one vector: free per dof with an equation, equal for dofs
// sharing one, rigid-body motion of the master for the slaves' ux, uy, rz.
std::vector<Row6> NodeTruth(const Model& m, Rng& rng)
{
    std::vector<Row6> t(static_cast<size_t>(m.N), Row6{});
    std::map<int, double> byEq;
    for (int j = 0; j < m.N; ++j)
        for (int c = 0; c < 6; ++c) {
            int e = m.eq[j][c];
            if (e < 1) continue;
            auto it = byEq.find(e);
            if (it == byEq.end()) it = byEq.emplace(e, rng()).first;
            t[j][c] = it->second;
        }
    for (int j = 0; j < m.N; ++j) {
        int ms = m.master[j];
        if (ms < 1) continue;
        const Row6& M = t[ms - 1];
        double dx = m.xyz[j][0] - m.xyz[ms - 1][0], dy = m.xyz[j][1] - m.xyz[ms - 1][1];
        t[j][0] = M[0] - M[5] * dy;
        t[j][1] = M[1] + M[5] * dx;
        t[j][5] = M[5];
    }
    return t;
}

void NumberEquations(Model& m, unsigned seed)
{
    std::vector<std::pair<int, int>> dofs;
    for (int j = 0; j < m.N; ++j)
        for (int c = 0; c < 6; ++c)
            if (m.eq[j][c] == 1) dofs.push_back({j, c});
    std::mt19937 g(seed);
    std::shuffle(dofs.begin(), dofs.end(), g);
    m.neq = static_cast<int>(dofs.size());
    for (int e = 0; e < m.neq; ++e) m.eq[dofs[e].first][dofs[e].second] = e + 1;
}

}  // namespace

Model MakeSmallModel()
{
    Model m;
    m.N = 16;
    m.n = 9;
    m.sysResultNodes = 9;
    m.xyz = {{{0, 0, 0}},   {{4, 0, 0}},   {{0, 0, 3}},   {{4, 0, 3}}, {{0, 5, 3}}, {{2, 2, 3}},
             {{4, 5, 0}},   {{4, 5, 3}},   {{0, 5, 0}},   {{2, 0, 0}}, {{1, 0, 0}}, {{2, 0, 3}},
             {{4, 2.5, 3}}, {{0, 2.5, 0}}, {{4, 2.5, 0}}, {{2, 5, 0}}};
    // 1 marks a dof that gets an equation; 0 and negatives have none.
    m.eq.assign(16, {{1, 1, 1, 1, 1, 1}});
    m.eq[0] = {{0, 0, 0, 0, 0, 0}};
    m.eq[8] = {{-1, -1, -1, -1, -1, -1}};
    m.eq[1][3] = 0;
    m.eq[1][4] = -5;
    m.eq[6][5] = -2;
    m.master.assign(16, 0);
    m.master[8] = -3;  // negative: no master
    // nodes 4 and 5 hang on master 6 in a rigid floor
    for (int s : {3, 4}) {
        m.master[s] = 6;
        m.eq[s][0] = 0;
        m.eq[s][1] = -1;
        m.eq[s][5] = 0;
    }
    NumberEquations(m, 7);
    // node 8's uz shares node 7's equation (coupled dofs)
    m.eq[7][2] = m.eq[6][2];
    // an equation left without any dof would make the count wrong; renumber
    {
        std::vector<int> used(static_cast<size_t>(m.neq + 1), 0);
        for (auto& r : m.eq)
            for (int e : r)
                if (e >= 1) used[e] = 1;
        std::vector<int> map(static_cast<size_t>(m.neq + 1), 0);
        int k = 0;
        for (int e = 1; e <= m.neq; ++e)
            if (used[e]) map[e] = ++k;
        for (auto& r : m.eq)
            for (int& e : r)
                if (e >= 1) e = map[e];
        m.neq = k;
    }

    m.walls = {
        {1, 2, 3, 4, {10, 11}, {}, {12, 9}, {}},  // upright: lower edge a-b
        {8, 4, 7, 2, {13}, {0}, {15}, {1}},       // upside down: lower edge c-d
        {1, 9, 3, 5, {}, {14, 2}, {}, {0, 3}},    // p = 0: no force moves
        {9, 7, 5, 8, {16}, {}, {0}, {}},
    };

    m.cases = 3;
    m.combs = 2;
    m.modes = 4;
    m.sets = 3;
    m.specDirs = 2;
    m.specModes = 3;
    m.stages = 2;
    m.steps1 = 3;
    m.kind1 = 3;
    m.steps2 = 5;
    m.kind2 = 2;

    Rng rng(12345);
    for (int r = 0; r < m.cases + m.combs; ++r) m.dis.push_back(NodeTruth(m, rng));
    const double tw = 2 * 3.141592653589793;
    m.eigen = {(tw / 0.5) * (tw / 0.5), 0.0, -4.0, (tw / 0.2) * (tw / 0.2)};
    for (int r = 0; r < m.modes; ++r) m.vec.push_back(NodeTruth(m, rng));
    // the first analysis is taken (its DYN is written after STP? no: same
    // time, so not older): 3 steps
    for (int r = 0; r < m.steps1; ++r) {
        m.res.push_back(NodeTruth(m, rng));
        m.vel.push_back(NodeTruth(m, rng));
        m.acc.push_back(NodeTruth(m, rng));
        m.resTime.push_back(0.01 * (r + 1));
        m.velTime.push_back(0.02 * (r + 1));
        m.accTime.push_back(0.03 * (r + 1));
    }
    for (int r = 0; r < m.specDirs; ++r) m.equ.push_back(NodeTruth(m, rng));
    for (int r = 0; r < 2 * m.sets; ++r) {
        m.sta.push_back(NodeTruth(m, rng));
        m.staFactor.push_back(1.5 + r);
    }
    for (int r = 0; r < m.stages; ++r) m.acd.push_back(NodeTruth(m, rng));

    m.massTruth.assign(16, Row6{});
    for (int j = 0; j < m.N; ++j)
        for (int c = 0; c < 6; ++c)
            if (m.eq[j][c] >= 1) m.massTruth[j][c] = 1 + std::fabs(rng());
    for (int k = 0; k < m.sets; ++k) {
        std::vector<Row6> f(16);
        for (auto& r : f)
            for (double& v : r) v = rng();
        m.fsj.push_back(f);
    }
    for (auto& fam : m.stress)
        for (int k = 0; k < m.sets; ++k) {
            std::vector<Row9> s(16);
            for (auto& r : s)
                for (double& v : r) v = rng();
            fam.push_back(s);
        }
    m.cqcModes = {1, 2, 4};
    for (int i = 0; i < m.specModes * m.specDirs; ++i) {
        m.cqcA.push_back(rng());
        m.cqcB.push_back(rng());
    }
    for (int k = 0; k < m.modes; ++k) m.dir.push_back({{rng(), rng(), rng(), rng(), rng(), rng()}});

    // element files
    auto frame = [&](int element, std::vector<double> pos) {
        FrameRec r{element, pos, {}};
        for (int k = 0; k < m.sets; ++k) {
            std::vector<Row6> sect(pos.size());
            for (auto& row : sect)
                for (double& v : row) v = rng();
            r.force.push_back(sect);
        }
        return r;
    };
    m.u3 = {frame(5, {0, 1.5, 3}), frame(2, {0, 2}), frame(9, {1})};
    m.u30 = {frame(3, {0, 4}), frame(1, {0, 1, 2, 3})};
    m.u7 = {frame(4, {0, 0.5, 1})};
    for (int e : {7, 3, 12}) {
        ScalarRec r{e, {}};
        for (int k = 0; k < m.sets; ++k) r.value.push_back(rng());
        m.u8.push_back(r);
    }
    for (int e : {2, 1}) {
        ScalarRec r{e, {}};
        for (int k = 0; k < m.sets; ++k) r.value.push_back(rng());
        m.u31.push_back(r);
    }
    for (int e : {6, 2}) {
        CframeRec r{e, {}};
        for (int k = 0; k < m.sets; ++k) {
            std::array<double, 12> v;
            for (double& x : v) x = rng();
            r.value.push_back(v);
        }
        m.u6.push_back(r);
    }
    for (auto [e, kk] : {std::pair{4, 12}, std::pair{8, 18}}) {
        PipeRec r{e, kk, {}};
        for (int k = 0; k < m.sets; ++k) {
            std::array<double, 18> v{};
            for (int i = 0; i < 18; ++i)
                if (kk >= 13 || i < 6 || i >= 12) v[i] = rng();
            r.value.push_back(v);
        }
        m.u10.push_back(r);
    }
    auto shell = [&](int e, int nodes) {
        ShellRec r{e, {}};
        for (int k = 0; k < m.sets; ++k) {
            std::vector<std::array<double, 8>> rows(static_cast<size_t>(nodes));
            for (auto& row : rows)
                for (double& v : row) v = rng();
            r.rows.push_back(rows);
        }
        return r;
    };
    // 10 nodes is the most a shell record has
    m.u41 = {shell(3, 4), shell(1, 3), shell(6, 9), shell(8, 10)};
    m.a41 = {shell(2, 4), shell(5, 3), shell(7, 10)};
    // walls: kinds 0 (a = 1, first end only), 1 (both ends), 3 (second end), 2
    auto wall = [&](int e, int a, int b, int c, int d) {
        WallRec r{e, a, b, c, d, {}};
        for (int k = 0; k < m.sets; ++k) {
            std::array<std::array<double, 12>, 5> v{};
            for (int s : SlotsOf(r.HoleKind()))
                for (int i = 0; i < 12; ++i) {
                    bool firstEnd = i < 6;
                    bool stored = firstEnd ? (b == 0 || b == 1) : (b != 1);
                    if (stored) v[s][i] = rng();
                }
            r.value.push_back(v);
        }
        return r;
    };
    m.u5 = {wall(4, 1, 1, 0, 0), wall(2, 0, 0, 1, 0), wall(7, 0, 2, 0, 5), wall(1, 0, 0, 0, 0)};
    auto check = [&](int e, std::vector<double> pos) {
        CheckRec r{e, pos, {}};
        for (int k = 0; k < m.sets; ++k) {
            std::vector<std::array<double, 21>> rows(pos.size());
            for (size_t i = 0; i < pos.size(); ++i) {
                rows[i][0] = pos[i];
                for (int v = 1; v <= 18; ++v) rows[i][v] = rng();
                rows[i][19] = static_cast<double>(static_cast<int>(rng() * 100));
                rows[i][20] = rng();
            }
            r.row.push_back(rows);
        }
        return r;
    };
    m.f88 = {check(2, {0, 3}), check(8, {0, 1, 2})};
    return m;
}

Model MakeLargeModel(int N, int cases, int modes)
{
    Model m;
    m.N = N;
    m.n = N;
    m.sysResultNodes = N;
    m.xyz.resize(static_cast<size_t>(N));
    m.eq.assign(static_cast<size_t>(N), {{1, 1, 1, 1, 1, 1}});
    m.master.assign(static_cast<size_t>(N), 0);
    for (int j = 0; j < N; ++j) {
        m.xyz[j] = {{double(j % 100), double((j / 100) % 100), double(j / 10000)}};
        if (j % 50 == 0) m.eq[j] = {{0, 0, 0, 0, 0, 0}};
    }
    NumberEquations(m, 3);
    m.cases = cases;
    m.modes = modes;
    Rng rng(99);
    for (int r = 0; r < cases; ++r) m.dis.push_back(NodeTruth(m, rng));
    for (int r = 0; r < modes; ++r) {
        m.vec.push_back(NodeTruth(m, rng));
        m.eigen.push_back(100.0 + r);
    }
    return m;
}

vektest::Bytes ReinforcementFile()
{
    LeBytes b;
    b.skip(4);
    // element 3, kind 1 (beam), 1 section: lower, upper, hoop, torsion
    b.i32(3);
    b.i32(1);
    b.i32(1);
    b.i32(1);
    b.f64(0.5);
    b.f64(11);
    b.f64(12);
    b.i32(4);  // lower
    b.f64(0.75);
    b.f64(21);
    b.f64(22);
    b.i32(5);  // upper
    b.i32(1);
    b.f64(0.9);
    b.f64(31);
    b.f64(32);
    b.i32(6);  // hoop
    b.i32(11);
    b.f64(1);
    b.f64(2);
    b.f64(3);
    b.f64(4);
    b.i32(7);  // torsion
    // element 4: no result
    b.i32(4);
    b.i32(0);
    // element 6, kind 2 (column), 2 sections: hoop, second, third; no torsion
    b.i32(6);
    b.i32(1);
    b.i32(2);
    b.i32(2);
    b.i32(0);  // hoop absent
    b.i32(4);
    b.f64(1.5);
    b.f64(41);
    b.i32(8);  // second: position, value 2
    b.i32(7);
    b.f64(51);
    b.f64(99);
    b.i32(9);  // third, kind 7: value 2, unused
    b.i32(1);
    b.f64(2.5);
    b.f64(61);
    b.f64(62);
    b.i32(10);  // hoop
    b.i32(3);
    b.f64(2.75);
    b.i32(11);  // second, kind 3: position only
    b.i32(9);   // third, unknown kind
    // element 8, other kind, 1 section with every group, torsion kind 12
    b.i32(8);
    b.i32(1);
    b.i32(3);
    b.i32(1);
    b.f64(0.1);
    b.f64(1);
    b.f64(2);
    b.i32(1);
    b.f64(0.2);
    b.f64(3);
    b.f64(4);
    b.i32(2);
    b.i32(1);
    b.f64(0.3);
    b.f64(5);
    b.f64(6);
    b.i32(3);
    b.i32(5);
    b.f64(0.4);
    b.f64(7);
    b.i32(4);
    b.i32(1);
    b.f64(0.6);
    b.f64(8);
    b.f64(9);
    b.i32(5);
    b.i32(12);
    return b;
}

void SetTime(const std::string& path, long long secondsFromNow)
{
    namespace fs = std::filesystem;
    using Clock = fs::file_time_type::clock;
    std::error_code ec;
    // Past times count from one reference instant, so that files given the
    // same offset get the same time. Future times count from this call: the
    // file must be newer than every copy the reader made so far, however long
    // the run has taken since the reference.
    static const auto reference = Clock::now();
    const auto from = secondsFromNow > 0 ? Clock::now() : reference;
    fs::last_write_time(path, from + std::chrono::seconds(secondsFromNow), ec);
}

}  // namespace resgen
