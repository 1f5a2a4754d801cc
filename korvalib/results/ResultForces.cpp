// Element-force queries of the result reader. The caller's store is touched
// only through its virtual RemoveAll and Add, so the store's code runs in the
// caller's module.
#include "korvalib/results/Result.h"
#include "korvalib/results/ResultIO.h"
#include "korvalib/base/biostream.h"
#include "containers/MArrayID.h"

#include <cstring>
#include <vector>

using namespace resultio;

namespace {

// One set's bytes of a record, parsed into a record.
struct Blob {
    std::vector<unsigned char> b;
    double D(int64_t off) const
    {
        double v;
        std::memcpy(&v, b.data() + off, 8);
        return v;
    }
    int32_t I(int64_t off) const
    {
        int32_t v;
        std::memcpy(&v, b.data() + off, 4);
        return v;
    }
};

int ReadBlob(bifstream& in, int64_t bytes, Blob& blob)
{
    blob.b.resize(static_cast<size_t>(bytes));
    return ReadBytes(in, blob.b.data(), bytes);
}

int Fill(DFrameForce& r, const RecordHeader& h, const Blob& b)
{
    double rows[20][7];
    for (int i = 0; i < h.s; ++i) {
        rows[i][0] = h.pos[i];
        for (int c = 0; c < 6; ++c) rows[i][c + 1] = b.D(56LL * i + 4 + 8 * c);
    }
    return r.SetSectForce(h.s, rows);
}

int Fill(DTrussForce& r, const RecordHeader&, const Blob& b)
{
    r.force = b.D(4);
    return 1;
}

int Fill(DSpringForce& r, const RecordHeader&, const Blob& b)
{
    r.force = b.D(4);
    return 1;
}

int Fill(DCframeForce& r, const RecordHeader&, const Blob& b)
{
    for (int c = 0; c < 6; ++c) {
        r.forceI[c] = b.D(4 + 8 * c);
        r.forceJ[c] = b.D(52 + 8 * c);
    }
    return 1;
}

int Fill(DPipeForce& r, const RecordHeader& h, const Blob& b)
{
    double v[18] = {};
    for (int i = 0; i < h.k; ++i) v[i] = b.D(4 + 8LL * i);
    r.bMiddle = h.k >= 13 ? 1 : 0;
    for (int c = 0; c < 6; ++c) {
        r.forceI[c] = v[c];
        r.forceM[c] = r.bMiddle ? v[6 + c] : 0.0;
        r.forceJ[c] = r.bMiddle ? v[12 + c] : v[6 + c];
    }
    return 1;
}

int Fill(DShellForce& r, const RecordHeader& h, const Blob& b)
{
    double rows[kMaxShellNodes][8];
    for (int i = 0; i < h.m; ++i)
        for (int c = 0; c < 8; ++c) rows[i][c] = b.D(72LL * i + 4 + 8 * c);
    return r.SetNodeForce(h.m, rows);
}

int Fill(DSframeCheck& r, const RecordHeader& h, const Blob& b)
{
    double rows[20][21];
    for (int i = 0; i < h.s; ++i) {
        const int64_t o = 164LL * i + 4;
        rows[i][0] = h.pos[i];
        for (int c = 0; c < 18; ++c) rows[i][c + 1] = b.D(o + 8 * c);
        rows[i][19] = static_cast<double>(b.I(o + 144));
        rows[i][20] = b.D(o + 148);
    }
    return r.SetSectCheck(h.s, rows);
}

template <class T>
int AddTo(MArrayID<T>& store, T& rec)
{
    return store.Add(rec) != 0;  // the virtual Add
}

template <class T>
int Fail(MArrayID<T>& store)
{
    store.RemoveAll();
    return 0;
}

// Walls have a layout of their own (below).
int ReadAllSets(bifstream& in, const RecordHeader& h, int sets, MArrayID<DWallForce>& store);
int ReadOneSet(bifstream& in, const RecordHeader& h, int set, int sets, Blob& b, DWallForce& rec);

// Reads set `set` of the record whose header was just read.
template <class T>
int ReadOneSet(bifstream& in, const RecordHeader& h, int set, int /*sets*/, Blob& b, T& rec)
{
    return SeekTo(in, h.dataPos + (set - 1) * h.perSet) && ReadBlob(in, h.perSet, b) && Fill(rec, h, b);
}

// Reads the record's S sets from its data (the stream just after the header)
// into S records with IDs 1..S.
template <class T>
int ReadAllSets(bifstream& in, const RecordHeader& h, int sets, MArrayID<T>& store)
{
    Blob b;
    for (int j = 1; j <= sets; ++j) {
        T rec;
        if (!ReadBlob(in, h.perSet, b) || !Fill(rec, h, b)) return 0;
        rec.m_nID = j;
        if (!AddTo(store, rec)) return 0;
    }
    return 1;
}

// The position that an index file (a count M, then M positions) gives for
// entry k (1..M); 0 when the file is missing or short, k is out of range or
// the entry has no record.
int IndexedPos(const DResult& r, const char* index, int k, int32_t& pos)
{
    char path[260];
    r.GetFileName(path, index);
    bifstream ix(path);
    int32_t m = 0;
    pos = -1;
    return ix.IsOpen() && ReadArray(ix, &m, 1) && k >= 1 && k <= m && SeekTo(ix, 4LL * k) && ReadArray(ix, &pos, 1) &&
           pos >= 0;
}

}  // namespace

// ------------------------------------------------------- generic line queries

namespace {

// Opens the raw file of ext; its length, or -1 when it cannot be opened.
int64_t OpenRaw(const DResult& r, const char* ext, bifstream& in)
{
    char path[260];
    r.GetFileName(path, ext);
    return in.Open(path) ? FileLength(in) : -1;
}

template <class T>
int OneSetAll(const DResult& r, const char* ext, Family f, int set, MArrayID<T>& store)
{
    store.RemoveAll();
    const int S = r.m_nForceComb;
    if (set < 1 || set > S) return 0;
    bifstream in;
    const int64_t length = OpenRaw(r, ext, in);
    if (length < 0) return 0;
    if (!in.Seek(16, 0)) return Fail(store);
    Blob b;
    for (;;) {
        RecordHeader h;
        const int got = ReadRecordHeader(in, length, f, S, h);
        if (got == 0) return 1;
        T rec;
        if (got < 0 || !ReadOneSet(in, h, set, S, b, rec)) return Fail(store);
        rec.m_nID = h.element;
        if (!AddTo(store, rec) || !SeekTo(in, h.End())) return Fail(store);
    }
}

// Finds the element's record in the open raw file from its first record on.
template <class T>
int ScanForElement(const DResult& r, bifstream& in, int64_t length, Family f, int element, MArrayID<T>& store)
{
    if (element < 1 || !in.Seek(16, 0)) return 0;
    for (;;) {
        RecordHeader h;
        const int got = ReadRecordHeader(in, length, f, r.m_nForceComb, h);
        if (got == 0) return 0;
        if (got < 0) return Fail(store);
        if (h.element == element) return ReadAllSets(in, h, r.m_nForceComb, store) ? 1 : Fail(store);
        if (!SeekTo(in, h.End())) return Fail(store);
    }
}

template <class T>
int OneElementByScan(const DResult& r, const char* ext, Family f, int element, MArrayID<T>& store)
{
    store.RemoveAll();
    bifstream in;
    const int64_t length = OpenRaw(r, ext, in);
    return length >= 0 && ScanForElement(r, in, length, f, element, store);
}

template <class T>
int OneElementByIndex(const DResult& r, const char* ext, const char* index, Family f, int element, MArrayID<T>& store)
{
    store.RemoveAll();
    bifstream in;
    const int64_t length = OpenRaw(r, ext, in);
    if (length < 0) return 0;
    if (length > kMaxIndexedLength)  // not indexed
        return ScanForElement(r, in, length, f, element, store);
    int32_t pos = -1;
    if (!IndexedPos(r, index, element, pos)) return 0;
    RecordHeader h;
    if (!SeekTo(in, pos) || ReadRecordHeader(in, length, f, r.m_nForceComb, h) != 1 || h.element != element ||
        !ReadAllSets(in, h, r.m_nForceComb, store))
        return Fail(store);
    return 1;
}

template <class T>
int Walk(const DResult& r, const char* ext, Family f, bifstream& in, int& element, MArrayID<T>& store)
{
    store.RemoveAll();
    if (!in.IsOpen()) {
        char path[260];
        r.GetFileName(path, ext);
        if (!in.Open(path)) return 0;
        if (!in.Seek(16, 0)) {
            in.Close();
            return 0;
        }
    }
    const int64_t length = FileLength(in);
    RecordHeader h;
    if (ReadRecordHeader(in, length, f, r.m_nForceComb, h) != 1 || !ReadAllSets(in, h, r.m_nForceComb, store) ||
        !SeekTo(in, h.End())) {
        in.Close();
        return Fail(store);
    }
    element = h.element;
    return 1;
}

}  // namespace

int DResult::GetOneCombAllFrameOrSframeForce(int set, MArrayID<DFrameForce>& store, int steel)
{
    return OneSetAll(*this, steel ? "U30" : "U3", kFrame, set, store);
}

int DResult::GetOneFrameOrSframeAllCombForce(int element, MArrayID<DFrameForce>& store, int steel)
{
    return OneElementByIndex(*this, steel ? "U30" : "U3", steel ? "NU30" : "NU3", kFrame, element, store);
}

int DResult::RecycleGetOneSframeOrFrameForce(bifstream& in, int& element, MArrayID<DFrameForce>& store, int steel)
{
    return Walk(*this, steel ? "U30" : "U3", kFrame, in, element, store);
}

int DResult::GetOneCombAllFrameForce(int set, MArrayID<DFrameForce>& s)
{
    return GetOneCombAllFrameOrSframeForce(set, s, 0);
}
int DResult::GetOneFrameAllCombForce(int e, MArrayID<DFrameForce>& s)
{
    return GetOneFrameOrSframeAllCombForce(e, s, 0);
}
int DResult::RecycleGetOneFrameForce(bifstream& in, int& e, MArrayID<DFrameForce>& s)
{
    return RecycleGetOneSframeOrFrameForce(in, e, s, 0);
}
int DResult::GetOneCombAllSframeForce(int set, MArrayID<DFrameForce>& s)
{
    return GetOneCombAllFrameOrSframeForce(set, s, 1);
}
int DResult::GetOneSframeAllCombForce(int e, MArrayID<DFrameForce>& s)
{
    return GetOneFrameOrSframeAllCombForce(e, s, 1);
}
int DResult::RecycleGetOneSframeForce(bifstream& in, int& e, MArrayID<DFrameForce>& s)
{
    return RecycleGetOneSframeOrFrameForce(in, e, s, 1);
}

int DResult::GetOneCombAllVframeForce(int set, MArrayID<DFrameForce>& s)
{
    return OneSetAll(*this, "U7", kVframe, set, s);
}
int DResult::GetOneVframeAllCombForce(int e, MArrayID<DFrameForce>& s)
{
    return OneElementByScan(*this, "U7", kVframe, e, s);
}
int DResult::RecycleGetOneVframeForce(bifstream& in, int& e, MArrayID<DFrameForce>& s)
{
    return Walk(*this, "U7", kVframe, in, e, s);
}

int DResult::GetOneCombAllTrussForce(int set, MArrayID<DTrussForce>& s)
{
    return OneSetAll(*this, "U8", kTruss, set, s);
}
int DResult::GetOneTrussAllCombForce(int e, MArrayID<DTrussForce>& s)
{
    return OneElementByScan(*this, "U8", kTruss, e, s);
}
int DResult::RecycleGetOneTrussForce(bifstream& in, int& e, MArrayID<DTrussForce>& s)
{
    return Walk(*this, "U8", kTruss, in, e, s);
}

int DResult::GetOneCombAllCframeForce(int set, MArrayID<DCframeForce>& s)
{
    return OneSetAll(*this, "U6", kCframe, set, s);
}
int DResult::GetOneCframeAllCombForce(int e, MArrayID<DCframeForce>& s)
{
    return OneElementByScan(*this, "U6", kCframe, e, s);
}
int DResult::RecycleGetOneCframeForce(bifstream& in, int& e, MArrayID<DCframeForce>& s)
{
    return Walk(*this, "U6", kCframe, in, e, s);
}

int DResult::GetOneCombAllPipeForce(int set, MArrayID<DPipeForce>& s)
{
    return OneSetAll(*this, "U10", kPipe, set, s);
}
int DResult::GetOnePipeAllCombForce(int e, MArrayID<DPipeForce>& s)
{
    return OneElementByScan(*this, "U10", kPipe, e, s);
}
int DResult::RecycleGetOnePipeForce(bifstream& in, int& e, MArrayID<DPipeForce>& s)
{
    return Walk(*this, "U10", kPipe, in, e, s);
}

int DResult::GetOneCombAllSpringForce(int set, MArrayID<DSpringForce>& s)
{
    return OneSetAll(*this, "U31", kSpring, set, s);
}
int DResult::GetOneSpringAllCombForce(int e, MArrayID<DSpringForce>& s)
{
    return OneElementByScan(*this, "U31", kSpring, e, s);
}
int DResult::RecycleGetOneSpringForce(bifstream& in, int& e, MArrayID<DSpringForce>& s)
{
    return Walk(*this, "U31", kSpring, in, e, s);
}

int DResult::GetOneCombAllSframeCheck(int set, MArrayID<DSframeCheck>& s)
{
    return OneSetAll(*this, "F88", kCheck, set, s);
}
int DResult::GetOneSframeAllCombCheck(int e, MArrayID<DSframeCheck>& s)
{
    return OneElementByScan(*this, "F88", kCheck, e, s);
}
int DResult::RecycleGetOneSframeCheck(bifstream& in, int& e, MArrayID<DSframeCheck>& s)
{
    return Walk(*this, "F88", kCheck, in, e, s);
}

// ------------------------------------------------------------------- shells

namespace {

// Reads one block of e shell records (one set of A41) into the store, IDs
// the element numbers.
int ReadShellBlock(bifstream& in, int64_t length, int e, MArrayID<DShellForce>& store)
{
    Blob b;
    for (int i = 0; i < e; ++i) {
        RecordHeader h;
        DShellForce rec;
        if (ReadRecordHeader(in, length, kShell, 1, h) != 1 || !ReadBlob(in, h.perSet, b) || !Fill(rec, h, b)) return 0;
        rec.m_nID = h.element;
        if (!AddTo(store, rec)) return 0;
    }
    return 1;
}

// One set of U41 for all its E elements.
int ReadShellSetNoAve(bifstream& in, int64_t length, int set, int sets, MArrayID<DShellForce>& store)
{
    int e = 0;
    if (!ShellCount(in, length, e) || !in.Seek(16, 0)) return 0;
    Blob b;
    for (int i = 0; i < e; ++i) {
        RecordHeader h;
        DShellForce rec;
        if (ReadRecordHeader(in, length, kShell, sets, h) != 1 || !SeekTo(in, h.dataPos + (set - 1) * h.perSet) ||
            !ReadBlob(in, h.perSet, b) || !Fill(rec, h, b))
            return 0;
        rec.m_nID = h.element;
        if (!AddTo(store, rec) || !SeekTo(in, h.dataPos + sets * h.perSet)) return 0;
    }
    return 1;
}

}  // namespace

int DResult::GetOneCombAllShellForceNoAve(int set, MArrayID<DShellForce>& store)
{
    store.RemoveAll();
    if (set < 1 || set > m_nForceComb) return 0;
    bifstream in;
    const int64_t length = OpenRaw(*this, "U41", in);
    if (length < 0) return 0;
    return ReadShellSetNoAve(in, length, set, m_nForceComb, store) ? 1 : Fail(store);
}

int DResult::GetOneShellAllCombForceNoAve(int element, MArrayID<DShellForce>& store)
{
    return OneElementByIndex(*this, "U41", "NU41", kShell, element, store);
}

int DResult::RecycleGetAllShellForceNoAve(bifstream& in, int& set, MArrayID<DShellForce>& store)
{
    store.RemoveAll();
    if (!in.IsOpen()) {
        char path[260];
        GetFileName(path, "U41");
        if (!in.Open(path)) return 0;
        set = 0;
    }
    if (set < 0 || set >= m_nForceComb) {
        in.Close();
        return 0;
    }
    ++set;
    if (!ReadShellSetNoAve(in, FileLength(in), set, m_nForceComb, store)) {
        in.Close();
        return Fail(store);
    }
    return 1;
}

int DResult::GetOneCombAllShellForce(int set, MArrayID<DShellForce>& store)
{
    store.RemoveAll();
    if (set < 1 || set > m_nForceComb) return 0;
    bifstream in;
    const int64_t length = OpenRaw(*this, "A41", in);
    if (length < 0) return 0;
    int e = 0;
    if (length > kMaxIndexedLength) {  // not indexed: step over the blocks before
        if (!ShellCount(in, length, e) || !in.Seek64(16, 0)) return Fail(store);
        for (int s = 1; s < set; ++s)
            if (!SkipShellBlock(in, length, e)) return Fail(store);
    } else {
        int32_t pos = -1;
        if (!IndexedPos(*this, "NA41", set, pos)) return 0;
        if (!ShellCount(in, length, e) || !SeekTo(in, pos)) return Fail(store);
    }
    if (!ReadShellBlock(in, length, e, store)) return Fail(store);
    return 1;
}

int DResult::GetOneShellAllCombForce(int element, MArrayID<DShellForce>& store)
{
    store.RemoveAll();
    bifstream in;
    const int64_t length = element < 1 ? -1 : OpenRaw(*this, "A41", in);
    if (length < 0) return 0;
    int e = 0;
    if (!ShellCount(in, length, e) || !in.Seek(16, 0)) return 0;
    Blob b;
    for (int s = 1; s <= m_nForceComb; ++s) {
        int found = 0;
        for (int i = 0; i < e; ++i) {
            RecordHeader h;
            if (ReadRecordHeader(in, length, kShell, 1, h) != 1) return Fail(store);
            if (h.element == element && !found) {
                DShellForce rec;
                if (!ReadBlob(in, h.perSet, b) || !Fill(rec, h, b)) return Fail(store);
                rec.m_nID = s;
                if (!AddTo(store, rec)) return Fail(store);
                found = 1;
            }
            if (!SeekTo(in, h.End())) return Fail(store);
        }
        if (!found)  // a set without the element
            return Fail(store);
    }
    return 1;
}

int DResult::RecycleGetAllShellForce(bifstream& in, int& set, MArrayID<DShellForce>& store)
{
    store.RemoveAll();
    if (!in.IsOpen()) {
        char path[260];
        GetFileName(path, "A41");
        if (!in.Open(path)) return 0;
        set = 0;
        if (!in.Seek(16, 0)) {
            in.Close();
            return 0;
        }
    }
    // The element count is read from the file's header on every call, so
    // several walks may run at once.
    const int64_t length = FileLength(in);
    int e = 0;
    if (!ShellCount(in, length, e) || in.TellPos64() >= length) {
        in.Close();
        return 0;
    }
    if (!ReadShellBlock(in, length, e, store)) {
        in.Close();
        return Fail(store);
    }
    ++set;
    return 1;
}

// -------------------------------------------------------------------- walls

namespace {

// Reads a wall record's data (stream just after the header) into one record
// per set: recs[j] gets set j + 1 (or only the set `only` when it is >= 1).
int ReadWallData(bifstream& in, const RecordHeader& h, int sets, int only, DWallForce* recs, size_t count)
{
    const int kind = WallHoleKind(h);
    const int first = WallFirstEnd(h), second = WallSecondEnd(h);
    for (size_t i = 0; i < count; ++i) {
        DWallForce& w = recs[i];
        w.nHoleKind = static_cast<unsigned char>(kind);
        w.nEndKind = static_cast<unsigned char>(h.b & 0xFF);
        if (!w.AllocAndZeroMemoryAccordnHole()) return 0;
    }
    const int mask = DWallForce::SlotMask(kind);
    int64_t at = h.dataPos;
    double v[6];
    for (int end = 0; end < 2; ++end) {
        if ((end == 0 && !first) || (end == 1 && !second)) continue;
        for (int slot = 0; slot < DWallForce::SlotCount; ++slot) {
            if (!(mask & (1 << slot))) continue;
            for (int j = 1; j <= sets; ++j, at += 56) {
                if (only >= 1 && j != only) continue;
                if (!SeekTo(in, at + 4) || !ReadArray(in, v, 6)) return 0;
                DWallForce& w = recs[only >= 1 ? 0 : j - 1];
                std::memcpy(w.pPiece[slot]->value + 6 * end, v, sizeof v);
            }
        }
    }
    return SeekTo(in, h.End());
}

int AddWalls(std::vector<DWallForce>& recs, MArrayID<DWallForce>& store)
{
    for (DWallForce& w : recs)
        if (!AddTo(store, w)) return 0;
    return 1;
}

int ReadAllSets(bifstream& in, const RecordHeader& h, int sets, MArrayID<DWallForce>& store)
{
    std::vector<DWallForce> recs(static_cast<size_t>(sets));
    for (int j = 0; j < sets; ++j) recs[j].m_nID = j + 1;
    return ReadWallData(in, h, sets, 0, recs.data(), recs.size()) && AddWalls(recs, store);
}

int ReadOneSet(bifstream& in, const RecordHeader& h, int set, int sets, Blob&, DWallForce& rec)
{
    return ReadWallData(in, h, sets, set, &rec, 1);
}

}  // namespace

int DResult::GetOneCombAllWallForce(int set, MArrayID<DWallForce>& store)
{
    return OneSetAll(*this, "U5", kWall, set, store);
}

int DResult::GetOneWallAllCombForce(int element, MArrayID<DWallForce>& store)
{
    return OneElementByIndex(*this, "U5", "NU5", kWall, element, store);
}

int DResult::RecycleGetOneWallForce(bifstream& in, int& element, MArrayID<DWallForce>& store)
{
    return Walk(*this, "U5", kWall, in, element, store);
}

// ------------------------------------------------------------ reinforcement

int DResult::GetOneOrAllFrameReinData(MArrayID<DFrameRein>* store, int element, DFrameRein* rein)
{
    if (store) store->RemoveAll();
    char path[260];
    GetFileName(path, "RC2");
    bifstream in(path);
    if (!in.IsOpen()) return 0;
    const int64_t length = FileLength(in);
    if (!in.Seek(4, 0)) return 0;
    auto fail = [&]() {
        if (store) store->RemoveAll();
        return 0;
    };
    for (;;) {
        if (in.TellPos64() >= length) break;
        int32_t head[2];
        if (!ReadArray(in, head, 2)) return fail();
        if (head[1] != 1) continue;
        int32_t ks[2];
        if (head[0] < 1 || head[0] > kMaxElement || !ReadArray(in, ks, 2) || ks[1] < 0 || ks[1] > 255) return fail();
        DFrameRein r;
        r.m_nID = head[0];
        r.nKind = static_cast<char>(ks[0]);
        if (!r.SetSectNum(ks[1])) return fail();
        for (int i = 0; i < ks[1]; ++i) {
            int ok;
            if (ks[0] == 1)
                ok = r.ReadDownRein(in, i) && r.ReadUpperRein(in, i) && r.ReadHoopRein(in, i);
            else if (ks[0] == 2)
                ok = r.ReadHoopRein(in, i) && r.ReadDir2Rein(in, i) && r.ReadDir3Rein(in, i);
            else
                ok = r.ReadDownRein(in, i) && r.ReadUpperRein(in, i) && r.ReadHoopRein(in, i) &&
                     r.ReadDir2Rein(in, i) && r.ReadDir3Rein(in, i);
            if (!ok) return fail();
        }
        if (ks[0] != 2 && !r.ReadTorRein(in)) return fail();
        if (store) {
            if (!AddTo(*store, r)) return fail();
        } else if (r.m_nID == element) {
            *rein = r;
            return 1;
        }
    }
    return store ? 1 : 0;
}

int DResult::GetOneFrameReinData(int element, DFrameRein& rein)
{
    return GetOneOrAllFrameReinData(nullptr, element, &rein);
}

int DResult::GetAllFrameReinData(MArrayID<DFrameRein>& store)
{
    return GetOneOrAllFrameReinData(&store, 0, nullptr);
}
