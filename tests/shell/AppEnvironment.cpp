#include "shell/AppEnvironment.h"

#include <QGuiApplication>

namespace {

[[maybe_unused]] testing::Environment* const kAppEnvironment =
    testing::AddGlobalTestEnvironment(new AppEnvironment<QGuiApplication>);

}  // namespace
