#include "vek/model/BatchJob.h"

#include "vek/model/AppHelpers.h"

BatchJobHooks theBatchJobHooks;

CWindTunnelSettings BatchWindSettings(double distance)
{
    CWindTunnelSettings s;
    s.candidatePoints = 8;
    s.distanceTest = distance > 0.001 ? 1 : 0;
    s.distance = distance;
    return s;
}

int RunBatch(const CBatchCommand& command)
{
    CString text;
    const CWindTunnelSettings wind = BatchWindSettings(command.distance);
    if (!theBatchJobHooks.applyWindTunnel || theBatchJobHooks.applyWindTunnel(wind, command.windFile) != 1) {
        text.Format("风洞试验数据文件%s未能处理，数据文件没有生成。", command.windFile.GetString());
        AppMessageBox(text, MB_OK | MB_ICONERROR);
        return kBatchWindTunnelFailed;
    }
    if (!theBatchJobHooks.writeDataFile || theBatchJobHooks.writeDataFile(command.dataFile) != 1) {
        text.Format("数据文件%s未能生成。", command.dataFile.GetString());
        AppMessageBox(text, MB_OK | MB_ICONERROR);
        return kBatchDataFileFailed;
    }
    return kBatchDone;
}
