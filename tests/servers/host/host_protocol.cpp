#include "tests/servers/host/host_protocol.h"

#include <charconv>
#include <sstream>

namespace db_test::host {
namespace {

std::optional<std::string> ReadLine(SocketHandle socket) {
  std::string line;
  for (char c = 0; line.size() < 256;) {
    if (!ReceiveAll(socket, &c, 1)) return std::nullopt;
    if (c == '\n') return line;
    line += c;
  }
  return std::nullopt;
}

std::optional<int> Number(std::string_view text) {
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

bool WriteMessage(SocketHandle socket, const Message& message) {
  std::string head = message.head;
  if (!message.word.empty()) head += " " + message.word;
  head += " " + std::to_string(message.bytes.size()) + "\n";
  return SendAll(socket, head) && SendAll(socket, message.bytes);
}

std::optional<Message> ReadMessage(SocketHandle socket, bool is_answer) {
  std::optional<std::string> line = ReadLine(socket);
  if (!line) return std::nullopt;
  std::istringstream parts(*line);
  Message message;
  std::string length;
  parts >> message.head;
  if (!is_answer) parts >> message.word;
  parts >> length;
  std::optional<int> size = Number(length);
  if (!size || *size < 0) return std::nullopt;
  message.bytes.resize(static_cast<size_t>(*size));
  if (!ReceiveAll(socket, message.bytes.data(), message.bytes.size())) return std::nullopt;
  return message;
}

std::string FormatHostFile(const HostFile& file) {
  return "control_port=" + std::to_string(file.control_port) + "\npid=" + std::to_string(file.pid) +
         "\npsqlodbc_odbcsysini=" + file.psqlodbc_odbcsysini +
         "\nfreetds_odbcsysini=" + file.freetds_odbcsysini + "\n";
}

std::optional<HostFile> ParseHostFile(std::string_view text) {
  HostFile file;
  std::istringstream lines{std::string(text)};
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    std::string_view name = std::string_view(line).substr(0, equals);
    std::string value = line.substr(equals + 1);
    if (name == "control_port") file.control_port = Number(value).value_or(0);
    if (name == "pid") file.pid = Number(value).value_or(0);
    if (name == "psqlodbc_odbcsysini") file.psqlodbc_odbcsysini = value;
    if (name == "freetds_odbcsysini") file.freetds_odbcsysini = value;
  }
  if (file.control_port == 0) return std::nullopt;
  return file;
}

std::string Hex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char c : bytes) {
    hex += kDigits[c >> 4];
    hex += kDigits[c & 15];
  }
  return hex;
}

std::string Unhex(std::string_view hex) {
  auto digit = [](char c) { return c <= '9' ? c - '0' : c - 'a' + 10; };
  std::string bytes;
  for (size_t at = 0; at + 1 < hex.size(); at += 2)
    bytes += static_cast<char>(digit(hex[at]) * 16 + digit(hex[at + 1]));
  return bytes;
}

}  // namespace db_test::host
