#pragma once
// Icon `index` of a Windows program or DLL, read straight from its resource
// section: one file open, a few reads, one icon made from the chosen image.
//
// ExtractIcon does the same work through a file mapping and more calls to
// the Wine server; on a start menu of a thousand programs that is most of
// the scan. This reader handles the common case only: a well-formed PE file.
// For anything else (an icon file, a 16-bit program, a file it does not
// understand, a group it cannot find) it answers "not read" and the caller
// asks ExtractIcon, so the result is the system's in every case.

#include "framework/gdiobjects.h"

#include <string>

namespace tarnivo {

// Index 0 and up counts the file's icon groups in resource-directory order;
// a negative index names the group whose resource identifier is -index (as
// ExtractIcon has it). The icon is made `size` pixels square from the
// group's image that fits that size best (0: the system's large icon size).
// An empty handle means "not read", never "the file has no icon".
IconHandle ReadProgramIcon(const std::wstring& file, int index, int size = 0);

} // namespace tarnivo
