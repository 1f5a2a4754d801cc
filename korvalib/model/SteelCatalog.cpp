// Section strings: pattern matching and areas.
#include "korvalib/model/SteelCatalog.h"

#include "korvalib/model/CommonData.h"

#include <cstdlib>
#include <cstring>

using M = DSteelStrManager;

const char* const M::SteelPattern[PatternCount] = {"L>E",
                                                   "I>I",
                                                   "C>C",
                                                   "2E>E@>R",
                                                   "2L>L@>R",
                                                   "2S>L@>R",
                                                   "2C>C@>R",
                                                   "XL>E@>R",
                                                   "4L>E@>R",
                                                   "D>R*>R",
                                                   "BB>R*>R*>R*>R*>R",
                                                   "BCC>C+S>R*>R@>R",
                                                   "BBC>C+S>R*>R@>R",
                                                   "BI>I+S>R*>R@>R",
                                                   "BI>I",
                                                   "BC>C",
                                                   "ZL>E+S>R*>R@>R",
                                                   "ZL>L+S>R*>R@>R",
                                                   "ZS>R*>R+I>I",
                                                   "ZC>C+S>R*>R",
                                                   "ZI>I+S>R*>R",
                                                   "ZH>R*>R*>R*>R+S>R*>R",
                                                   "ZS>R*>R+S>R*>R+I>I",
                                                   "ZS>R*>R+S>R*>R+H>R*>R*>R*>R",
                                                   "ZC>C+S>R*>R+I>I",
                                                   "ZC>I+S>R*>R+H>R*>R*>R*>R",
                                                   "ZH>R*>R*>R*>R",
                                                   "ZH>R*>R*>R*>R+H>R*>R*>R*>R",
                                                   "GCC>C@>R",
                                                   "GBC>C@>R",
                                                   "GC>C+I>I@>R",
                                                   "GC>C+H>R*>R*>R*>R@>R",
                                                   "GL>E+S>R*>R+I>I@>R",
                                                   "GL>L+S>R*>R+I>I@>R",
                                                   "GL>E+S>R*>R+H>R*>R*>R*>R@>R",
                                                   "GL>L+S>R*>R+H>R*>R*>R*>R@>R",
                                                   "GI>I@>R",
                                                   "GH>R*>R*>R*>R@>R",
                                                   "GH>R*>R*>R*>R+H>R*>R*>R*>R@>R",
                                                   "HK>K",
                                                   "HZ>Z",
                                                   "HA>A",
                                                   "HAQ>Q",
                                                   "T>T",
                                                   "H>R*>R*>R*>R*>R",
                                                   "RT>R*>R",
                                                   "HW>W",
                                                   "HM>M",
                                                   "HN>N",
                                                   "CR>R",
                                                   "IQ>B",
                                                   "CQ>D",
                                                   "GL>E@>R@>R",
                                                   "GDF>R*>R@>R@>R",
                                                   "GDT>R*>R@>R@>R",
                                                   "TU>R*>R*>R*>R",
                                                   "TD>R*>R*>R*>R",
                                                   "HR>R*>R*>R"};

const char* const M::SteelTypeStr[PatternCount] = {
    "热轧等边角钢:Lnn",
    "热轧普通工字钢:Inn",
    " 热轧普通槽钢:Cnn",
    "两个热轧等边角钢的组合截面:2Enn@a",
    "两个热轧不等边角钢，两长边相连的组合截面:2Lnn@a",
    "两个热轧不等边角钢，两短边相连的组合截面:2Snn@a",
    "两个热轧普通槽钢的组合截面:2Cnn@a",
    "两轧制等边角钢以填块连接成十字截面:XLnn@a",
    "四轧制等边角钢组成的十字截面:4Lnn@a",
    "热轧无缝钢管或焊接钢管:Dd*t",
    "钢板焊接成的箱形截面:BBb*t*h0*tw*b0",
    "两热轧普通槽钢（槽对槽）与钢板焊接而成的箱形截面:BCCnn+Sb*t@a",
    "两热轧普通槽钢（背对背）与钢板焊接而成的箱形截面:BBCnn+Sb*t@a",
    "两热轧普通工字钢与钢板焊接而成的箱形截面:BInn+Sb*t@a",
    "两热轧普通工字钢相焊接而成的箱形截面:BInn",
    "两热轧普通槽钢相焊接而成的箱形截面:BCnn",
    "两热轧等边角钢与钢板焊接而成的槽形截面:ZLnn+Sb*t@a",
    "两热轧不等边角钢与钢板焊接而成的槽形截面:ZLnnn+Sb*t@a",
    "热轧普通工字钢二翼缘与两块钢板焊接而成的截面:ZSb*t+Inn",
    "两热轧普通槽钢与钢板焊接而成的截面:ZCnn+Sb*t",
    "两热轧普通工字钢与钢板焊接而成的截面:ZInn+Sb*t",
    "两焊接H 型钢与钢板焊接而成的截面:ZHb1*t1*b2*t2+Sb*t",
    "热轧普通工字钢与钢板焊接而成的截面:ZSb1*t1+Sb*t+Inn",
    "焊接H型钢与钢板焊接而成的截面:ZSb1*t1+Sb*t+Hb2*t2*b3*t3",
    "热轧普通工字钢与热轧普通槽钢通过钢板焊接而成的截面:ZCnn1+Sb*t+Inn2",
    "焊接H 型钢与热轧普通槽钢通过钢板焊接而成的截面:ZZCnn+Sb*t+Hb1*t1*b2*t2",
    "钢板焊接而成的截面(两个焊接工字钢相同):ZHb1*t1*b2*t2",
    "钢板焊接而成的截面(两个焊接工字钢不相同):ZHb1*t1*b2*t2+Hb3*t3*b4*t4",
    "两热轧普通槽钢槽对槽构成的格构式截面:GCCnn@a",
    "两热轧普通槽钢背对背构成的格构式截面:GBCnn@a",
    "热轧普通槽钢与热轧普通工字钢构成的格构式截面:GCnn1+Inn2@a",
    "热轧普通槽钢与焊接H 型钢构成的格构式截面:GCnn+Hb1*t1*b2*t2@a",
    "热轧等边角钢与热轧普通工字钢构成的格构式截面:GLnn1+Sb*t+Inn2@a",
    "热轧不等边角钢与热轧普通工字钢构成的格构式截面:GLnnn1+Sb*t+Inn2@a",
    "热轧等边角钢与焊接H型钢构成的格构式截面:GLnn1+Sb*t+Hb1*t1*b2*t2@a",
    "热轧不等边角钢与焊接H型钢构成的格构式截面:GLnnn1+Sb*t+Hb1*t1*b2*t2@a",
    "两热轧普通工字钢构成的格构式截面:GInn@a",
    "两焊接H型钢构成的格构式截面(两肢相等):GHb1*t1*b2*t2@a",
    "两焊接H型钢构成的格构式截面:GHb1*t1*b2*t2+Hb3*t3*b4*t4@a",
    "热轧宽翼缘H型钢:HKnn",
    "热轧窄翼缘H型钢:HZnn",
    "焊接H型钢:HAnn (规格按钢厂产品目录)",
    "轻型焊接H型钢:HAQnn (规格按钢厂产品目录)",
    "焊接T型钢:Tnn (规格按钢厂产品目录)",
    "焊接工字钢:Hb1*t1*h0*tw*b2",
    "矩形:RTb*t",
    "热轧宽翼缘H型钢:HWnn (规格按供货商产品目录)",
    "热轧中翼缘H型钢:HMnn (规格按供货商产品目录)",
    "热轧窄翼缘H型钢:HNnn (规格按供货商产品目录)",
    "圆形(d为直径):CRd",
    "热轧轻型工字钢:IQn",
    "热轧轻型槽钢:CQn",
    "四热轧等边角钢构成的格构式截面:GLnn@a@b",
    "四圆管构成的格构式截面:GDFd*t@a@b",
    "三圆管构成的格构式截面:GDTd*t@a@b",
    "钢板焊接梯形截面:TUb1*t1*h0*tw",
    "钢板焊接倒梯形截面:TDh0*tw*b1*t1",
    "矩形钢管:HRb*h*t"};

namespace {

constexpr double Pi = 3.141592653589793;
// Longest section string handled (the work buffer of one recognition).
constexpr size_t WorkBuffer = 200;

int KindOfLetter(char c)
{
    switch (c) {
        case 'E': return SteelFieldE;
        case 'I': return SteelFieldI;
        case 'C': return SteelFieldC;
        case 'L': return SteelFieldL;
        case 'R': return SteelFieldReal;
        case 'K': return SteelFieldHK;
        case 'Z': return SteelFieldHZ;
        case 'A': return SteelFieldHA;
        case 'Q': return SteelFieldHAQ;
        case 'T': return SteelFieldT;
        case 'W': return SteelFieldHW;
        case 'M': return SteelFieldHM;
        case 'N': return SteelFieldHN;
        case 'B': return SteelFieldIQ;
        case 'D': return SteelFieldCQ;
        default: return 0;
    }
}

const char* const* TableOfKind(int kind)
{
    switch (kind) {
        case SteelFieldE: return M::SectE;
        case SteelFieldI: return M::SectI;
        case SteelFieldC: return M::SectC;
        case SteelFieldL: return M::SectL;
        case SteelFieldHK: return M::SectHK;
        case SteelFieldHZ: return M::SectHZ;
        case SteelFieldHA: return M::SectHA;
        case SteelFieldHAQ: return M::SectHAQ;
        case SteelFieldT: return M::SectT;
        case SteelFieldHW: return M::SectHW;
        case SteelFieldHM: return M::SectHM;
        case SteelFieldHN: return M::SectHN;
        case SteelFieldIQ: return M::SectIQ;
        case SteelFieldCQ: return M::SectCQ;
        default: return nullptr;
    }
}

int UpperAscii(unsigned char c)
{
    return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c;
}

int EqualNoCase(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b)
        if (UpperAscii((unsigned char)*a) != UpperAscii((unsigned char)*b)) return 0;
    return *a == *b;
}

// Area in cm2 of designation number n (from 1) of the table of a kind; 0 when out of range.
double CatalogArea(int kind, double number)
{
    const float* areas = nullptr;
    int count = 0;
    switch (kind) {
        case SteelFieldE:
            areas = M::AreaE;
            count = 82;
            break;
        case SteelFieldI:
            areas = M::AreaI;
            count = 34;
            break;
        case SteelFieldC:
            areas = M::AreaC;
            count = 30;
            break;
        case SteelFieldL:
            areas = M::AreaL;
            count = 65;
            break;
        default: return 0.0;
    }
    int n = int(number);
    if (n < 1 || n > count) return 0.0;
    return areas[n - 1];
}

double CatalogAreaAny(int kind, double number)
{
    const float* areas = nullptr;
    int count = 0;
    switch (kind) {
        case SteelFieldHK:
            areas = M::AreaHK;
            count = 85;
            break;
        case SteelFieldHZ:
            areas = M::AreaHZ;
            count = 18;
            break;
        case SteelFieldHA:
            areas = M::AreaHA;
            count = 129;
            break;
        case SteelFieldHAQ:
            areas = M::AreaHAQ;
            count = 17;
            break;
        case SteelFieldT:
            areas = M::AreaT;
            count = 37;
            break;
        case SteelFieldHW:
            areas = M::AreaHW;
            count = 21;
            break;
        case SteelFieldHM:
            areas = M::AreaHM;
            count = 12;
            break;
        case SteelFieldHN:
            areas = M::AreaHN;
            count = 32;
            break;
        case SteelFieldIQ:
            areas = M::AreaIQ;
            count = 27;
            break;
        case SteelFieldCQ:
            areas = M::AreaCQ;
            count = 19;
            break;
        default: return CatalogArea(kind, number);
    }
    int n = int(number);
    if (n < 1 || n > count) return 0.0;
    return areas[n - 1];
}

int IsRealToken(const char* s)
{
    for (; *s; ++s)
        if (!((*s >= '0' && *s <= '9') || *s == '.')) return 0;
    return 1;
}

}  // namespace

int M::GetPatternNum()
{
    return PatternCount;
}
int M::GetSelfDefSectIndex()
{
    return PatternCount;
}

int M::DetachInfoFromPatternIndex(int index, int& nFields, char texts[][SteelFieldText], int kinds[])
{
    nFields = 0;
    if (index < 0 || index >= PatternCount) return 0;
    const char* p = SteelPattern[index];
    char literal[SteelFieldText];
    int len = 0;
    auto closeLiteral = [&]() {
        if (len > 0 && nFields < SteelMaxFields) {
            literal[len] = 0;
            std::memcpy(texts[nFields], literal, size_t(len) + 1);
            kinds[nFields] = SteelFieldLiteral;
            ++nFields;
        }
        len = 0;
    };
    for (; *p; ++p) {
        if (*p == '>') {
            closeLiteral();
            if (!p[1] || nFields >= SteelMaxFields) break;
            ++p;
            texts[nFields][0] = *p;
            texts[nFields][1] = 0;
            kinds[nFields] = KindOfLetter(*p);
            ++nFields;
        } else if (len < SteelFieldText - 1) {
            literal[len++] = *p;
        }
    }
    closeLiteral();
    return nFields;
}

int M::StringInSect(const char* token, const char* const* table)
{
    if (!token || !table) return 0;
    for (int i = 0; table[i]; ++i)
        if (EqualNoCase(token, table[i])) return i + 1;
    return 0;
}

int M::StringInSectE(const char* token)
{
    return StringInSect(token, SectE);
}
int M::StringInSectI(const char* token)
{
    return StringInSect(token, SectI);
}
int M::StringInSectC(const char* token)
{
    return StringInSect(token, SectC);
}
int M::StringInSectL(const char* token)
{
    return StringInSect(token, SectL);
}

int M::AbstractSteelstr(const char*& cursor, const char* delimiter, int isLast, char* token, int tokenSize)
{
    size_t n;
    if (isLast) {
        n = std::strlen(cursor);
    } else {
        const char* at = std::strstr(cursor, delimiter);
        if (!at) return 0;
        n = size_t(at - cursor);
    }
    // A token that does not fit its field text rejects the field.
    if (n >= size_t(tokenSize)) return 0;
    std::memcpy(token, cursor, n);
    token[n] = 0;
    cursor += n;
    return 1;
}

int M::DetachInfoFromString(const char* str, int& index, int& nFields, char texts[][SteelFieldText], int kinds[],
                            int useHint)
{
    int hint = index;
    index = -1;
    nFields = 0;
    if (!str || std::strlen(str) >= WorkBuffer) return 0;
    // A hint naming no pattern is dropped, as is one whose pattern has no field.
    bool hinted = useHint && hint >= 0 && hint < PatternCount;

    for (int pat = hinted ? hint : 0; pat < PatternCount; ++pat) {
        int count = 0;
        DetachInfoFromPatternIndex(pat, count, texts, kinds);
        if (count == 0) {
            if (hinted) {
                hinted = false;
                pat = -1;
            }
            continue;
        }
        const char* cur = str;
        bool ok = true;
        for (int f = 0; f < count && ok; ++f) {
            if (kinds[f] == SteelFieldLiteral) {
                size_t n = std::strlen(texts[f]);
                for (size_t k = 0; k < n && ok; ++k)
                    if (!cur[k] || UpperAscii((unsigned char)cur[k]) != UpperAscii((unsigned char)texts[f][k]))
                        ok = false;
                if (ok) cur += n;
                continue;
            }
            bool last = f == count - 1;
            char token[SteelFieldText];
            if (!AbstractSteelstr(cur, last ? "" : texts[f + 1], last ? 1 : 0, token, SteelFieldText)) {
                ok = false;
                break;
            }
            if (kinds[f] == SteelFieldReal) {
                ok = IsRealToken(token) != 0;
            } else {
                const char* const* table = TableOfKind(kinds[f]);
                ok = table && StringInSect(token, table) > 0;
            }
            if (ok) std::memcpy(texts[f], token, std::strlen(token) + 1);
        }
        if (ok) {
            index = pat;
            nFields = count;
            return 1;
        }
        if (hinted) break;
    }
    return 0;
}

int M::DetachNumberFromString(const char* str, int& number, int& nFields, double values[], int kinds[], int useHint)
{
    char texts[SteelMaxFields][SteelFieldText];
    int index = number - 1;
    int ok = DetachInfoFromString(str, index, nFields, texts, kinds, useHint);
    if (!ok) {
        number = 0;
        nFields = 0;
        return 0;
    }
    number = index + 1;
    for (int f = 0; f < nFields; ++f) {
        if (kinds[f] == SteelFieldLiteral)
            values[f] = 0.0;
        else if (kinds[f] == SteelFieldReal)
            values[f] = std::atof(texts[f]);
        else
            values[f] = StringInSect(texts[f], TableOfKind(kinds[f]));
    }
    return 1;
}

double M::GetSteelArea(const char* str, int unit, int hint)
{
    int number = hint > 0 ? hint : 0;
    int count = 0;
    double values[SteelMaxFields];
    int kinds[SteelMaxFields];
    if (!DetachNumberFromString(str, number, count, values, kinds, hint > 0 ? 1 : 0)) return 0.0;
    if (number < 1 || number > PatternCount) return 0.0;

    // F[k] is the k-th non-literal field (from 1); K[k] its kind.
    double F[SteelMaxFields + 1] = {0};
    int K[SteelMaxFields + 1] = {0};
    int n = 0;
    for (int f = 0; f < count; ++f)
        if (kinds[f] != SteelFieldLiteral) {
            ++n;
            F[n] = values[f];
            K[n] = kinds[f];
        }

    const double D = DCommonData::DimensionFactor(unit);
    auto cat = [&](int k) { return CatalogAreaAny(K[k], F[k]) * 0.0001 * D * D; };
    const double s = 0.000001 * D * D;

    switch (number) {
        case 1:
        case 2:
        case 3: return cat(1);
        case 4:
        case 5:
        case 6:
        case 7:
        case 8: return 2 * cat(1);
        case 9: return 4 * cat(1);
        case 10: return Pi * F[2] * (F[1] - F[2]) * s;
        case 11: return 2 * (F[1] * F[2] + F[3] * F[4]) * s;
        case 12:
        case 13:
        case 14: return 2 * (cat(1) + F[2] * F[3] * s);
        case 15:
        case 16: return 2 * cat(1);
        case 17:
        case 18: return 2 * cat(1) + F[2] * F[3] * s;
        case 19: return cat(3) + 2 * F[1] * F[2] * s;
        case 20:
        case 21: return 2 * cat(1) + F[2] * F[3] * s;
        case 22: return (4 * F[1] * F[2] + 2 * F[3] * F[4] + F[5] * F[6]) * s;
        case 23: return cat(5) + (F[1] * F[2] + F[3] * F[4]) * s;
        case 24: return (F[1] * F[2] + F[3] * F[4] + 2 * F[5] * F[6] + F[7] * F[8]) * s;
        case 25: return cat(1) + cat(4) + F[2] * F[3] * s;
        case 26: return cat(1) + (F[2] * F[3] + F[4] * F[5] + 2 * F[6] * F[7]) * s;
        case 27: return (4 * F[1] * F[2] + 2 * F[3] * F[4]) * s;
        case 28: return (2 * F[1] * F[2] + F[3] * F[4] + 2 * F[5] * F[6] + F[7] * F[8]) * s;
        case 29:
        case 30: return 2 * cat(1);
        case 31: return cat(1) + cat(2);
        case 32: return cat(1) + (2 * F[2] * F[3] + F[4] * F[5]) * s;
        case 33:
        case 34: return 2 * cat(1) + cat(4) + F[2] * F[3] * s;
        case 35:
        case 36: return 2 * cat(1) + (F[2] * F[3] + 2 * F[4] * F[5] + F[6] * F[7]) * s;
        case 37: return 2 * cat(1);
        case 38: return 2 * (2 * F[1] * F[2] + F[3] * F[4]) * s;
        case 39: return (2 * F[1] * F[2] + F[3] * F[4] + 2 * F[5] * F[6] + F[7] * F[8]) * s;
        case 40:
        case 41:
        case 42:
        case 43:
        case 44: return cat(1);
        case 45: return (F[1] * F[2] + F[3] * F[4] + F[2] * F[5]) * s;
        case 46: return F[1] * F[2] * s;
        case 47:
        case 48:
        case 49: return cat(1);
        case 50: return Pi * F[1] * F[1] / 4 * s;
        case 51:
        case 52: return cat(1);
        case 53: return 4 * cat(1);
        case 54: return 4 * Pi * F[2] * (F[1] - F[2]) * s;
        case 55: return 3 * Pi * F[2] * (F[1] - F[2]) * s;
        case 56:
        case 57: return (F[1] * F[2] + F[3] * F[4]) * s;
        case 58: return 2 * (F[1] * F[3] + F[3] * (F[2] - 2 * F[3])) * s;
        default: return 0.0;
    }
}

int M::StringIncludeZero(const char* str)
{
    char texts[SteelMaxFields][SteelFieldText];
    int kinds[SteelMaxFields];
    int index = -1, count = 0;
    if (!DetachInfoFromString(str, index, count, texts, kinds, 0)) return 1;
    int result = 0;
    for (int f = 0; f < count; ++f) {
        if (kinds[f] != SteelFieldReal || std::atof(texts[f]) >= 0.00001) continue;
        bool spacing = f > 0 && kinds[f - 1] == SteelFieldLiteral && texts[f - 1][0] == '@';
        if (spacing) {
            if (result == 0) result = -1;
        } else {
            result = 1;
        }
    }
    return result;
}
