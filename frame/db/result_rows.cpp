#include "frame/db/result_rows.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <limits>
#include <utility>

namespace frame {
namespace {

bool HeldAsText(FieldKind kind) {
  return kind == FieldKind::kText || kind == FieldKind::kDecimal || kind == FieldKind::kCurrency;
}

size_t SlotWidth(FieldKind kind) {
  switch (kind) {
    case FieldKind::kInteger:  // "%d" of its low 32 bits
    case FieldKind::kReal:
      return 4;
    case FieldKind::kBigInt:
    case FieldKind::kUnsignedBigInt:
    case FieldKind::kDouble:
      return 8;
    case FieldKind::kTinyInt:  // shown as its low byte
    case FieldKind::kBit:
      return 1;
    case FieldKind::kDateTime:
      return sizeof(Timestamp);
    case FieldKind::kGuid:
      return sizeof(Guid);
    case FieldKind::kText:
    case FieldKind::kDecimal:
    case FieldKind::kCurrency:
      return sizeof(uint32_t);
    case FieldKind::kNull:
    case FieldKind::kBinary:
    case FieldKind::kUnknown:
      return 0;
  }
  return 0;
}

template <class Value>
Value Load(const unsigned char* slot) {
  Value value;
  std::memcpy(&value, slot, sizeof value);
  return value;
}

template <class Value>
void Store(unsigned char* slot, const Value& value) {
  std::memcpy(slot, &value, sizeof value);
}

}  // namespace

ResultRows::ResultRows(std::vector<Column> columns) : columns_(std::move(columns)) {
  mask_width_ = (columns_.size() + 7) / 8;
  size_t offset = mask_width_;
  for (size_t column = 0; column < columns_.size(); ++column) {
    FieldKind kind = columns_[column].kind;
    Slot& slot = slots_.emplace_back(Slot{offset, SlotWidth(kind), kNoColumn});
    if (HeldAsText(kind)) {
      slot.previous_text = last_text_;
      last_text_ = column;
    }
    offset += slot.width;
  }
  record_width_ = offset;
}

ResultRows ResultRows::FromTable(const ResultTable& table) {
  std::vector<Column> columns;
  for (const Text& name : table.columns)
    columns.push_back({name, FieldKind::kText});
  ResultRows rows(std::move(columns));
  for (const std::vector<FieldValue>& values : table.rows) {
    rows.AddRow();
    for (size_t column = 0; column < rows.column_count(); ++column) {
      if (column >= values.size() || values[column].kind == FieldKind::kNull) {
        rows.AppendNull();
      } else {
        rows.AppendText() += FieldText(values[column]);
        rows.EndText();
      }
    }
  }
  return rows;
}

void ResultRows::AddRow() {
  FillToEnd();
  if (blocks_.empty() || blocks_.back().rows == kBlockRows) {
    if (!blocks_.empty()) {
      char* texts = arena_.Take(open_texts_.size());
      std::copy(open_texts_.begin(), open_texts_.end(), texts);
      blocks_.back().texts = texts;
      open_texts_.clear();
    }
    auto* records = reinterpret_cast<unsigned char*>(arena_.Take(kBlockRows * record_width_));
    blocks_.push_back({records, nullptr, 0});
  }
  ++blocks_.back().rows;
  ++row_count_;
  next_column_ = 0;
  std::fill_n(CurrentRecord(), mask_width_, 0);  // every value NULL
}

unsigned char* ResultRows::CurrentRecord() {
  const Block& block = blocks_.back();
  return block.records + (block.rows - 1) * record_width_;
}

void ResultRows::FillToEnd() {
  if (blocks_.empty()) return;
  while (next_column_ < columns_.size())
    AppendNull();
}

unsigned char* ResultRows::NextSlot(FieldKind kind) {
  assert(next_column_ < columns_.size() && columns_[next_column_].kind == kind);
  (void)kind;
  size_t column = next_column_++;
  unsigned char* record = CurrentRecord();
  record[column / 8] |= static_cast<unsigned char>(1u << (column % 8));
  return record + slots_[column].offset;
}

void ResultRows::AppendNull() {
  assert(next_column_ < columns_.size());
  size_t column = next_column_++;
  if (!HeldAsText(columns_[column].kind)) return;
  // Empty, so that the next text starts where it would have.
  Store(CurrentRecord() + slots_[column].offset, static_cast<uint32_t>(open_texts_.size()));
}

void ResultRows::AppendInteger(int64_t value) {
  AppendUnsigned(static_cast<uint64_t>(value));
}

void ResultRows::AppendUnsigned(uint64_t value) {
  FieldKind kind = columns_[next_column_].kind;
  unsigned char* slot = NextSlot(kind);
  switch (SlotWidth(kind)) {
    case 1:
      Store(slot, static_cast<uint8_t>(value));
      break;
    case 4:
      Store(slot, static_cast<uint32_t>(value));
      break;
    default:
      Store(slot, value);
      break;
  }
}

void ResultRows::AppendReal(float value) {
  Store(NextSlot(FieldKind::kReal), value);
}

void ResultRows::AppendDouble(double value) {
  Store(NextSlot(FieldKind::kDouble), value);
}

void ResultRows::AppendBit(bool value) {
  Store(NextSlot(FieldKind::kBit), static_cast<uint8_t>(value ? 1 : 0));
}

void ResultRows::AppendDateTime(const Timestamp& value) {
  Store(NextSlot(FieldKind::kDateTime), value);
}

void ResultRows::AppendGuid(const Guid& guid) {
  Store(NextSlot(FieldKind::kGuid), guid);
}

void ResultRows::AppendPresent() {
  NextSlot(columns_[next_column_].kind);
}

std::string& ResultRows::AppendText() {
  return open_texts_;
}

bool ResultRows::EndText() {
  if (open_texts_.size() > std::numeric_limits<uint32_t>::max()) return false;
  Store(NextSlot(columns_[next_column_].kind), static_cast<uint32_t>(open_texts_.size()));
  return true;
}

std::string_view ResultRows::StoredText(size_t row, size_t column) const {
  size_t block_index = row / kBlockRows;
  const Block& block = blocks_[block_index];
  size_t index = row % kBlockRows;
  const unsigned char* record = block.records + index * record_width_;
  auto end = Load<uint32_t>(record + slots_[column].offset);
  uint32_t start = 0;
  if (size_t previous = slots_[column].previous_text; previous != kNoColumn) {
    start = Load<uint32_t>(record + slots_[previous].offset);
  } else if (index > 0) {
    start = Load<uint32_t>(record - record_width_ + slots_[last_text_].offset);
  }
  const char* texts = block_index + 1 < blocks_.size() ? block.texts : open_texts_.data();
  return std::string_view(texts + start, end - start);
}

void ResultRows::ReadText(size_t row, size_t column, Text& out) const {
  out.clear();
  const unsigned char* record =
      blocks_[row / kBlockRows].records + row % kBlockRows * record_width_;
  if ((record[column / 8] >> (column % 8) & 1) == 0) return;
  const unsigned char* slot = record + slots_[column].offset;
  switch (columns_[column].kind) {
    case FieldKind::kInteger:
      AppendIntegerText(int64_t{Load<int32_t>(slot)}, out);
      break;
    case FieldKind::kBigInt:
      AppendIntegerText(Load<int64_t>(slot), out);
      break;
    case FieldKind::kUnsignedBigInt:
      AppendIntegerText(Load<uint64_t>(slot), out);
      break;
    case FieldKind::kTinyInt:
      AppendIntegerText(uint64_t{Load<uint8_t>(slot)}, out);
      break;
    case FieldKind::kReal:
      AppendFloatText(Load<float>(slot), out);
      break;
    case FieldKind::kDouble:
      AppendFloatText(Load<double>(slot), out);
      break;
    case FieldKind::kText:
    case FieldKind::kCurrency:
      out.assign(StoredText(row, column));
      break;
    case FieldKind::kDecimal:
      AppendDecimalText(StoredText(row, column), 8, out);
      break;
    case FieldKind::kDateTime:
      AppendDateTimeText(Load<Timestamp>(slot), out);
      break;
    case FieldKind::kBit:
      out.assign(Load<uint8_t>(slot) != 0 ? "TRUE" : "FALSE");
      break;
    case FieldKind::kGuid:
      AppendGuidText(Load<Guid>(slot), out);
      break;
    case FieldKind::kBinary:
      out.assign("[BLOB]");
      break;
    case FieldKind::kUnknown:
      out.assign("UN_KNOW");
      break;
    case FieldKind::kNull:
      break;
  }
}

}  // namespace frame
