#include "vek/model/LayerList.h"

#include <cstring>
#include <new>

#include "korvalib/base/Gbk.h"
#include "korvalib/base/biostream.h"
#include "korvalib/model/AnalysisRecords.h"
#include "vek/model/KvdDataSet.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ProjectGlobals.h"

namespace {
constexpr uint32_t kDefaultLayerColour = 0xFFFF00;
constexpr int kNameBytes = 21;
}  // namespace

const char* const kMeshLayerName = "自动剖分的图层";

LayerInfo::LayerInfo() : LayerInfo("新图层名", 'Y', kDefaultLayerColour) {}

LayerInfo::LayerInfo(const char* text, char shown, uint32_t c) : name{}, visible(shown), colour(c)
{
    SetName(text);
}

void LayerInfo::SetName(const char* text)
{
    std::memset(name, 0, sizeof name);
    if (!text) return;
    const size_t len = std::strlen(text);
    size_t keep = 0;
    while (keep < len) {
        const size_t n = gbk::CharLength(text, keep, len);
        if (keep + n > sizeof name - 1) break;
        keep += n;
    }
    std::memcpy(name, text, keep);
}

bool LayerInfo::operator==(const LayerInfo& other) const
{
    return gbk::EqualIgnoringAsciiCase(name, other.name);
}

CLayerList::CLayerList()
{
    Reset();
}

void CLayerList::Reset()
{
    m_current = 0;
    m_layers.clear();
    m_layers.emplace_back("固定图层", 'Y', kDefaultLayerColour);
}

int CLayerList::Add(const LayerInfo& layer)
{
    try {
        m_layers.push_back(layer);
    } catch (const std::bad_alloc&) {
        return -1;
    }
    return GetSize() - 1;
}

int CLayerList::FindOrAdd(const char* name)
{
    if (name && std::strcmp(name, "0") == 0) return 0;
    const LayerInfo wanted(name, 'Y', kDefaultLayerColour);
    for (int i = 0; i < GetSize(); ++i)
        if (m_layers[size_t(i)] == wanted) return i;
    const int added = Add(wanted);
    return added < 0 ? 0 : added;
}

int CLayerList::GetDefaultLayer(bool mustExist)
{
    const LayerInfo wanted(kMeshLayerName, 'Y', kDefaultLayerColour);
    for (int i = 0; i < GetSize(); ++i)
        if (m_layers[size_t(i)] == wanted) return i;
    if (mustExist) return -1;
    const int added = Add(wanted);
    if (added >= 0) ModelHooks().RefreshLayerSelector();
    return added;
}

bool CLayerList::Write(bofstream& out) const
{
    out << int32_t(m_current) << int32_t(GetSize());
    for (const LayerInfo& l : m_layers) {
        out.Write(l.name, kNameBytes);
        out << l.visible << l.colour;
    }
    return out.IsGood() != 0;
}

bool CLayerList::Read(bifstream& in)
{
    if (nPrjVersion < 460) {
        Reset();
        return true;
    }
    const bool withColour = nPrjVersion >= 600;
    int32_t current = 0, count = 0;
    in >> current >> count;
    if (!in.IsGood() || count < 1 || !in.CheckAvailable(int64_t(count) * (withColour ? 26 : 22))) {
        in.SetFailed();
        return false;
    }
    std::vector<LayerInfo> read;
    try {
        read.reserve(size_t(count));
    } catch (const std::bad_alloc&) {
        in.SetFailed();
        return false;
    }
    for (int i = 0; i < count; ++i) {
        LayerInfo l;
        char buf[kNameBytes];
        in.Read(buf, kNameBytes);
        buf[kNameBytes - 1] = 0;
        std::memcpy(l.name, buf, kNameBytes);
        in >> l.visible;
        if (withColour) in >> l.colour;
        if (!in.IsGood()) return false;
        read.push_back(l);
    }
    m_layers.swap(read);
    m_current = current < 0 || current >= count ? 0 : current;
    return true;
}

void CLayerList::Export(CKvdDataSet& set) const
{
    int number = 1;
    for (const LayerInfo& l : m_layers) {
        DLayerBase rec;
        rec.m_sNumber = int16_t(number++);
        rec.m_cFlag = l.visible == 'Y' ? 1 : 0;
        rec.m_nColour = int32_t(l.colour);
        rec.SetName(l.name);
        set.layers.push_back(rec);
    }
    DLayerBase master;
    master.m_sNumber = int16_t(number);
    master.m_cFlag = 1;
    master.m_nColour = int32_t(m_layers.front().colour);
    master.SetName("主节点图层");
    set.layers.push_back(master);
}

CLayerList theLayers;
