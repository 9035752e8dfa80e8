#include "settings/startup.h"

#include "platform/failure.h"
#include "settings/nifterm_ini.h"
#include "settings/settings_file.h"

namespace tobrel {

StartupState LoadAtStartup(const StartupInputs& inputs) {
  StartupState state;
  TobrelSettings& s = state.settings;
  try {
    s = LoadSettingsFile(inputs.settings_path, inputs.today);
  } catch (const Failure& error) {
    s = ReadSettings(PrivateProfile(), inputs.today);
    state.settings_unread = error;
  }
  state.window = PlaceWindow(s, inputs.screen_width, inputs.screen_height, inputs.window_width);
  AddStoredLogFiles(s, state.candidates);
  s.scroll = NormalizedScroll(s.scroll);
  s.ext_folder = ExternalEditorFolder(s, inputs.home_folder);
  const TargetDates dates = StartupTargetDates(s, inputs.today);
  s.from_date = dates.from;
  s.to_date = dates.to;

  const CommandLineEffects effects =
      HandleCommandLine(inputs.arguments, inputs.program_path, s.personal, state.candidates);
  state.data_files = effects.data_files;
  if (effects.personal) s.personal = *effects.personal;
  s.folder_name = InitialFolderName(s.folder_name);
  return state;
}

}  // namespace tobrel
