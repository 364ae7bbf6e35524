// A program on the headless window over the scripted database (or any other
// components), with an INI file beside it, and what it showed and sent since
// the test last looked.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "frame/headless/scripted_database.h"
#include "tests/support/headless_program.h"

namespace testing_support {

class ScriptedProgram {
 public:
  // Over the scripted database.
  explicit ScriptedProgram(const frame::Program& program);
  // Over the given components (a real database, say).
  ScriptedProgram(const frame::Program& program, frame::ComponentFactory components);

  frame::ScriptedDatabase& database() { return *database_; }
  frame::HeadlessWindowSystem& window() { return program_.window(); }
  HeadlessProgram& program() { return program_; }

  // Writes the file into the program's directory, GBK on disk as on Windows.
  void WriteIni(const std::string& file_name, const std::string& utf8);

  void Start();
  // Lets every worker finish; fails the test when one is stuck.
  void Settle();
  void Type(frame::ControlId box, const std::string& utf8);
  // Texts of the message boxes shown since the last call.
  std::vector<std::string> NewBoxes();
  // Statement texts sent since the last call (UTF-8), scripted database only.
  std::vector<std::string> NewStatements();

 private:
  std::shared_ptr<frame::ScriptedDatabase> database_ = std::make_shared<frame::ScriptedDatabase>();
  HeadlessProgram program_;
  size_t boxes_seen_ = 0;
  size_t statements_seen_ = 0;
};

}  // namespace testing_support
