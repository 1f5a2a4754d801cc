// Fuzz target: a stream file of a header and tagged sections, the body of
// each read as texts, values, byte blocks or model records chosen by the
// tag's first byte.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "korvalib/model/CommonData.h"
#include "korvalib/model/NodeRecords.h"
#include "korvalib/base/biostream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    FILE* f = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (!f) return 0;
    bifstream in;
    in.Attach(f);
    const int16_t saved = nVersion;
    if (in.ReadHeader()) {
        for (int guard = 0; guard < 64 && !in.Eof() && in.IsGood(); ++guard) {
            char tag[9];
            int len = 0;
            if (!in.Read(tag, 9) || !in.ReadSection(len)) break;
            const long end = in.TellPos() + len;
            switch (tag[0] & 7) {
                case 0: {
                    char name[32];
                    in >> name;
                    break;
                }
                case 1: {
                    char* text = nullptr;
                    in.ReadString(text);
                    delete[] text;
                    break;
                }
                case 2: {
                    short n = 0;
                    in >> n;
                    if (in.CheckAvailable(int64_t(n) * 8)) {
                        for (int i = 0; i < n; ++i) {
                            double d;
                            in >> d;
                        }
                    }
                    break;
                }
                case 4: {
                    DNodeBase n;
                    while (n.Serialize(in)) {
                    }
                    break;
                }
                case 5: {
                    DCommonData c;
                    c.Serialize(in);
                    DNodeDisplacement d;
                    d.Serialize(in);
                    break;
                }
                case 6: {
                    DNodeSpring s;
                    while (s.Serialize(in)) {
                    }
                    break;
                }
                default: {
                    unsigned char block[64];
                    int n = len < 64 ? len : 64;
                    in.Read(block, n);
                    break;
                }
            }
            in.ClearError();
            if (!in.Seek(end, 0)) break;
        }
    }
    nVersion = saved;
    return 0;
}
