// The rows of a result as a record set keeps them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "frame/db/block_arena.h"
#include "frame/db/field_value.h"
#include "frame/db/text_forms.h"
#include "frame/text/gbk.h"

namespace frame {

// A result written out value by value, as suites script it.
struct ResultTable {
  std::vector<Text> columns;
  std::vector<std::vector<FieldValue>> rows;  // each as wide as `columns`

  friend bool operator==(const ResultTable&, const ResultTable&) = default;
};

// A whole result, held compactly: a result of a million rows sits beside the
// driver's own copy of it, and every byte held is a byte of memory touched.
// Each value is kept in the smallest form its text is made from cheaply:
// numbers, date-times and GUIDs in binary; texts as they are, and decimals
// and money in their shortest exact form ("1500", "-0.5"), in one buffer per
// block of rows. A value's text is made when it is read. Rows go in blocks of
// a fixed count whose memory comes from an arena, so a growing result never
// reallocates what it already holds.
//
// Rows are added one at a time, each value in column order:
//
//   ResultRows rows({{"ID", FieldKind::kText}, {"Cash", FieldKind::kInteger}});
//   rows.AddRow();
//   rows.AppendText() += "alpha";
//   rows.EndText();
//   rows.AppendInteger(1500);
class ResultRows {
 public:
  struct Column {
    Text name;
    FieldKind kind = FieldKind::kText;
  };

  ResultRows() = default;
  explicit ResultRows(std::vector<Column> columns);
  // Each value's text is made at once and kept as text.
  static ResultRows FromTable(const ResultTable& table);

  size_t column_count() const { return columns_.size(); }
  const Text& column_name(size_t column) const { return columns_[column].name; }
  size_t row_count() const { return row_count_; }

  // The text of a value (empty for NULL); it replaces what `out` held.
  void ReadText(size_t row, size_t column, Text& out) const;

  // Starts a row; its values follow in column order. A value left out is
  // NULL.
  void AddRow();
  void AppendNull();
  // The integer kinds; each keeps the bits its text shows.
  void AppendInteger(int64_t value);
  void AppendUnsigned(uint64_t value);
  void AppendReal(float value);
  void AppendDouble(double value);
  void AppendBit(bool value);
  void AppendDateTime(const Timestamp& value);
  void AppendGuid(const Guid& guid);
  // A binary or unknown value that is not NULL.
  void AppendPresent();
  // A text, or a decimal or money value in its shortest exact form: append
  // it to what this returns, then call EndText. False when a block's texts
  // would pass 4 GiB.
  std::string& AppendText();
  bool EndText();

 private:
  static constexpr size_t kBlockRows = 1024;
  static constexpr size_t kNoColumn = SIZE_MAX;

  // Where a column's values sit in a row's record.
  struct Slot {
    size_t offset = 0;
    size_t width = 0;  // texts: the end of the value in the block's texts
    // The text column before this one, whose end is where this one starts.
    size_t previous_text = kNoColumn;
  };
  // A row is a record: a bit per column that is set for a value that is not
  // NULL, then each column's slot. Texts follow each other in row and column
  // order: the last block's in `open_texts_` while it fills, each full
  // block's in the arena, taken at its exact size.
  struct Block {
    unsigned char* records = nullptr;
    const char* texts = nullptr;
    size_t rows = 0;
  };

  unsigned char* CurrentRecord();
  unsigned char* NextSlot(FieldKind kind);
  std::string_view StoredText(size_t row, size_t column) const;
  void FillToEnd();

  std::vector<Column> columns_;
  std::vector<Slot> slots_;
  size_t mask_width_ = 0;
  size_t record_width_ = 0;
  size_t last_text_ = kNoColumn;
  BlockArena arena_;
  std::vector<Block> blocks_;
  std::string open_texts_;
  size_t row_count_ = 0;
  size_t next_column_ = 0;  // of the row being added
};

}  // namespace frame
