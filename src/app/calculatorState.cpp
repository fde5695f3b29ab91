#include "app/calculatorState.h"

CalculatorState calc;
