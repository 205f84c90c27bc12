#pragma once

#include <QString>

#include <cstddef>
#include <optional>

// Standard input one line at a time, each handed over as soon as its line
// break arrives: a script that writes a number and waits gets its answer, and
// memory holds one line whatever the size of the input.
class StandardInputLines
{
public:
    StandardInputLines() = default;
    StandardInputLines(const StandardInputLines &) = delete;
    StandardInputLines &operator=(const StandardInputLines &) = delete;
    ~StandardInputLines();

    // The next line without its line break (nor a carriage return before it);
    // nothing at the end of input. Raises StandardStreamError when reading fails.
    std::optional<QString> next();

private:
    char *m_buffer = nullptr;
    std::size_t m_capacity = 0;
};
