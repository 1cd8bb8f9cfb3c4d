// SPDX-License-Identifier: GPL-3.0-or-later
#include "Simulator.h"

#include <iostream>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return brixolan::runSimulator(args, std::cin, std::cout, std::cerr);
}
