// The shell tests run with a QCoreApplication, as the programs do: its constructor
// resets the process locale, which the translation set-up has to cope with.
#include "support/QtAppEnvironment.h"

#include <QCoreApplication>

using namespace tarvex;

namespace {

[[maybe_unused]] testing::Environment* const kEnvironment =
    testing::AddGlobalTestEnvironment(new QtAppEnvironment<QCoreApplication>);

}  // namespace
