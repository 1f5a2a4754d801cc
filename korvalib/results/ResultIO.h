#pragma once
// Inside KorvaLib only: file helpers of the result reader.
#include <cstdint>

class bifstream;
class DResult;

namespace resultio {

// Bounds of counts read from result files.
constexpr int kMaxNodes = 1 << 25;
constexpr int kMaxElement = 1 << 24;

// Modification time in the file system's ticks; the lowest value for a file
// that is missing or empty.
int64_t FileTime(const char* path);
int FileExists(const char* path);
int64_t FileLength(bifstream& in);
// Reads count values; 0 on a short read or a negative count.
int ReadBytes(bifstream& in, void* p, int64_t bytes);
template <class T>
inline int ReadArray(bifstream& in, T* p, int64_t count)
{
    return count >= 0 && ReadBytes(in, p, count * static_cast<int64_t>(sizeof(T)));
}
int SeekTo(bifstream& in, int64_t pos);
// The element count of a shell file's header (0 when short or beyond the
// file); the position is kept.
int ShellCount(bifstream& in, int64_t length, int& e);
// Folder and name without extension; 0 when it does not fit.
int BasePathOf(const char* path, char* out, int size);
// Builds the element-force indexes that are out of date.
void BuildIndexes(const DResult& r, int64_t plTime, int sets);
// 1 when the copy (or index) must be made again.
int NeedsUpdate(int64_t rawTime, int64_t plTime, int64_t copyTime, int forced);

} // namespace resultio

namespace resultio {

// Element-force files and the shape of their records.
enum Family { kFrame, kVframe, kTruss, kCframe, kPipe, kSpring, kShell, kWall, kCheck };

struct RecordHeader {
    int element = 0;
    int s = 0;            // sections (frame, check)
    double pos[20] = {};  // section positions
    int k = 0;            // pipe values per set
    int m = 0;            // shell nodes
    int a = 0, b = 0, c = 0, d = 0;   // wall
    int64_t dataPos = 0;  // first byte after the header
    int64_t perSet = 0;   // bytes of one set (not walls)
    int64_t dataBytes = 0;
    int64_t End() const { return dataPos + dataBytes; }
};

// The wall hole kind of a record, and its pieces and stored ends.
int WallHoleKind(const RecordHeader& h);
int WallFirstEnd(const RecordHeader& h);
int WallSecondEnd(const RecordHeader& h);

// Reads the record header at the current position: 1, 0 at a clean end of
// the file (no byte of a further record), -1 for a damaged record (short,
// element number below 1 or too large, counts beyond the fixed tables).
int ReadRecordHeader(bifstream& in, int64_t length, Family f, int sets, int maxNodes, RecordHeader& h);

} // namespace resultio
