// How the library takes paths apart: drive parts, folder parts, file names, relative paths
// and the order in which missing folders are created. Pure text rules; the platform's
// lower-casing and folder test are passed in.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "frame/text.h"

namespace tessalin {

using LowerCaseFn = std::function<Text(TextView)>;
using FolderExistsFn = std::function<bool(TextView)>;

// A drive letter and its colon, or "\\server\share" without the backslash after it; else
// empty.
TextView DrivePart(TextView path);

// The path up to and including its last "\" or ":"; empty when it has neither.
TextView FolderPart(TextView path);

// What follows the last "\" or ":"; the whole path when it has neither.
TextView FileName(TextView path);

// The path leading from the folder of `base` (taken as a file's path: a folder must end in
// a backslash) to `target`. Names compare equal when their lower-cased forms do. On another
// drive the result is `target` itself.
Text RelativePath(TextView base, TextView target, const LowerCaseFn& lower);

// The extended-length ("\\?\") form of a full path, which the platform opens as it stands,
// however long: a drive path gets the prefix, "\\server\share\..." becomes
// "\\?\UNC\server\share\...", a device path "\\.\..." takes "?" in place of its dot, and a
// path already in that form is kept.
Text ExtendedLengthPath(TextView fullPath);

// The folders to create, outermost first, so that `path` exists afterwards; empty when
// nothing needs creating. Each is a leading part of `path`, viewed in place. No value when
// the chain of parents ends in the empty path (a relative name that names no existing
// folder): then nothing may be created.
std::optional<std::vector<TextView>> ForceFolderPlan(TextView path, const FolderExistsFn& exists);

}  // namespace tessalin
