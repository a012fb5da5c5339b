#pragma once
// Pictures of the gallery's windows as the screen shows them, for skin
// authors and for the end-to-end tests.

#include "framework/bitmap.h"

#include <windows.h>

#include <string>

namespace tarnivo::gallery {

// Dispatches this thread's messages for `milliseconds`, timers included, so
// that deferred skinning and painting happen before a picture is taken.
void PumpMessages(DWORD milliseconds);

// Makes the window the foreground window and waits (at most a second) until
// the system agrees, so that activations never pile up. Answers whether it
// became the foreground window.
bool ActivateAndSettle(HWND window);

// Brings the window to the top and copies what the screen shows inside its
// window rectangle into `picture` (24 bits per pixel). False when the window
// has no area on the screen.
bool CaptureWindow(HWND window, TBitmap& picture);

// Writes a BMP file; false with the reason when it cannot be written.
bool SaveBitmapFile(const TBitmap& picture, const std::string& path, std::string& error);

// DIR + "\" + name, without doubling a separator DIR ends with.
std::string JoinPath(const std::string& dir, const std::string& name);

} // namespace tarnivo::gallery
