#include "vek/model/ModelFamily.h"

namespace {

CModelFamily emptyFamily;
CModelFamily* families[kFamilyCount] = {};

}  // namespace

CModelFamily& ModelFamily(EFamily f)
{
    const int i = static_cast<int>(f);
    if (i < 0 || i >= kFamilyCount || !families[i]) return emptyFamily;
    return *families[i];
}

bool IsModelFamilyRegistered(EFamily f)
{
    const int i = static_cast<int>(f);
    return i >= 0 && i < kFamilyCount && families[i];
}

CModelFamily* RegisterModelFamily(EFamily f, CModelFamily* family)
{
    const int i = static_cast<int>(f);
    if (i < 0 || i >= kFamilyCount) return nullptr;
    CModelFamily* previous = families[i];
    families[i] = family;
    return previous;
}

bool NodeCoordinates(int id, double out[3])
{
    return ModelFamily(EFamily::Nodes).GetCoordinates(id, out);
}
