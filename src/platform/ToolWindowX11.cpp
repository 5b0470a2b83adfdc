// X11: windows are found through the window manager's client list
// (_NET_CLIENT_LIST on the root window) and their _NET_WM_PID or WM_CLASS,
// and raised with a _NET_ACTIVE_WINDOW request (mapped first when
// minimised). The connection is the one Qt's xcb
// platform already holds; the xcb functions are looked up in the process
// (that platform has loaded libxcb), so the program does not link libxcb
// itself and runs unchanged on other platforms such as offscreen.
#include "ToolWindow.h"

#include <QtGui/qtguiglobal.h>

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS) && __has_include(<xcb/xcb.h>) && QT_CONFIG(xcb)
#include <dlfcn.h>
#include <xcb/xcb.h>

#include <QFileInfo>
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <dirent.h>

namespace vlq {
namespace {

// The few libxcb entry points used here, resolved once.
struct Xcb {
    decltype(&xcb_get_setup) getSetup = nullptr;
    decltype(&xcb_setup_roots_iterator) rootsIterator = nullptr;
    decltype(&xcb_intern_atom) internAtom = nullptr;
    decltype(&xcb_intern_atom_reply) internAtomReply = nullptr;
    decltype(&xcb_get_property) getProperty = nullptr;
    decltype(&xcb_get_property_reply) getPropertyReply = nullptr;
    decltype(&xcb_get_property_value) propertyValue = nullptr;
    decltype(&xcb_get_property_value_length) propertyValueLength = nullptr;
    decltype(&xcb_get_window_attributes) getAttributes = nullptr;
    decltype(&xcb_get_window_attributes_reply) getAttributesReply = nullptr;
    decltype(&xcb_send_event) sendEvent = nullptr;
    decltype(&xcb_change_property) changeProperty = nullptr;
    decltype(&xcb_map_window) mapWindow = nullptr;
    decltype(&xcb_flush) flush = nullptr;
    bool ok = false;

    Xcb() {
        const auto get = [](auto& fn, const char* name) {
            fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(dlsym(RTLD_DEFAULT, name));
            return fn != nullptr;
        };
        ok = get(getSetup, "xcb_get_setup") && get(rootsIterator, "xcb_setup_roots_iterator") &&
             get(internAtom, "xcb_intern_atom") && get(internAtomReply, "xcb_intern_atom_reply") &&
             get(getProperty, "xcb_get_property") && get(getPropertyReply, "xcb_get_property_reply") &&
             get(propertyValue, "xcb_get_property_value") &&
             get(propertyValueLength, "xcb_get_property_value_length") &&
             get(getAttributes, "xcb_get_window_attributes") &&
             get(getAttributesReply, "xcb_get_window_attributes_reply") && get(sendEvent, "xcb_send_event") &&
             get(changeProperty, "xcb_change_property") && get(mapWindow, "xcb_map_window") &&
             get(flush, "xcb_flush");
    }
};

const Xcb& xcb() {
    static const Xcb lib;
    return lib;
}

// The xcb connection of the running application, or null when the
// application does not run on X11.
xcb_connection_t* connection() {
    auto* app = qGuiApp;
    if (!app || QGuiApplication::platformName() != QLatin1String("xcb") || !xcb().ok) return nullptr;
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t rootWindow(xcb_connection_t* c) {
    const xcb_setup_t* setup = xcb().getSetup(c);
    if (!setup) return 0;
    const xcb_screen_iterator_t it = xcb().rootsIterator(setup);
    return it.rem > 0 && it.data ? it.data->root : 0;
}

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    const auto cookie = xcb().internAtom(c, 1, uint16_t(qstrlen(name)), name);
    xcb_generic_error_t* err = nullptr;
    xcb_intern_atom_reply_t* reply = xcb().internAtomReply(c, cookie, &err);
    std::free(err);
    if (!reply) return XCB_ATOM_NONE;
    const xcb_atom_t a = reply->atom;
    std::free(reply);
    return a;
}

// The 32-bit items of a property of the given type (XCB_ATOM_ANY: of any
// type); empty when absent.
std::vector<uint32_t> property32(xcb_connection_t* c, xcb_window_t w, xcb_atom_t prop, xcb_atom_t type,
                                 uint32_t maxItems) {
    std::vector<uint32_t> out;
    const auto cookie = xcb().getProperty(c, 0, w, prop, type, 0, maxItems);
    xcb_generic_error_t* err = nullptr;
    xcb_get_property_reply_t* reply = xcb().getPropertyReply(c, cookie, &err);
    std::free(err);
    if (!reply) return out;
    if (reply->format == 32 && (type == XCB_ATOM_ANY || reply->type == type)) {
        const int bytes = xcb().propertyValueLength(reply);
        const auto* v = static_cast<const uint32_t*>(xcb().propertyValue(reply));
        if (v && bytes > 0) out.assign(v, v + bytes / 4);
    }
    std::free(reply);
    return out;
}

// The 8-bit text of a property (any type); empty when absent.
QByteArray property8(xcb_connection_t* c, xcb_window_t w, xcb_atom_t prop) {
    QByteArray out;
    xcb_generic_error_t* err = nullptr;
    xcb_get_property_reply_t* reply = xcb().getPropertyReply(c, xcb().getProperty(c, 0, w, prop, XCB_ATOM_ANY, 0, 256), &err);
    std::free(err);
    if (!reply) return out;
    if (reply->format == 8) {
        const int bytes = xcb().propertyValueLength(reply);
        const auto* v = static_cast<const char*>(xcb().propertyValue(reply));
        if (v && bytes > 0) out = QByteArray(v, bytes);
    }
    std::free(reply);
    return out;
}

} // namespace

bool windowManagerIgnoresButtonHints() {
    xcb_connection_t* c = connection();
    if (!c) return false;
    const xcb_window_t root = rootWindow(c);
    const xcb_atom_t check = atom(c, "_NET_SUPPORTING_WM_CHECK");
    if (!root || check == XCB_ATOM_NONE) return false;
    const std::vector<uint32_t> wm = property32(c, root, check, XCB_ATOM_WINDOW, 1);
    if (wm.empty()) return false;
    return property8(c, wm.front(), atom(c, "_NET_WM_NAME")) == "Openbox";
}

void preferToolbarType(quintptr window) {
    xcb_connection_t* c = connection();
    if (!c || window == 0 || window > 0xffffffffu) return;
    const auto w = xcb_window_t(window);
    const xcb_atom_t type = atom(c, "_NET_WM_WINDOW_TYPE");
    const xcb_atom_t toolbar = atom(c, "_NET_WM_WINDOW_TYPE_TOOLBAR");
    if (type == XCB_ATOM_NONE || toolbar == XCB_ATOM_NONE) return;
    std::vector<uint32_t> types = property32(c, w, type, XCB_ATOM_ATOM, 16);
    if (!types.empty() && types.front() == toolbar) return;
    types.insert(types.begin(), toolbar);
    xcb().changeProperty(c, XCB_PROP_MODE_REPLACE, w, type, XCB_ATOM_ATOM, 32, uint32_t(types.size()), types.data());
    xcb().flush(c);
}

bool toolWindowsSupported() {
    xcb_connection_t* c = connection();
    if (!c) return false;
    const xcb_window_t root = rootWindow(c);
    const xcb_atom_t clients = atom(c, "_NET_CLIENT_LIST");
    return root && clients != XCB_ATOM_NONE &&
           !property32(c, root, clients, XCB_ATOM_ANY, 1).empty();
}

namespace {

// pid and every process started under it (its children, theirs ...), from
// the parent numbers in /proc: a tool started through a script shows its
// window from a child of the script.
std::vector<qint64> processTree(qint64 pid) {
    std::vector<std::pair<qint64, qint64>> parents; // (process, parent)
    if (DIR* proc = ::opendir("/proc")) {
        while (const dirent* entry = ::readdir(proc)) {
            char* end = nullptr;
            const long long n = std::strtoll(entry->d_name, &end, 10);
            if (n <= 0 || *end != '\0') continue;
            char path[64];
            std::snprintf(path, sizeof path, "/proc/%lld/stat", n);
            FILE* f = std::fopen(path, "re");
            if (!f) continue;
            char line[1024];
            const bool read = std::fgets(line, sizeof line, f) != nullptr;
            std::fclose(f);
            // "PID (NAME) STATE PPID ...": the name may hold anything but
            // ends at the last ')'.
            const char* close = read ? std::strrchr(line, ')') : nullptr;
            long long parent = 0;
            if (close && std::sscanf(close + 1, " %*c %lld", &parent) == 1) parents.emplace_back(n, parent);
        }
        ::closedir(proc);
    }
    std::vector<qint64> tree{pid};
    for (std::size_t i = 0; i < tree.size() && tree.size() < 4096; ++i)
        for (const auto& [process, parent] : parents)
            if (parent == tree[i]) tree.push_back(process);
    return tree;
}

} // namespace

quintptr findToolWindow(qint64 pid, const QString& program) {
    xcb_connection_t* c = connection();
    if (!c) return 0;
    const xcb_window_t root = rootWindow(c);
    const xcb_atom_t clients = atom(c, "_NET_CLIENT_LIST");
    if (!root || clients == XCB_ATOM_NONE) return 0;
    const std::vector<uint32_t> windows = property32(c, root, clients, XCB_ATOM_ANY, 65536);
    const xcb_atom_t wmPid = atom(c, "_NET_WM_PID");
    if (pid > 0 && wmPid != XCB_ATOM_NONE) {
        // The process's own window first, then one of a process under it.
        std::vector<std::pair<qint64, uint32_t>> owned;
        for (const uint32_t w : windows) {
            const std::vector<uint32_t> owner = property32(c, w, wmPid, XCB_ATOM_CARDINAL, 1);
            if (owner.empty()) continue;
            if (qint64(owner.front()) == pid) return quintptr(w);
            owned.emplace_back(qint64(owner.front()), w);
        }
        if (!owned.empty())
            for (const qint64 process : processTree(pid))
                for (const auto& [owner, w] : owned)
                    if (owner == process) return quintptr(w);
    }
    const QFileInfo file(program);
    const QString name = file.fileName(), base = file.completeBaseName();
    if (name.isEmpty()) return 0;
    // WM_CLASS: the instance name and the class name, each ended by a NUL.
    const xcb_atom_t wmClass = atom(c, "WM_CLASS");
    for (const uint32_t w : windows) {
        for (const QByteArray& part : property8(c, w, wmClass).split('\0')) {
            const QString text = QString::fromLocal8Bit(part);
            if (!text.isEmpty() && (text.compare(name, Qt::CaseInsensitive) == 0 ||
                                    text.compare(base, Qt::CaseInsensitive) == 0))
                return quintptr(w);
        }
    }
    return 0;
}

bool raiseToolWindow(quintptr window) {
    xcb_connection_t* c = connection();
    if (!c || window == 0 || window > 0xffffffffu) return false;
    const auto w = xcb_window_t(window);
    // A window the user has closed since is gone from the server.
    xcb_generic_error_t* err = nullptr;
    xcb_get_window_attributes_reply_t* attrs = xcb().getAttributesReply(c, xcb().getAttributes(c, w), &err);
    std::free(err);
    if (!attrs) return false;
    std::free(attrs);
    // A minimised window (WM_STATE iconic, 3) is mapped again: the window
    // manager then shows it in its normal state.
    const std::vector<uint32_t> state = property32(c, w, atom(c, "WM_STATE"), XCB_ATOM_ANY, 1);
    if (!state.empty() && state.front() == 3) xcb().mapWindow(c, w);
    const xcb_window_t root = rootWindow(c);
    const xcb_atom_t active = atom(c, "_NET_ACTIVE_WINDOW");
    if (!root || active == XCB_ATOM_NONE) return false;
    xcb_client_message_event_t ev{};
    ev.response_type = XCB_CLIENT_MESSAGE;
    ev.format = 32;
    ev.window = w;
    ev.type = active;
    ev.data.data32[0] = 2; // source: a pager, i.e. on the user's behalf
    ev.data.data32[1] = XCB_CURRENT_TIME;
    xcb().sendEvent(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                    reinterpret_cast<const char*>(&ev));
    xcb().flush(c);
    return true;
}

} // namespace vlq
#endif
