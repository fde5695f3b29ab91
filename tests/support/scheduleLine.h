#pragma once

// How a schedule line reads on the screen: the month from column 1, then the interest, the
// principal, the remainder and the total interest ending in columns 19, 37, 59 and 79.

#include <string>

std::string scheduleLine(int month, const std::string& interest, const std::string& principal,
                         const std::string& remainder, const std::string& totalInterest);
