// What an operation on the database gave: its value, or why it failed.
#pragma once

#include <concepts>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

namespace frame {

struct DbError {
  // The SQLSTATE: the driver's first record's, or the one of that meaning
  // for what the driver never saw.
  std::string state;
  // For people (UTF-8): the first record's message, then each further
  // record as "STATE message", joined by "; ".
  std::string message;

  // "STATE message", the way a driver's records read.
  std::string Describe() const { return state.empty() ? message : state + " " + message; }

  friend bool operator==(const DbError&, const DbError&) = default;
};

// The value of an operation that gives nothing but its success.
struct Done {};

// What converts to the value rather than to the error.
template <class Argument, class Value>
concept ValueArgument =
    std::convertible_to<Argument&&, Value> && !std::same_as<std::remove_cvref_t<Argument>, DbError>;

template <class Value = Done>
class [[nodiscard]] DbResult {
 public:
  template <ValueArgument<Value> Argument>
  DbResult(Argument&& value) : outcome_(std::in_place_index<0>, std::forward<Argument>(value)) {}
  DbResult(DbError error) : outcome_(std::in_place_index<1>, std::move(error)) {}

  bool ok() const { return outcome_.index() == 0; }
  explicit operator bool() const { return ok(); }

  // Only when ok().
  Value& value() & { return std::get<0>(outcome_); }
  const Value& value() const& { return std::get<0>(outcome_); }
  Value&& value() && { return std::get<0>(std::move(outcome_)); }
  Value* operator->() { return &value(); }
  const Value* operator->() const { return &value(); }

  // Only when not ok().
  const DbError& error() const { return std::get<1>(outcome_); }

 private:
  std::variant<Value, DbError> outcome_;
};

}  // namespace frame
