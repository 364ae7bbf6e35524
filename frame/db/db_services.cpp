#include "frame/db/db_services.h"

#include <map>
#include <type_traits>
#include <typeinfo>
#include <utility>

#include "frame/db/db_connection.h"
#include "frame/db/record_set.h"
#include "frame/runtime/runtime.h"

namespace frame {
namespace {

// The components are final classes, so comparing types is enough; it is
// cheaper than a dynamic_cast, and a read loop finds its record set for
// every field.
template <class Component>
Component* Find(WindowId window, ControlId control) {
  static_assert(std::is_final_v<Component>);
  WindowComponent* component = Runtime::Current().FindComponent(window, control);
  if (component == nullptr || typeid(*component) != typeid(Component)) return nullptr;
  return static_cast<Component*>(component);
}

// Per thread, so that two workers on one connection never see each other's.
using ConnectionKey = std::pair<WindowId, ControlId>;
thread_local std::map<ConnectionKey, std::optional<int64_t>> changed_rows_by_connection;

}  // namespace

bool ConnectSqlServer(WindowId window, ControlId connection, TextArg server, TextArg database,
                      TextArg user, TextArg password) {
  auto* component = Find<DBConnection>(window, connection);
  return component != nullptr && component->Connect(server, database, user, password).ok();
}

bool ExecuteSql(WindowId window, ControlId connection, TextArg statement,
                std::optional<int> timeout_seconds) {
  std::optional<int64_t>& changed_rows = changed_rows_by_connection[{window, connection}];
  changed_rows.reset();
  auto* component = Find<DBConnection>(window, connection);
  if (component == nullptr) return false;
  DbResult<StatementOutput> result = component->Execute(statement, timeout_seconds);
  if (!result) return false;
  changed_rows = result->changed_rows;
  return true;
}

std::optional<int64_t> LastChangedRowCount(WindowId window, ControlId connection) {
  auto it = changed_rows_by_connection.find({window, connection});
  return it == changed_rows_by_connection.end() ? std::nullopt : it->second;
}

std::optional<bool> QueryFindsRow(WindowId window, ControlId connection, TextArg query) {
  auto* component = Find<DBConnection>(window, connection);
  if (component == nullptr) return std::nullopt;
  DbResult<ResultRows> rows = component->Query(query);
  if (!rows) return std::nullopt;
  return rows->row_count() > 0;
}

bool AttachRecordSet(WindowId window, ControlId records, ControlId connection) {
  auto* record_set = Find<RecordSet>(window, records);
  auto* component = Find<DBConnection>(window, connection);
  if (record_set == nullptr || component == nullptr) return false;
  record_set->Attach(component);
  return true;
}

bool OpenRecordSet(WindowId window, ControlId records, TextArg text, int open_type,
                   std::optional<int> cursor_location) {
  auto* record_set = Find<RecordSet>(window, records);
  return record_set != nullptr && record_set->Open(text, open_type, cursor_location);
}

bool MoveFirstRecord(WindowId window, ControlId records) {
  auto* record_set = Find<RecordSet>(window, records);
  return record_set != nullptr && record_set->MoveFirst();
}

bool MoveNextRecord(WindowId window, ControlId records) {
  auto* record_set = Find<RecordSet>(window, records);
  return record_set != nullptr && record_set->MoveNext();
}

bool AtEndOfRecords(WindowId window, ControlId records) {
  auto* record_set = Find<RecordSet>(window, records);
  return record_set == nullptr || record_set->AtEnd();
}

bool ReadFieldText(WindowId window, ControlId records, TextArg field_name, Text& out) {
  out.clear();
  auto* record_set = Find<RecordSet>(window, records);
  return record_set != nullptr && record_set->ReadField(field_name, out);
}

bool ReadFieldText(WindowId window, ControlId records, int field_index, Text& out) {
  out.clear();
  auto* record_set = Find<RecordSet>(window, records);
  return record_set != nullptr && record_set->ReadField(field_index, out);
}

void CloseRecordSet(WindowId window, ControlId records) {
  if (auto* record_set = Find<RecordSet>(window, records)) record_set->Close();
}

}  // namespace frame
