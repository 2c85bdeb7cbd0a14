// The words of a calculation's outcome in the language of the moment: the texts
// the window shows in its message box and the command line prints.
#pragma once

#include <string>

#include "job/Calculation.h"
#include "job/InputFault.h"

namespace tarvex {

std::string FaultText(const InputFault& fault);
// The message of the outcome; empty when there is nothing to say.
std::string OutcomeText(const CalcOutcome& outcome);
// Shown as an error; as information otherwise.
bool OutcomeIsError(const CalcOutcome& outcome);
// The table whose page the window brings up with the message; None for none.
EntryTable TableToShow(const CalcOutcome& outcome);

}  // namespace tarvex
