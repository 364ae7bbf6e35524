#include "frame/db/component_factory.h"

#include "frame/db/db_connection.h"
#include "frame/db/record_set.h"

namespace frame {

ComponentFactory DatabaseComponentFactory(std::shared_ptr<SqlBackend> backend) {
  return [backend](const ControlDefinition& definition) -> std::unique_ptr<WindowComponent> {
    switch (definition.kind) {
      case ControlKind::kDBConnection:
        return std::make_unique<DBConnection>(backend, definition.id);
      case ControlKind::kRecordSet:
        return std::make_unique<RecordSet>();
      default:
        return nullptr;
    }
  };
}

}  // namespace frame
