#pragma once

#include <QList>
#include <QObject>

struct xcb_connection_t;
class QSocketNotifier;

// Keeps the moment of every top-level map on the X server of $DISPLAY (a window, or the frame its window manager
// puts it in), as the server reports it: the moment a window is really on the screen, later than the program's
// own word that it showed it.
class XMapLog final : public QObject {
public:
    explicit XMapLog(QObject* parent = nullptr);
    ~XMapLog() override;
    XMapLog(const XMapLog&) = delete;
    XMapLog& operator=(const XMapLog&) = delete;

    bool isValid() const { return m_connection != nullptr; }
    // Day counts, in the order the notices came.
    const QList<double>& maps() const { return m_maps; }

    // For each moment, ms from it to the first map that followed it within windowMs; moments without one are left
    // out. Both lists ascending.
    static QList<double> latenessOf(const QList<double>& moments, const QList<double>& maps, double windowMs);

private:
    void read();

    xcb_connection_t* m_connection = nullptr;
    QSocketNotifier* m_notifier = nullptr;
    QList<double> m_maps;
};
