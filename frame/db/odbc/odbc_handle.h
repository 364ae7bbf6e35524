// An ODBC handle that goes with its owner: nothing thrown between its
// allocation and its end leaks it.
#pragma once

#include <utility>

#include "frame/db/odbc/odbc_api.h"

namespace frame {

class OdbcHandle {
 public:
  OdbcHandle() = default;
  // Empty when the driver manager refuses.
  static OdbcHandle Allocate(SQLSMALLINT type, SQLHANDLE parent) {
    OdbcHandle owner;
    SQLHANDLE handle = SQL_NULL_HANDLE;
    if (SQL_SUCCEEDED(SQLAllocHandle(type, parent, &handle))) {
      owner.type_ = type;
      owner.handle_ = handle;
    }
    return owner;
  }
  OdbcHandle(OdbcHandle&& other) noexcept
      : type_(other.type_), handle_(std::exchange(other.handle_, nullptr)) {}
  OdbcHandle& operator=(OdbcHandle&& other) noexcept {
    std::swap(type_, other.type_);
    std::swap(handle_, other.handle_);
    return *this;
  }
  ~OdbcHandle() {
    if (handle_ != SQL_NULL_HANDLE) SQLFreeHandle(type_, handle_);
  }

  SQLHANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ != SQL_NULL_HANDLE; }

 private:
  SQLSMALLINT type_ = 0;
  SQLHANDLE handle_ = SQL_NULL_HANDLE;
};

}  // namespace frame
