// The flat picture buttons, drawn with GDI: a sheet with rays (load), a
// sheet with a red arrow down into a floppy disk (save), and a four-colour
// window flag (window and location buttons). A disabled button shows the
// picture greyed.
#pragma once

#include <windows.h>

#include "ui/layout.h"

namespace dx::ui {

void DrawPictureButton(const DRAWITEMSTRUCT& item, layout::Picture picture, int dpi);

}  // namespace dx::ui
