#include "frame/db/result_rows.h"

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
  size_t offset = (columns_.size() + 7) / 8;
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
    // The first block grows as it fills, so that a one-row result stays
    // small; the next ones take their full size at once, their texts about
    // as much as the last block's.
    size_t texts = 0;
    if (!blocks_.empty()) {
      std::string& full = blocks_.back().texts;
      if (full.capacity() - full.size() > full.size() / 8) full.shrink_to_fit();
      texts = full.size() + full.size() / 8;
    }
    Block& block = blocks_.emplace_back();
    if (blocks_.size() > 1) {
      block.records.reserve(kBlockRows * record_width_);
      block.texts.reserve(texts);
    }
  }
  Block& block = blocks_.back();
  block.records.resize(block.records.size() + record_width_);  // every value NULL
  ++block.rows;
  ++row_count_;
  next_column_ = 0;
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
  Block& block = blocks_.back();
  unsigned char* record = block.records.data() + (block.rows - 1) * record_width_;
  record[column / 8] |= static_cast<unsigned char>(1u << (column % 8));
  return record + slots_[column].offset;
}

void ResultRows::AppendNull() {
  assert(next_column_ < columns_.size());
  size_t column = next_column_++;
  if (!HeldAsText(columns_[column].kind)) return;
  // Empty, so that the next text starts where it would have.
  Block& block = blocks_.back();
  unsigned char* record = block.records.data() + (block.rows - 1) * record_width_;
  Store(record + slots_[column].offset, static_cast<uint32_t>(block.texts.size()));
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
  return blocks_.back().texts;
}

bool ResultRows::EndText() {
  Block& block = blocks_.back();
  if (block.texts.size() > std::numeric_limits<uint32_t>::max()) return false;
  auto end = static_cast<uint32_t>(block.texts.size());
  Store(NextSlot(columns_[next_column_].kind), end);
  return true;
}

const unsigned char* ResultRows::Record(size_t row) const {
  return blocks_[row / kBlockRows].records.data() + row % kBlockRows * record_width_;
}

std::string_view ResultRows::StoredText(size_t row, size_t column) const {
  const Block& block = blocks_[row / kBlockRows];
  size_t index = row % kBlockRows;
  const unsigned char* record = block.records.data() + index * record_width_;
  auto end = Load<uint32_t>(record + slots_[column].offset);
  uint32_t start = 0;
  if (size_t previous = slots_[column].previous_text; previous != kNoColumn) {
    start = Load<uint32_t>(record + slots_[previous].offset);
  } else if (index > 0) {
    start = Load<uint32_t>(record - record_width_ + slots_[last_text_].offset);
  }
  return std::string_view(block.texts).substr(start, end - start);
}

void ResultRows::ReadText(size_t row, size_t column, Text& out) const {
  out.clear();
  const unsigned char* record = Record(row);
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
