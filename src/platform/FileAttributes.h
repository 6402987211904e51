#pragma once

#include <sys/stat.h>

#include <string>

namespace tarnwick::platform {

// Gives the file open on `descriptor`, which is to replace `original` (whose stat is `status`),
// what the user set on the original: its owner and group as far as this process may set them
// (a user who is not root may only give a group of their own), its mode (after the owner, whose
// change clears the set-user-id bits) and its extended attributes, access lists among them
// (those the process may not set, or a file system that has none, are left out). False with
// errno set when the system refuses for another reason, such as a full disk.
bool takeOverAttributes(int descriptor, const std::string& original, const struct stat& status);

}  // namespace tarnwick::platform
