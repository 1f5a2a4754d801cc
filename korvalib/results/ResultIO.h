#pragma once
// Inside KorvaLib only: file helpers of the result reader.
#include <cstdint>
#include <string>

#include "korvalib/base/biostream.h"

class DResult;

namespace resultio {

// Bounds of counts read from result files.
constexpr int kMaxNodes = 1 << 25;
constexpr int kMaxElement = 1 << 24;
// Nodes of one shell force record: the queries and the index builders hold
// a record's rows in tables of this size.
constexpr int kMaxShellNodes = 10;
// Index files hold 32-bit positions; a raw file longer than this is read
// without an index.
constexpr int64_t kMaxIndexedLength = 0x7fffffff;

// Modification time in the file system's ticks; the lowest value for a file
// that is missing or empty.
int64_t FileTime(const char* path);
int FileExists(const char* path);
// The length of the stream's file; 0 when it cannot be told.
int64_t FileLength(bifstream& in);
// Reads count values; 0 on a short read or a negative count.
int ReadBytes(bifstream& in, void* p, int64_t bytes);
template <class T>
inline int ReadArray(bifstream& in, T* p, int64_t count)
{
    return count >= 0 && ReadBytes(in, p, count * static_cast<int64_t>(sizeof(T)));
}
// Writes the bytes (any count); 0 when a write failed.
int WriteBytes(bofstream& out, const void* p, int64_t bytes);
int SeekTo(bifstream& in, int64_t pos);

// A converted copy, index or count file: written under a temporary name
// beside the target (its name and ".~tmp") and put in its place by Commit,
// once every write and the close went well. Without Commit (or when it
// fails) the temporary is removed and an old target stays as it was.
class FileReplacer {
public:
    explicit FileReplacer(const char* target);
    ~FileReplacer();
    FileReplacer(const FileReplacer&) = delete;
    FileReplacer& operator=(const FileReplacer&) = delete;
    int IsOpen() const;
    bofstream& Out() { return m_out; }
    // 1 when the file is complete and in place.
    int Commit();

private:
    std::string m_target, m_temp;
    bofstream m_out;
};

// The element count of a shell file's header (0 when short or beyond the
// file); the position is kept.
int ShellCount(bifstream& in, int64_t length, int& e);
// Folder and name without extension; 0 when it does not fit.
int BasePathOf(const char* path, char* out, int size);
// Builds the element-force indexes that are out of date; 0 when an index
// could not be written (a damaged raw file just gets no index).
int BuildIndexes(const DResult& r, int64_t plTime, int sets);
// 1 when the copy (or index) must be made again.
int NeedsUpdate(int64_t rawTime, int64_t plTime, int64_t copyTime, int forced);

}  // namespace resultio

namespace resultio {

// Element-force files and the shape of their records.
enum Family { kFrame, kVframe, kTruss, kCframe, kPipe, kSpring, kShell, kWall, kCheck };

struct RecordHeader {
    int element = 0;
    int s = 0;                       // sections (frame, check)
    double pos[20] = {};             // section positions
    int k = 0;                       // pipe values per set
    int m = 0;                       // shell nodes
    int a = 0, b = 0, c = 0, d = 0;  // wall
    int64_t dataPos = 0;             // first byte after the header
    int64_t perSet = 0;              // bytes of one set (not walls)
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
int ReadRecordHeader(bifstream& in, int64_t length, Family f, int sets, RecordHeader& h);
// Steps over one A41 block of e records; 0 when it is damaged.
int SkipShellBlock(bifstream& in, int64_t length, int e);

}  // namespace resultio
