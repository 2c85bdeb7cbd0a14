#include "app/ui/Dialogs.h"

#include "app/ui/UiText.h"

FileRequest FileRequestFor(FileDialogKind kind) {
    const FileDialogSpec spec = FileDialogFor(kind);
    return {Q(spec.title), Q(spec.QtFilter()), Q(spec.defaultSuffix)};
}
