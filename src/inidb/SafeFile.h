#pragma once

#include "IoStatus.h"

#include <functional>
#include <string>
#include <string_view>

class FileSystem;

// Replaces path's content by bytes, complete or not at all: a temporary file beside the
// target is written, flushed and renamed over it. The old file's permissions, and its
// owner and group as far as the user may set them, are kept (a new file gets 0666 less
// the umask); a file the user may not write is refused as read-only. A target that is a
// symbolic link stays one and its destination gets the new content. On any failure the
// temporary file is removed and the target is byte for byte as before; after a success,
// temporary files an earlier killed write of the target left are removed.
IoStatus WriteFileAtomically(FileSystem &fs, const std::string &path, std::string_view bytes);

// Takes one piece of a file's content; returns the failure that stops the writing.
using PieceWriter = std::function<IoStatus(std::string_view piece)>;
// Hands a file's content to write piece by piece, in order, and returns the first
// failure write reported.
using ContentProducer = std::function<IoStatus(const PieceWriter &write)>;

// The same, for content too large to want it in memory at once.
IoStatus WriteFileAtomically(FileSystem &fs, const std::string &path, const ContentProducer &produce);

// Copies from over to (replacing it) the same safe way.
IoStatus CopyFileOver(FileSystem &fs, const std::string &from, const std::string &to);
