#include "output/process_settings.h"

namespace tobrel {
namespace {

constexpr std::size_t kFieldWidth = 5;
constexpr int kHighestNumber = 65000;
constexpr std::string_view kTilde = "\x81\x60";  // ～

}  // namespace

ProcessSettings DefaultProcessSettings(DateTime today) {
  ProcessSettings settings;
  settings.first_date = settings.last_date = static_cast<double>(static_cast<long long>(today));
  return settings;
}

std::string NormalizeProcessNumber(std::string_view text, ProcessNumberField field) {
  std::string value(text.substr(0, kFieldWidth));
  while (value.size() < kFieldWidth) value.insert(value.begin(), '0');
  // Digits typed at the left move to the right.
  for (std::size_t i = 0; i < kFieldWidth && value.back() == ' '; ++i) {
    value.pop_back();
    value.insert(value.begin(), '0');
  }
  int number = 0;
  bool digits = true;
  for (char& c : value) {
    if (c == ' ') c = '0';
    if (c < '0' || c > '9') digits = false;
    number = number * 10 + (c - '0');
  }
  if (!digits || number == 0 || number > kHighestNumber)
    return field == ProcessNumberField::First ? "00001" : "65000";
  return value;
}

ProcessSettings NormalizedProcessSettings(ProcessSettings settings) {
  settings.align_number = NormalizeProcessNumber(settings.align_number, ProcessNumberField::Align);
  settings.first_number = NormalizeProcessNumber(settings.first_number, ProcessNumberField::First);
  settings.last_number = NormalizeProcessNumber(settings.last_number, ProcessNumberField::Last);
  return settings;
}

std::string ProcessRangeDisplay(const ProcessSettings& settings) {
  const bool by_number = settings.range == ProcessRangeKind::ByNumber;
  std::string text(by_number ? "#" : "");
  text += by_number ? settings.first_number : FormatDateTime("yy/mm/dd", settings.first_date);
  text += ' ';
  text += kTilde;
  text += by_number ? " #" : " ";
  text += by_number ? settings.last_number : FormatDateTime("yy/mm/dd", settings.last_date);
  return text;
}

ProcessControls ProcessControlsFor(const ProcessSettings& settings) {
  const bool by_date = settings.range == ProcessRangeKind::ByDate;
  return {settings.align, !by_date, by_date};
}

}  // namespace tobrel
