#include "XMapLog.h"

#include "../common/BenchSupport.h"

#include <QSocketNotifier>

#include <xcb/xcb.h>

#include <cstdlib>

XMapLog::XMapLog(QObject* parent)
    : QObject(parent) {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return;
    }
    m_connection = connection;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(m_connection, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(m_connection);
    m_notifier = new QSocketNotifier(xcb_get_file_descriptor(m_connection), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &XMapLog::read);
}

XMapLog::~XMapLog() {
    if (m_connection)
        xcb_disconnect(m_connection);
}

void XMapLog::read() {
    // The moment is taken before the events are looked at: a burst read together came at about the same time.
    const double now = BenchSupport::nowDayCount();
    while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY)
            m_maps << now;
        std::free(event);
    }
}

QList<double> XMapLog::latenessOf(const QList<double>& moments, const QList<double>& maps, double windowMs) {
    QList<double> lateness;
    qsizetype next = 0;
    for (double moment : moments) {
        while (next < maps.size() && maps.at(next) < moment)
            ++next;
        if (next == maps.size())
            break;
        const double ms = (maps.at(next) - moment) * 86'400'000.0;
        if (ms <= windowMs) {
            lateness << ms;
            ++next;
        }
    }
    return lateness;
}
