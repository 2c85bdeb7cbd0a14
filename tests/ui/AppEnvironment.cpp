#include "shell/AppEnvironment.h"

#include <QApplication>

namespace {

[[maybe_unused]] testing::Environment* const kAppEnvironment =
    testing::AddGlobalTestEnvironment(new AppEnvironment<QApplication>);

}  // namespace
