// The factory that a program hands the Runtime: one DBConnection or RecordSet
// per component of the window, over the given backend.
#pragma once

#include <memory>

#include "frame/db/sql_backend.h"
#include "frame/runtime/runtime.h"

namespace frame {

ComponentFactory DatabaseComponentFactory(std::shared_ptr<SqlBackend> backend);

}  // namespace frame
