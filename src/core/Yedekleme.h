#pragma once
// The daily backup of the SQLite file, in steps.

#include <QString>

#include <atomic>
#include <mutex>

struct sqlite3;

namespace Zelvora {

// The daily backup in steps, so that it can run on a thread of its own while the program
// goes on. The constructor takes a read snapshot of the database on a connection of its
// own: whatever the program writes afterwards, the backup holds the database as it was
// at that moment. sayfalariKopyala() copies the snapshot's pages into a scratch file
// beside the backup and ends the snapshot (a write waits for the copy, by the busy
// timeout, and never longer); yaz() checks the copy (integrity check, our tables),
// compacts it into a temporary file, checks that, flushes it to the disk and renames it
// over the backup. A failure, or kes(), leaves an existing backup as it was and no
// scratch or temporary file behind. The snapshot's connection is read-only, so it
// cannot roll back a hot journal: the database must have been opened by the program
// (which recovers it) before a backup starts, as the start-up does.
class Yedekleme {
public:
    // Throws Hata when the file is not a database of ours or stays locked by another
    // program for longer than the busy timeout.
    Yedekleme(const QString &kaynak, const QString &hedef);
    ~Yedekleme();
    Yedekleme(const Yedekleme &) = delete;
    Yedekleme &operator=(const Yedekleme &) = delete;

    void sayfalariKopyala();
    void yaz();
    // From any thread: stops the step that runs (the steps then throw) and keeps the
    // rename from happening. A step already past its last statement ends as it would.
    void kes();
    bool kesildi() const { return m_kes.load(); }

private:
    void kapat(sqlite3 *&db);
    QString m_kaynak, m_hedef, m_gecici, m_kopya;
    sqlite3 *m_kaynakDb = nullptr; // the snapshot
    sqlite3 *m_kopyaDb = nullptr;  // the scratch copy of its pages
    std::mutex m_baglantiKilidi;   // kes() against opening and closing the connections
    std::atomic<bool> m_kes{false};
    bool m_yerinde = false;
};

} // namespace Zelvora
