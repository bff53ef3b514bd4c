#include "glx_view.h"
#include "fps_overlay.h"

#include <X11/extensions/Xrandr.h>

namespace {

const int own_width = 1024;
const int own_height = 768;
const char title[] = "Orvanne";

XVisualInfo* choose_own_visual(Display* display) {
    int attributes[] = {
        GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 1, GLX_GREEN_SIZE, 1, GLX_BLUE_SIZE, 1, None};
    return glXChooseVisual(display, DefaultScreen(display), attributes);
}

// The visual of a window someone else made; the context must match it to draw there.
XVisualInfo* visual_of(Display* display, const XWindowAttributes& attributes) {
    XVisualInfo pattern = {};
    pattern.visualid = XVisualIDFromVisual(attributes.visual);
    pattern.screen = XScreenNumberOfScreen(attributes.screen);
    int count = 0;
    return XGetVisualInfo(display, VisualIDMask | VisualScreenMask, &pattern, &count);
}

Cursor make_blank_cursor(Display* display, Window window) {
    static const char bits[1] = {0};
    Pixmap blank = XCreateBitmapFromData(display, window, bits, 1, 1);
    XColor black = {};
    Cursor cursor = XCreatePixmapCursor(display, blank, blank, &black, &black, 0, 0);
    XFreePixmap(display, blank);
    return cursor;
}

void make_own_window(GlxView& view, XVisualInfo* visual) {
    Display* display = view.display;
    Window root = RootWindow(display, visual->screen);
    view.colormap = XCreateColormap(display, root, visual->visual, AllocNone);
    XSetWindowAttributes attributes = {};
    attributes.colormap = view.colormap;
    attributes.background_pixel = BlackPixel(display, visual->screen);
    attributes.border_pixel = 0;
    attributes.event_mask = KeyPressMask | StructureNotifyMask;
    view.window = XCreateWindow(
        display, root, 0, 0, own_width, own_height, 0, visual->depth, InputOutput, visual->visual,
        CWColormap | CWBackPixel | CWBorderPixel | CWEventMask, &attributes);
    view.own_window = true;
    view.width = own_width;
    view.height = own_height;
    XStoreName(display, view.window, title);
    view.delete_window = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, view.window, &view.delete_window, 1);
    view.blank_cursor = make_blank_cursor(display, view.window);
    XDefineCursor(display, view.window, view.blank_cursor);
    XMapWindow(display, view.window);
}

void keep_empty_glyph_advances(const XFontStruct* font, unsigned list_base) {
    if (font->min_byte1 != 0 || font->max_byte1 != 0)
        return; // a font of two-byte rows; the overlay's fonts have one
    for (unsigned c = font->min_char_or_byte2; c <= font->max_char_or_byte2 && c < 256; ++c) {
        const XCharStruct& glyph =
            font->per_char ? font->per_char[c - font->min_char_or_byte2] : font->max_bounds;
        if (glyph.rbearing <= glyph.lbearing || glyph.ascent + glyph.descent <= 0)
            orvanne::record_blank_glyph(list_base + c, glyph.width, 0.0f);
    }
}

// Bitmaps for bytes 0..255, as the overlay calls them by character code.
void make_glyphs(GlxView& view) {
    XFontStruct* font =
        XLoadQueryFont(view.display, "-misc-fixed-bold-r-normal--15-*-*-*-*-*-iso8859-1");
    if (!font)
        font = XLoadQueryFont(view.display, "fixed");
    if (!font)
        return;
    view.glyph_base = glGenLists(256);
    glXUseXFont(font->fid, 0, 256, view.glyph_base);
    keep_empty_glyph_advances(font, view.glyph_base);
    XFreeFont(view.display, font);
}

// The root window's monitors as RandR 1.5 lists them; without it, one monitor over all.
orvanne::ScreenLayout root_layout(Display* display, Window root, int width, int height) {
    orvanne::Monitor monitors[orvanne::max_monitors];
    int count = 0, listed = 0, unused = 0, major = 0, minor = 0;
    XRRMonitorInfo* info = nullptr;
    if (XRRQueryExtension(display, &unused, &unused) && XRRQueryVersion(display, &major, &minor) &&
        (major > 1 || minor >= 5))
        info = XRRGetMonitors(display, root, True, &listed);
    for (int i = 0; i < listed && count < orvanne::max_monitors; ++i)
        monitors[count++] = {
            {info[i].x, info[i].y, info[i].x + info[i].width, info[i].y + info[i].height},
            info[i].primary != 0};
    if (info)
        XRRFreeMonitors(info);
    return orvanne::full_screen_layout(monitors, count, {0, 0, width, height});
}

} // namespace

const char* open_view(GlxView& view, const orvanne::ModuleOptions& options) {
    view.display = XOpenDisplay(options.display);
    if (!view.display)
        return "XOpenDisplay";
    Display* display = view.display;
    int error_base = 0;
    int event_base = 0;
    if (!glXQueryExtension(display, &error_base, &event_base))
        return "glXQueryExtension";

    XVisualInfo* visual = nullptr;
    if (options.target == orvanne::DrawTarget::own_window) {
        visual = choose_own_visual(display);
        if (!visual)
            return "glXChooseVisual";
        make_own_window(view, visual);
    } else {
        view.window = options.target == orvanne::DrawTarget::root_window
                          ? DefaultRootWindow(display)
                          : static_cast<Window>(options.window_id);
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, view.window, &attributes))
            return "XGetWindowAttributes";
        view.width = attributes.width;
        view.height = attributes.height;
        view.mapped = attributes.map_state != IsUnmapped;
        view.per_monitor = options.target == orvanne::DrawTarget::root_window;
        if (view.per_monitor)
            view.layout = root_layout(display, view.window, view.width, view.height);
        // Only structure events: keys and buttons stay the daemon's.
        XSelectInput(display, view.window, StructureNotifyMask);
        visual = visual_of(display, attributes);
        if (!visual)
            return "XGetVisualInfo";
        int usable = 0;
        if (glXGetConfig(display, visual, GLX_USE_GL, &usable) != 0 || !usable) {
            XFree(visual);
            return "glXGetConfig (the window's visual has no OpenGL)";
        }
    }
    view.context = glXCreateContext(display, visual, nullptr, True);
    XFree(visual);
    if (!view.context)
        return "glXCreateContext";
    if (!glXMakeCurrent(display, view.window, view.context))
        return "glXMakeCurrent";
    make_glyphs(view);
    return nullptr;
}

void close_view(GlxView& view) {
    Display* display = view.display;
    if (!display)
        return;
    if (view.context) {
        if (view.glyph_base)
            glDeleteLists(view.glyph_base, 256);
        glXMakeCurrent(display, None, nullptr);
        glXDestroyContext(display, view.context);
    }
    if (view.own_window) {
        XDestroyWindow(display, view.window);
        if (view.blank_cursor)
            XFreeCursor(display, view.blank_cursor);
        XFreeColormap(display, view.colormap);
    }
    XCloseDisplay(display);
    view = GlxView{};
}
