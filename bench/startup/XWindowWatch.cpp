#include "XWindowWatch.h"

#include <QElapsedTimer>
#include <QList>

#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <xcb/xcb.h>

XWindowWatch::XWindowWatch() {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return;
    }
    m_connection = connection;
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
    const char* name = "_NET_WM_PID";
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        m_connection, xcb_intern_atom(m_connection, 0, uint16_t(std::strlen(name)), name), nullptr);
    if (atom) {
        m_pidAtom = atom->atom;
        std::free(atom);
    }
    xcb_flush(m_connection);
}

XWindowWatch::~XWindowWatch() {
    if (m_connection)
        xcb_disconnect(m_connection);
}

qint64 XWindowWatch::windowPid(quint32 window) {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, window, m_pidAtom, XCB_ATOM_CARDINAL, 0, 1), nullptr);
    qint64 pid = -1;
    if (reply && xcb_get_property_value_length(reply) >= 4)
        pid = *static_cast<const uint32_t*>(xcb_get_property_value(reply));
    std::free(reply);
    return pid;
}

// Top-level windows are children of the root without a window manager, grandchildren (inside a frame) with one.
bool XWindowWatch::hasViewableWindow(qint64 pid, int minSize) {
    const auto children = [this](xcb_window_t parent) {
        QList<xcb_window_t> found;
        xcb_query_tree_reply_t* tree =
            xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, parent), nullptr);
        if (!tree)
            return found;
        const xcb_window_t* list = xcb_query_tree_children(tree);
        for (int i = 0; i < xcb_query_tree_children_length(tree); ++i)
            found << list[i];
        std::free(tree);
        return found;
    };
    const auto viewable = [this, minSize](xcb_window_t window) {
        xcb_get_window_attributes_reply_t* attributes =
            xcb_get_window_attributes_reply(m_connection, xcb_get_window_attributes(m_connection, window), nullptr);
        const bool mapped = attributes != nullptr && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
        std::free(attributes);
        if (!mapped)
            return false;
        xcb_get_geometry_reply_t* geometry =
            xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, window), nullptr);
        const bool large = geometry != nullptr && geometry->width >= minSize && geometry->height >= minSize;
        std::free(geometry);
        return large;
    };
    for (xcb_window_t top : children(m_root)) {
        if (!viewable(top))
            continue;
        if (windowPid(top) == pid)
            return true;
        for (xcb_window_t client : children(top)) {
            if (windowPid(client) == pid && viewable(client))
                return true;
        }
    }
    return false;
}

bool XWindowWatch::waitForViewableWindow(qint64 pid, int timeoutMs, int minSize) {
    if (!m_connection)
        return false;
    QElapsedTimer waited;
    waited.start();
    pollfd fd{xcb_get_file_descriptor(m_connection), POLLIN, 0};
    while (waited.elapsed() < timeoutMs) {
        bool mapped = false;
        while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY)
                mapped = true;
            std::free(event);
        }
        if (mapped && hasViewableWindow(pid, minSize))
            return true;
        poll(&fd, 1, int(timeoutMs - waited.elapsed()));
    }
    return false;
}
