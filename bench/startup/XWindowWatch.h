#pragma once

#include <QtGlobal>

struct xcb_connection_t;

// Sees the moment a process's first top-level window becomes viewable on the X server (mapped, and its window
// manager frame mapped too), from the server's own notices: no polling. Windows smaller than minSize on either
// side (a tray icon, a client leader) do not count.
class XWindowWatch {
public:
    XWindowWatch();
    ~XWindowWatch();
    XWindowWatch(const XWindowWatch&) = delete;
    XWindowWatch& operator=(const XWindowWatch&) = delete;

    bool isValid() const { return m_connection != nullptr; }
    // Waits until a window of pid is viewable; false after timeoutMs.
    bool waitForViewableWindow(qint64 pid, int timeoutMs, int minSize = 100);

private:
    bool hasViewableWindow(qint64 pid, int minSize);
    qint64 windowPid(quint32 window);

    xcb_connection_t* m_connection = nullptr;
    quint32 m_root = 0;
    quint32 m_pidAtom = 0;
};
