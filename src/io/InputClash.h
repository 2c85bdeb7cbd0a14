// An output named so that writing it would replace a file the job was read from
// (its list, project or workbook), under the same name or another one: a link,
// "./", a different spelling of the folder.
#pragma once

#include <string>
#include <vector>

namespace tarvex {

// The message refusing to write `output` when it is the same file as one of
// `inputs` (same device and inode); empty when it is none of them or does not
// exist yet.
std::string OutputIsInput(const std::string& output, const std::vector<std::string>& inputs);

}  // namespace tarvex
