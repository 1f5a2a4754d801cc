#include "vek/elements/line/nodes/NodeCommandRows.h"

#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/springs/Spring.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/storeys/LevelTable.h"

namespace {

using K = ENodeCommandKind;
using E = ENodeCommandEnabled;

// clang-format off
const CNodeCommandRow kRows[] = {
    {32842, 40, K::Points, 1, true, nullptr, E::Modeller, {41, 42, 0}},
    {32843, 41, K::Points, 1, true, nullptr, E::Modeller, {40, 42, 0}},
    {32844, 42, K::Points, 2, true, "请捕捉一个参考点。按ESC或鼠标右键的快捷菜单可以退出", E::Modeller, {41, 40, 0}},
    {32886, 47, K::Select, 0, true, nullptr, E::Always, {0}},
    {32887, 48, K::Select, 0, true, nullptr, E::Always, {0}},
    {32888, 49, K::Select, 0, true, nullptr, E::Always, {0}},
    {32927, 57, K::Select, 0, true, nullptr, E::Storeys, {0}},
    {32918, 56, K::Points, 2, true, "请捕捉连接弹簧的起始节点和终止节点", E::Always, {0}},
    {329, 60, K::Select, 0, true, "请选择需反转方向的接地弹簧所连接的节点,双向受力的弹簧无需反转方向", E::Always, {0}},
    {32866, 45, K::Select, 0, true, nullptr, E::Nodes, {0}},
    {32867, 46, K::Select, 0, true, nullptr, E::Nodes, {0}},
    {32825, 44, K::Select, 0, true, "请选择参与合并的节点，能否合并取决于节点最小间距", E::Always, {0}},
    {32890, 50, K::Select, 0, true, nullptr, E::Always, {0}},
    {32906, 52, K::Object, 0, true, nullptr, E::Nodes, {0}},
    {33123, 61, K::Object, 0, true, nullptr, E::Springs, {0}},
    {32915, 53, K::Points, 2, true, "请捕捉需测量距离的两点", E::Always, {0}},
};
// clang-format on

}  // namespace

const CNodeCommandRow* NodeCommandRows(int& count)
{
    count = int(sizeof kRows / sizeof kRows[0]);
    return kRows;
}

const CNodeCommandRow* FindNodeCommandRow(unsigned command)
{
    for (const CNodeCommandRow& row : kRows)
        if (row.command == command) return &row;
    return nullptr;
}

bool NodeCommandOffered(const CNodeCommandRow& row)
{
    switch (row.enabled) {
        case E::Modeller: return bModellerMode != 0;
        case E::Nodes: return theNodes.GetSize() > 0;
        case E::Springs: return theSprings.GetSize() > 0;
        case E::Storeys: return theLevels.count > 0;
        default: return true;
    }
}
