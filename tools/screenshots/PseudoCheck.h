#pragma once

#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

class QWidget;
class TXMLIniFile;

// The pseudo-translation check: with the pseudo catalogue installed, every text the program draws must be
// translated (no plain letters outside the "[...~~~]" marks, once the user's own data is taken out) and must fit
// its control (a text wider or taller than the room its control has is cut off). Watches every paint while the
// pictures are drawn, so it sees exactly what the pictures show.
class PseudoCheck final : public QObject {
public:
    PseudoCheck();

    // Texts that are not the program's to translate: what the stores hold (alarm texts, names, categories...),
    // the product's name and web address.
    void addData(const TXMLIniFile& store);
    void addData(const QString& text);
    // The picture now being drawn, named in the faults.
    void setShot(const QString& name) { m_shot = name; }
    // The menus (tray, pop-ups): their entries are drawn only when opened.
    void checkMenus();

    const QStringList& faults() const { return m_faults; }

    // The letters of text left once the marked parts and the data are taken out; empty means translated.
    QString untranslatedPart(QString text) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void check(QWidget* widget);
    void fault(const QWidget* widget, const QString& what, const QString& text);

    QStringList m_data;
    QString m_shot;
    QStringList m_faults;
    QSet<QString> m_reported;
};
