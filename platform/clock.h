// Where "now" comes from: the system clock in the program, a fixed instant in
// tests and for reproducible command-line runs (--today).
#pragma once

#include "platform/date_time.h"

namespace tobrel {

class Clock {
 public:
  virtual ~Clock() = default;
  // The local date and time.
  virtual DateTime Now() const = 0;
  int CurrentYear() const { return DecodeDateTime(Now()).year; }
};

class SystemClock final : public Clock {
 public:
  DateTime Now() const override;
};

class FixedClock final : public Clock {
 public:
  explicit FixedClock(DateTime now) : now_(now) {}
  DateTime Now() const override { return now_; }

 private:
  DateTime now_;
};

}  // namespace tobrel
