#pragma once

#include <QString>

#include <utility>

// Makes a control and gives it its object name, the name the windows' code
// and the tests find it by, in one expression, so a control is never left
// unnamed between two statements of a constructor.
template <typename Control, typename... Arguments>
Control *newNamedControl(const char *name, Arguments &&...arguments)
{
    auto *control = new Control(std::forward<Arguments>(arguments)...);
    control->setObjectName(QString::fromLatin1(name));
    return control;
}
