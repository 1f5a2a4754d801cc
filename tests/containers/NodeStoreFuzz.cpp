// Fuzz target: reading an ID-indexed store of node records from a stream.
// A successful read must leave a consistent store that writes and reads back
// to the same IDs.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "containers/MArrayID.h"
#include "korvalib/model/NodeRecords.h"
#include "korvalib/base/biostream.h"

namespace {

void Check(bool ok)
{
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    FILE* f = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (!f) return 0;
    bifstream in;
    in.Attach(f);
    MArrayID<DNodeBase> store(0, 128);
    if (!store.Read(in)) {
        Check(store.GetSize() == 0);
        return 0;
    }

    // Positions walk the IDs in ascending order; every ID is reachable.
    int last = 0;
    for (int i = 0; i < store.GetSize(); ++i) {
        const int id = store.GetIDAt(i);
        Check(id > last);
        Check(store.IsValidID(id) == id);
        Check(store.GetByID(id) == store.GetAt(i));
        Check(store.GetAt(i)->m_nID == id);
        last = id;
    }
    Check(store.GetLastID() == last);

    // Write and read back.
    char* buf = nullptr;
    size_t len = 0;
    FILE* mem = open_memstream(&buf, &len);
    Check(mem != nullptr);
    {
        bofstream out;
        out.Attach(mem);
        Check(store.Write(out) == 1);
        out.Close();
    }
    FILE* again = fmemopen(buf, len, "rb");
    Check(again != nullptr);
    {
        bifstream in2;
        in2.Attach(again);
        MArrayID<DNodeBase> copy(0, 1024);
        Check(copy.Read(in2) == 1);
        Check(copy.GetSize() == store.GetSize());
        for (int i = 0; i < copy.GetSize(); ++i) Check(copy.GetIDAt(i) == store.GetIDAt(i));

        // Read again into a filled store: the same records come back.
        FILE* third = fmemopen(buf, len, "rb");
        Check(third != nullptr);
        bifstream in3;
        in3.Attach(third);
        Check(store.Read(in3) == 1);
        Check(store.GetSize() == copy.GetSize());
        for (int i = 0; i < copy.GetSize(); ++i) {
            Check(store.GetIDAt(i) == copy.GetIDAt(i));
            Check(store.GetAt(i)->m_nID == copy.GetAt(i)->m_nID);
            Check(store.GetAt(i)->m_Loads.Entries() == copy.GetAt(i)->m_Loads.Entries());
        }

        // A cut input read into a filled store either reads or leaves it empty.
        FILE* cut = fmemopen(const_cast<uint8_t*>(data), size - 1 > 0 ? size - 1 : 1, "rb");
        Check(cut != nullptr);
        bifstream in4;
        in4.Attach(cut);
        if (!copy.Read(in4)) Check(copy.GetSize() == 0);
    }
    free(buf);
    return 0;
}
