// The process's environment, which the drivers that the programs load read.
#pragma once

namespace frame {

// Sets the variable unless it is set already (the operator's own wins).
void SetEnvironmentDefault(const char* name, const char* value);

}  // namespace frame
