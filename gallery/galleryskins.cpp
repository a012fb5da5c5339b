#include "galleryskins.h"

#include "skinarchive.h"
#include "skincheck.h"

#include "framework/application.h"
#include "framework/object.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include "framework/unicodetext.h"

namespace tarnivo::gallery {

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string BaseName(const std::string& path)
{
    const std::size_t slash = path.find_last_of("\\/:");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0)
        name.resize(dot);
    return name;
}

} // namespace

TGallerySkins::TGallerySkins()
{
    m_skins.push_back({"Slate (default)", "slate", "GALLERY_SKIN_SLATE", ""});
    m_skins.push_back({"Paper", "paper", "GALLERY_SKIN_PAPER", ""});
}

int TGallerySkins::AddFile(const std::string& path)
{
    std::string shortName = Lower(BaseName(path));
    if (shortName.empty())
        shortName = "file";
    const bool taken = std::any_of(m_skins.begin(), m_skins.end(),
                                   [&](const TGallerySkin& s) { return s.ShortName == shortName; });
    if (taken)
        shortName += "-file";
    m_skins.push_back({BaseName(path) + " (file)", shortName, "", path});
    return Count() - 1;
}

int TGallerySkins::AddFolder(const std::string& path)
{
    std::string folder = path;
    while (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/'))
        folder.pop_back();
    const int index = AddFile(folder);
    TGallerySkin& skin = m_skins.back();
    skin.Label = BaseName(folder) + " (folder)";
    skin.Folder = true;
    return index;
}

// Packed as `skintool pack` packs it (but past an editor's swap and backup
// files, and with the quick match search: the tree search took half the
// preview's load time, for a block that only this program reads), then
// checked as `skintool check` does: an edit that loses a bitmap or breaks a
// frame count is refused with the finding, instead of showing a half-empty
// skin.
bool TGallerySkins::PackFolder(const TGallerySkin& skin, TMemoryStream& bytes,
                               std::string& error) const
{
    try {
        skintool::PackSkinFolder(skin.File, bytes, skintool::ForeignFiles::Skip, LzhSearch::Quick);
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
    for (const skintool::Finding& finding : skintool::CheckSkinStream(bytes)) {
        if (finding.severity == skintool::Severity::Error) {
            error = finding.text;
            return false;
        }
    }
    bytes.SetPosition(0);
    return true;
}

bool TGallerySkins::ReadBytes(const TGallerySkin& skin, TMemoryStream& bytes,
                              std::string& error) const
{
    if (skin.Folder)
        return PackFolder(skin, bytes, error);
    if (!skin.Resource.empty()) {
        HINSTANCE module = Application->Instance();
        HRSRC found = FindResourceA(module, skin.Resource.c_str(), MAKEINTRESOURCEA(10));
        HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
        const auto* data = static_cast<const std::uint8_t*>(loaded ? LockResource(loaded) : nullptr);
        const DWORD size = found ? SizeofResource(module, found) : 0;
        if (!data || size < 4) {
            error = "the skin resource " + skin.Resource + " is not linked in";
            return false;
        }
        // Framed as a stored property: a 4-byte byte count, then the skin file.
        std::int32_t count = 0;
        std::memcpy(&count, data, 4);
        if (count <= 0 || static_cast<DWORD>(count) > size - 4) {
            error = "the skin resource " + skin.Resource + " is damaged";
            return false;
        }
        bytes.WriteBuffer(data + 4, count);
        bytes.SetPosition(0);
        return true;
    }
    WIN32_FILE_ATTRIBUTE_DATA info{};
    if (!GetFileAttributesExW(ToWide(skin.File).c_str(), GetFileExInfoStandard, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        error = "cannot open the skin file " + skin.File;
        return false;
    }
    if (info.nFileSizeHigh != 0 || info.nFileSizeLow > TSkinData::MaxSkinStreamBytes) {
        error = "the skin file " + skin.File + " is too large";
        return false;
    }
    try {
        TFileStream file(skin.File, TFileMode::fmOpenRead);
        bytes.CopyFrom(file, 0);
        bytes.SetPosition(0);
    } catch (const Exception&) {
        error = "cannot read the skin file " + skin.File;
        return false;
    }
    return true;
}

bool TGallerySkins::Apply(int index, TSkinData& data, std::string& error) const
{
    if (index < 0 || index >= Count()) {
        error = "no such skin";
        return false;
    }
    const TGallerySkin& skin = At(index);
    TMemoryStream bytes;
    if (!ReadBytes(skin, bytes, error))
        return false;
    // A skin that does not load leaves the one shown, and says why.
    if (!data.LoadFromStream(bytes)) {
        error = skin.Label + " did not load: " + data.LoadError();
        return false;
    }
    return true;
}

} // namespace tarnivo::gallery
