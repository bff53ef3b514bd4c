#include "label_font_win32.h"

#include <vector>

namespace orvanne {

namespace {

struct Candidates {
    std::vector<std::wstring> proportional, fixed;
};

int CALLBACK Collect(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM data) {
    auto* c = reinterpret_cast<Candidates*>(data);
    // Faces starting with @ are the vertical-writing variants.
    if (font->lfFaceName[0] == L'@' || !(type & TRUETYPE_FONTTYPE))
        return 1;
    bool variable = (font->lfPitchAndFamily & 3) == VARIABLE_PITCH;
    (variable ? c->proportional : c->fixed).push_back(font->lfFaceName);
    return 1;
}

// The face GDI really selects for the request, and whether it draws every character.
bool Covers(HDC dc, const std::wstring& face, BYTE charset, const std::wstring& sample,
            std::wstring* selected) {
    HFONT font = CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, charset,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, face.c_str());
    if (!font)
        return false;
    HGDIOBJ old = SelectObject(dc, font);
    wchar_t name[LF_FACESIZE] = L"";
    GetTextFaceW(dc, LF_FACESIZE, name);
    std::vector<WORD> glyphs(sample.size());
    bool all = GetGlyphIndicesW(dc, sample.c_str(), static_cast<int>(sample.size()), glyphs.data(),
                                GGI_MARK_NONEXISTING_GLYPHS) != GDI_ERROR;
    for (WORD g : glyphs)
        all = all && g != 0xFFFF;
    SelectObject(dc, old);
    DeleteObject(font);
    if (selected)
        *selected = name;
    return all;
}

} // namespace

std::wstring ResolveFace(const std::wstring& face, BYTE charset, const std::wstring& sample) {
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc)
        return face;
    std::wstring selected;
    std::wstring result = face;
    if (!Covers(dc, face, charset, sample, &selected) && selected != face) {
        LOGFONTW query{};
        query.lfCharSet = charset;
        Candidates found;
        EnumFontFamiliesExW(dc, &query, Collect, reinterpret_cast<LPARAM>(&found), 0);
        bool done = false;
        for (const auto* list : {&found.proportional, &found.fixed}) {
            for (const std::wstring& candidate : *list) {
                if (!done && Covers(dc, candidate, charset, sample, nullptr)) {
                    result = candidate;
                    done = true;
                }
            }
        }
    }
    DeleteDC(dc);
    return result;
}

} // namespace orvanne
