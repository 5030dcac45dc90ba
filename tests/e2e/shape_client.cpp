// A small X client for the end-to-end tests: finds a top-level window by its title and reports
// its shape, saves a screenshot of it, or asks it to close.
//
//   shape_client wait TITLE SECONDS      waits until such a window is mapped; prints its id
//   shape_client info TITLE              prints "geometry X Y W H", "shaped yes|no",
//                                        "rectangles N", "cut-pixels N"
//   shape_client pixel TITLE X Y         prints "R G B" of the screen at window pixel X Y
//   shape_client screenshot TITLE FILE   writes the window's area of the screen as PNG
//   shape_client close TITLE             sends the window manager's close request
//   shape_client count TITLE             prints how many mapped windows carry the title
//   shape_client accel - [N D]           prints the pointer acceleration as "N/D" (or sets it)
//   shape_client hold - SECONDS          stays connected to the display for that long

// Qt first: Xlib defines macros (Bool, Status) that Qt's headers use as names.
#include <QGuiApplication>
#include <QImage>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string windowTitle(Display* display, Window window) {
    const Atom netWmName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, netWmName, 0, 1024, False, utf8, &type, &format, &count,
                           &after, &data) == Success &&
        data != nullptr) {
        title.assign(reinterpret_cast<const char*>(data), count);
        XFree(data);
        return title;
    }
    char* name = nullptr;
    if (XFetchName(display, window, &name) && name != nullptr) {
        title = name;
        XFree(name);
    }
    return title;
}

bool isMapped(Display* display, Window window) {
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

void findWindows(Display* display, Window window, const std::string& title,
                 std::vector<Window>& found) {
    if (windowTitle(display, window) == title && isMapped(display, window)) {
        found.push_back(window);
    }
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count)) return;
    for (unsigned int i = 0; i < count; ++i) findWindows(display, children[i], title, found);
    if (children != nullptr) XFree(children);
}

Window findWindow(Display* display, const std::string& title) {
    std::vector<Window> found;
    findWindows(display, DefaultRootWindow(display), title, found);
    return found.empty() ? 0 : found.front();
}

struct Geometry {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

Geometry geometryOf(Display* display, Window window) {
    XWindowAttributes attributes;
    XGetWindowAttributes(display, window, &attributes);
    Geometry geometry;
    Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &geometry.x,
                          &geometry.y, &child);
    geometry.width = attributes.width;
    geometry.height = attributes.height;
    return geometry;
}

int usage() {
    std::fprintf(stderr, "usage: shape_client wait|info|pixel|screenshot|close|count TITLE ...\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return usage();
    const std::string command = argv[1];
    const std::string title = argv[2];
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "shape_client: no display\n");
        return 1;
    }

    if (command == "wait") {
        const double seconds = argc > 3 ? std::atof(argv[3]) : 10.0;
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(int(seconds * 1000));
        while (std::chrono::steady_clock::now() < deadline) {
            if (Window window = findWindow(display, title)) {
                std::printf("0x%lx\n", window);
                return 0;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        std::fprintf(stderr, "shape_client: no window titled '%s'\n", title.c_str());
        return 1;
    }
    if (command == "hold") {
        // Stays connected, so that the server keeps its settings when the program under test
        // (its only other client) disconnects: an X server resets when its last client leaves.
        const int seconds = argc > 3 ? std::atoi(argv[3]) : 60;
        std::this_thread::sleep_for(std::chrono::seconds(seconds));
        XCloseDisplay(display);
        return 0;
    }
    if (command == "accel" && argc > 4) {
        XChangePointerControl(display, True, False, std::atoi(argv[3]), std::atoi(argv[4]), 0);
        XSync(display, False);
        return 0;
    }
    if (command == "accel") {
        int numerator = 0;
        int denominator = 0;
        int threshold = 0;
        XGetPointerControl(display, &numerator, &denominator, &threshold);
        std::printf("%d/%d\n", numerator, denominator);
        return 0;
    }
    if (command == "count") {
        std::vector<Window> found;
        findWindows(display, DefaultRootWindow(display), title, found);
        std::printf("%zu\n", found.size());
        return 0;
    }

    const Window window = findWindow(display, title);
    if (window == 0) {
        std::fprintf(stderr, "shape_client: no window titled '%s'\n", title.c_str());
        return 1;
    }
    const Geometry geometry = geometryOf(display, window);

    if (command == "info") {
        int eventBase = 0;
        int errorBase = 0;
        if (!XShapeQueryExtension(display, &eventBase, &errorBase)) {
            std::fprintf(stderr, "shape_client: no shape extension\n");
            return 1;
        }
        int count = 0;
        int ordering = 0;
        XRectangle* rects = XShapeGetRectangles(display, window, ShapeBounding, &count, &ordering);
        long long kept = 0;
        for (int i = 0; i < count; ++i)
            kept += static_cast<long long>(rects[i].width) * rects[i].height;
        const long long total = static_cast<long long>(geometry.width) * geometry.height;
        const bool shaped =
            !(count == 1 && rects[0].x == 0 && rects[0].y == 0 &&
              rects[0].width == geometry.width && rects[0].height == geometry.height);
        if (rects != nullptr) XFree(rects);
        std::printf("geometry %d %d %d %d\n", geometry.x, geometry.y, geometry.width,
                    geometry.height);
        std::printf("shaped %s\n", shaped ? "yes" : "no");
        std::printf("rectangles %d\n", count);
        std::printf("cut-pixels %lld\n", total - kept);
        return 0;
    }
    if (command == "close") {
        XEvent event;
        std::memset(&event, 0, sizeof event);
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] =
            static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, window, False, NoEventMask, &event);
        XFlush(display);
        return 0;
    }

    // Both remaining commands read the screen where the window is.
    XImage* image = XGetImage(display, DefaultRootWindow(display), geometry.x, geometry.y,
                              static_cast<unsigned>(geometry.width),
                              static_cast<unsigned>(geometry.height), AllPlanes, ZPixmap);
    if (image == nullptr) {
        std::fprintf(stderr, "shape_client: cannot read the screen\n");
        return 1;
    }
    auto rgbAt = [image](int x, int y) {
        const unsigned long pixel = XGetPixel(image, x, y);
        return QColor(int((pixel & image->red_mask) >> 16), int((pixel & image->green_mask) >> 8),
                      int(pixel & image->blue_mask));
    };
    int status = 0;
    if (command == "pixel" && argc > 4) {
        const int x = std::atoi(argv[3]);
        const int y = std::atoi(argv[4]);
        if (x < 0 || y < 0 || x >= geometry.width || y >= geometry.height) {
            std::fprintf(stderr, "shape_client: pixel outside the window\n");
            status = 1;
        } else {
            const QColor colour = rgbAt(x, y);
            std::printf("%d %d %d\n", colour.red(), colour.green(), colour.blue());
        }
    } else if (command == "screenshot" && argc > 3) {
        int qtArgc = 1;
        char name[] = "shape_client";
        char* qtArgv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(qtArgc, qtArgv);
        QImage shot(geometry.width, geometry.height, QImage::Format_RGB32);
        const bool xrgb32 = image->bits_per_pixel == 32 && image->red_mask == 0xff0000 &&
                            image->green_mask == 0x00ff00 && image->blue_mask == 0x0000ff &&
                            image->byte_order == LSBFirst;
        for (int y = 0; y < geometry.height; ++y) {
            if (xrgb32) {
                // The screen's usual layout is Qt's RGB32 already: copy whole rows.
                std::memcpy(shot.scanLine(y),
                            image->data + static_cast<long>(y) * image->bytes_per_line,
                            static_cast<std::size_t>(geometry.width) * 4);
                auto* row = reinterpret_cast<quint32*>(shot.scanLine(y));
                for (int x = 0; x < geometry.width; ++x) row[x] |= 0xff000000u;
            } else {
                for (int x = 0; x < geometry.width; ++x) shot.setPixelColor(x, y, rgbAt(x, y));
            }
        }
        if (!shot.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
            std::fprintf(stderr, "shape_client: cannot write %s\n", argv[3]);
            status = 1;
        }
    } else {
        status = usage();
    }
    XDestroyImage(image);
    XCloseDisplay(display);
    return status;
}
