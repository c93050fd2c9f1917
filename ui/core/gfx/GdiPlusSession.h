#pragma once
// GDI+ is started on first use and shut down when the process ends.
namespace SkinUI {

// True when GDI+ is running (starting it on the first call).
bool EnsureGdiPlus();

} // namespace SkinUI
