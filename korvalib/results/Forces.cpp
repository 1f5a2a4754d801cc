// Force, check and reinforcement records of the element-force queries.
#include "korvalib/results/Forces.h"
#include "korvalib/base/biostream.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// Rows of a fixed width, allocated on this library's heap.
template <int W>
double (*NewRows(int count))[W]
{
    if (count <= 0) return nullptr;
    return static_cast<double(*)[W]>(std::calloc(static_cast<size_t>(count), sizeof(double[W])));
}

template <int W, class N>
int CopyRows(double (*&dst)[W], N& dstCount, int count, const double (*src)[W])
{
    double(*p)[W] = nullptr;
    if (count > 0) {
        p = NewRows<W>(count);
        if (!p) return 0;
        std::memcpy(p, src, static_cast<size_t>(count) * sizeof(double[W]));
    }
    std::free(dst);
    dst = p;
    dstCount = static_cast<N>(count);
    return 1;
}

// As CopyRows, for a count given by the caller: refused (0, rows unchanged)
// outside 0..maxCount.
template <int W, class N>
int SetRows(double (*&dst)[W], N& dstCount, int count, int maxCount, const double (*src)[W])
{
    if (count < 0 || count > maxCount || (count > 0 && !src)) return 0;
    return CopyRows<W>(dst, dstCount, count, src);
}

// A count read from a stream that cannot be right: mark the stream failed, so
// that the caller's check after the block fails.
void PoisonStream(bifstream& in)
{
    in.CheckAvailable(-1);
}

// Reads n rows (n read just before, the rows already released) into a new
// array; a stream that went bad, a count that is negative or beyond the
// stream, or a lack of memory poisons the stream.
template <int W, class N>
void ReadNewRows(bifstream& in, double (*&rows)[W], N& count, int n)
{
    if (!in.IsGood() || n < 0 || !in.CheckAvailable(n * int64_t(sizeof(double[W])))) {
        PoisonStream(in);
        return;
    }
    if (n == 0) return;
    rows = NewRows<W>(n);
    if (!rows) {
        PoisonStream(in);
        return;
    }
    count = static_cast<N>(n);
    in.Read(rows, n * static_cast<int>(sizeof(double[W])));
}

}  // namespace

// ---------------------------------------------------------------- DFrameForce

DFrameForce::DFrameForce() : m_nID(0), nSect(0), pSect(nullptr), nAlloc(0) {}

DFrameForce::DFrameForce(const DFrameForce& o) : m_nID(0), nSect(0), pSect(nullptr), nAlloc(0)
{
    *this = o;
}

DFrameForce::~DFrameForce()
{
    std::free(pSect);
}

DFrameForce& DFrameForce::operator=(const DFrameForce& o)
{
    if (this == &o) return *this;
    m_nID = o.m_nID;
    if (CopyRows<7>(pSect, nSect, o.nSect, o.pSect))
        nAlloc = nSect;
    else
        Clear();
    return *this;
}

int DFrameForce::SetSectForce(int count, const double rows[][7])
{
    if (!SetRows<7>(pSect, nSect, count, 255, rows)) return 0;
    nAlloc = nSect;
    return 1;
}

int DFrameForce::AddSectForce(const double row[7])
{
    if (nSect >= 255) return 0;
    if (nSect >= nAlloc) {
        void* p = std::realloc(pSect, (nSect + 1u) * sizeof(double[7]));
        if (!p) return 0;
        pSect = static_cast<double(*)[7]>(p);
        nAlloc = nSect + 1;
    }
    std::memcpy(pSect[nSect], row, sizeof(double[7]));
    ++nSect;
    return 1;
}

void DFrameForce::Clear()
{
    std::free(pSect);
    pSect = nullptr;
    nSect = 0;
    nAlloc = 0;
}

int DFrameForce::PrepareRows(int count)
{
    if (count < 0 || count > 255) return 0;
    if (count > nAlloc) {
        double(*p)[7] = NewRows<7>(count);
        if (!p) return 0;
        std::free(pSect);
        pSect = p;
        nAlloc = count;
    } else if (count > 0) {
        std::memset(pSect, 0, static_cast<size_t>(count) * sizeof(double[7]));
    }
    nSect = static_cast<unsigned char>(count);
    return 1;
}

int DFrameForce::SetEndRows(int id, double length, const double* forceI, const double* forceM, const double* forceJ)
{
    m_nID = id;
    const int count = forceM ? 3 : 2;
    if (!PrepareRows(count)) return 0;
    const double pos[3] = {0, forceM ? length / 2 : length, length};
    const double* const forces[3] = {forceI, forceM ? forceM : forceJ, forceJ};
    for (int i = 0; i < count; ++i) {
        pSect[i][0] = pos[i];
        std::memcpy(&pSect[i][1], forces[i], sizeof(double[6]));
    }
    return 1;
}

int DFrameForce::CopyFrom(const DTrussForce& f, double length)
{
    const double axial[6] = {f.force};
    return SetEndRows(f.m_nID, length, axial, nullptr, axial);
}

int DFrameForce::CopyFrom(const DSpringForce& f, double length)
{
    const double axial[6] = {f.force};
    return SetEndRows(f.m_nID, length, axial, nullptr, axial);
}

int DFrameForce::CopyFrom(const DCframeForce& f, double length)
{
    return SetEndRows(f.m_nID, length, f.forceI, nullptr, f.forceJ);
}

int DFrameForce::CopyFrom(const DPipeForce& f, double length)
{
    return SetEndRows(f.m_nID, length, f.forceI, f.bMiddle ? f.forceM : nullptr, f.forceJ);
}

int DFrameForce::CopyFrom(const DWallForce& f, double length)
{
    m_nID = f.m_nID;
    const DWallForceElement* e = f.pPiece[0];
    if (!e) {
        nSect = 0;
        return 0;
    }
    // the wall piece's values in the order of a beam's six forces
    static const int first[6] = {0, 1, 2, 8, 6, 7};
    static const int second[6] = {3, 4, 5, 11, 9, 10};
    double forceI[6], forceJ[6];
    for (int i = 0; i < 6; ++i) {
        forceI[i] = e->value[first[i]];
        forceJ[i] = e->value[second[i]];
    }
    return SetEndRows(f.m_nID, length, forceI, nullptr, forceJ);
}

void DFrameForce::Serialize(bofstream& out)
{
    out << m_nID << nSect;
    out.Write(pSect, nSect * static_cast<int>(sizeof(double[7])));
}

void DFrameForce::Serialize(bifstream& in)
{
    unsigned char n = 0;
    in >> m_nID >> n;
    if (!in.IsGood() || !in.CheckAvailable(n * int64_t(sizeof(double[7]))) || !PrepareRows(n)) {
        Clear();
        PoisonStream(in);
        return;
    }
    in.Read(pSect, n * static_cast<int>(sizeof(double[7])));
}

// ------------------------------------------------------- small fixed records

DTrussForce::DTrussForce() : m_nID(0), force(0) {}
DTrussForce::~DTrussForce() = default;
void DTrussForce::Serialize(bofstream& out)
{
    out << m_nID << force;
}
void DTrussForce::Serialize(bifstream& in)
{
    in >> m_nID >> force;
}

DSpringForce::DSpringForce() : m_nID(0), force(0) {}
void DSpringForce::Serialize(bofstream& out)
{
    out << m_nID << force;
}
void DSpringForce::Serialize(bifstream& in)
{
    in >> m_nID >> force;
}

DCframeForce::DCframeForce() : m_nID(0), forceI{}, forceJ{} {}
DCframeForce::~DCframeForce() = default;
void DCframeForce::Serialize(bofstream& out)
{
    out << m_nID;
    out.Write(forceI, sizeof forceI);
    out.Write(forceJ, sizeof forceJ);
}
void DCframeForce::Serialize(bifstream& in)
{
    in >> m_nID;
    in.Read(forceI, sizeof forceI);
    in.Read(forceJ, sizeof forceJ);
}

DPipeForce::DPipeForce() : m_nID(0), bMiddle(0), forceI{}, forceM{}, forceJ{} {}
DPipeForce::~DPipeForce() = default;
void DPipeForce::Serialize(bofstream& out)
{
    out << m_nID << bMiddle;
    out.Write(forceI, sizeof forceI);
    out.Write(forceM, sizeof forceM);
    out.Write(forceJ, sizeof forceJ);
}
void DPipeForce::Serialize(bifstream& in)
{
    in >> m_nID >> bMiddle;
    in.Read(forceI, sizeof forceI);
    in.Read(forceM, sizeof forceM);
    in.Read(forceJ, sizeof forceJ);
}

// ---------------------------------------------------------------- DShellForce

DShellForce::DShellForce() : m_nID(0), nNode(0), pNode(nullptr) {}

DShellForce::DShellForce(const DShellForce& o) : m_nID(0), nNode(0), pNode(nullptr)
{
    *this = o;
}

DShellForce::~DShellForce()
{
    std::free(pNode);
}

DShellForce& DShellForce::operator=(const DShellForce& o)
{
    if (this == &o) return *this;
    m_nID = o.m_nID;
    if (!CopyRows<8>(pNode, nNode, o.nNode, o.pNode)) Clear();
    return *this;
}

int DShellForce::SetNodeForce(int count, const double rows[][8])
{
    return SetRows<8>(pNode, nNode, count, 32767, rows);
}

void DShellForce::Clear()
{
    std::free(pNode);
    pNode = nullptr;
    nNode = 0;
}

void DShellForce::Serialize(bofstream& out)
{
    out << m_nID << nNode;
    if (nNode > 0) out.Write(pNode, nNode * static_cast<int>(sizeof(double[8])));
}

void DShellForce::Serialize(bifstream& in)
{
    short n = 0;
    in >> m_nID >> n;
    Clear();
    ReadNewRows<8>(in, pNode, nNode, n);
}

// ----------------------------------------------------------------- DWallForce

DWallForceElement::DWallForceElement() : value{} {}

DWallForceElement& DWallForceElement::operator=(const DWallForceElement& o)
{
    std::memcpy(value, o.value, sizeof value);
    return *this;
}

DWallForce::DWallForce() : m_nID(0), nHoleKind(0), nEndKind(0), pPiece{} {}

DWallForce::DWallForce(const DWallForce& o) : m_nID(0), nHoleKind(0), nEndKind(0), pPiece{}
{
    *this = o;
}

DWallForce::~DWallForce()
{
    ClearMemory();
}

DWallForce& DWallForce::operator=(const DWallForce& o)
{
    if (this == &o) return *this;
    ClearMemory();
    m_nID = o.m_nID;
    nHoleKind = o.nHoleKind;
    nEndKind = o.nEndKind;
    for (int i = 0; i < SlotCount; ++i) {
        if (o.pPiece[i]) {
            pPiece[i] = new (std::nothrow) DWallForceElement(*o.pPiece[i]);
            if (!pPiece[i]) {
                ClearMemory();
                return *this;
            }
        }
    }
    return *this;
}

int DWallForce::SlotMask(int holeKind)
{
    switch (holeKind) {
        case 0:
        case 2: return 0x01;
        case 1: return 0x0E;
        case 3: return 0x1F;
        default: return 0;
    }
}

int DWallForce::PieceCount(int holeKind)
{
    switch (holeKind) {
        case 0:
        case 2: return 1;
        case 1: return 3;
        case 3: return 5;
        default: return 0;
    }
}

void DWallForce::ClearMemory()
{
    for (auto& p : pPiece) {
        delete p;
        p = nullptr;
    }
}

int DWallForce::AllocAndZeroMemoryAccordnHole()
{
    ClearMemory();
    int mask = SlotMask(nHoleKind);
    for (int i = 0; i < SlotCount; ++i) {
        if (mask & (1 << i)) {
            pPiece[i] = new (std::nothrow) DWallForceElement;
            if (!pPiece[i]) {
                ClearMemory();
                return 0;
            }
        }
    }
    return 1;
}

int DWallForce::IsValid() const
{
    if (m_nID <= 0 || nEndKind > 2 || nHoleKind > 3) return 0;
    int mask = SlotMask(nHoleKind);
    for (int i = 0; i < SlotCount; ++i)
        if (((mask >> i) & 1) != (pPiece[i] != nullptr)) return 0;
    return 1;
}

void DWallForce::Serialize(bofstream& out)
{
    // An invalid record is written as kind 255 with no pieces, which is what
    // the reader expects; the record itself is left as it is.
    const int valid = IsValid();
    const unsigned char kind = valid ? nHoleKind : static_cast<unsigned char>(InvalidHole);
    out << m_nID << kind << nEndKind;
    if (!valid) return;
    for (int i = 0; i < SlotCount; ++i)
        if (pPiece[i]) out.Write(pPiece[i]->value, sizeof pPiece[i]->value);
}

void DWallForce::Serialize(bifstream& in)
{
    in >> m_nID >> nHoleKind >> nEndKind;
    if (!in.IsGood() || !in.CheckAvailable(PieceCount(nHoleKind) * int64_t(sizeof(double[12]))) ||
        !AllocAndZeroMemoryAccordnHole()) {
        ClearMemory();
        PoisonStream(in);
        return;
    }
    for (int i = 0; i < SlotCount; ++i)
        if (pPiece[i]) in.Read(pPiece[i]->value, sizeof pPiece[i]->value);
}

// --------------------------------------------------------------- DSframeCheck

DSframeCheck::DSframeCheck() : m_nID(0), nSect(0), pSect(nullptr) {}

DSframeCheck::DSframeCheck(const DSframeCheck& o) : m_nID(0), nSect(0), pSect(nullptr)
{
    *this = o;
}

DSframeCheck::~DSframeCheck()
{
    std::free(pSect);
}

DSframeCheck& DSframeCheck::operator=(const DSframeCheck& o)
{
    if (this == &o) return *this;
    m_nID = o.m_nID;
    if (!CopyRows<21>(pSect, nSect, o.nSect, o.pSect)) Clear();
    return *this;
}

int DSframeCheck::SetSectCheck(int count, const double rows[][21])
{
    return SetRows<21>(pSect, nSect, count, 255, rows);
}

int DSframeCheck::AddSectCheck(const double row[21])
{
    if (nSect >= 255) return 0;
    void* p = std::realloc(pSect, (nSect + 1u) * sizeof(double[21]));
    if (!p) return 0;
    pSect = static_cast<double(*)[21]>(p);
    std::memcpy(pSect[nSect], row, sizeof(double[21]));
    ++nSect;
    return 1;
}

void DSframeCheck::Clear()
{
    std::free(pSect);
    pSect = nullptr;
    nSect = 0;
}

void DSframeCheck::Serialize(bofstream& out)
{
    out << m_nID << nSect;
    out.Write(pSect, nSect * static_cast<int>(sizeof(double[21])));
}

void DSframeCheck::Serialize(bifstream& in)
{
    unsigned char n = 0;
    in >> m_nID >> n;
    Clear();
    ReadNewRows<21>(in, pSect, nSect, n);
}

// ----------------------------------------------------------------- DFrameRein

DFrameRein::DFrameRein() : m_nID(0), nKind(1), nSect(0), pSect(nullptr), nTorKind(12), nTorCode(0), fTor{} {}

DFrameRein::DFrameRein(const DFrameRein& o)
    : m_nID(0), nKind(1), nSect(0), pSect(nullptr), nTorKind(12), nTorCode(0), fTor{}
{
    *this = o;
}

DFrameRein::~DFrameRein()
{
    std::free(pSect);
}

DFrameRein& DFrameRein::operator=(const DFrameRein& o)
{
    if (this == &o) return *this;
    m_nID = o.m_nID;
    nKind = o.nKind;
    nTorKind = o.nTorKind;
    nTorCode = o.nTorCode;
    std::memcpy(fTor, o.fTor, sizeof fTor);
    if (!SetSectData(o.nSect, o.pSect)) {
        std::free(pSect);
        pSect = nullptr;
        nSect = 0;
    }
    return *this;
}

void DFrameRein::Clear()
{
    std::free(pSect);
    pSect = nullptr;
    nSect = 0;
    nTorKind = 12;
    nTorCode = 0;
    std::memset(fTor, 0, sizeof fTor);
}

int DFrameRein::SetSectNum(int n)
{
    if (n < 0 || n > 255) return 0;
    if (n == nSect) return 1;
    if (n == 0) {
        std::free(pSect);
        pSect = nullptr;
        nSect = 0;
        return 1;
    }
    void* p = std::realloc(pSect, static_cast<size_t>(n) * sizeof(DReinData));
    if (!p) return 0;
    pSect = static_cast<DReinData*>(p);
    if (n > nSect) std::memset(pSect + nSect, 0, static_cast<size_t>(n - nSect) * sizeof(DReinData));
    nSect = static_cast<unsigned char>(n);
    return 1;
}

int DFrameRein::SetSectData(int n, const DReinData data[])
{
    if (n < 0 || n > 255 || (n > 0 && !data)) return 0;
    DReinData* p = nullptr;
    if (n > 0) {
        p = static_cast<DReinData*>(std::malloc(static_cast<size_t>(n) * sizeof(DReinData)));
        if (!p) return 0;
        std::memcpy(p, data, static_cast<size_t>(n) * sizeof(DReinData));
    }
    std::free(pSect);
    pSect = p;
    nSect = static_cast<unsigned char>(n);
    return 1;
}

void DFrameRein::Serialize(bofstream& out)
{
    out << m_nID << nKind << nSect;
    out.Write(pSect, nSect * static_cast<int>(sizeof(DReinData)));
    out << nTorKind << nTorCode;
    out.Write(fTor, sizeof fTor);
}

void DFrameRein::Serialize(bifstream& in)
{
    unsigned char n = 0;
    in >> m_nID >> nKind >> n;
    if (!in.IsGood() || !in.CheckAvailable(n * int64_t(sizeof(DReinData))) || !SetSectNum(n)) {
        PoisonStream(in);
        return;
    }
    in.Read(pSect, n * static_cast<int>(sizeof(DReinData)));
    in >> nTorKind >> nTorCode;
    in.Read(fTor, sizeof fTor);
}

// Reinforcement groups of the solver's file: doubles and an int32 code each,
// kept as floats and a 16-bit code.
namespace {
int ReadDoubles(bifstream& in, double* v, int n)
{
    return in.Read(v, n * static_cast<int>(sizeof(double)));
}
int ReadInt(bifstream& in, int& v)
{
    int32_t x = 0;
    int ok = in.Read(&x, 4);
    v = x;
    return ok;
}
}  // namespace

int DFrameRein::ReadUpperRein(bifstream& in, int i)
{
    if (i < 0 || i >= nSect) return 0;
    double v[3];
    int code;
    if (!ReadDoubles(in, v, 3) || !ReadInt(in, code)) return 0;
    DReinData& d = pSect[i];
    d.pos = static_cast<float>(v[0]);
    d.up1 = static_cast<float>(v[1]);
    d.up2 = static_cast<float>(v[2]);
    d.upCode = static_cast<int16_t>(code);
    return 1;
}

int DFrameRein::ReadDownRein(bifstream& in, int i)
{
    if (i < 0 || i >= nSect) return 0;
    double v[3];
    int code;
    if (!ReadDoubles(in, v, 3) || !ReadInt(in, code)) return 0;
    DReinData& d = pSect[i];
    d.pos = static_cast<float>(v[0]);
    d.down1 = static_cast<float>(v[1]);
    d.down2 = static_cast<float>(v[2]);
    d.downCode = static_cast<int16_t>(code);
    return 1;
}

int DFrameRein::ReadHoopRein(bifstream& in, int i)
{
    if (i < 0 || i >= nSect) return 0;
    int flag;
    if (!ReadInt(in, flag)) return 0;
    DReinData& d = pSect[i];
    d.hoopFlag = static_cast<int8_t>(flag);
    if (flag != 1) {
        d.hoopCode = 0;
        d.hoop1 = d.hoop2 = 0;
        return 1;
    }
    double v[3];
    int code;
    if (!ReadDoubles(in, v, 3) || !ReadInt(in, code)) return 0;
    d.pos = static_cast<float>(v[0]);
    d.hoop1 = static_cast<float>(v[1]);
    d.hoop2 = static_cast<float>(v[2]);
    d.hoopCode = static_cast<int16_t>(code);
    return 1;
}

int DFrameRein::ReadDirRein(bifstream& in, int i, int third)
{
    if (i < 0 || i >= nSect) return 0;
    int kind;
    if (!ReadInt(in, kind)) return 0;
    DReinData& d = pSect[i];
    float pos = d.pos, v1 = 0, v2 = 0;
    int code = 0;
    double v[3] = {0, 0, 0};
    switch (kind) {
        case 1:
            if (!ReadDoubles(in, v, 3) || !ReadInt(in, code)) return 0;
            pos = static_cast<float>(v[0]);
            v1 = static_cast<float>(v[1]);
            v2 = static_cast<float>(v[2]);
            break;
        case 3:
        case 6:
            if (!ReadDoubles(in, v, 1) || !ReadInt(in, code)) return 0;
            pos = static_cast<float>(v[0]);
            break;
        case 4:
            if (!ReadDoubles(in, v, 2) || !ReadInt(in, code)) return 0;
            pos = static_cast<float>(v[0]);
            v2 = static_cast<float>(v[1]);
            break;
        case 5:
            if (!ReadDoubles(in, v, 2) || !ReadInt(in, code)) return 0;
            pos = static_cast<float>(v[0]);
            v1 = static_cast<float>(v[1]);
            break;
        case 7:
            if (third) {
                if (!ReadDoubles(in, v, 2) || !ReadInt(in, code)) return 0;
                v2 = static_cast<float>(v[0]);
                pos = 0;
                break;
            }
            [[fallthrough]];
        default: code = 0; break;
    }
    d.pos = pos;
    if (third) {
        d.dir3Kind = static_cast<int8_t>(kind);
        d.dir3Code = static_cast<int16_t>(code);
        d.dir3v1 = v1;
        d.dir3v2 = v2;
    } else {
        d.dir2Kind = static_cast<int8_t>(kind);
        d.dir2Code = static_cast<int16_t>(code);
        d.dir2v1 = v1;
        d.dir2v2 = v2;
    }
    return 1;
}

int DFrameRein::ReadDir2Rein(bifstream& in, int i)
{
    return ReadDirRein(in, i, 0);
}
int DFrameRein::ReadDir3Rein(bifstream& in, int i)
{
    return ReadDirRein(in, i, 1);
}

int DFrameRein::ReadTorRein(bifstream& in)
{
    int kind;
    if (!ReadInt(in, kind)) return 0;
    nTorKind = static_cast<char>(kind);
    if (kind != 11) {
        std::memset(fTor, 0, sizeof fTor);
        return 1;
    }
    double v[4];
    int code;
    if (!ReadDoubles(in, v, 4) || !ReadInt(in, code)) return 0;
    for (int k = 0; k < 4; ++k) fTor[k] = static_cast<float>(v[k]);
    nTorCode = static_cast<int16_t>(code);
    return 1;
}
