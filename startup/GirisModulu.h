// Start-up and the erase-alarm procedure.
#pragma once

#include "startup/Program.h"

class AnaForm;

namespace GirişModülü {

// Common controls, program folder, single-instance rule, application name.
// Returns false when another instance runs: it has been raised and this
// process must end without showing anything.
bool Main(Program& program);

// Clears the alarm everywhere: the clock's look, an open settings dialog,
// the store. Asks nothing.
void AlarmıSil(Program& program, AnaForm& anaForm);

// Product name from the version information, "Zilvane" when it has none.
std::string ÜrünAdı(Program& program);

}  // namespace GirişModülü
