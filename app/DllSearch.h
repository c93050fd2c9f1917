#pragma once
// Where the process looks for libraries it loads by name.

// From here on, libraries loaded by name (delay-loaded system libraries
// among them) come from System32 only: the exe's own folder, the current
// folder and PATH may hold planted copies. Call first thing in the entry.
void RestrictDllSearchToSystem32();
