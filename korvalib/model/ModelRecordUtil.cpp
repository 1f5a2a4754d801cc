// The count of failed allocations behind the record helpers.
#include "korvalib/model/ModelRecordUtil.h"

namespace korva_detail {

namespace {
thread_local unsigned tAllocFailures = 0;
}

unsigned AllocFailures()
{
    return tAllocFailures;
}
void CountAllocFailure()
{
    ++tAllocFailures;
}

}  // namespace korva_detail
