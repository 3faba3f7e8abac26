#include "jobs/job_notices.h"

namespace sorvane {

std::string NoDataFileNotice() { return PaddedNotice("NO Data file selected", 10); }

Notice JobEndNotice(int trailingSpaces) { return Information(PaddedNotice("JOB END", trailingSpaces)); }

}  // namespace sorvane
