#include "ModalDialogs.h"

#include "MessageBoxDialogs.h"

namespace {

ModalDialogs *installedDialogs = nullptr;

} // namespace

ModalDialogs &ModalDialogs::current()
{
    static MessageBoxDialogs messageBoxes;
    return installedDialogs ? *installedDialogs : messageBoxes;
}

void ModalDialogs::install(ModalDialogs *dialogs)
{
    installedDialogs = dialogs;
}
