#include "gui/Dialogs.h"

#include "gui/UiText.h"

namespace tarvex {

FileRequest FileRequestFor(FileDialogKind kind) {
    const FileDialogSpec spec = FileDialogFor(kind);
    return {Q(spec.title), Q(spec.QtFilter()), Q(spec.defaultSuffix)};
}

}  // namespace tarvex
