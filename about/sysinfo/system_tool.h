#pragma once

#include <QString>

namespace numoria {

// The real file test and launcher behind the system-information button.

// True for a regular file (or a link to one) at path; false for a directory,
// which a directory listing of files would not return either.
bool toolFileExists(const QString &path);

// Starts the program itself, with no arguments and no shell in between, so
// blanks, quotes or $ in its path are never interpreted; does not wait for it.
// False when it cannot be started.
bool startToolDetached(const QString &program);

}  // namespace numoria
