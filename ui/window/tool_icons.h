// The images of the tool bar and the menus, painted in code: one icon per
// image index of the window's image list, in one consistent style (16 x 16
// pictures on a transparent ground, dark outlines, one accent colour each).
#pragma once

#include <QIcon>

namespace tobrel {

inline constexpr int kToolImageCount = 22;

// The icon of image index `index` (0 to 21); an empty icon otherwise.
QIcon ToolIcon(int index);

}  // namespace tobrel
