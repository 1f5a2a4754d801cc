#pragma once
// The fuzz input: a result set packed as records of
//   u8 file (index into kArchiveExts), u32 length, length bytes.
// Files are written in record order into a scratch folder.
namespace krfuzz {

inline const char* const kArchiveExts[] = {
    "SYS", "PL",  "ID",  "XYZ", "DIS", "VEC", "RES", "VEL", "ACC",  "EQU",  "STA", "ACD",  "MAS",  "FSJ",
    "REF", "CQC", "DIR", "A2",  "A11", "A14", "A17", "A18", "DYN",  "STP",  "U3",  "U30",  "U7",   "U8",
    "U6",  "U10", "U31", "U41", "A41", "U5",  "F88", "RC2", "NSYS", "NDIS", "NU3", "NA41", "NU41", "NU5"};
constexpr int kArchiveExtCount = sizeof(kArchiveExts) / sizeof(kArchiveExts[0]);

}  // namespace krfuzz
