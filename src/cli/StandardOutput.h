#pragma once

#include <QStringList>

// Standard output written straight to the system, every failure noticed: a
// full disk, /dev/full, a closed descriptor or a reader that went away.
class StandardOutput
{
public:
    // False when the program was started with descriptor 1 closed; the next
    // file opened would take that number and the answers would go into it.
    static bool isOpen();

    // Writes the lines, each ended by a line break, in one go and unbuffered,
    // so a script waiting for this answer has it at once. Raises
    // StandardStreamError when the system takes less than all of it.
    void writeLines(const QStringList &lines);
};
