#pragma once

namespace brixolan::reliability {

/// Starts counting the calls that change files: opening for writing, write, fsync,
/// fdatasync, rename and unlink (on descriptors above 2). The environment variable
/// BRIXOLAN_FAULT chooses what the Nth call does: "fail:N" makes it fail with ENOSPC,
/// "kill:N" kills the process with SIGKILL just before it; unset or "count" only counts.
/// "fail:N:rename" (or open, write, sync, unlink) counts only calls of that kind towards N.
/// With BRIXOLAN_NO_SWAP set, renameat2 refuses RENAME_EXCHANGE as some file systems do.
/// Linked only into the save worker, whose own definitions of these calls take the place of
/// the C library's for the whole process.
void armFaults();

/// Stops counting; the number of calls counted since armFaults().
long disarmFaults();

} // namespace brixolan::reliability
