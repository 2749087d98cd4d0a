// kolvo-tally --project: the project mode's command line, its progress and what it says.
#pragma once

#include "Options.h"

namespace kolvo {

int RunProjectCommand(const TOptions& options);

} // namespace kolvo
