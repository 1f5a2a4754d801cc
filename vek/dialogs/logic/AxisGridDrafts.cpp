#include "vek/dialogs/logic/AxisGridDrafts.h"

#include "vek/model/ProjectOptions.h"

namespace axisedit {

CGridFields FieldsOf(const CAxisGrid& grid)
{
    CGridFields f;
    f.kind = grid.GetKind();
    f.show = grid.IsVisible() ? 1 : 0;
    float rayX, rayY, centreX, centreY;
    double angle;
    grid.GetEccentricCentres(rayX, rayY, centreX, centreY, angle);
    f.dx = centreX - rayX;
    f.dy = centreY - rayY;
    if (f.kind == CAxisGrid::kEccentric) {
        f.x = rayX;
        f.y = rayY;
        f.angle = angle;
    } else {
        grid.GetOrigin(f.x, f.y, f.angle);
    }
    return f;
}

void StoreFields(const CGridFields& f, CAxisGrid& grid)
{
    grid.SetKind(f.kind);
    grid.SetVisible(f.show != 0);
    if (grid.GetKind() == CAxisGrid::kEccentric) {
        const float x = float(f.x), y = float(f.y);
        grid.SetEccentricCentres(x, y, x + f.dx, y + f.dy, f.angle);
    } else {
        grid.SetOrigin(f.x, f.y, f.angle);
    }
}

void TableCaptions(int kind, bool planeModel, const char*& first, const char*& second)
{
    if (kind == CAxisGrid::kRectangular) {
        first = planeModel ? "Y向布置（纵线）" : "X向布置（纵线）";
        second = planeModel ? "Z向布置（横线）" : "Y向布置（横线）";
    } else {
        first = "径向布置（弧线）";
        second = "弧向布置（放射线）";
    }
}

void CGridDrafts::CopyFrom(const CAxisGridList& grids)
{
    m_grids.clear();
    for (int i = 0; i < grids.GetCount(); ++i) m_grids.push_back(std::make_unique<CAxisGrid>(*grids.GetAt(i)));
    m_current = m_grids.empty() ? -1 : 0;
}

bool CGridDrafts::Add(const char* name)
{
    if (Count() >= CAxisGridList::kMaxGrids) return false;
    auto grid = std::make_unique<CAxisGrid>();
    grid->SetName(name);
    m_grids.push_back(std::move(grid));
    m_current = Count() - 1;
    return true;
}

void CGridDrafts::Remove(int i)
{
    if (i < 0 || i >= Count()) return;
    m_grids.erase(m_grids.begin() + i);
    m_current = i < Count() ? i : Count() - 1;
}

void CGridDrafts::Apply(bool validOnElevations, bool planeModel) const
{
    theAxisGrids.RemoveAll();
    for (const auto& g : m_grids) theAxisGrids.Add(new CAxisGrid(*g));
    theProjectOptions.bAxisGridsInElevations = planeModel || validOnElevations ? 1 : 0;
    RegenerateGridNodes();
}

}  // namespace axisedit
