// Files replaced whole or not at all, with the folders and links around them.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace sorvex::regfile {

bool writeAll(int fd, const char* data, std::size_t size);
// Makes the folder and its parents, private to the user; true if it is a folder now.
bool makeFolders(const std::string& path);
std::string folderOf(const std::string& path);

// The file a save replaces: a symbolic link's target, so that a store kept elsewhere stays linked.
std::string saveTarget(const std::string& file);
// What a save that was cut off left beside target: our temporary files for it, and for the copies of it kept
// aside (named target + keptAsideMark + ...). Only for the holder of the lock, under which alone they are made,
// so that any there now are leftovers.
inline constexpr std::string_view keptAsideMark = ".unreadable-";
void removeStaleTemps(const std::string& target);
// Writes a new file beside the target, with the target's permissions, and renames it over; 0 or the errno of
// what failed.
int writeFileAtomically(const std::string& target, const std::function<bool(int)>& fill);
// Copies the file as it is on disk, whatever its size, so that nothing of it is lost.
int copyWhole(const std::string& from, const std::string& to);

}  // namespace sorvex::regfile
