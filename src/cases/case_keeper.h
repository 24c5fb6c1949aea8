#pragma once

#include "cases/case.h"
#include "cases/case_database.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QThread>
#include <QTimer>

#include <functional>

namespace mivo {

class CaseStore;
class CaseWorker;
class CurrentDocument;

// Keeps what is typed into the current document in the current case, without ever making the
// typing wait: a change is saved at most kSaveDelayMs after it is made, by a thread of its own
// that owns the store's connection. The first change with no current case starts a new one.
// A change the store cannot take (the server is gone) is kept and saved when it answers again.
//
// The drawing has no signal of its own: call drawingChanged() after a map or the registration
// number changed. Requests about other cases (list, open, rename, ...) are answered by signals.
// The store is looked at once on start, so a damaged file is reported before anything is typed.
class CaseKeeper : public QObject {
    Q_OBJECT
  public:
    static constexpr int kSaveDelayMs = 300;
    static constexpr int kRetryMs = 2000;
    static constexpr int kSlowSaveMs = 1500;

    // Keeps only when `keeping` (the program passes keepingEnabled()).
    CaseKeeper(CurrentDocument& document, const CaseDatabase& where, bool keeping,
               QObject* parent = nullptr);
    // Saves what is left (waiting a few seconds at most) and closes the store.
    ~CaseKeeper() override;

    bool isKeeping() const { return keeping_; }
    const CaseDatabase& database() const { return where_; }
    // Turning keeping off saves what was typed so far and leaves the case; turning it on
    // starts a new case with the next change.
    void setKeeping(bool keeping);
    qint64 currentCaseId() const { return current_.id; }
    QString currentCaseName() const { return current_.name; }
    // Whether something typed has not reached the store yet (Exit asks before losing it).
    bool hasUnsavedChange() const;
    // Saves now and waits, handling the store's answers but no user input, until everything is
    // stored or `msecs` passed.
    bool waitUntilSaved(int msecs);

    // The next change starts a new case (新しい案件).
    void startNewCase();
    // Makes the stored case current (answered by currentCaseChanged, or problem).
    void openCase(qint64 id);
    // Fills the open document from the current case as fillDocument() in case_document.h
    // does; the particulars' values are not typing. The maps are decoded only for the layout
    // drawing: opening a case for a text document does not wait for them.
    void fillDocument();
    void drawingChanged();

    // The current case's particulars (案件の基本情報); a change is saved like typing, and with
    // no current case it starts one. A changed particular carries into every field of the case
    // that still holds its old value or nothing (followParticulars).
    const Particulars& particulars() const { return current_.particulars; }
    void setParticulars(const Particulars& particulars);

    // Stores what is still waiting, then reads the current case back as stored and answers on
    // this thread, while `receiver` lives: the case, or an empty one (id 0) and why. The window
    // sends a whole case this way, without a connection of its own.
    void readStoredCase(QObject* receiver,
                        std::function<void(const Case& c, const QString& error)> answer);

    void requestList(const QString& search, int limit = 200);
    // The cases in the trash, answered by trashListed.
    void requestTrash();
    void rename(qint64 id, const QString& name);
    void duplicate(qint64 id);
    // Moves the case to the trash; restore takes it back, purge deletes it for good.
    void remove(qint64 id);
    void restore(qint64 id);
    void purge(qint64 id);
    // The open document of the current case was printed or saved as a PDF just now.
    void recordPrinted(const QStringList& documents);
    // The current case as it is here: its name, values, particulars and print dates.
    const Case& currentCase() const { return current_; }
    // The documents of the current case that have values, as they would open.
    QStringList documentsWithValues() const;

  signals:
    void currentCaseChanged(qint64 id, const QString& name);
    // Another case became current (opened or new): these are its particulars.
    void particularsChanged(const mivo::Particulars& particulars);
    void listed(const QString& search, const QList<mivo::CaseSummary>& cases);
    void trashListed(const QList<mivo::CaseSummary>& cases);
    // The current case's documents were printed: printed() has the new dates.
    void printedChanged();
    // A rename, duplicate or delete went through: the list may show something else now.
    void casesChanged();
    // The case went to the trash or for good.
    void removed(qint64 id);
    // A change met a newer save of the same case elsewhere and was kept as the copy `id`.
    void savedAsCopy(qint64 id, const QString& name);
    // What is wrong, for the status bar; the empty text once all is well again.
    void problem(const QString& message);
    // The store cannot keep anything in this run (a damaged file, a newer schema): said once.
    void keepingStopped(const QString& message);

  private:
    void valueChanged(int index, const QString& text);
    void titleChanged(const QString& title);
    void markDirty();
    void sendSave();
    void saved(int key, const Case& c, bool copied, int unsaved, const QString& error,
               bool permanent);
    void report(const QString& message);
    void checkStore();
    void stopKeeping(const QString& message);
    // Runs `work` on the store in the worker's thread; then `done` here, or the error is
    // reported.
    void changeStore(std::function<bool(CaseStore&)> work, std::function<void()> done);

    CurrentDocument& document_;
    CaseDatabase where_;
    bool keeping_;
    QThread thread_;
    CaseWorker* worker_;
    QTimer timer_;
    QTimer slowSave_;
    Case current_; // what the store should hold for the current case
    QImage locationImage_;
    QImage layoutImage_;
    // Which case current_ is, for the worker: a new key for each case taken up (0 is none).
    int key_ = 1;
    int lastKey_ = 1;
    bool dirty_ = false;
    bool mapsDirty_ = false;
    bool mapsUndecoded_ = false; // current_ has map bytes that the images above do not show yet
    bool applying_ = false;      // filling the document is not typing
    int outstanding_ = 0;        // saves sent and not answered
    int unsavedInWorker_ = 0;
    QString problem_;
};

} // namespace mivo
