// How the shell finds the renderer: its file beside the saver, and the title of its window,
// which the shell watches to know the renderer still runs.
#pragma once

namespace orvanne {

inline constexpr char kRendererFileName[] = "Orvanne.dll";
inline constexpr char kRendererWindowTitle[] = "Vellis_VC";

} // namespace orvanne
