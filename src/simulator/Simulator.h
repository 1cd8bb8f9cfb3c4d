// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace brixolan {

/// Runs the simulator: `args` are the command-line arguments without the program name,
/// commands come from `in`, `print` output goes to `out`, messages to `err`.
/// Returns the exit status: 0 at the end of input, 2 for an unreadable option or line.
int runSimulator(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                 std::ostream& err);

} // namespace brixolan
