// A worker's read loop and a UI-thread read of the same record set keep
// their own rows and positions.
#include <gtest/gtest.h>

#include <atomic>

#include "frame/db/component_factory.h"
#include "frame/db/db_services.h"
#include "frame/db/record_set.h"
#include "frame/headless/scripted_database.h"
#include "frame/services/program_services.h"
#include "tests/support/db_test_window.h"
#include "tests/support/headless_program.h"

namespace {

using db_test::kConnection;
using db_test::kRecords;
using db_test::kWindowId;

frame::ResultTable Numbers(std::initializer_list<const char*> values) {
  frame::ResultTable table{.columns = {"N"}};
  for (const char* value : values)
    table.rows.push_back({{frame::FieldKind::kText, value}});
  return table;
}

std::atomic<bool> worker_saw_its_rows{false};

TEST(RecordSetThreads, EachThreadReadsItsOwnRows) {
  auto database = std::make_shared<frame::ScriptedDatabase>();
  database->ReturnRows("SELECT ui", Numbers({"u1", "u2", "u3"}));
  database->ReturnRows("SELECT worker", Numbers({"w1", "w2"}));
  testing_support::HeadlessProgram program(db_test::kProgram,
                                           frame::DatabaseComponentFactory(database));
  ASSERT_TRUE(program.Start());
  ASSERT_TRUE(frame::ConnectSqlServer(kWindowId, kConnection, "s", "d", "u", "p"));

  ASSERT_TRUE(frame::AttachRecordSet(kWindowId, kRecords, kConnection));
  ASSERT_TRUE(frame::OpenRecordSet(kWindowId, kRecords, "SELECT ui"));
  ASSERT_TRUE(frame::MoveNextRecord(kWindowId, kRecords));

  frame::StartThread([] {
    frame::Text first, second;
    bool not_open = frame::AtEndOfRecords(kWindowId, kRecords);  // nothing opened here yet
    frame::AttachRecordSet(kWindowId, kRecords, kConnection);
    frame::OpenRecordSet(kWindowId, kRecords, "SELECT worker");
    frame::ReadFieldText(kWindowId, kRecords, "N", first);
    frame::MoveNextRecord(kWindowId, kRecords);
    frame::ReadFieldText(kWindowId, kRecords, "N", second);
    worker_saw_its_rows = not_open && first == "w1" && second == "w2";
  });
  ASSERT_TRUE(program.Settle());

  EXPECT_TRUE(worker_saw_its_rows);
  frame::Text text;
  EXPECT_TRUE(frame::ReadFieldText(kWindowId, kRecords, "N", text));
  EXPECT_EQ(text, "u2") << "the worker moved nothing of this thread's";

  // The worker left its rows open; they went with it.
  auto* records =
      dynamic_cast<frame::RecordSet*>(program.runtime().FindComponent(kWindowId, kRecords));
  ASSERT_NE(records, nullptr);
  EXPECT_EQ(records->cursor_count(), 1u);
}

}  // namespace
