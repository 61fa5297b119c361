#include "runtime/flag_operations.h"

#include "common/message_catalogue.h"
#include "common/number_field.h"
#include "runtime/story_error.h"

namespace qvn {

namespace {

constexpr BytesView kNot = "NOT";

// Counter letter of a record byte, or nullptr when it names no counter.
char* CounterOf(StoryState& state, char letter) {
  return IsCounterLetter(letter) ? &state.counters[letter - 'A'] : nullptr;
}

const char* CounterOf(const StoryState& state, char letter) {
  return IsCounterLetter(letter) ? &state.counters[letter - 'A'] : nullptr;
}

// The complete three-byte groups after the first byte.
std::size_t GroupCount(BytesView record) {
  return record.empty() ? 0 : (record.size() - 1) / 3;
}

bool CompareCounter(const StoryState& state, BytesView group) {
  const char* counter = CounterOf(state, group[0]);
  if (!counter) return false;
  char operand = group[2];
  switch (group[1]) {
    case ':': {
      const char* other = CounterOf(state, operand);
      return other && *counter == *other;
    }
    case '<':
      return static_cast<unsigned char>(*counter) < static_cast<unsigned char>(operand);
    case '=':
      return *counter == operand;
    default:  // '>'
      return static_cast<unsigned char>(*counter) > static_cast<unsigned char>(operand);
  }
}

void ApplyCounterOperation(BytesView record, StoryState& state) {
  char* counter = CounterOf(state, record[1]);
  if (!counter) return;
  char operand = record[2];
  if (operand == '+') {
    if (*counter < 'Z') ++*counter;
  } else if (operand == '-') {
    if (*counter > 'A') --*counter;
  } else if (operand >= '0' && operand <= '@') {
    *counter = static_cast<char>(operand + 17);
  } else if (const char* source = CounterOf(state, operand)) {
    *counter = *source;
  }
}

void ApplySetList(BytesView record, StoryState& state) {
  std::uint8_t value = 1;
  for (std::size_t i = 0; i < GroupCount(record); ++i) {
    BytesView group = record.substr(1 + 3 * i, 3);
    if (group == kNot) {
      value = 0;
      continue;
    }
    state.flags[ParseFlagNumber(group)] = value;
    value = 1;
  }
}

}  // namespace

int ParseFlagNumber(BytesView field) {
  // Three digits, as the compiler writes every flag number.
  if (field.size() == 3 && field[0] >= '0' && field[0] <= '9' && field[1] >= '0' &&
      field[1] <= '9' && field[2] >= '0' && field[2] <= '9')
    return (field[0] - '0') * 100 + (field[1] - '0') * 10 + (field[2] - '0');
  std::optional<std::int32_t> number = ParseNumberField(field);
  if (!number) {
    throw StoryError({}, FormatMessage(Translate("StoryDamage",
                                                 "物語本体が壊れています: "
                                                 "「%1」はフラグ番号ではありません"),
                                       {field}));
  }
  if (*number < 0 || *number >= kFlagCount) {
    throw StoryError({}, FormatMessage(Translate("StoryDamage",
                                                 "物語本体が壊れています: フラグ %1 はありません"),
                                       {std::to_string(*number)}));
  }
  return *number;
}

bool EvaluateCondition(BytesView record, const StoryState& state) {
  bool result = true;
  std::uint8_t expected = 1;
  for (std::size_t i = 0; i < GroupCount(record); ++i) {
    BytesView group = record.substr(1 + 3 * i, 3);
    switch (group[1]) {
      case ':':
      case '<':
      case '=':
      case '>':
        if (result) result = CompareCounter(state, group);
        break;
      case 'O':
        expected = 0;
        break;
      default: {
        int flag = ParseFlagNumber(group);
        if (result) result = state.flags[flag] == expected;
        expected = 1;
      }
    }
  }
  return result;
}

void ApplyFlagRecord(BytesView record, StoryState& state) {
  switch (record.size()) {
    case 3:
      ApplyCounterOperation(record, state);
      return;
    case 9: {
      char operation = record[1];
      if (operation != '+' && operation != '-') return;
      std::uint8_t source = state.flags[ParseFlagNumber(record.substr(2, 3))];
      int target = ParseFlagNumber(record.substr(6, 3));
      state.flags[target] = operation == '+' ? source : source ^ 1;
      return;
    }
    case 12: {
      bool first = state.flags[ParseFlagNumber(record.substr(1, 3))] != 0;
      bool second = state.flags[ParseFlagNumber(record.substr(5, 3))] != 0;
      int target = ParseFlagNumber(record.substr(9, 3));
      bool set = record[4] == '+' ? (first || second) : (first && second);
      state.flags[target] = set ? 1 : 0;
      return;
    }
    default:
      ApplySetList(record, state);
  }
}

}  // namespace qvn
