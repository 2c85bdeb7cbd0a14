// Layouts per second of the fast layout engine and of the straightforward
// reference, on generated jobs of growing size.
#pragma once

namespace tarvex {

void RunEngineBench();

}  // namespace tarvex
