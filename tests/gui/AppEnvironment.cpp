// The widget tests' application object, with the catalogs built beside the test
// programs: the window tests switch languages.
#include <QApplication>
#include <filesystem>

#include "support/QtAppEnvironment.h"
#include "text/Translate.h"

using namespace tarvex;

namespace {

[[maybe_unused]] testing::Environment* const kAppEnvironment =
    testing::AddGlobalTestEnvironment(new QtAppEnvironment<QApplication>(
        [] { InitTranslation(std::filesystem::path(TARVEX_BINARY_DIR) / "bin" / "locale"); }));

}  // namespace
