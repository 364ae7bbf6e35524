#include "tests/gmdesk/gmdesk_program.h"

#include <gtest/gtest.h>

#include <fstream>

#include "frame/db/component_factory.h"
#include "frame/gbk.h"

namespace gmdesk_testing {
namespace {

void WriteConfig(const std::filesystem::path& directory, const std::optional<std::string>& ini) {
  if (ini) std::ofstream(directory / "Config.ini", std::ios::binary) << frame::Gbk(*ini);
}

}  // namespace

GmdeskProgram::GmdeskProgram(std::optional<std::string> config_ini)
    : program_(gmdesk::kProgram, frame::DatabaseComponentFactory(database_)) {
  WriteConfig(program_.directory(), config_ini);
}

GmdeskProgram::GmdeskProgram(frame::ComponentFactory components,
                             std::optional<std::string> config_ini)
    : program_(gmdesk::kProgram, std::move(components)) {
  WriteConfig(program_.directory(), config_ini);
}

void GmdeskProgram::Start() {
  ASSERT_TRUE(program_.Start());
}

void GmdeskProgram::Connect() {
  ASSERT_TRUE(window().ChooseMenuItem(gmdesk::kConnectItem));
  Settle();
}

void GmdeskProgram::Settle() {
  ASSERT_TRUE(program_.Settle()) << "a worker is still running or waits in an open box";
}

void GmdeskProgram::Type(frame::ControlId box, const std::string& utf8) {
  ASSERT_TRUE(window().TypeText(box, utf8));
}

std::vector<std::string> GmdeskProgram::NewBoxes() {
  std::vector<std::string> texts;
  auto boxes = window().MessageBoxes();
  for (size_t i = boxes_seen_; i < boxes.size(); ++i)
    texts.push_back(boxes[i].text);
  boxes_seen_ = boxes.size();
  return texts;
}

std::vector<std::string> GmdeskProgram::NewStatements() {
  std::vector<std::string> texts;
  auto all = database_->statement_texts();
  for (size_t i = statements_seen_; i < all.size(); ++i)
    texts.push_back(frame::Utf8(all[i]));
  statements_seen_ = all.size();
  return texts;
}

}  // namespace gmdesk_testing
