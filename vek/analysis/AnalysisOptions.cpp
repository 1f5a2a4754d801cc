#include "vek/analysis/AnalysisOptions.h"

#include <cmath>
#include <cstdio>

#include "vek/model/Profile.h"

CAnalysisOptions theAnalysisOptions;

void CAnalysisOptions::Parse(const char* text)
{
    int v[9] = {iterateCases,  iterateDispCombs, iterateForceCombs, maxSteps,         reuseDataFile,
                chooseModules, freeModal,        showDialog,        contiguousNumbers};
    double t = tolerance;
    const int n = text ? std::sscanf(text, "%d,%d,%d,%d,%d,%d,%d,%d,%d,%lf", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5],
                                     &v[6], &v[7], &v[8], &t)
                       : 0;
    uint8_t* switches[8] = {&iterateCases,  &iterateDispCombs, &iterateForceCombs, &reuseDataFile,
                            &chooseModules, &freeModal,        &showDialog,        &contiguousNumbers};
    const int index[8] = {0, 1, 2, 4, 5, 6, 7, 8};
    for (int k = 0; k < 8; ++k)
        if (index[k] < n && (v[index[k]] == 0 || v[index[k]] == 1)) *switches[k] = uint8_t(v[index[k]]);
    if (n > 3 && v[3] >= 1 && v[3] <= 32767) maxSteps = int16_t(v[3]);
    if (n > 9 && std::isfinite(t)) tolerance = t;
}

std::string CAnalysisOptions::Format() const
{
    char text[160];
    std::snprintf(text, sizeof text, "%d,%d,%d,%d,%d,%d,%d,%d,%d,%8.3E", iterateCases, iterateDispCombs,
                  iterateForceCombs, maxSteps, reuseDataFile, chooseModules, freeModal, showDialog, contiguousNumbers,
                  tolerance);
    return text;
}

int CAnalysisOptions::CheckTolerance()
{
    tolerance = std::fabs(tolerance);
    if (tolerance > 0.001) return 1;
    if (tolerance < 1e-15) return -1;
    return 0;
}

const char* ToleranceWarning(int check)
{
    if (check > 0) return "单向受力拉压杆或弹簧轴力为0的判断误差过大，可能造成迭代结果错误！";
    if (check < 0) return "单向受力拉压杆或弹簧轴力为0的判断误差过小，可能造成迭代不收敛！";
    return nullptr;
}

void ReadAnalysisOptionsProfile()
{
    const CString text = AppProfile().GetString("Settings", "anaOpt", kAnalysisOptionsDefault);
    theAnalysisOptions.Parse(text);
}

void WriteAnalysisOptionsProfile()
{
    AppProfile().WriteString("Settings", "anaOpt", theAnalysisOptions.Format().c_str());
}
