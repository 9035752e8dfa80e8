// The settings of the log processing dialog as a plain struct, with the
// dialog's rules: defaults, the normalising of its three number fields, the
// range display and which controls are enabled. The dialog only shows and
// edits this struct; the run reads it.
#pragma once

#include <string>
#include <string_view>

#include "platform/date_time.h"

namespace tobrel {

enum class ProcessRangeKind { ByNumber, ByDate };  // "番号", "日付"

struct ProcessSettings {
  std::string input;   // native path of the log to process
  std::string output;  // native path of the processed file
  bool align = false;                  // "最終発言番号を揃える(&N)"
  std::string align_number = "65000";  // five digits
  ProcessRangeKind range = ProcessRangeKind::ByNumber;
  std::string first_number = "00001";  // five digits
  std::string last_number = "65000";   // five digits
  DateTime first_date = 0;             // the last day is included
  DateTime last_date = 0;
  bool strip_delimiters = false;   // "ﾃﾞﾘﾐﾀ(&D)"
  bool strip_eof = false;          // "&EOF"
  bool strip_tabs = false;         // "&TAB"
  bool strip_trailing = false;     // "行末のｽﾍﾟｰｽ(&S)"
  bool recount = false;            // "ｺﾒﾝﾄ数の再計算(&R)"
  bool drop_deleted = false;       // "削除発言は出力しない(&X)"
  bool drop_room_headers = false;  // "会議室ﾍｯﾀﾞを(&H)": "全て削除"
};

// The settings of a newly created dialog: both dates are `today` (its day).
ProcessSettings DefaultProcessSettings(DateTime today);

// The three number fields and what each is reset to.
enum class ProcessNumberField { Align, First, Last };

// The text a number field holds once left: padded to five characters with
// "0" in front, digits typed at the left moved to the right, blanks made
// "0"; a value of 0, above 65000 or not a number resets the field ("65000",
// "00001", "65000").
std::string NormalizeProcessNumber(std::string_view text, ProcessNumberField field);

// The settings with all three number fields normalised.
ProcessSettings NormalizedProcessSettings(ProcessSettings settings);

// "#00001 ～ #65000", or the two dates as "yy/mm/dd ～ yy/mm/dd"; CP932.
std::string ProcessRangeDisplay(const ProcessSettings& settings);

// Which controls the settings enable.
struct ProcessControls {
  bool align_number = false;  // MaskEdit1
  bool number_fields = true;  // MaskEdit2, MaskEdit3
  bool date_pickers = false;  // DateTimePicker1, DateTimePicker2
};
ProcessControls ProcessControlsFor(const ProcessSettings& settings);

}  // namespace tobrel
