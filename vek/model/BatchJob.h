#pragma once
// The unattended batch job: time-varying wind-tunnel pressures applied to the
// shells, then the solver's data file written, without any dialog.
#include <cstdint>

#include "vek/model/CommandLine.h"

// What the batch asks of the wind-tunnel pressure processing: the settings
// that differ from its defaults.
struct CWindTunnelSettings {
    uint8_t candidatePoints = 8;  // interpolation points looked for per shell node
    uint8_t distanceTest = 0;     // points farther than the distance do not count
    double distance = 0.0;
};

// The work the batch runs; the shells' family and the data-file writer bind
// their own. Each returns 1 on success.
struct BatchJobHooks {
    int (*applyWindTunnel)(const CWindTunnelSettings& settings, const char* recordFile) = nullptr;
    // The data file with the batch's switches (0, 1, 0, 1, 0, 1, 1).
    int (*writeDataFile)(const char* path) = nullptr;
};
extern BatchJobHooks theBatchJobHooks;

// Exit codes of a batch run.
enum BatchExitCode {
    kBatchDone = 0,
    kBatchProjectNotOpened = 2,
    kBatchWindTunnelFailed = 3,
    kBatchDataFileFailed = 4,
};

// The settings the batch gives the wind-tunnel processing for a distance.
CWindTunnelSettings BatchWindSettings(double distance);
// Runs the job on the open project; reports failures through the message
// box helper. Returns its exit code.
int RunBatch(const CBatchCommand& command);
