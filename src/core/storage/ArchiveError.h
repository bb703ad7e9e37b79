#pragma once

#include <stdexcept>

// Every failure of the archive layer: a file that cannot be opened or created, a short read, a
// failed write, a record that is not where the caller expects it. Screens catch it in their one
// catch-all and show their fixed message, so the text is only for logs and tests.
class ArchiveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
