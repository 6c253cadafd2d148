// Preloaded into a program counted under callgrind: the program ends the moment it asks for its first
// top-level window (a child of the root, not override-redirect) to be mapped, so that the count is its
// instructions up to that request and nothing after.
#include <dlfcn.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdlib>

namespace {

bool IsTopLevel(xcb_connection_t* connection, xcb_window_t window) {
    xcb_query_tree_reply_t* tree =
        xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr);
    xcb_get_window_attributes_reply_t* attributes =
        xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window), nullptr);
    const bool topLevel = tree && attributes && tree->parent == tree->root && !attributes->override_redirect;
    std::free(tree);
    std::free(attributes);
    return topLevel;
}

}  // namespace

extern "C" xcb_void_cookie_t xcb_map_window(xcb_connection_t* connection, xcb_window_t window) {
    using MapWindow = xcb_void_cookie_t (*)(xcb_connection_t*, xcb_window_t);
    static const auto real = reinterpret_cast<MapWindow>(dlsym(RTLD_NEXT, "xcb_map_window"));
    const xcb_void_cookie_t cookie = real(connection, window);
    if (IsTopLevel(connection, window)) {
        xcb_flush(connection);
        _exit(0);
    }
    return cookie;
}
