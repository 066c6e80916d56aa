#pragma once
// The one failure of reading a stored page: a missing required key, a cut
// rule, a count or a snippet reaching past the end. Whoever opens the page
// turns it into "Not able to open"; no other exception leaves the reader.
#include <QString>
#include <stdexcept>

class ReadError : public std::runtime_error {
public:
    explicit ReadError(const QString &what) : std::runtime_error(what.toStdString()) {}
};
