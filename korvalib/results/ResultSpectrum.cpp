// Mass participation of the spectrum modes.
#include "korvalib/model/AnalysisRecords.h"
#include "korvalib/results/Result.h"
#include "korvalib/results/ResultIO.h"
#include "korvalib/base/Vector.h"
#include "korvalib/base/biostream.h"
#include "containers/MArray.h"

#include <vector>

using namespace resultio;

int DResult::GetSpecMassPartRatio(MArray<DSpectrumDir>& dirs, const int* modes, double* out)
{
    if (m_nSpecDir < 1 || dirs.GetCount() != m_nSpecDir || !modes || !out) return 0;
    const int n = m_nResultNode;
    char path[260];
    GetFileName(path, "NMAS");
    {
        bifstream probe(path);  // the masses must be there before room is made
        if (!probe.IsOpen() || FileLength(probe) < 48LL * n) return 0;
    }
    std::vector<double> mass;
    try {
        mass.resize(static_cast<size_t>(6) * n);
    } catch (...) {
        return 0;
    }
    if (!GetAllNodeMass(reinterpret_cast<double(*)[6]>(mass.data()))) return 0;
    double total = 0;
    for (int j = 0; j < n; ++j) total += mass[6 * j + 2];
    if (total < 1e-8) return 0;
    GetFileName(path, "DIR");
    bifstream in(path);
    if (!in.IsOpen()) return 0;
    for (int j = 0; j < m_nSpecDir; ++j) {
        const DSpectrumDir* d = dirs.GetAt(j);  // the virtual writable GetAt
        double dir[3] = {d->m_fDir[0], d->m_fDir[1], d->m_fDir[2]};
        CVector::Normalize(dir);
        for (int i = 0; i < m_nSpecMode; ++i) {
            const int mode = modes[i];
            double p[3];
            if (mode < 1 || mode > m_nMode || !SeekTo(in, 24 + 48LL * (mode - 1) + 24) || !ReadArray(in, p, 3))
                return 0;
            const double s = dir[0] * p[0] + dir[1] * p[1] + dir[2] * p[2];
            out[i + j * m_nSpecMode] = s * s / total;
        }
    }
    return 1;
}
