#pragma once
// The bytes of a project-file block whose model data this build does not
// hold yet, as its owner's layout lays them out for one file version when the
// model has none of that data: fields that must hold exactly these values,
// and bytes the owner's own reader passes over whatever they hold. Writing
// gives the block of an empty model; matching tells an empty block from one
// that carries data this build would lose.
#include <cstdint>
#include <string>
#include <vector>

class bofstream;
class bifstream;

class CBlockForm {
public:
    enum EMatch { kMatches, kHoldsData, kDamaged };

    CBlockForm& I8(int v);
    CBlockForm& I16(int v);
    CBlockForm& I32(int32_t v);
    CBlockForm& F32(float v);
    CBlockForm& F64(double v);
    CBlockForm& Zeros(int n);
    CBlockForm& Raw(const void* p, int n);
    // A stream text: 32-bit length (text + 1), the text and its zero.
    CBlockForm& Text(const char* s);

    // Bytes the owner's reader passes over.
    CBlockForm& Skip(int n);
    // A stream text the owner's reader passes over.
    CBlockForm& SkipText();
    // A count of countBytes (2 or 4), then count items of itemBytes and
    // extra bytes, all passed over.
    CBlockForm& SkipCounted(int countBytes, int itemBytes, int extra = 0);
    // Passed over by a routine of the owner's layout (records whose length
    // depends on their own contents).
    CBlockForm& SkipBy(bool (*skip)(bifstream& in));
    // When the next bytes are the marker, the marker and then body follow;
    // otherwise nothing (the owner's reader steps back).
    CBlockForm& IfMarker(const void* marker, int n, const CBlockForm& body);

    // The exact fields; nothing for bytes passed over, as the owner writes
    // only current layouts. 1 when the stream took every byte.
    int Write(bofstream& out) const;
    EMatch Match(bifstream& in) const;
    bool IsEmptyForm() const { return m_items.empty(); }

private:
    enum EKind { kExact, kSkip, kSkipText, kSkipCounted, kSkipBy, kIfMarker };
    struct Item {
        explicit Item(EKind k) : kind(k) {}
        EKind kind;
        std::string bytes;  // kExact: the values; kIfMarker: the marker
        int n = 0;          // kSkip: bytes; kSkipCounted: count width
        int item = 0;
        int extra = 0;
        bool (*skip)(bifstream&) = nullptr;
        std::vector<Item> body;
    };
    CBlockForm& Exact(const void* p, int n);
    static EMatch MatchItems(const std::vector<Item>& items, bifstream& in);
    static int WriteItems(const std::vector<Item>& items, bofstream& out);

    std::vector<Item> m_items;
};

// Passes over n bytes that must be there; false (stream failed) otherwise.
bool SkipBytes(bifstream& in, int64_t n);
