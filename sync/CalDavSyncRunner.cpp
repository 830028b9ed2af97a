#include "sync/CalDavSyncRunner.h"

#include "calendar/CalendarExchange.h"
#include "context/DataStores.h"
#include "scheduler/DayCount.h"
#include "scheduler/EventRecord.h"
#include "store/Exception.h"
#include "store/XMLIniFile.h"
#include "sync/DavClient.h"
#include "sync/DavXml.h"

#include <QCryptographicHash>
#include <QHash>
#include <QRandomGenerator>
#include <QSet>
#include <QTimeZone>
#include <QTimer>

#include <optional>

namespace {

namespace K = EventRecord::Key;

constexpr char CollectionSection[] = "collection";
constexpr char AccountKey[] = "account";
constexpr char UrlKey[] = "url";
constexpr char TokenKey[] = "synctoken";
constexpr char UidKey[] = "uid";
constexpr char HrefKey[] = "href";
constexpr char EtagKey[] = "etag";
constexpr char FingerprintKey[] = "fingerprint";
constexpr char SentKey[] = "sent";
constexpr char DeviceKey[] = "device";
constexpr char EventPrefix[] = "event ";
constexpr char NotePrefix[] = "note ";
constexpr int MultigetSize = 100;
constexpr int PushWindow = 4;
const QString CollectionName = QStringLiteral("Zentick");

// What a record was when last synced: Sync.xml's section of it.
struct Entry {
    QByteArray uid;
    QByteArray href;
    QByteArray etag;
    QByteArray fingerprint;
    // What this computer last sent and has no answer for: a send cut short may still have reached the server, which
    // then holds our own version, not a change of somebody else's.
    QByteArray sent;
};

// A record's key in Sync.xml: the store and the section.
bool isNote(const QByteArray& key) {
    return key.startsWith(NotePrefix);
}
QByteArray sectionOf(const QByteArray& key) {
    return key.mid(key.indexOf(' ') + 1);
}
QByteArray eventKey(const QByteArray& section) {
    return EventPrefix + section;
}
QByteArray noteKey(const QByteArray& section) {
    return NotePrefix + section;
}

QByteArray hashOf(const QByteArray& what) {
    return QCryptographicHash::hash(what, QCryptographicHash::Sha256).toHex().left(32);
}

// The record as it syncs, without what changes at every export (the stamp) or differs between computers (the UID):
// equal fingerprints mean the same alarm, birthday or note, whatever bytes the stores keep for it.
const CalendarExchange::ExportOptions FingerprintOptions{false, QDateTime::fromSecsSinceEpoch(0, Qt::UTC)};

QByteArray objectOf(const TXMLIniFile& events, const TXMLIniFile& diary, const QByteArray& key, const QByteArray& uid,
                    const CalendarExchange::ExportOptions& options) {
    return isNote(key) ? CalendarExchange::noteObject(diary, sectionOf(key), uid, options)
                       : CalendarExchange::eventObject(events, sectionOf(key), uid, options);
}

QByteArray fingerprintOf(const TXMLIniFile& events, const TXMLIniFile& diary, const QByteArray& key) {
    const QByteArray object = objectOf(events, diary, key, "-", FingerprintOptions);
    return object.isEmpty() ? QByteArray() : hashOf(object);
}

QString titleOf(const TXMLIniFile& events, const TXMLIniFile& diary, const QByteArray& key) {
    const QByteArray section = sectionOf(key);
    if (isNote(key)) {
        return QStringLiteral("Diary note of %1").arg(DayCount::toDate(section.toDouble()).toString(Qt::ISODate));
    }
    if (events.ReadString(section, K::AlType, EventRecord::KindAlarm) == EventRecord::KindBirth)
        return QStringLiteral("Birthday of %1").arg(QString::fromUtf8(events.ReadString(section, K::Name, {})));
    Q_UNUSED(diary);
    return QStringLiteral("Alarm \"%1\"").arg(EventRecord::readTextBlock(events, section).value(0));
}

double nowDayCount() {
    return DayCount::fromDateTime(QDateTime::currentDateTime());
}

QByteArray pathOf(const QUrl& url) {
    return url.path(QUrl::FullyEncoded).toUtf8();
}

// The href as the same path every server spelling of it gives (absolute or relative, encoded or not).
QByteArray normalisedHref(const QUrl& base, const QByteArray& href) {
    return pathOf(base.resolved(QUrl::fromEncoded(href)));
}

// A store opened on a file that cannot exist and written only inside a batch that never commits: a place to let
// the mapping read a server's object as a record without touching any file.
struct Scratch {
    explicit Scratch(const QString& folder)
        : events(folder + QStringLiteral("/.zentick-sync-scratch/none/Alarms.xml"))
        , diary(folder + QStringLiteral("/.zentick-sync-scratch/none/Calendar.xml"))
        , eventsBatch(events)
        , diaryBatch(diary) {}
    TXMLIniFile events;
    TXMLIniFile diary;
    TXMLIniFile::Batch eventsBatch;
    TXMLIniFile::Batch diaryBatch;

    // The fingerprint of the record the object gives, and its key here; empty when it gives none.
    QByteArray fingerprint(const QByteArray& object) {
        const QByteArray written = CalendarExchange::writeObject(object, events, diary, "0", nowDayCount());
        if (written.isEmpty())
            return {};
        const bool note = !events.HasSection("0");
        const QByteArray key = note ? noteKey(written) : eventKey(written);
        const QByteArray fp = fingerprintOf(events, diary, key);
        events.EraseSection("0");
        if (note)
            diary.EraseSection(written);
        return fp;
    }
};

void writeIfDifferent(TXMLIniFile& store, const QByteArray& section, const QByteArray& key, const QByteArray& value) {
    if (value.isEmpty()) {
        if (store.HasKey(section, key))
            store.DeleteKey(section, key);
        return;
    }
    if (!store.HasKey(section, key) || store.ReadString(section, key, {}) != value)
        store.WriteString(section, key, value);
}

} // namespace

struct CalDavSyncRunner::Job {
    SyncAccount account;
    SyncOutcome outcome;
    std::unique_ptr<TXMLIniFile> state;
    QByteArray accountId;
    QByteArray device; // names this computer's new records; kept in Sync.xml before the first one is sent
    QUrl collection;
    bool collectionFromState = false;
    QByteArray token;
    QByteArray newToken;
    QHash<QByteArray, Entry> entries; // by record key
    QHash<QByteArray, QByteArray> keyByHref;

    bool full = false;
    QHash<QByteArray, QByteArray> listed; // href -> ETag: all members (full) or the changed ones
    QSet<QByteArray> removed;             // delta only
    bool listedAgain = false;             // once after a token the server no longer knew
    QByteArrayList toFetch;
    qsizetype fetchedUpTo = 0;
    struct Fetched {
        QByteArray etag;
        QByteArray data;
    };
    QHash<QByteArray, Fetched> fetched;
    bool allFetched = true;

    struct Push {
        QByteArray key;
        QByteArray verb; // PUT or DELETE
        Entry entry;     // what Sync.xml holds after it succeeded (href and uid; etag from the answer)
        QByteArray ifMatch;
        QByteArray body;
    };
    QList<Push> pushes;
    qsizetype nextPush = 0;
    int inFlight = 0;
    QString pushError;
    int refused = 0; // 412: the server's copy changed meanwhile
    int notTaken = 0;
    int notTakenStatus = 0;

    int received = 0;
    int sent = 0;
    int deletedHere = 0;
    int deletedThere = 0;
    bool stateChanged = false;
};

namespace {

// The UID of a record new here: the same at every try, so a send cut short and made again names the same object.
// The computer's own part keeps two computers' records of the same section apart.
QByteArray newUid(const QByteArray& device, const QByteArray& key) {
    return "zentick-" + hashOf(device + ' ' + key) + "@zentick";
}

} // namespace

CalDavSyncRunner::CalDavSyncRunner(DataStores& stores, QObject* parent)
    : SyncRunner(parent)
    , m_stores(stores)
    , m_client(new DavClient(this)) {
    // The stores a sync has read are gone: nothing it planned may be written into the new ones.
    connect(&m_stores, &DataStores::storesReplaced, this, [this] {
        if (!m_job)
            return;
        m_job->state.reset(); // its file belongs to the folder left
        finish(false, QStringLiteral("Sync stopped: the data folder moved."));
    });
}

CalDavSyncRunner::~CalDavSyncRunner() = default;

void CalDavSyncRunner::setTimeout(int milliseconds) {
    m_client->setTimeout(milliseconds);
}

bool CalDavSyncRunner::isRunning() const {
    return m_job != nullptr;
}

void CalDavSyncRunner::cancel() {
    if (m_job)
        finish(false, QStringLiteral("Sync cancelled."));
}

void CalDavSyncRunner::start(const SyncAccount& account) {
    if (m_job)
        return;
    m_job = std::make_unique<Job>();
    Job& job = *m_job;
    job.account = account;
    m_client->resetCount();
    m_client->setCredentials(account.user, account.password);
    if (!account.isSet()) {
        QTimer::singleShot(0, this, [this] { finish(false, QStringLiteral("No CalDAV address is set.")); });
        return;
    }
    try {
        job.state = std::make_unique<TXMLIniFile>(m_stores.dataFolder() + QStringLiteral("/Sync.xml"));
    } catch (const Exception& e) {
        const QString why = e.message();
        QTimer::singleShot(0, this,
                           [this, why] { finish(false, QStringLiteral("Sync.xml cannot be read: %1").arg(why)); });
        return;
    }
    // What Sync.xml holds belongs to one account on one server; for another one everything is new.
    job.accountId = account.url.toString(QUrl::FullyEncoded).toUtf8() + ' ' + account.user.toUtf8();
    const TXMLIniFile& state = *job.state;
    if (state.ReadString(CollectionSection, AccountKey, {}) == job.accountId) {
        job.collection = QUrl::fromEncoded(state.ReadString(CollectionSection, UrlKey, {}));
        job.collectionFromState = job.collection.isValid() && !job.collection.isEmpty();
        job.token = state.ReadString(CollectionSection, TokenKey, {});
        job.device = state.ReadString(CollectionSection, DeviceKey, {});
        for (const QByteArray& key : state.ReadSections()) {
            if (!key.startsWith(EventPrefix) && !key.startsWith(NotePrefix))
                continue;
            Entry e{state.ReadString(key, UidKey, {}), state.ReadString(key, HrefKey, {}),
                    state.ReadString(key, EtagKey, {}), state.ReadString(key, FingerprintKey, {}),
                    state.ReadString(key, SentKey, {})};
            if (e.href.isEmpty())
                continue;
            job.keyByHref.insert(e.href, key);
            job.entries.insert(key, e);
        }
    }
    if (job.device.isEmpty()) {
        const quint64 words[2] = {QRandomGenerator::system()->generate64(), QRandomGenerator::system()->generate64()};
        job.device = QByteArray(reinterpret_cast<const char*>(words), sizeof words).toHex();
    }
    QTimer::singleShot(0, this, [this] {
        if (m_job)
            discover();
    });
}

bool CalDavSyncRunner::failed(const DavReply& reply, const QString& what) {
    if (reply.ok() || reply.status == 207)
        return false;
    QString status;
    if (reply.status == 0 && reply.timedOut)
        status = QStringLiteral("The server did not answer within %1 seconds (%2).")
                     .arg(m_client->timeout() / 1000)
                     .arg(what);
    else if (reply.status == 0)
        status = QStringLiteral("The server cannot be reached: %1").arg(reply.error);
    else if (reply.status == 401)
        status = QStringLiteral("The server refused the user name or the password (401).");
    else if (reply.status == 403)
        status = QStringLiteral("The server refused access to %1 (403).").arg(reply.url.toDisplayString());
    else if (reply.status == 404)
        status = QStringLiteral("Nothing found at %1 (404): check the address.").arg(reply.url.toDisplayString());
    else
        status = QStringLiteral("The server answered %1 with error %2.").arg(what).arg(reply.status);
    finish(false, status);
    return true;
}

static QString unreadable(const QString& what, const QString& why) {
    return QStringLiteral("The server's answer to %1 is no WebDAV answer (%2).").arg(what, why);
}

// ---- discovery ----

void CalDavSyncRunner::discover() {
    Job& job = *m_job;
    if (job.collectionFromState) {
        list(job.token.isEmpty());
        return;
    }
    const QUrl url = job.account.url;
    m_client->send("PROPFIND", url, {{"Depth", "0"}, {"Content-Type", "application/xml; charset=utf-8"}},
                   DavXml::propfindPrincipal(), [this, url](const DavReply& reply) {
                       if (failed(reply, QStringLiteral("the search for the calendars")))
                           return;
                       const DavXml::Multistatus answer = DavXml::parse(reply.body);
                       if (!answer.ok || answer.responses.isEmpty()) {
                           finish(false, unreadable(QStringLiteral("the search for the calendars"), answer.error));
                           return;
                       }
                       const DavXml::Response& r = answer.responses.first();
                       if (r.isCalendar()) {
                           m_job->collection = reply.url;
                           list(true);
                       } else if (const QByteArray home = r.props.value("calendar-home-set"); !home.isEmpty()) {
                           findCollection(reply.url.resolved(QUrl::fromEncoded(home)));
                       } else if (const QByteArray principal = r.props.value("current-user-principal");
                                  !principal.isEmpty()) {
                           findHome(reply.url.resolved(QUrl::fromEncoded(principal)));
                       } else if (r.props.value("resourcetype").split(' ').contains("collection")) {
                           findCollection(reply.url);
                       } else {
                           finish(false, QStringLiteral("No calendars found at %1.").arg(url.toDisplayString()));
                       }
                   });
}

void CalDavSyncRunner::findHome(const QUrl& principal) {
    m_client->send(
        "PROPFIND", principal, {{"Depth", "0"}, {"Content-Type", "application/xml; charset=utf-8"}},
        DavXml::propfindPrincipal(), [this](const DavReply& reply) {
            if (failed(reply, QStringLiteral("the search for the calendars")))
                return;
            const DavXml::Multistatus answer = DavXml::parse(reply.body);
            const QByteArray home =
                answer.responses.isEmpty() ? QByteArray() : answer.responses.first().props.value("calendar-home-set");
            if (!answer.ok || home.isEmpty()) {
                finish(false, answer.ok ? QStringLiteral("The server names no calendar home for the user.")
                                        : unreadable(QStringLiteral("the search for the calendars"), answer.error));
                return;
            }
            findCollection(reply.url.resolved(QUrl::fromEncoded(home)));
        });
}

void CalDavSyncRunner::findCollection(const QUrl& home) {
    QUrl folder = home;
    if (!folder.path().endsWith(u'/'))
        folder.setPath(folder.path() + u'/');
    m_client->send("PROPFIND", folder, {{"Depth", "1"}, {"Content-Type", "application/xml; charset=utf-8"}},
                   DavXml::propfindCalendars(), [this, folder](const DavReply& reply) {
                       if (failed(reply, QStringLiteral("the list of calendars")))
                           return;
                       const DavXml::Multistatus answer = DavXml::parse(reply.body);
                       if (!answer.ok) {
                           finish(false, unreadable(QStringLiteral("the list of calendars"), answer.error));
                           return;
                       }
                       for (const DavXml::Response& r : answer.responses) {
                           const QUrl url = folder.resolved(QUrl::fromEncoded(r.href));
                           const QString last = url.path().section(u'/', -2, -2);
                           if (r.isCalendar() && (last.compare(CollectionName, Qt::CaseInsensitive) == 0 ||
                                                  r.props.value("displayname") == CollectionName.toUtf8())) {
                               m_job->collection = url;
                               list(true);
                               return;
                           }
                       }
                       const QUrl made = folder.resolved(QUrl(CollectionName.toLower() + u'/'));
                       m_client->send("MKCALENDAR", made, {{"Content-Type", "application/xml; charset=utf-8"}},
                                      DavXml::mkcalendar(CollectionName), [this, made](const DavReply& reply) {
                                          if (failed(reply, QStringLiteral("the making of the Zentick calendar")))
                                              return;
                                          m_job->collection = made;
                                          list(true);
                                      });
                   });
}

// ---- what changed on the server ----

void CalDavSyncRunner::list(bool full) {
    Job& job = *m_job;
    job.full = full;
    job.listed.clear();
    job.removed.clear();
    job.newToken.clear();
    listPage(full ? QByteArray() : job.token);
}

// A server may answer a long list in pages (RFC 6578, 3.6): the collection itself comes back with 507 and the token
// says where the next page begins. Only all pages together are the list; a first page taken for a whole listing
// would let every member on the later ones pass for deleted on the server.
void CalDavSyncRunner::listPage(const QByteArray& token) {
    Job& job = *m_job;
    m_client->send("REPORT", job.collection, {{"Content-Type", "application/xml; charset=utf-8"}},
                   DavXml::syncCollection(token), [this, token](const DavReply& reply) {
                       Job& job = *m_job;
                       if (reply.status == 404 && job.collectionFromState) {
                           // The collection went away or moved: look for it again.
                           job.collectionFromState = false;
                           job.token.clear();
                           discover();
                           return;
                       }
                       if (!token.isEmpty() && (reply.status == 403 || reply.status == 409 || reply.status == 400) &&
                           !job.listedAgain) {
                           job.listedAgain = true;
                           list(true); // the token is no longer valid: everything once more
                           return;
                       }
                       if (token.isEmpty() && reply.status >= 400 && reply.status != 401 && reply.status != 404 &&
                           reply.status < 500) {
                           listByQuery();
                           return;
                       }
                       if (failed(reply, QStringLiteral("the list of changes")))
                           return;
                       const DavXml::Multistatus answer = DavXml::parse(reply.body);
                       if (!answer.ok) {
                           finish(false, unreadable(QStringLiteral("the list of changes"), answer.error));
                           return;
                       }
                       const QByteArray self = pathOf(job.collection);
                       bool more = false;
                       for (const DavXml::Response& r : answer.responses) {
                           const QByteArray href = normalisedHref(job.collection, r.href);
                           if (href == self) {
                               more = more || r.status == 507;
                               continue;
                           }
                           // A later page tells what became of a member since an earlier one.
                           if (r.status == 404) {
                               job.listed.remove(href);
                               job.removed.insert(href);
                           } else if (r.props.contains("getetag")) {
                               job.listed.insert(href, r.props.value("getetag"));
                               job.removed.remove(href);
                           }
                       }
                       job.newToken = answer.syncToken;
                       if (more) {
                           if (answer.syncToken.isEmpty() || answer.syncToken == token) {
                               finish(false, unreadable(QStringLiteral("the list of changes"),
                                                        QStringLiteral("more to come, but no new sync token")));
                               return;
                           }
                           listPage(answer.syncToken);
                           return;
                       }
                       fetch();
                   });
}

void CalDavSyncRunner::listByQuery() {
    Job& job = *m_job;
    job.full = true;
    job.listed.clear();
    job.removed.clear();
    m_client->send("REPORT", job.collection, {{"Depth", "1"}, {"Content-Type", "application/xml; charset=utf-8"}},
                   DavXml::calendarQueryEtags(), [this](const DavReply& reply) {
                       if (failed(reply, QStringLiteral("the list of events")))
                           return;
                       Job& job = *m_job;
                       const DavXml::Multistatus answer = DavXml::parse(reply.body);
                       if (!answer.ok) {
                           finish(false, unreadable(QStringLiteral("the list of events"), answer.error));
                           return;
                       }
                       const QByteArray self = pathOf(job.collection);
                       for (const DavXml::Response& r : answer.responses) {
                           const QByteArray href = normalisedHref(job.collection, r.href);
                           if (href != self && r.props.contains("getetag"))
                               job.listed.insert(href, r.props.value("getetag"));
                       }
                       fetch();
                   });
}

void CalDavSyncRunner::fetch() {
    Job& job = *m_job;
    if (job.fetchedUpTo == 0 && job.toFetch.isEmpty()) {
        for (auto it = job.listed.cbegin(); it != job.listed.cend(); ++it) {
            const QByteArray key = job.keyByHref.value(it.key());
            if (key.isEmpty() || job.entries.value(key).etag != it.value())
                job.toFetch << it.key();
        }
        std::sort(job.toFetch.begin(), job.toFetch.end());
    }
    if (job.fetchedUpTo >= job.toFetch.size()) {
        apply();
        return;
    }
    const QByteArrayList hrefs = job.toFetch.mid(job.fetchedUpTo, MultigetSize);
    job.fetchedUpTo += hrefs.size();
    m_client->send("REPORT", job.collection, {{"Depth", "1"}, {"Content-Type", "application/xml; charset=utf-8"}},
                   DavXml::calendarMultiget(hrefs), [this, hrefs](const DavReply& reply) {
                       if (failed(reply, QStringLiteral("the request for the events")))
                           return;
                       Job& job = *m_job;
                       const DavXml::Multistatus answer = DavXml::parse(reply.body);
                       if (!answer.ok) {
                           finish(false, unreadable(QStringLiteral("the request for the events"), answer.error));
                           return;
                       }
                       QSet<QByteArray> missing(hrefs.cbegin(), hrefs.cend());
                       for (const DavXml::Response& r : answer.responses) {
                           const QByteArray href = normalisedHref(job.collection, r.href);
                           if (!r.props.contains("calendar-data") || !missing.contains(href))
                               continue;
                           missing.remove(href);
                           job.fetched.insert(href, {r.props.value("getetag", job.listed.value(href)),
                                                     r.props.value("calendar-data")});
                       }
                       // Gone between the list and the request: the next sync sees what became of it.
                       if (!missing.isEmpty())
                           job.allFetched = false;
                       fetch();
                   });
}

// ---- the local side, in one step ----

void CalDavSyncRunner::apply() {
    Job& job = *m_job;
    TXMLIniFile& events = m_stores.eventStore();
    TXMLIniFile& diary = m_stores.diaryStore();
    const double now = nowDayCount();
    const QByteArray collectionPath = pathOf(job.collection);

    // The records that sync, as they are now.
    QHash<QByteArray, QByteArray> local; // key -> fingerprint
    for (const QByteArray& s : events.ReadSections()) {
        const QByteArray kind = events.ReadString(s, K::AlType, EventRecord::KindAlarm);
        if (kind != EventRecord::KindAlarm && kind != EventRecord::KindBirth)
            continue;
        const QByteArray fp = fingerprintOf(events, diary, eventKey(s));
        if (!fp.isEmpty())
            local.insert(eventKey(s), fp);
    }
    for (const QByteArray& s : diary.ReadSections()) {
        const QByteArray fp = fingerprintOf(events, diary, noteKey(s));
        if (!fp.isEmpty())
            local.insert(noteKey(s), fp);
    }

    Scratch scratch(m_stores.dataFolder());
    bool storesChanged = false;
    QHash<QByteArray, Entry> entries = job.entries;
    QList<Job::Push> pushes;
    QStringList conflicts;

    const auto serverChanged = [&](const Entry& e) -> const Job::Fetched* {
        auto it = job.fetched.constFind(e.href);
        return it != job.fetched.cend() && it->etag != e.etag ? &*it : nullptr;
    };
    const auto serverRemoved = [&](const Entry& e) {
        if (job.full)
            return !job.listed.contains(e.href);
        return job.removed.contains(e.href);
    };
    // The server's version into the record of key (an event section, or the note's day); returns the key written.
    const auto writeServer = [&](const QByteArray& data, const QByteArray& key) -> QByteArray {
        const QByteArray written = CalendarExchange::writeObject(data, events, diary, sectionOf(key), now);
        if (written.isEmpty())
            return {};
        storesChanged = true;
        const bool note = CalendarExchange::readObject(data).kind == CalendarExchange::ObjectRecord::Note;
        return note ? noteKey(written) : eventKey(written);
    };
    const auto freeEventKey = [&] {
        return eventKey(EventRecord::firstFreeSection(events));
    };
    const auto copyRecord = [&](const QByteArray& from, const QByteArray& to) {
        for (const QByteArray& k : events.ReadSection(from))
            events.WriteString(to, k, events.ReadString(from, k, {}));
        storesChanged = true;
    };
    const auto mergeNote = [&](const QByteArray& section, const QByteArray& data) {
        const QStringList mine = EventRecord::readTextBlock(diary, section);
        writeServer(data, noteKey(section));
        QStringList merged = EventRecord::readTextBlock(diary, section);
        merged << QString() << mine;
        EventRecord::writeTextBlock(diary, section, merged);
    };

    TXMLIniFile::Batch eventsBatch(events);
    TXMLIniFile::Batch diaryBatch(diary);
    try {
        // Records synced before.
        QByteArrayList keys = job.entries.keys();
        std::sort(keys.begin(), keys.end()); // the same order every time: conflicts are named in it
        for (const QByteArray& key : keys) {
            const Entry e = job.entries.value(key);
            const bool here = local.contains(key);
            const bool changedHere = here && local.value(key) != e.fingerprint;
            if (serverRemoved(e)) {
                entries.remove(key);
                if (here && !changedHere) {
                    if (isNote(key))
                        diary.EraseSection(sectionOf(key));
                    else
                        events.EraseSection(sectionOf(key));
                    local.remove(key);
                    storesChanged = true;
                    ++job.deletedHere;
                }
                // Changed here: it stays, unsynced, and goes up again as a new record.
                continue;
            }
            const Job::Fetched* theirs = serverChanged(e);
            if (!theirs) {
                if (!here) {
                    pushes.append({key, "DELETE", e, e.etag, {}});
                } else if (changedHere) {
                    Entry next = e;
                    next.fingerprint = local.value(key);
                    pushes.append({key, "PUT", next, e.etag, {}});
                }
                continue;
            }
            const QByteArray theirFp = scratch.fingerprint(theirs->data);
            if (theirFp.isEmpty()) {
                entries.remove(key); // no longer a record of ours: left alone on both sides
                continue;
            }
            Entry next = e;
            next.etag = theirs->etag;
            next.fingerprint = theirFp;
            next.sent.clear();
            if (here && changedHere && !e.sent.isEmpty() && theirFp == e.sent && local.value(key) != theirFp) {
                // The server holds what we sent last time, and the record changed here since: send it again.
                entries.insert(key, next);
                Entry sending = next;
                sending.fingerprint = local.value(key);
                pushes.append({key, "PUT", sending, next.etag, {}});
                continue;
            }
            if (!here) {
                // Deleted here, changed there: the change wins.
                const QByteArray target = isNote(key) || !events.HasSection(sectionOf(key)) ? key : freeEventKey();
                const QByteArray written = writeServer(theirs->data, target);
                entries.remove(key);
                if (!written.isEmpty()) {
                    entries.insert(written, next);
                    local.insert(written, theirFp);
                    ++job.received;
                }
            } else if (!changedHere || local.value(key) == theirFp) {
                if (local.value(key) != theirFp) {
                    writeServer(theirs->data, key);
                    ++job.received;
                }
                local[key] = theirFp;
                entries.insert(key, next);
            } else if (isNote(key)) {
                mergeNote(sectionOf(key), theirs->data);
                conflicts << titleOf(events, diary, key);
                entries.insert(key, next);
                next.fingerprint = fingerprintOf(events, diary, key);
                pushes.append({key, "PUT", next, next.etag, {}});
                local[key] = next.fingerprint;
            } else {
                // Changed on both sides: the server's version in place, ours as a new record.
                const QByteArray copy = freeEventKey();
                copyRecord(sectionOf(key), sectionOf(copy));
                conflicts << titleOf(events, diary, key);
                writeServer(theirs->data, key);
                ++job.received;
                local[key] = theirFp;
                local.insert(copy, fingerprintOf(events, diary, copy));
                entries.insert(key, next);
            }
        }

        // Records new here: those the server already has (sent by a sync cut short, or the same on both
        // computers) are linked to it rather than doubled.
        QMultiHash<QByteArray, QByteArray> unsynced; // fingerprint -> key
        QHash<QByteArray, QByteArray> unsyncedByUid;
        for (auto it = local.cbegin(); it != local.cend(); ++it) {
            if (!entries.contains(it.key())) {
                unsynced.insert(it.value(), it.key());
                unsyncedByUid.insert(newUid(job.device, it.key()), it.key());
            }
        }
        QByteArrayList arrivals;
        for (auto it = job.fetched.cbegin(); it != job.fetched.cend(); ++it) {
            if (!job.keyByHref.contains(it.key()))
                arrivals << it.key();
        }
        std::sort(arrivals.begin(), arrivals.end());
        for (const QByteArray& href : std::as_const(arrivals)) {
            const Job::Fetched& theirs = job.fetched[href];
            const CalendarExchange::ObjectRecord object = CalendarExchange::readObject(theirs.data);
            const QByteArray theirFp =
                object.kind == CalendarExchange::ObjectRecord::None ? QByteArray() : scratch.fingerprint(theirs.data);
            if (theirFp.isEmpty())
                continue; // not an object of ours (a to-do, a power action): left where it is
            const Entry e{object.uid, href, theirs.etag, theirFp, {}};
            // Sent by a sync of ours cut short: the record may have changed here since.
            QByteArray key = unsyncedByUid.value(object.uid);
            if (!key.isEmpty() && unsynced.contains(local.value(key), key)) {
                unsynced.remove(local.value(key), key);
                entries.insert(key, e);
                if (local.value(key) != theirFp) {
                    Entry sending = e;
                    sending.fingerprint = local.value(key);
                    pushes.append({key, "PUT", sending, e.etag, {}});
                }
                continue;
            }
            key.clear();
            for (const QByteArray& candidate : unsynced.values(theirFp)) {
                if (isNote(candidate) == (object.kind == CalendarExchange::ObjectRecord::Note) &&
                    (!isNote(candidate) || sectionOf(candidate) == object.day)) {
                    key = candidate;
                    break;
                }
            }
            if (!key.isEmpty()) {
                unsynced.remove(theirFp, key);
                entries.insert(key, e);
                continue;
            }
            if (object.kind == CalendarExchange::ObjectRecord::Note && local.contains(noteKey(object.day))) {
                const QByteArray noteAt = noteKey(object.day);
                mergeNote(object.day, theirs.data);
                conflicts << titleOf(events, diary, noteAt);
                local[noteAt] = fingerprintOf(events, diary, noteAt);
                if (entries.contains(noteAt)) {
                    // The day's note is synced under another object: that one takes the text, this one goes.
                    pushes.append({noteAt, "DELETE", e, e.etag, {}});
                } else {
                    for (auto it = unsynced.begin(); it != unsynced.end();) {
                        it = it.value() == noteAt ? unsynced.erase(it) : std::next(it);
                    }
                    entries.insert(noteAt, e);
                    Entry next = e;
                    next.fingerprint = local[noteAt];
                    pushes.append({noteAt, "PUT", next, e.etag, {}});
                }
                continue;
            }
            const QByteArray written =
                writeServer(theirs.data,
                            object.kind == CalendarExchange::ObjectRecord::Note ? noteKey(object.day) : freeEventKey());
            if (!written.isEmpty()) {
                entries.insert(written, e);
                local.insert(written, theirFp);
                ++job.received;
            }
        }
        for (auto it = unsynced.cbegin(); it != unsynced.cend(); ++it) {
            const QByteArray& key = it.value();
            const QByteArray uid = newUid(job.device, key);
            const QByteArray href = collectionPath + QByteArray(uid).replace('@', '-') + ".ics";
            pushes.append({key, "PUT", {uid, href, {}, it.key(), {}}, {}, {}});
        }

        eventsBatch.commit();
        diaryBatch.commit();
    } catch (const Exception& e) {
        eventsBatch.rollBack();
        diaryBatch.rollBack();
        finish(false, QStringLiteral("The stores could not be written, nothing changed: %1").arg(e.message()));
        return;
    }
    for (const Job::Push& p : std::as_const(pushes)) {
        if (p.verb == "PUT" && entries.contains(p.key) && entries[p.key].href == p.entry.href)
            entries[p.key].sent = p.entry.fingerprint;
    }
    job.outcome.storesChanged = storesChanged;
    job.outcome.conflicts = conflicts;
    job.entries = entries;
    job.keyByHref.clear();
    for (auto it = entries.cbegin(); it != entries.cend(); ++it)
        job.keyByHref.insert(it->href, it.key());
    if (job.allFetched && !job.newToken.isEmpty())
        job.token = job.newToken;
    job.stateChanged = true;
    try {
        saveState();
    } catch (const Exception& e) {
        finish(false, QStringLiteral("Sync.xml could not be written: %1").arg(e.message()));
        return;
    }
    // The bodies now, from the records as the stores hold them after this step.
    const CalendarExchange::ExportOptions options{false, QDateTime::currentDateTimeUtc()};
    for (Job::Push& p : pushes) {
        if (p.verb == "PUT")
            p.body = objectOf(events, diary, p.key, p.entry.uid, options);
    }
    job.pushes = pushes;
    pushNext();
}

// ---- the server side, one request each ----

void CalDavSyncRunner::pushNext() {
    Job& job = *m_job;
    while (job.pushError.isEmpty() && job.inFlight < PushWindow && job.nextPush < job.pushes.size()) {
        const Job::Push p = job.pushes.at(job.nextPush++);
        if (p.verb == "PUT" && p.body.isEmpty())
            continue;
        DavClient::Headers headers;
        if (p.verb == "PUT")
            headers << std::pair{QByteArray("Content-Type"), QByteArray("text/calendar; charset=utf-8")};
        if (!p.ifMatch.isEmpty())
            headers << std::pair{QByteArray("If-Match"), p.ifMatch};
        else if (p.verb == "PUT")
            headers << std::pair{QByteArray("If-None-Match"), QByteArray("*")};
        ++job.inFlight;
        m_client->send(p.verb, job.collection.resolved(QUrl::fromEncoded(p.entry.href)), headers, p.body,
                       [this, p](const DavReply& reply) {
                           Job& job = *m_job;
                           --job.inFlight;
                           const bool mine = job.entries.value(p.key).href == p.entry.href;
                           if (reply.ok() || (p.verb == "DELETE" && reply.status == 404)) {
                               if (p.verb == "PUT") {
                                   Entry e = p.entry;
                                   e.etag = reply.etag;
                                   e.sent.clear();
                                   job.entries.insert(p.key, e);
                                   ++job.sent;
                               } else {
                                   if (mine)
                                       job.entries.remove(p.key);
                                   ++job.deletedThere;
                               }
                               job.stateChanged = true;
                           } else if (reply.status == 412) {
                               ++job.refused;
                           } else if (reply.status >= 400 && reply.status < 500 && reply.status != 401) {
                               // This record only (a calendar that takes no journals, a size limit): the others
                               // go on, it stays here and is offered again at the next sync.
                               ++job.notTaken;
                               job.notTakenStatus = reply.status;
                           } else if (job.pushError.isEmpty()) {
                               job.pushError =
                                   reply.status == 0
                                       ? QStringLiteral("The server stopped answering: %1").arg(reply.error)
                                       : QStringLiteral("The server refused a change (error %1).").arg(reply.status);
                           }
                           pushNext();
                       });
    }
    if (job.inFlight > 0)
        return;
    if (!job.pushError.isEmpty()) {
        finish(false, job.pushError + QStringLiteral(" What was not sent goes at the next sync."));
        return;
    }
    QString status;
    if (job.received + job.sent + job.deletedHere + job.deletedThere == 0)
        status = QStringLiteral("Everything was in sync.");
    else
        status = QStringLiteral("Synced: %1 received, %2 sent, %3 deleted here, %4 deleted on the server.")
                     .arg(job.received)
                     .arg(job.sent)
                     .arg(job.deletedHere)
                     .arg(job.deletedThere);
    if (!job.outcome.conflicts.isEmpty())
        status +=
            QStringLiteral(" %1 record(s) changed on both sides were kept twice.").arg(job.outcome.conflicts.size());
    if (job.refused > 0)
        status +=
            QStringLiteral(" %1 change(s) met a newer copy on the server and wait for the next sync.").arg(job.refused);
    if (job.notTaken > 0)
        status += QStringLiteral(" The server would not take %1 record(s) (error %2); they stay on this computer.")
                      .arg(job.notTaken)
                      .arg(job.notTakenStatus);
    finish(true, status);
}

void CalDavSyncRunner::saveState() {
    Job& job = *m_job;
    if (!job.stateChanged || !job.state)
        return;
    TXMLIniFile& state = *job.state;
    TXMLIniFile::Batch batch(state);
    for (const QByteArray& s : state.ReadSections()) {
        if (s != CollectionSection && !job.entries.contains(s))
            state.EraseSection(s);
    }
    writeIfDifferent(state, CollectionSection, AccountKey, job.accountId);
    writeIfDifferent(state, CollectionSection, UrlKey, job.collection.toString(QUrl::FullyEncoded).toUtf8());
    writeIfDifferent(state, CollectionSection, TokenKey, job.token);
    writeIfDifferent(state, CollectionSection, DeviceKey, job.device);
    for (auto it = job.entries.cbegin(); it != job.entries.cend(); ++it) {
        writeIfDifferent(state, it.key(), UidKey, it->uid);
        writeIfDifferent(state, it.key(), HrefKey, it->href);
        writeIfDifferent(state, it.key(), EtagKey, it->etag);
        writeIfDifferent(state, it.key(), FingerprintKey, it->fingerprint);
        writeIfDifferent(state, it.key(), SentKey, it->sent);
    }
    batch.commit();
    job.stateChanged = false;
}

void CalDavSyncRunner::finish(bool ok, const QString& status) {
    if (!m_job)
        return;
    m_client->abortAll();
    try {
        saveState(); // what the requests sent so far did
    } catch (const Exception&) {
        // The next sync recognises what was sent by its content.
    }
    const std::unique_ptr<Job> job = std::move(m_job);
    SyncOutcome outcome = job->outcome;
    outcome.ok = ok;
    outcome.status = status;
    outcome.requests = m_client->requests();
    outcome.finishedAt = QDateTime::currentDateTime();
    emit finished(outcome);
}

std::unique_ptr<SyncRunner> makeCalDavSyncRunner(DataStores& stores, QObject* parent) {
    return std::make_unique<CalDavSyncRunner>(stores, parent);
}
