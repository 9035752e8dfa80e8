#include "cli/exit_status.h"

namespace tobrel {

int ExitStatusOf(const Failure& failure) {
  switch (failure.kind()) {
    case FailureKind::FileUnreadable:
    case FailureKind::InvalidLog:
    case FailureKind::BadReadData:
      return kExitReadError;
    case FailureKind::BadPattern:
    case FailureKind::BadIdList:
    case FailureKind::BadNumberText:
    case FailureKind::BadArgument:
      return kExitUsage;
    case FailureKind::TallyRefused:
      return kExitRefused;
    case FailureKind::FileUnwritable:
      return kExitWriteError;
  }
  return kExitReadError;  // not reached: every kind is named above
}

}  // namespace tobrel
