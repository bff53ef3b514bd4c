// The face the dialog's texts are drawn in: the named one, or the platform's stand-in.
#pragma once

#include <windows.h>

#include <string>

namespace orvanne {

// face when it is installed. Otherwise the font the platform maps the request to, as long
// as it has a glyph for every character of sample; if it does not (Wine maps a missing
// Japanese face to a font without Latin letters), the first installed font of charset that
// has them all, proportional ones first.
std::wstring ResolveFace(const std::wstring& face, BYTE charset, const std::wstring& sample);

} // namespace orvanne
