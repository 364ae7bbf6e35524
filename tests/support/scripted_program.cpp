#include "tests/support/scripted_program.h"

#include <gtest/gtest.h>

#include <fstream>

#include "frame/db/component_factory.h"
#include "frame/text/gbk.h"

namespace testing_support {

ScriptedProgram::ScriptedProgram(const frame::Program& program)
    : program_(program, frame::DatabaseComponentFactory(database_)) {}

ScriptedProgram::ScriptedProgram(const frame::Program& program, frame::ComponentFactory components)
    : program_(program, std::move(components)) {}

void ScriptedProgram::WriteIni(const std::string& file_name, const std::string& utf8) {
  std::ofstream(program_.directory() / file_name, std::ios::binary) << frame::Gbk(utf8);
}

void ScriptedProgram::Start() {
  ASSERT_TRUE(program_.Start());
}

void ScriptedProgram::Settle() {
  ASSERT_TRUE(program_.Settle()) << "a worker is still running or waits in an open box";
}

void ScriptedProgram::Type(frame::ControlId box, const std::string& utf8) {
  ASSERT_TRUE(window().TypeText(box, utf8));
}

std::vector<std::string> ScriptedProgram::NewBoxes() {
  std::vector<std::string> texts;
  auto boxes = window().MessageBoxes();
  for (size_t i = boxes_seen_; i < boxes.size(); ++i)
    texts.push_back(boxes[i].text);
  boxes_seen_ = boxes.size();
  return texts;
}

std::vector<std::string> ScriptedProgram::NewStatements() {
  std::vector<std::string> texts;
  auto all = database_->statement_texts();
  for (size_t i = statements_seen_; i < all.size(); ++i)
    texts.push_back(frame::Utf8(all[i]));
  statements_seen_ = all.size();
  return texts;
}

}  // namespace testing_support
