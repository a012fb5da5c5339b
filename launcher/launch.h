#pragma once
// Starting a catalogued shortcut through the shell.

#include "catalogue.h"

#include <windows.h>

namespace tarnivo {

// Opens the shortcut file itself (not its target), so that the shell applies
// the shortcut's own settings, with the entry's arguments and working folder.
// `owner` parents any window the shell shows. A failure is not reported.
void LaunchShortcut(HWND owner, const TShortcutCfg& entry);

} // namespace tarnivo
