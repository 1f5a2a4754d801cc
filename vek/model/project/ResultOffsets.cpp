#include "vek/model/project/ResultOffsets.h"

#include "korvalib/base/biostream.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/project/ProjectBlocks.h"

int32_t theSframeIdOffset = 0;
int32_t theVframeIdOffset = 0;

int WriteLineElementsHead(bofstream& out)
{
    out << theSframeIdOffset << theVframeIdOffset;
    CBlockForm rest;
    EmptyLineElementsForm(kProjectVersion, false, rest);
    return rest.Write(out) && out.IsGood();
}

int ReadLineElementsHead(bifstream& in)
{
    int32_t s = 0, v = 0;
    if (nPrjVersion >= 700) {
        in >> s >> v;
        if (!in.IsGood()) return 0;
    }
    CBlockForm rest;
    EmptyLineElementsForm(nPrjVersion, false, rest);
    switch (rest.Match(in)) {
        case CBlockForm::kMatches: break;
        case CBlockForm::kHoldsData: return -1;
        default: return 0;
    }
    theSframeIdOffset = s;
    theVframeIdOffset = v;
    return 1;
}
