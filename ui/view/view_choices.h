// The choices the result view offers its owner by name: which scroll bars it
// shows and which of its colours a colour command sets.
#pragma once

namespace tobrel {

// The scroll bars the view shows; the settings file stores each choice as
// its number.
enum class ScrollBarChoice { kNone = 0, kHorizontal = 1, kVertical = 2, kBoth = 3 };

// The choice a stored number means; any number but 0 to 3 means kNone.
constexpr ScrollBarChoice ScrollBarChoiceFromCode(int code) {
  return code >= 0 && code <= 3 ? static_cast<ScrollBarChoice>(code) : ScrollBarChoice::kNone;
}

// The three colours of the view, as the colour commands name them.
enum class ViewColorRole { kText, kBackground, kSelection };

}  // namespace tobrel
