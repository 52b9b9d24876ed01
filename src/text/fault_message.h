#pragma once

#include <string>

class ArithmeticFault;

// The message shown when an arithmetic fault ends an operation: what was
// being done, the kind of fault and, in Chinese, the quantity or formula in which it
// arose.
std::string FaultMessage(const std::string &activity, const ArithmeticFault &fault);
