#pragma once
// Real shortcut files in the test prefix's special folders, made through the
// shell link object, so the catalogue reads exactly what the shell wrote.

#include <string>
#include <utility>
#include <vector>

namespace tarnivo::test {

struct LinkSpec {
    LinkSpec(int csidl, std::string relativePath, std::string target, std::string arguments = {},
             std::string iconPath = {}, int iconIndex = 0, std::string workDir = {})
        : Csidl(csidl), RelativePath(std::move(relativePath)), Target(std::move(target)),
          Arguments(std::move(arguments)), IconPath(std::move(iconPath)), IconIndex(iconIndex),
          WorkDir(std::move(workDir))
    {
    }
    int Csidl;
    std::string RelativePath;   // below the special folder, ending in the file name
    std::string Target;
    std::string Arguments;
    std::string IconPath;
    int IconIndex;
    std::string WorkDir;
};

std::string SpecialFolder(int csidl);
// Writes the link; returns its full path.
std::string MakeLink(const LinkSpec& spec);
// Deletes every shortcut file (and the folders made for tests) below the
// four folders the catalogue scans, so each test starts from nothing.
void ClearAllShortcuts();
// A scratch folder for target files.
std::string ScratchFolder();
std::string MakeFile(const std::string& name, const std::string& copyOf = {});
std::string ThisProgram();

// A symbolic link to a folder at `link` (a Windows path) whose target is
// `target`, relative to the link's folder with "/" between names ("." is
// the link's own folder). Wine's CreateSymbolicLink makes nothing, so under
// Wine the link is made on the Unix side; false where links cannot be made.
bool MakeFolderLink(const std::string& link, const std::string& target);
// Removes such a link (never what it leads to).
void RemoveFolderLink(const std::string& link);

} // namespace tarnivo::test
