#include "vek/model/LayerList.h"

#include <cstring>
#include <strings.h>

namespace {
constexpr uint32_t kDefaultLayerColour = 0xFFFF00;
}

LayerInfo::LayerInfo() : LayerInfo("新图层名", 'Y', kDefaultLayerColour) {}

LayerInfo::LayerInfo(const char* text, char shown, uint32_t c) : name{}, visible(shown), colour(c)
{
    SetName(text);
}

void LayerInfo::SetName(const char* text)
{
    std::memset(name, 0, sizeof name);
    if (text) std::strncpy(name, text, sizeof name - 1);
}

bool LayerInfo::operator==(const LayerInfo& other) const
{
    return strcasecmp(name, other.name) == 0;
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

CLayerList theLayers;
