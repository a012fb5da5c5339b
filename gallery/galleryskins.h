#pragma once
// The skins SkinGallery can switch between: the ones built with the project
// and linked in as resources, then any skin files named on the command line.

#include "skin/resources/skindata.h"

#include "framework/streams.h"

#include <windows.h>

#include <string>
#include <vector>

namespace tarnivo::gallery {

struct TGallerySkin {
    std::string Label;      // shown in the Skin menu
    std::string ShortName;  // lower case, used in screenshot file names
    std::string Resource;   // RCDATA name of a linked-in skin, framed like a stored property
    std::string File;       // or a skin file
    bool Folder = false;    // File names an unpacked skin folder, packed on each read
};

class TGallerySkins {
public:
    // The linked-in skins, in menu order (the default skin first).
    TGallerySkins();

    // Adds a skin file; answers its index. The short name is the file's base
    // name in lower case, with "-file" added when a linked-in skin already
    // has that name.
    int AddFile(const std::string& path);
    // Adds an unpacked skin folder (one .ini and its bitmaps), packed in
    // memory and checked each time it is applied; answers its index.
    int AddFolder(const std::string& path);

    int Count() const { return static_cast<int>(m_skins.size()); }
    const TGallerySkin& At(int index) const { return m_skins.at(static_cast<std::size_t>(index)); }

    // Reads skin `index` and loads it into `data`. On failure `data` keeps
    // its skin and `error` says why: the file is missing or too large, the
    // resource is not linked in, the bytes are not a skin file, or (for a
    // folder) it cannot be packed or has an error, named with its INI line.
    bool Apply(int index, TSkinData& data, std::string& error) const;

private:
    bool ReadBytes(const TGallerySkin& skin, TMemoryStream& bytes, std::string& error) const;
    bool PackFolder(const TGallerySkin& skin, TMemoryStream& bytes, std::string& error) const;

    std::vector<TGallerySkin> m_skins;
};

} // namespace tarnivo::gallery
