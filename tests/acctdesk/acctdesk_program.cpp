#include "tests/acctdesk/acctdesk_program.h"

#include <gtest/gtest.h>

#include <fstream>

#include "frame/db/component_factory.h"
#include "frame/gbk.h"

namespace acctdesk_testing {

AcctdeskProgram::AcctdeskProgram(const std::string& server_ini)
    : program_(acctdesk::kProgram, frame::DatabaseComponentFactory(database_)) {
  if (!server_ini.empty()) {
    std::ofstream(program_.directory() / "Server.ini", std::ios::binary) << frame::Gbk(server_ini);
  }
}

void AcctdeskProgram::Start(bool connect) {
  ASSERT_TRUE(program_.Start());
  if (connect) {
    ASSERT_TRUE(window().Click(acctdesk::kConnectButton));
    ASSERT_TRUE(NewBoxes().empty());
    NewStatements();
  }
}

void AcctdeskProgram::Type(frame::ControlId box, const std::string& utf8) {
  ASSERT_TRUE(window().TypeText(box, utf8));
}

std::vector<std::string> AcctdeskProgram::NewBoxes() {
  std::vector<std::string> texts;
  auto boxes = window().MessageBoxes();
  for (size_t i = boxes_seen_; i < boxes.size(); ++i)
    texts.push_back(boxes[i].text);
  boxes_seen_ = boxes.size();
  return texts;
}

std::vector<std::string> AcctdeskProgram::NewStatements() {
  std::vector<std::string> texts;
  auto all = database_->statement_texts();
  for (size_t i = statements_seen_; i < all.size(); ++i)
    texts.push_back(frame::Utf8(all[i]));
  statements_seen_ = all.size();
  return texts;
}

}  // namespace acctdesk_testing
